#include "platform/services/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/services/process.h"
#include "tests/platform/services/temp_folder.h"

namespace kes::services {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

std::vector<std::string> corrupt_copies(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("settings.ini.corrupt-", 0) == 0) names.push_back(name);
    }
    return names;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string file = temp / "Ravelo/settings.ini";
    SettingsStore store = SettingsStore::at_path(file);
};

TEST_F(SettingsStoreTest, EveryTextComesBackUnchanged) {
    const std::vector<std::string> texts = {
        " 12 ",          "  leading blanks", "trailing blanks  ", " ",   "",        "\t",
        "tab\tinside",   "trailing tab\t",   "a=b",              "=",    "#hash",   ";semi;colon",
        "[GongZi]",      "]",                "back\\slash",      "\\",   "\\s\\n",  "ends in backslash\\",
        "cr\ronly",      "line1\nline2",     "\r\n",             "\n",   "中文工资", " 设定工资\t5600 ",
        "# [x] = ; \\ ", "1.5",
    };
    for (size_t i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(store.write("GongZi", "Key" + std::to_string(i), texts[i])) << i;
    }
    // A second store object reads the file afresh, as the next start of the program would.
    const SettingsStore again = SettingsStore::at_path(file);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(again.read("GongZi", "Key" + std::to_string(i), "missing"), texts[i]) << "text #" << i;
    }
}

TEST_F(SettingsStoreTest, ReplacingAValueKeepsTheOthers) {
    ASSERT_TRUE(store.write("ZhenCe", "GongJijing", "9800"));
    ASSERT_TRUE(store.write("XiShus", "ComShenyu", "0.9"));
    ASSERT_TRUE(store.write("ZhenCe", "GongJijing", "10000"));
    EXPECT_EQ(store.read("ZhenCe", "GongJijing", ""), "10000");
    EXPECT_EQ(store.read("XiShus", "ComShenyu", ""), "0.9");
    const std::vector<SettingEntry> all = store.entries();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].section + "/" + all[0].key + "=" + all[0].text, "ZhenCe/GongJijing=10000");
    EXPECT_EQ(all[1].section + "/" + all[1].key + "=" + all[1].text, "XiShus/ComShenyu=0.9");
}

TEST_F(SettingsStoreTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(store.read("GongZi", "ShouRu", "5600"), "5600") << "no file yet";
    EXPECT_FALSE(fs::exists(file)) << "reading must not create the file";
    ASSERT_TRUE(store.write("GongZi", "NianDu", "0"));
    EXPECT_EQ(store.read("GongZi", "ShouRu", "5600"), "5600") << "missing key";
    EXPECT_EQ(store.read("ZhenCe", "ShuiShou", "2000"), "2000") << "missing section";
    EXPECT_EQ(store.read("gongzi", "NianDu", "d"), "d") << "sections are compared with their case";
    EXPECT_FALSE(store.contains("GongZi", "ShouRu"));
    ASSERT_TRUE(store.write("GongZi", "ShouRu", ""));
    EXPECT_TRUE(store.contains("GongZi", "ShouRu"));
    EXPECT_EQ(store.read("GongZi", "ShouRu", "5600"), "") << "a stored empty text is not missing";
}

TEST_F(SettingsStoreTest, FolderAndFileAreTheUsersAlone) {
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "5600"));
    EXPECT_EQ(fs::status(temp / "Ravelo").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    // A file someone widened by hand is narrowed again by the next write.
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "6000"));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

// Under a umask that takes the owner's own bits away the store must still be
// private and writable next time: a folder made 0500 refuses every later file.
TEST_F(SettingsStoreTest, OddUmaskStillGivesAPrivateWritableStore) {
    for (int run = 0; run < 2; ++run) {
        const ProcessOutput end = run_process({"/bin/sh", "-c", "umask 0277 && exec \"$0\" \"$@\"", KES_SETTINGS_WRITER,
                                               file, "GongZi", "Run" + std::to_string(run), "1", "distinct"});
        ASSERT_EQ(end.exit_status, 0) << end.err;
    }
    EXPECT_EQ(store.read("GongZi", "Run11", ""), "1");
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
    EXPECT_EQ(fs::status(temp / "Ravelo").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, rw);
    EXPECT_EQ(fs::status(file + ".lock").permissions() & fs::perms::all, rw) << "the next writer must open it";
}

