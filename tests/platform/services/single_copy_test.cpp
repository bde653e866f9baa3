#include "platform/services/single_copy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/services/process.h"
#include "tests/platform/services/temp_folder.h"

namespace kes::services {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

long long elapsed_ms(Clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

class SingleCopyTest : public ::testing::Test {
protected:
    testing::TempFolder temp;
    const std::string app = "KestraneTest";
    // Children find the lock where the in-process copy keeps it, and a settings folder we can watch.
    EnvironmentChanges child_env() const {
        return {{"XDG_RUNTIME_DIR", temp.path().string()}, {"XDG_CONFIG_HOME", temp / "config"}};
    }

    std::optional<ChildProcess> start_probe(const std::vector<std::string>& args) const {
        std::vector<std::string> argv = {KES_SINGLE_COPY_PROBE};
        argv.insert(argv.end(), args.begin(), args.end());
        return ChildProcess::start(argv, child_env());
    }

    // Polls the running copy like its event loop would until the child ends; true when it asked to raise.
    static bool serve_until_done(SingleCopy& running, ChildProcess& child, ProcessOutput& end) {
        bool raised = false;
        const auto start = Clock::now();
        for (;;) {
            raised = running.poll_raise_request() || raised;
            end = child.wait(0);
            if (!end.timed_out || elapsed_ms(start) > 10000) return raised;
            sleep_ms(5);
        }
    }
};

TEST_F(SingleCopyTest, SecondStartAsksTheRunningCopyAndEnds) {
    SingleCopy running(app, temp.path().string());
    ASSERT_FALSE(running.another_copy_running());
    ASSERT_GE(running.listen_fd(), 0) << running.listen_error();
    EXPECT_EQ(fs::status(running.socket_path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    auto second = start_probe({"second", app});
    ASSERT_TRUE(second);
    ProcessOutput end;
    EXPECT_TRUE(serve_until_done(running, *second, end));
    EXPECT_EQ(end.exit_status, 0) << "the second copy got the confirmation and ended";
    EXPECT_FALSE(fs::exists(temp.path() / "config")) << "the check touches no setting";
    EXPECT_FALSE(running.poll_raise_request()) << "one request raises once";
}

TEST_F(SingleCopyTest, LockOfAKilledCopyIsFreeAtOnce) {
    const std::string ready = temp / "ready";
    auto first = start_probe({"hold", app, ready});
    ASSERT_TRUE(first);
    const auto start = Clock::now();
    while (!fs::exists(ready) && elapsed_ms(start) < 10000) sleep_ms(5);
    ASSERT_TRUE(fs::exists(ready));

    EXPECT_TRUE(SingleCopy(app, temp.path().string()).another_copy_running());
    first->kill_now();
    first->wait();

    // The killed copy left its socket file behind; the next copy must still listen and be reached.
    SingleCopy next(app, temp.path().string());
    ASSERT_FALSE(next.another_copy_running());
    ASSERT_GE(next.listen_fd(), 0) << next.listen_error();
    auto second = start_probe({"second", app});
    ASSERT_TRUE(second);
    ProcessOutput end;
    EXPECT_TRUE(serve_until_done(next, *second, end));
    EXPECT_EQ(end.exit_status, 0);
}

// Without a runtime folder the lock goes to the configuration folder. Under a umask that takes
// the owner's own bits away, the lock file must still open for the next copy, or it would start too.
TEST_F(SingleCopyTest, OddUmaskLeavesALockTheNextCopyCanOpen) {
    const std::string ready = temp / "ready";
    const EnvironmentChanges env = {{"XDG_RUNTIME_DIR", std::nullopt}, {"XDG_CONFIG_HOME", temp / "config"}};
    auto first = ChildProcess::start(
        {"/bin/sh", "-c", "umask 0277 && exec \"$0\" \"$@\"", KES_SINGLE_COPY_PROBE, "hold", app, ready}, env);
    ASSERT_TRUE(first);
    const auto start = Clock::now();
    while (!fs::exists(ready) && elapsed_ms(start) < 10000) sleep_ms(5);
    ASSERT_TRUE(fs::exists(ready));

    const fs::path folder = temp.path() / "config" / app;
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(folder / (app + ".lock")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    auto second = ChildProcess::start({KES_SINGLE_COPY_PROBE, "second", app}, env);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->wait(10000).exit_status, 0) << "the second copy found the first and was answered";
}

TEST_F(SingleCopyTest, OnlyTheRaiseRequestIsUnderstoodAndNoPeerBlocks) {
    SingleCopy running(app, temp.path().string());
    ASSERT_FALSE(running.another_copy_running());
    // What a peer sends, and how long it stays connected waiting for an answer.
    const std::vector<std::pair<std::string, std::string>> peers = {
        {"hello\\n", "500"}, {"RAISE\\n", "500"}, {"raise", "300"}, {"raise\\nand more", "500"}, {"", "2500"},
    };
    std::vector<ChildProcess> children;
    for (const auto& [bytes, wait] : peers) {
        auto child = start_probe({"peer", running.socket_path(), bytes, wait});
        ASSERT_TRUE(child);
        children.push_back(std::move(*child));
    }
    bool raised = false;
    long long slowest_poll = 0;
    const auto start = Clock::now();
    while (elapsed_ms(start) < 2000) {
        const auto before = Clock::now();
        raised = running.poll_raise_request() || raised;
        slowest_poll = std::max(slowest_poll, elapsed_ms(before));
        sleep_ms(5);
    }
    EXPECT_FALSE(raised);
    EXPECT_LT(slowest_poll, 250) << "polling must never wait for a peer";
    EXPECT_TRUE(running.pending_fds().empty()) << "the silent peer is cut off";
    for (size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(children[i].wait().exit_status, 20) << "peer " << peers[i].first << " got no confirmation";
    }

    // The copy still answers a real second start afterwards.
    auto second = start_probe({"second", app});
    ASSERT_TRUE(second);
    ProcessOutput end;
    EXPECT_TRUE(serve_until_done(running, *second, end));
}

TEST_F(SingleCopyTest, RunningCopyThatNeverAnswersCannotHangTheSecond) {
    SingleCopy running(app, temp.path().string());
    ASSERT_FALSE(running.another_copy_running());
    SingleCopy second(app, temp.path().string());
    ASSERT_TRUE(second.another_copy_running());
    const auto start = Clock::now();
    EXPECT_FALSE(second.activate_running_copy(300));
    EXPECT_LT(elapsed_ms(start), 2000);
}

// A runtime or configuration folder deep enough that the socket's path does not fit a socket address.
TEST_F(SingleCopyTest, DeepFolderStillLetsTheSecondStartAsk) {
    const std::string deep = temp / (std::string(100, 'd') + "/" + std::string(100, 'e'));
    fs::create_directories(deep);
    SingleCopy running(app, deep);
    ASSERT_FALSE(running.another_copy_running());
    ASSERT_GE(running.listen_fd(), 0) << running.listen_error();
    EXPECT_TRUE(fs::exists(running.socket_path()));
    EXPECT_EQ(fs::status(running.socket_path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    auto second = ChildProcess::start({KES_SINGLE_COPY_PROBE, "second", app}, {{"XDG_RUNTIME_DIR", deep}});
    ASSERT_TRUE(second);
    ProcessOutput end;
    EXPECT_TRUE(serve_until_done(running, *second, end));
    EXPECT_EQ(end.exit_status, 0);
}

TEST_F(SingleCopyTest, UnusableLockFolderLetsTheProgramStart) {
    testing::write_file(temp / "blocker", "x");
    SingleCopy copy(app, temp / "blocker/run");
    EXPECT_FALSE(copy.another_copy_running());
    EXPECT_FALSE(copy.activate_running_copy(50));
}

}  // namespace
}  // namespace kes::services
