// Real X11 input through the SDL backend: a private Xvfb, xdotool as the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <condition_variable>
#include <mutex>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/desktop.h"
#include "platform/ui/sdl_backend.h"

namespace kes::ui::test {
namespace {

namespace fs = std::filesystem;

// Starts a private Xvfb and stops that one process again.
class PrivateX {
public:
    PrivateX() {
        // Test cases run as parallel processes: each needs its own file names.
        std::random_device random;
        const fs::path base = fs::temp_directory_path() /
                              ("kes-ui-xvfb-" + std::to_string(random()) + "-" + std::to_string(random()));
        pid_file_ = base.string() + ".pid";
        display_file_ = base.string() + ".display";
        // Xvfb picks a free display itself and writes its number to fd 3.
        // -noreset: a probe client that disconnects must not reset the server
        // under the window manager. A watcher ends Xvfb should this test die
        // ($PPID of the shell is this test process).
        const std::string cmd = "(Xvfb -displayfd 3 -noreset -screen 0 640x480x24 -nolisten tcp 3>" +
                                display_file_.string() + " & x=$!; echo $x > " + pid_file_.string() +
                                "; while kill -0 $PPID && kill -0 $x; do sleep 1; done; kill $x)"
                                " >/dev/null 2>&1 &";
        if (std::system(cmd.c_str()) != 0) return;
        for (int i = 0; i < 100 && display_ < 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::ifstream in(display_file_);
            int n = -1;
            if (in >> n && n >= 0) display_ = n;
        }
        ok_ = display_ >= 0;
        // SDL waits without limit for a window manager that maps its windows;
        // should one die mid-test, ending the display turns the hang into a failure.
        watchdog_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            if (done_.wait_for(lock, std::chrono::seconds(60), [this] { return finished_; })) return;
            for (const fs::path& log : logs_) {
                std::ifstream in(log);
                std::cerr << "--- " << log.string() << " ---\n" << in.rdbuf() << "\n";
            }
            Kill();
        });
    }
    ~PrivateX() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        if (watchdog_.joinable()) watchdog_.join();
        Kill();
        std::error_code ec;
        fs::remove(pid_file_, ec);
        fs::remove(display_file_, ec);
        for (const fs::path& log : logs_) fs::remove(log, ec);
    }
    bool ok() const { return ok_; }
    // A file for the output of a helper program on this display, shown should the test hang.
    fs::path LogFile(const std::string& name) {
        std::lock_guard lock(mutex_);
        logs_.push_back(pid_file_.string() + "." + name + ".log");
        return logs_.back();
    }
    std::string display() const { return ":" + std::to_string(display_); }
    // Runs xdotool against this display, for at most 10 seconds.
    bool Do(const std::string& args) const {
        const std::string cmd = "DISPLAY=" + display() + " timeout 10 xdotool " + args + " >/dev/null 2>&1";
        return std::system(cmd.c_str()) == 0;
    }
    // What xdotool prints (its first line); empty when it failed.
    std::string Ask(const std::string& args) {
        if (ask_file_.empty()) ask_file_ = LogFile("ask");
        const fs::path& out = ask_file_;
        const std::string cmd = "DISPLAY=" + display() + " timeout 10 xdotool " + args + " >" + out.string() + " 2>&1";
        std::string line;
        if (std::system(cmd.c_str()) != 0) return line;
        std::ifstream in(out);
        std::getline(in, line);
        return line;
    }
    // Whether the process whose id a file holds still runs.
    static bool Alive(const fs::path& pid_file) {
        const std::string cmd = "kill -0 $(cat " + pid_file.string() + ") 2>/dev/null";
        return std::system(cmd.c_str()) == 0;
    }

private:
    // Stops the one Xvfb this object started, by its process id.
    void Kill() {
        std::ifstream in(pid_file_);
        long pid = 0;
        if (in >> pid && pid > 0) {
            const std::string cmd = "kill " + std::to_string(pid) + " 2>/dev/null";
            (void)std::system(cmd.c_str());
        }
    }

    int display_ = -1;
    fs::path pid_file_;
    fs::path display_file_;
    bool ok_ = false;
    std::thread watchdog_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::vector<fs::path> logs_;
    fs::path ask_file_;
};

struct Got {
    Message msg;
    WParam w;
    LParam l;
};

class RealInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v Xvfb >/dev/null && command -v xdotool >/dev/null") != 0)
            GTEST_SKIP() << "Xvfb and xdotool are not installed (scripts/setup.sh installs them)";
        x = std::make_unique<PrivateX>();
        ASSERT_TRUE(x->ok()) << "Xvfb did not start";
        if (with_window_manager_) {
            if (std::system("command -v openbox >/dev/null") != 0) GTEST_SKIP() << "openbox is not installed";
            // Openbox ends with the display it runs on. A client that stays
            // connected watches for it announcing itself on the root window:
            // probes that come and go could make the server reset and end.
            const fs::path spy = x->LogFile("spy");
            wm_pid = x->LogFile("openbox-pid");
            const std::string cmd = "DISPLAY=" + x->display() + " stdbuf -oL xprop -root -spy >" +
                                    spy.string() + " 2>&1 & DISPLAY=" + x->display() + " openbox --sm-disable >" +
                                    x->LogFile("openbox").string() + " 2>&1 & echo $! >" + wm_pid.string();
            ASSERT_EQ(std::system(cmd.c_str()), 0);
            bool up = false;
            for (int i = 0; i < 200 && !up && PrivateX::Alive(wm_pid); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                std::ifstream in(spy);
                const std::string seen((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                up = seen.find("_NET_SUPPORTING_WM_CHECK(WINDOW): window id") != std::string::npos;
            }
            // Up means announced and still running when our first window is made.
            ASSERT_TRUE(up && PrivateX::Alive(wm_pid)) << "openbox did not start";
        }
        setenv("DISPLAY", x->display().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("KESTRANE_SCALE", "1", 1);
        auto b = std::make_unique<SdlBackend>();
        ASSERT_TRUE(b->Ok()) << b->Error();
        desk = std::make_unique<Desktop>(std::move(b));
        WindowDesc d;
        d.rect = {50, 50, 200, 100};
        Desktop* dt = desk.get();
        form = dt->CreateWindow(d, [this, dt](Hwnd h, Message m, WParam w, LParam l) {
            got.push_back({m, w, l});
            return dt->DefWindowProc(h, m, w, l);
        });
        Settle(300);
    }
    void TearDown() override {
        if (desk) desk->DestroyWindow(form);
        desk.reset();
        x.reset();
    }
    void Settle(int ms) { desk->RunFor(ms); }
    // Runs the loop until a message arrives (at most 3 seconds).
    bool WaitFor(Message m) {
        for (int i = 0; i < 60; ++i) {
            for (const Got& g : got)
                if (g.msg == m) return true;
            desk->RunFor(50);
        }
        return false;
    }
    std::vector<Got> Only(Message m) const {
        std::vector<Got> out;
        for (const Got& g : got)
            if (g.msg == m) out.push_back(g);
        return out;
    }

    bool with_window_manager_ = false;
    fs::path wm_pid;  // holds the window manager's process id
    std::unique_ptr<PrivateX> x;
    std::unique_ptr<Desktop> desk;
    Hwnd form = 0;
    std::vector<Got> got;
};

TEST_F(RealInput, ClickArrivesAtTheClientPoint) {
    ASSERT_TRUE(x->Do("mousemove 120 90 click 1"));
    ASSERT_TRUE(WaitFor(WM_LBUTTONUP));
    const auto down = Only(WM_LBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(XFromLParam(down[0].l), 70);
    EXPECT_EQ(YFromLParam(down[0].l), 40);
    EXPECT_EQ(desk->GetCursorPos(), (gfx::Point{120, 90}));
}

TEST_F(RealInput, PointerPositionOutsideTheWindowIsTheRealOne) {
    ASSERT_TRUE(x->Do("mousemove 120 90"));
    ASSERT_TRUE(WaitFor(WM_MOUSEMOVE));
    ASSERT_TRUE(x->Do("mousemove 500 400"));
    Settle(100);
    EXPECT_EQ(desk->GetCursorPos(), (gfx::Point{500, 400})) << "not the last position inside the window";
}

TEST_F(RealInput, TypedTextAndAccessKeys) {
    ASSERT_TRUE(x->Do("mousemove 100 80"));  // without a window manager the keyboard follows the pointer
    Settle(100);
    got.clear();
    ASSERT_TRUE(x->Do("type a5"));
    ASSERT_TRUE(x->Do("key alt+s"));
    ASSERT_TRUE(WaitFor(WM_SYSCHAR));
    Settle(100);
    std::vector<WParam> chars;
    for (const Got& g : Only(WM_CHAR)) chars.push_back(g.w);
    EXPECT_EQ(chars, (std::vector<WParam>{'a', '5'})) << "Alt+S types nothing";
    EXPECT_EQ(Only(WM_SYSCHAR)[0].w, WParam{'s'});
    ASSERT_FALSE(Only(WM_KEYDOWN).empty());
    EXPECT_EQ(Only(WM_KEYDOWN)[0].w, WParam{'A'});
}

// A window manager on the private display, for the moves it makes.
class RealMove : public RealInput {
protected:
    RealMove() { with_window_manager_ = true; }
    void Drag(gfx::Point from, gfx::Point to) {
        x->Do("mousemove " + std::to_string(from.x) + " " + std::to_string(from.y));
        Settle(100);
        x->Do("mousedown 1");
        Settle(100);
        for (int i = 1; i <= 4; ++i) {
            x->Do("mousemove " + std::to_string(from.x + (to.x - from.x) * i / 4) + " " +
                  std::to_string(from.y + (to.y - from.y) * i / 4));
            Settle(60);
        }
        x->Do("mouseup 1");
        Settle(300);
    }
};

TEST_F(RealMove, TitleBarPressHandedToTheDesktopMovesTheWindow) {
    // As the frame does: a drag that starts in the title bar goes to the desktop.
    desk->SetWindowProc(form, [this, in_title = false](Hwnd h, Message m, WParam w, LParam l) mutable -> LResult {
        got.push_back({m, w, l});
        if (m == WM_LBUTTONDOWN) in_title = YFromLParam(l) < 20;
        if (m == WM_MOUSEMOVE && (w & MK_LBUTTON) && in_title) {
            in_title = false;
            return desk->SendMessage(h, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
        return desk->DefWindowProc(h, m, w, l);
    });
    const gfx::Rect before = desk->GetWindowRect(form);
    Drag({before.x + 60, before.y + 8}, {before.x + 160, before.y + 108});
    const gfx::Rect after = desk->GetWindowRect(form);
    EXPECT_NE(after.location(), before.location());
    EXPECT_NEAR(after.x - before.x, 100, 30);
    EXPECT_NEAR(after.y - before.y, 100, 30);
    EXPECT_FALSE(Only(WM_MOVE).empty());
}

TEST_F(RealMove, CaptionHitTestLetsTheDesktopMoveTheWindow) {
    desk->SetWindowProc(form, [this](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        got.push_back({m, w, l});
        if (m == WM_NCHITTEST) return desk->ScreenToClient(h, {XFromLParam(l), YFromLParam(l)}).y < 20 ? HTCAPTION : HTCLIENT;
        return desk->DefWindowProc(h, m, w, l);
    });
    const gfx::Rect before = desk->GetWindowRect(form);
    Drag({before.x + 60, before.y + 8}, {before.x + 140, before.y + 60});
    const gfx::Rect after = desk->GetWindowRect(form);
    EXPECT_NEAR(after.x - before.x, 80, 30);
    EXPECT_NEAR(after.y - before.y, 52, 30);
    EXPECT_TRUE(Only(WM_LBUTTONDOWN).empty()) << "the press went to the desktop";
}

TEST_F(RealMove, ShowingAWindowDoesNotWaitForeverForAStuckWindowManager) {
    // A window manager that holds our map request and never answers it.
    ASSERT_EQ(std::system(("kill -STOP $(cat " + wm_pid.string() + ")").c_str()), 0);
    WindowDesc d;
    d.rect = {300, 200, 100, 50};
    const auto start = std::chrono::steady_clock::now();
    const Hwnd late = desk->CreateWindow(d, [this](Hwnd h, Message m, WParam w, LParam l) {
        return desk->DefWindowProc(h, m, w, l);
    });
    const auto waited = std::chrono::steady_clock::now() - start;
    (void)std::system(("kill -CONT $(cat " + wm_pid.string() + ")").c_str());
    EXPECT_LT(waited, std::chrono::seconds(5)) << "showing gives up waiting for the map after its time limit";
    Settle(300);
    desk->DestroyWindow(late);
}

TEST_F(RealMove, TwoWindowsSettleAndLeaveTheProcessIdle) {
    WindowDesc d;
    d.rect = {300, 50, 200, 100};
    std::vector<Message> second_got;
    const Hwnd second = desk->CreateWindow(d, [this, &second_got](Hwnd h, Message m, WParam w, LParam l) {
        second_got.push_back(m);
        return desk->DefWindowProc(h, m, w, l);
    });
    // Two activations in flight at once: the desktop reports each after we asked for the next.
    desk->SetActiveWindow(form);
    Settle(500);
    const Hwnd active = desk->GetActiveWindow();
    const std::string desktop_active = x->Ask("getactivewindow");
    EXPECT_NE(active, 0u);
    EXPECT_FALSE(desktop_active.empty());
    got.clear();
    second_got.clear();

    const std::clock_t cpu_before = std::clock();
    Settle(1000);
    const double cpu_s = double(std::clock() - cpu_before) / CLOCKS_PER_SEC;

    EXPECT_EQ(desk->GetActiveWindow(), active);
    EXPECT_EQ(x->Ask("getactivewindow"), desktop_active) << "the desktop's active window stayed put";
    EXPECT_TRUE(Only(WM_ACTIVATE).empty());
    EXPECT_EQ(std::count(second_got.begin(), second_got.end(), WM_ACTIVATE), 0);
    EXPECT_LT(cpu_s, 0.1) << "a second of sitting still";
    desk->DestroyWindow(second);
}

}  // namespace
}  // namespace kes::ui::test