// A user who keeps the file elsewhere and links it in keeps the link and sees the new values there.
TEST_F(SettingsStoreTest, LinkedFileIsWrittenThroughAndStaysALink) {
    fs::create_directories(temp / "Ravelo");
    fs::create_directories(temp / "dotfiles");
    const std::string target = temp / "dotfiles/settings.ini";
    for (const std::string& link_text : {std::string("../dotfiles/settings.ini"), target}) {
        SCOPED_TRACE(link_text);
        write_file(target, "[GongZi]\nNianDu=3\n");
        fs::remove(file);
        fs::create_symlink(link_text, file);
        ASSERT_TRUE(store.write("GongZi", "ShouRu", "6000"));
        EXPECT_TRUE(fs::is_symlink(file));
        const SettingsStore direct = SettingsStore::at_path(target);
        EXPECT_EQ(direct.read("GongZi", "ShouRu", ""), "6000");
        EXPECT_EQ(direct.read("GongZi", "NianDu", ""), "3");
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

        // A broken file behind the link is moved aside where it lies, and the link survives that too.
        write_file(target, "garbage\n");
        EXPECT_EQ(store.read("GongZi", "ShouRu", "d"), "d");
        EXPECT_EQ(corrupt_copies(temp / "dotfiles").size(), 1u);
        ASSERT_TRUE(store.write("GongZi", "ShouRu", "7000"));
        EXPECT_TRUE(fs::is_symlink(file));
        EXPECT_EQ(direct.read("GongZi", "ShouRu", ""), "7000");
        for (const std::string& name : corrupt_copies(temp / "dotfiles")) fs::remove(temp / ("dotfiles/" + name));
    }
}

TEST_F(SettingsStoreTest, UnparsableFileIsMovedAsideAndTheNextWriteStartsAfresh) {
    struct Case {
        const char* what;
        std::string contents;
    };
    const std::vector<Case> cases = {
        {"line without =", "[GongZi]\nShouRu=5600\nthis line is garbage\n"},
        {"key before any section", "ShouRu=5600\n"},
        {"unclosed section", "[GongZi\nShouRu=5600\n"},
        {"binary junk", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\n", 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string path = folder / "settings.ini";
        write_file(path, c.contents);
        const SettingsStore s = SettingsStore::at_path(path);
        EXPECT_EQ(s.read("GongZi", "ShouRu", "default"), "default");
        const std::vector<std::string> aside = corrupt_copies(folder.path());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(read_file(folder / aside[0]), c.contents) << "the bad file is kept as it was";
        EXPECT_FALSE(fs::exists(path));

        SettingsStore writer = SettingsStore::at_path(path);
        ASSERT_TRUE(writer.write("GongZi", "NianDu", "1"));
        EXPECT_EQ(writer.read("GongZi", "NianDu", ""), "1");
    }
}

// A name so long that the dated name beside it is refused, while the write's temporary fits.
TEST_F(SettingsStoreTest, UnparsableFileThatCannotBeMovedAsideIsNotOverwritten) {
    const std::string path = temp / std::string(240, 's');
    const std::string garbage = "[GongZi]\nShouRu=5600\nthis line is garbage\n";
    write_file(path, garbage);
    SettingsStore s = SettingsStore::at_path(path);
    const Status status = s.write("GongZi", "NianDu", "1");
    EXPECT_FALSE(status);
    EXPECT_NE(status.message().find("aside"), std::string::npos) << status.message();
    EXPECT_EQ(read_file(path), garbage);
    EXPECT_EQ(s.read("GongZi", "NianDu", "default"), "default");
}

TEST_F(SettingsStoreTest, ValueThatIsNotTextGivesItsDefaultAndSparesTheRest) {
    fs::create_directories(temp / "Ravelo");
    write_file(file, "[GongZi]\nShouRu=\xff\xfe\nNianDu=3\n");
    EXPECT_EQ(store.read("GongZi", "ShouRu", "5600"), "5600");
    EXPECT_EQ(store.read("GongZi", "NianDu", "0"), "3");
    EXPECT_TRUE(corrupt_copies(temp / "Ravelo").empty());
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "6000"));
    EXPECT_EQ(store.read("GongZi", "ShouRu", ""), "6000");
    EXPECT_EQ(store.read("GongZi", "NianDu", ""), "3");
}

TEST_F(SettingsStoreTest, WritingOverAnUnparsableFileKeepsItAside) {
    fs::create_directories(temp / "Ravelo");
    write_file(file, "garbage\n");
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "7000"));
    EXPECT_EQ(store.read("GongZi", "ShouRu", ""), "7000");
    ASSERT_EQ(corrupt_copies(temp / "Ravelo").size(), 1u);
    // A second bad file the same second gets a name of its own instead of replacing the first.
    write_file(file, "garbage again\n");
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "8000"));
    EXPECT_EQ(corrupt_copies(temp / "Ravelo").size(), 2u);
}

