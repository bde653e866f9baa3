// Test helper: writes settings in a loop so tests can race it or kill it.
//   settings_writer FILE SECTION KEY COUNT same [FIRST]  COUNT writes of "N:<filler>:N" to KEY (0: forever),
//                                                         N counting up from FIRST (default 1)
//   settings_writer FILE SECTION KEY COUNT distinct       writes KEY1..KEYn, each once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/services/settings_store.h"

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) {
        std::fputs("usage: settings_writer FILE SECTION KEY COUNT same|distinct [FIRST]\n", stderr);
        return 2;
    }
    kes::services::SettingsStore store = kes::services::SettingsStore::at_path(argv[1]);
    const std::string section = argv[2], key = argv[3], mode = argv[5];
    const long count = std::strtol(argv[4], nullptr, 10);
    const long first = argc == 7 ? std::strtol(argv[6], nullptr, 10) : 1;
    // A long value spreads each write over many blocks, so a torn file would show.
    const std::string filler(64 * 1024, 'x');
    for (long i = 0; count == 0 || i < count; ++i) {
        const std::string number = std::to_string(mode == "distinct" ? i + 1 : first + i);
        const kes::services::Status status =
            mode == "distinct" ? store.write(section, key + number, number)
                               : store.write(section, key, number + ":" + filler + ":" + number);
        if (!status) {
            std::fprintf(stderr, "%s\n", status.message().c_str());
            return 1;
        }
    }
    return 0;
}
