#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/services/status.h"

namespace kes::services {

// One stored value, as listed by SettingsStore::entries().
struct SettingEntry {
    std::string section;
    std::string key;
    std::string text;
};

// The per-user store of text settings of one application: a key file
// <config folder>/<application>/settings.ini, read and written with GKeyFile.
//
// Every text round-trips byte for byte (blanks at either end, = # ; [ ] \,
// tabs, CR, LF, Chinese, the empty text). Writes are atomic (temporary file,
// fsync, rename) and made under a lock that re-reads the file first, so two
// writers never lose each other's keys. A file that does not parse is moved
// aside as settings.ini.corrupt-YYYYMMDD-HHMMSS and reads give the defaults.
// The folder is created 0700 on the first write, the file is 0600. A file that is a
// symbolic link stays one: writes replace the file it leads to.
// Every call re-reads the file, so values written by another process show at once.
class SettingsStore {
public:
    // The store of `application` (for example "Ravelo") in the user's configuration folder.
    explicit SettingsStore(std::string application);
    // A store kept in `file_path` (its folder is created on the first write); for tools and tests.
    static SettingsStore at_path(std::string file_path);

    // Full path of the key file, whether it exists or not.
    const std::string& path() const { return path_; }

    // The stored text of section/key, or `default_text` when the key, its
    // section or the file is missing or the file cannot be read.
    std::string read(std::string_view section, std::string_view key, std::string_view default_text) const;

    // True when section/key is stored (an empty text counts as stored).
    bool contains(std::string_view section, std::string_view key) const;

    // Creates or replaces section/key. On failure nothing is changed on disk
    // and the message says why (for example the folder is not writable).
    Status write(std::string_view section, std::string_view key, std::string_view text);

    // Every stored value in file order; empty when there is no readable file.
    std::vector<SettingEntry> entries() const;

    // Success when the file is missing or parses; otherwise why it cannot be used.
    // Unlike read(), this leaves an unparsable file where it is.
    Status check() const;

    // A section or key name the file can hold: non-empty UTF-8 without control
    // characters, without [ ] (and for keys without =), with no blank at either end.
    static bool valid_section_name(std::string_view section);
    static bool valid_key_name(std::string_view key);

private:
    explicit SettingsStore(std::string file_path, int);

    std::string path_;
    // The folder is the application's own, so it is kept 0700 even when it existed before.
    bool own_folder_ = false;
};

// $XDG_CONFIG_HOME when set to an absolute path, else ~/.config.
std::string user_config_folder();

// The runtime's two setting operations, on the store of `application`.
std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view default_text);
Status SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view text);

}  // namespace kes::services