TEST_F(SettingsStoreTest, FailedWriteReportsWhyAndLeavesTheOldFile) {
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "5600"));
    const std::string before = read_file(file);

    struct Case {
        const char* what;
        std::string section, key, text;
    };
    const std::vector<Case> refused = {
        {"empty section", "", "ShouRu", "1"},
        {"section with ]", "Gong]Zi", "ShouRu", "1"},
        {"section with a line break", "Gong\nZi", "ShouRu", "1"},
        {"key with =", "GongZi", "Shou=Ru", "1"},
        {"key with [", "GongZi", "ShouRu[zh]", "1"},
        {"key with a blank at the end", "GongZi", "ShouRu ", "1"},
        {"comment-like key", "GongZi", "#ShouRu", "1"},
        {"text not UTF-8", "GongZi", "ShouRu", "\xc3("},
        {"text with NUL", "GongZi", "ShouRu", std::string("a\0b", 3)},
    };
    for (const Case& c : refused) {
        const Status status = store.write(c.section, c.key, c.text);
        EXPECT_FALSE(status) << c.what;
        EXPECT_FALSE(status.message().empty()) << c.what;
    }
    EXPECT_EQ(read_file(file), before);
}

TEST_F(SettingsStoreTest, UnwritableLocationGivesAnError) {
    // A regular file where the folder should be: refused for every user, root included.
    write_file(temp / "blocker", "x");
    SettingsStore blocked = SettingsStore::at_path(temp / "blocker/Ravelo/settings.ini");
    const Status status = blocked.write("GongZi", "ShouRu", "1");
    EXPECT_FALSE(status);
    EXPECT_NE(status.message().find("blocker"), std::string::npos) << status.message();

    // The file's name taken by a folder: refused, and no temporary is left behind.
    fs::create_directories(temp / "dir/settings.ini");
    SettingsStore shadowed = SettingsStore::at_path(temp / "dir/settings.ini");
    EXPECT_FALSE(shadowed.write("GongZi", "ShouRu", "1"));
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(temp / "dir")) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u) << "only the lock file";
}

TEST_F(SettingsStoreTest, ReadOnlyFolderGivesAnErrorAndKeepsTheFile) {
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "5600"));
    const fs::path folder = temp / "Ravelo";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    write_file(folder / "probe", "x");
    const bool ignores_permissions = fs::exists(folder / "probe");
    fs::remove(folder / "probe");
    if (ignores_permissions) {
        fs::permissions(folder, fs::perms::owner_all);
        GTEST_SKIP() << "this user writes into read-only folders";
    }
    const Status status = store.write("GongZi", "ShouRu", "9999");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_FALSE(status);
    EXPECT_EQ(store.read("GongZi", "ShouRu", ""), "5600");
}

TEST(SettingsStoreLocation, FollowsTheConfigurationFolderAndApplication) {
    const std::string config = user_config_folder();
    EXPECT_EQ(SettingsStore("Ravelo").path(), config + "/Ravelo/settings.ini");
    for (const char* bad : {"", ".", "..", "a/b"}) {
        SettingsStore s(bad);
        EXPECT_EQ(s.path(), "") << bad;
        EXPECT_FALSE(s.write("GongZi", "ShouRu", "1")) << bad;
        EXPECT_EQ(s.read("GongZi", "ShouRu", "d"), "d") << bad;
    }
}

// Processes, not threads: the lock must hold between programs, which is where keys get lost.
TEST(SettingsStoreProcesses, ParallelWritersKeepEachOthersKeys) {
    TempFolder temp;
    const std::string file = temp / "settings.ini";
    const int count = 40;
    std::vector<ChildProcess> writers;
    for (const char* key : {"A", "B"}) {
        auto child = ChildProcess::start(
            {KES_SETTINGS_WRITER, file, "GongZi", key, std::to_string(count), "distinct"});
        ASSERT_TRUE(child);
        writers.push_back(std::move(*child));
    }
    for (ChildProcess& w : writers) {
        const ProcessOutput end = w.wait(60000);
        ASSERT_FALSE(end.timed_out);
        EXPECT_EQ(end.exit_status, 0);
    }
    const SettingsStore store = SettingsStore::at_path(file);
    for (const char* key : {"A", "B"}) {
        for (int n = 1; n <= count; ++n) {
            EXPECT_EQ(store.read("GongZi", key + std::to_string(n), "lost"), std::to_string(n)) << key << n;
        }
    }
}

}  // namespace
}  // namespace kes::services
