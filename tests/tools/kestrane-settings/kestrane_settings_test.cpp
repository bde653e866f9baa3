#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/services/process.h"

namespace kes::services {
namespace {

namespace fs = std::filesystem;

// Runs the tool against a configuration folder of its own.
class KestraneSettingsTool : public ::testing::Test {
protected:
    void SetUp() override {
        config_ = fs::temp_directory_path() / ("kestrane-settings-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(config_);
    }
    void TearDown() override { fs::remove_all(config_); }

    ProcessOutput run(std::vector<std::string> args) const {
        args.insert(args.begin(), KESTRANE_SETTINGS_TOOL);
        return run_process(args, {{"XDG_CONFIG_HOME", config_.string()}});
    }

    fs::path config_;
};

TEST_F(KestraneSettingsTool, SetThenGetKeepsTheBlanks) {
    ASSERT_EQ(run({"set", "GongZi", "ShouRu", " 12 "}).exit_status, 0);
    const ProcessOutput got = run({"get", "GongZi", "ShouRu"});
    EXPECT_EQ(got.exit_status, 0);
    EXPECT_EQ(got.out, " 12 \n");
}

TEST_F(KestraneSettingsTool, PathAndApplication) {
    EXPECT_EQ(run({"path"}).out, (config_ / "Ravelo/settings.ini").string() + "\n");
    EXPECT_EQ(run({"--app", "Other", "path"}).out, (config_ / "Other/settings.ini").string() + "\n");
    ASSERT_EQ(run({"--app=Other", "set", "GongZi", "ShouRu", "1"}).exit_status, 0);
    EXPECT_EQ(run({"get", "GongZi", "ShouRu"}).exit_status, 1) << "Ravelo is a different store";
    EXPECT_EQ(run({"--app", "Other", "get", "GongZi", "ShouRu"}).out, "1\n");
}

TEST_F(KestraneSettingsTool, ListShowsEveryValueOneALine) {
    ASSERT_EQ(run({"set", "ZhenCe", "GongZuoTianShu", "21.75"}).exit_status, 0);
    ASSERT_EQ(run({"set", "XiShus", "ComShenyu", "0.9"}).exit_status, 0);
    ASSERT_EQ(run({"set", "GongZi", "Others", "two\nlines\\"}).exit_status, 0);
    ASSERT_EQ(run({"set", "GongZi", "TiAn", "中文 = ;#"}).exit_status, 0);
    const ProcessOutput list = run({"list"});
    EXPECT_EQ(list.exit_status, 0);
    EXPECT_EQ(list.out,
              "ZhenCe/GongZuoTianShu=21.75\n"
              "XiShus/ComShenyu=0.9\n"
              "GongZi/Others=two\\nlines\\\\\n"
              "GongZi/TiAn=中文 = ;#\n");
    EXPECT_EQ(run({"get", "GongZi", "Others"}).out, "two\nlines\\\n") << "get prints the text itself";
}

TEST_F(KestraneSettingsTool, MissingKeyGivesTheDefaultOrStatusOne) {
    const ProcessOutput without_default = run({"get", "GongZi", "ShouRu"});
    EXPECT_EQ(without_default.exit_status, 1);
    EXPECT_EQ(without_default.out, "");
    const ProcessOutput with_default = run({"get", "GongZi", "ShouRu", "5600"});
    EXPECT_EQ(with_default.exit_status, 0);
    EXPECT_EQ(with_default.out, "5600\n");
    ASSERT_EQ(run({"set", "GongZi", "ShouRu", ""}).exit_status, 0);
    EXPECT_EQ(run({"get", "GongZi", "ShouRu", "5600"}).out, "\n") << "a stored empty text wins over the default";
    EXPECT_EQ(run({"list"}).exit_status, 0);
}

TEST_F(KestraneSettingsTool, BadArgumentsGiveUsageAndStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"get", "GongZi"},
        {"set", "GongZi", "ShouRu"},
        {"path", "extra"},
        {"list", "extra"},
        {"--app"},
        {"--app", "a/b", "path"},
        {"--verbose", "list"},
        {"get", "Gong]Zi", "ShouRu"},
        {"set", "GongZi", "Shou=Ru", "1"},
    };
    for (const auto& args : bad) {
        const ProcessOutput result = run(args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(result.exit_status, 2) << shown;
        EXPECT_NE(result.err.find("usage: kestrane-settings"), std::string::npos) << shown;
        EXPECT_EQ(result.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(config_ / "Ravelo")) << "no bad call may create the store";
}

TEST_F(KestraneSettingsTool, SetNarrowsAnApplicationFolderOthersCouldRead) {
    fs::create_directories(config_ / "Ravelo");
    fs::permissions(config_ / "Ravelo", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
    ASSERT_EQ(run({"get", "GongZi", "ShouRu", "5600"}).exit_status, 0);
    EXPECT_NE(fs::status(config_ / "Ravelo").permissions() & fs::perms::others_read, fs::perms::none)
        << "reading changes nothing";
    ASSERT_EQ(run({"set", "GongZi", "ShouRu", "6000"}).exit_status, 0);
    EXPECT_EQ(fs::status(config_ / "Ravelo").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(config_).permissions() & fs::perms::others_read, fs::perms::others_read)
        << "the configuration folder above is the user's to set";
}

TEST_F(KestraneSettingsTool, OutputThatCannotBeWrittenGivesStatusOne) {
    ASSERT_EQ(run({"set", "GongZi", "ShouRu", "5600"}).exit_status, 0);
    for (const char* command : {"path", "list", "get GongZi ShouRu"}) {
        const std::string script = std::string("exec \"$0\" ") + command + " > /dev/full";
        const ProcessOutput result = run_process({"/bin/sh", "-c", script, KESTRANE_SETTINGS_TOOL},
                                                 {{"XDG_CONFIG_HOME", config_.string()}});
        EXPECT_EQ(result.exit_status, 1) << command;
        EXPECT_NE(result.err.find("cannot write"), std::string::npos) << command << ": " << result.err;
    }
}

TEST_F(KestraneSettingsTool, FailedWriteGivesTheStoreErrorAndStatusOne) {
    // A file where the application's folder should be.
    std::ofstream(config_ / "Ravelo") << "x";
    const ProcessOutput result = run({"set", "GongZi", "ShouRu", "1"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.err.find("Ravelo"), std::string::npos) << result.err;
}

TEST_F(KestraneSettingsTool, ListOfAnUnparsableFileSaysSoAndLeavesIt) {
    fs::create_directories(config_ / "Ravelo");
    std::ofstream(config_ / "Ravelo/settings.ini") << "not a key file\n";
    const ProcessOutput result = run({"list"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_NE(result.err.find("cannot be parsed"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::exists(config_ / "Ravelo/settings.ini"));
}

}  // namespace
}  // namespace kes::services
