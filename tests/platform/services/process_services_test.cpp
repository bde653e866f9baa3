#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/services/application.h"
#include "platform/services/beep.h"
#include "platform/services/event_log.h"
#include "platform/services/headless.h"
#include "platform/services/message_box.h"
#include "platform/services/process.h"
#include "tests/platform/services/temp_folder.h"

namespace kes::services {
namespace {

namespace fs = std::filesystem;

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_headless(true);
        clear_recorded();
    }
    void TearDown() override { clear_recorded(); }
};

TEST_F(HeadlessTest, MessageBoxesEventsAndBeepsAreRecordedInOrder) {
    show_message_box(MessageIcon::Warning, "Error in kzForms.sc_Subclass", "窗口挂钩失败.");
    show_message_box(MessageIcon::Error, "Kestrane - ERROR", "Error occured: 5\r\n");
    show_message_box(MessageIcon::Information, "About", "");
    log_event(EventType::Error, "kzForms.sc_Subclass: failed");
    log_event(EventType::Information, "");
    beep();
    beep();

    const auto boxes = recorded_message_boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(boxes[0].title, "Error in kzForms.sc_Subclass");
    EXPECT_EQ(boxes[0].text, "窗口挂钩失败.");
    EXPECT_EQ(boxes[1].icon, MessageIcon::Error);
    EXPECT_EQ(boxes[1].text, "Error occured: 5\r\n");
    EXPECT_EQ(boxes[2].icon, MessageIcon::Information);
    const auto events = recorded_events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EventType::Error);
    EXPECT_EQ(events[0].text, "kzForms.sc_Subclass: failed");
    EXPECT_EQ(recorded_beep_count(), 2);

    clear_recorded();
    EXPECT_TRUE(recorded_message_boxes().empty());
    EXPECT_TRUE(recorded_events().empty());
    EXPECT_EQ(recorded_beep_count(), 0);
}

// Outside headless mode nothing here may fail where there is no sound card and no display.
// A key filter beeps on every refused key, so a beep must return at once whether or not a device opens.
TEST(DesktopServices, BeepAndEventLogReturnAtOnceWithoutAudio) {
    set_headless(false);
    clear_recorded();
    beep();  // the first call opens the device, or finds there is none
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) beep();
    const auto took = std::chrono::steady_clock::now() - start;
    log_event(EventType::Warning, "kestrane services test");
    set_headless(true);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 200);
    EXPECT_EQ(recorded_beep_count(), 0) << "outside headless mode nothing is recorded";
}

TEST(Application, TitleVersionAndEnvironment) {
    EXPECT_EQ(app_title(), "Kestrane");
    const AppVersion v = app_version();
    EXPECT_EQ((std::vector<int>{v.major, v.minor, v.revision}), (std::vector<int>{5, 0, 914}));
    set_app_title("");
    EXPECT_EQ(app_title(), "");
    set_app_title("Kestrane");

    EXPECT_TRUE(fs::is_directory(app_folder()));
    EXPECT_TRUE(fs::exists(app_folder() + "/" + fs::path(KES_TEST_BINARY).filename().string()));

    // Both names reach the system, not the environment, whatever their case.
    const std::string user = environment_value("username");
    EXPECT_FALSE(user.empty());
    EXPECT_EQ(environment_value("USERNAME"), user);
    EXPECT_FALSE(environment_value("computername").empty());
    EXPECT_EQ(environment_value("ComputerName"), environment_value("computername"));
    EXPECT_EQ(environment_value("KESTRANE_SURELY_UNSET_VARIABLE"), "");
}

TEST(Application, UserNameIsTheLoginName) {
    const ProcessOutput own = run_process({"id", "-un"});
    ASSERT_TRUE(own.started);
    EXPECT_EQ(environment_value("username") + "\n", own.out);
}

TEST(Application, AppendLineAddsWholeRecords) {
    testing::TempFolder temp;
    const std::string path = temp / "state/Kestrane/ErrorLog.txt";
    ASSERT_TRUE(append_line(path, "\"one\",\"中文\""));
    ASSERT_TRUE(append_line(path, "two", "\n"));
    EXPECT_EQ(testing::read_file(path), "\"one\",\"中文\"\r\ntwo\n");
    EXPECT_EQ(fs::status(temp / "state").permissions() & fs::perms::all, fs::perms::owner_all);

    // Records appended from several threads at once are never interleaved.
    std::vector<std::thread> threads;
    const std::string record(2000, 'r');
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) append_line(path, record);
        });
    }
    for (std::thread& t : threads) t.join();
    const std::string all = testing::read_file(path);
    const std::string expected_tail = record + "\r\n";
    size_t records = 0;
    for (size_t at = all.find(expected_tail); at != std::string::npos; at = all.find(expected_tail, at + 1)) {
        ++records;
    }
    EXPECT_EQ(records, 200u);

    testing::write_file(temp / "blocker", "x");
    const Status failed = append_line(temp / "blocker/ErrorLog.txt", "x");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.message().empty());
}

// A umask that takes the owner's own bits away must not stop the log after its first record.
TEST(Application, AppendLineUnderAnOddUmaskKeepsTheLogWritable) {
    testing::TempFolder temp;
    const std::string path = temp / "state/Kestrane/ErrorLog.txt";
    for (const char* line : {"one", "two"}) {
        const ProcessOutput end =
            run_process({"/bin/sh", "-c", "umask 0277 && exec \"$0\" \"$@\"", KES_APPEND_PROBE, path, line});
        ASSERT_EQ(end.exit_status, 0) << end.err;
    }
    EXPECT_EQ(testing::read_file(path), "one\r\ntwo\r\n");
    EXPECT_EQ(fs::status(temp / "state/Kestrane").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Application, ErrorLogGoesBesideTheProgramOnlyWhenThatIsWritable) {
    const std::string probe = app_folder() + "/.kes-write-probe";
    const bool writable = static_cast<bool>(std::ofstream(probe));
    std::error_code ignored;
    fs::remove(probe, ignored);
    const std::string expected =
        writable ? app_folder() + "/ErrorLog.txt" : user_state_folder() + "/Kestrane/ErrorLog.txt";
    EXPECT_EQ(error_log_path(), expected) << (writable ? "writable" : "read-only") << " program folder";
}

TEST(Process, RunProcessCollectsOutputStatusAndInput) {
    const ProcessOutput cat = run_process({"cat"}, {}, "中文\n");
    EXPECT_EQ(cat.out, "中文\n");
    EXPECT_EQ(cat.exit_status, 0);
    const ProcessOutput env = run_process({"sh", "-c", "printf %s \"$KES_A\"; printf err >&2; exit 3"},
                                          {{"KES_A", "set"}});
    EXPECT_EQ(env.out, "set");
    EXPECT_EQ(env.err, "err");
    EXPECT_EQ(env.exit_status, 3);
    // A child that never reads its input neither hangs nor kills us with SIGPIPE.
    const ProcessOutput deaf = run_process({"true"}, {}, std::string(1 << 20, 'x'));
    EXPECT_EQ(deaf.exit_status, 0);
    const ProcessOutput slow = run_process({"sleep", "5"}, {}, {}, 100);
    EXPECT_TRUE(slow.timed_out);
    EXPECT_FALSE(run_process({"/nonexistent/program"}).exit_status == 0);
}

}  // namespace
}  // namespace kes::services
