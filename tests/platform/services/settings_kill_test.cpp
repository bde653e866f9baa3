#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/services/process.h"
#include "platform/services/settings_store.h"
#include "tests/platform/services/temp_folder.h"

namespace kes::services {
namespace {

namespace fs = std::filesystem;

const std::string kFiller(64 * 1024, 'x');

// The number of a whole "N:<filler>:N" value, or -1 for anything torn or foreign.
long whole_value_number(const std::string& value) {
    const size_t colon = value.find(':');
    if (colon == std::string::npos || colon == 0) return -1;
    const std::string number = value.substr(0, colon);
    if (number.find_first_not_of("0123456789") != std::string::npos) return -1;
    return value == number + ":" + kFiller + ":" + number ? std::stol(number) : -1;
}

// Kills a writer at random moments; after every kill the file must parse and
// hold either the value before that writer ran or one the writer finished.
TEST(SettingsStoreKill, KilledWriterLeavesTheOldOrTheNewValue) {
    testing::TempFolder temp;
    const std::string file = temp / "settings.ini";
    SettingsStore store = SettingsStore::at_path(file);
    ASSERT_TRUE(store.write("GongZi", "Other", "kept"));
    ASSERT_TRUE(store.write("GongZi", "ShouRu", "0:" + kFiller + ":0"));

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay_ms(0, 15);
    const int rounds = 100;
    const long per_round = 1000000;
    long previous = 0;
    long writes_finished = 0;
    for (int round = 1; round <= rounds; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round));
        const long first = round * per_round;
        auto writer = ChildProcess::start(
            {KES_SETTINGS_WRITER, file, "GongZi", "ShouRu", "0", "same", std::to_string(first)});
        ASSERT_TRUE(writer);
        // Kill only once the writer is busy writing, so every kill can land inside a write.
        long seen = previous;
        for (int wait = 0; seen < first && wait < 2000; ++wait) {
            seen = whole_value_number(SettingsStore::at_path(file).read("GongZi", "ShouRu", ""));
            ASSERT_TRUE(seen == previous || seen >= first) << "value " << seen << " while writing";
            if (seen < first) sleep_ms(5);
        }
        ASSERT_GE(seen, first) << "the writer never got to write";
        sleep_ms(delay_ms(random));
        writer->kill_now();
        const ProcessOutput end = writer->wait();
        ASSERT_EQ(end.signal, 9) << "the writer must die by the kill, not end by itself";

        const SettingsStore reader = SettingsStore::at_path(file);
        const long now = whole_value_number(reader.read("GongZi", "ShouRu", "missing"));
        ASSERT_GE(now, seen) << "the file must hold a whole value at least as new as the last one seen";
        ASSERT_EQ(reader.read("GongZi", "Other", "lost"), "kept");
        writes_finished += now - first + 1;
        previous = now;
    }
    size_t corrupt = 0, temporaries = 0;
    for (const auto& entry : fs::directory_iterator(temp.path())) {
        const std::string name = entry.path().filename().string();
        corrupt += name.find(".corrupt-") != std::string::npos ? 1 : 0;
        temporaries += name.find(".tmp-") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(corrupt, 0u) << "no kill may leave a file that does not parse";
    EXPECT_LE(temporaries, 1u) << "a later write clears what a killed one left";
    std::printf("%d kills, %d files checked, %ld whole writes found (seed %u)\n", rounds, rounds, writes_finished,
                seed);
}

}  // namespace
}  // namespace kes::services
