#include "platform/services/settings_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "platform/services/file_util.h"

namespace kes::services {
namespace {

constexpr const char* kFileName = "settings.ini";
constexpr const char* kTempInfix = ".tmp-";
constexpr int kLockWaitMs = 5000;

struct KeyFileDeleter {
    void operator()(GKeyFile* k) const { g_key_file_free(k); }
};
using KeyFilePtr = std::unique_ptr<GKeyFile, KeyFileDeleter>;

struct GFreeDeleter {
    void operator()(void* p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;

enum class LoadState { Missing, Parsed, Corrupt, Unreadable };

struct Loaded {
    LoadState state = LoadState::Missing;
    KeyFilePtr file;
    std::string error;
};

Loaded load(const std::string& path) {
    Loaded result;
    gchar* contents = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!g_file_get_contents(path.c_str(), &contents, &length, &error)) {
        const bool missing = g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT);
        result.state = missing ? LoadState::Missing : LoadState::Unreadable;
        result.error = std::string("cannot read ") + path + ": " + error->message;
        g_error_free(error);
        return result;
    }
    GCharPtr owned(contents);
    result.file.reset(g_key_file_new());
    // Comments a user put in by hand survive our writes.
    if (!g_key_file_load_from_data(result.file.get(), contents, length, G_KEY_FILE_KEEP_COMMENTS, &error)) {
        result.state = LoadState::Corrupt;
        result.error = error->message;
        g_error_free(error);
        result.file.reset();
        return result;
    }
    result.state = LoadState::Parsed;
    return result;
}

bool has_control_or_bad_utf8(std::string_view s) {
    if (!g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr)) return true;
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7f) return true;
    }
    return false;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool valid_name(std::string_view name) {
    if (name.empty() || has_control_or_bad_utf8(name)) return false;
    if (is_blank(name.front()) || is_blank(name.back())) return false;
    return name.find_first_of("[]") == std::string_view::npos;
}

// GKeyFile escapes a leading blank but leaves trailing ones raw, and a reader
// of another version may trim them; escape them too so they always come back.
void escape_trailing_blanks(GKeyFile* file, const gchar* section, const gchar* key) {
    GCharPtr raw(g_key_file_get_value(file, section, key, nullptr));
    if (!raw) return;
    std::string value(raw.get());
    size_t end = value.size();
    while (end > 0 && is_blank(value[end - 1])) --end;
    if (end == value.size()) return;
    std::string escaped = value.substr(0, end);
    for (size_t i = end; i < value.size(); ++i) escaped += value[i] == ' ' ? "\\s" : "\\t";
    g_key_file_set_value(file, section, key, escaped.c_str());
}

std::string dated_corrupt_name(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    const std::string base = path + ".corrupt-" + stamp;
    std::string name = base;
    for (int n = 2; access(name.c_str(), F_OK) == 0; ++n) name = base + "-" + std::to_string(n);
    return name;
}

// The file a link at `path` leads to, so a write replaces that file and keeps the user's link;
// `path` itself when it is no link.
std::string follow_links(const std::string& path) {
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
        if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string link(4096, '\0');
        const ssize_t n = readlink(target.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size()) break;
        link.resize(static_cast<size_t>(n));
        target = link.front() == '/' ? link : detail::parent_folder(target) + "/" + link;
    }
    return target;
}

// Holds the store's write lock: a separate file, so the data file itself can be replaced by rename.
class WriteLock {
public:
    explicit WriteLock(const std::string& data_path) {
        const std::string lock_path = data_path + ".lock";
        // Read-only is enough for flock, and opens a lock file an odd umask left without write permission.
        fd_ = detail::open_private(lock_path, O_RDONLY);
        if (fd_ < 0) {
            error_ = detail::errno_message("cannot open the lock", lock_path);
            return;
        }
        const long long deadline = detail::now_ms() + kLockWaitMs;
        // Waiting without a limit would hang the program behind a stuck tool.
        while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || detail::now_ms() >= deadline) {
                error_ = "the settings are locked by another program: " + lock_path;
                close(fd_);
                fd_ = -1;
                return;
            }
            usleep(5000);
        }
    }
    ~WriteLock() {
        if (fd_ >= 0) close(fd_);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    bool held() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
};

// Call with the write lock held: a temporary file left there belongs to a writer that died.
void remove_stale_temporaries(const std::string& path) {
    const std::string folder = detail::parent_folder(path);
    const std::string prefix = path.substr(path.rfind('/') + 1) + kTempInfix;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    while (struct dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) == 0) unlink((folder + "/" + name).c_str());
    }
    closedir(dir);
}

// Call with the write lock held. False when the bad file is still where it was.
bool move_aside(const std::string& path) {
    const std::string aside = dated_corrupt_name(path);
    if (rename(path.c_str(), aside.c_str()) != 0) return false;
    std::fprintf(stderr, "settings file could not be read and was moved to %s\n", aside.c_str());
    return true;
}

Status write_all(int fd, const char* data, size_t size, const std::string& path) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return Status::failure(detail::errno_message("cannot write", path));
        }
        done += static_cast<size_t>(n);
    }
    return Status::success();
}

// Writes `data` beside `path`, flushes it and renames it over `path`.
Status replace_file(const std::string& path, const char* data, size_t size) {
    std::string temp = path + kTempInfix + "XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return Status::failure(detail::errno_message("cannot create a file in", detail::parent_folder(path)));
    Status status = write_all(fd, data, size, temp);
    if (status && fchmod(fd, 0600) != 0) status = Status::failure(detail::errno_message("cannot protect", temp));
    if (status && fsync(fd) != 0) status = Status::failure(detail::errno_message("cannot flush", temp));
    if (close(fd) != 0 && status) status = Status::failure(detail::errno_message("cannot write", temp));
    if (status && rename(temp.c_str(), path.c_str()) != 0) {
        status = Status::failure(detail::errno_message("cannot replace", path));
    }
    if (!status) {
        unlink(temp.c_str());
        return status;
    }
    // The rename itself must reach the disk, or a crash could bring back the old file.
    const std::string folder = detail::parent_folder(path);
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return Status::success();
}

}  // namespace

SettingsStore::SettingsStore(std::string application) {
    const bool usable = !application.empty() && application != "." && application != ".." &&
                        application.find('/') == std::string::npos && !has_control_or_bad_utf8(application);
    // An unusable name gets no path: reads give defaults and writes fail with a reason.
    if (usable) path_ = user_config_folder() + "/" + application + "/" + kFileName;
    own_folder_ = usable;
}

SettingsStore::SettingsStore(std::string file_path, int) : path_(std::move(file_path)) {}

SettingsStore SettingsStore::at_path(std::string file_path) { return SettingsStore(std::move(file_path), 0); }

bool SettingsStore::valid_section_name(std::string_view section) { return valid_name(section); }

bool SettingsStore::valid_key_name(std::string_view key) {
    return valid_name(key) && key.find('=') == std::string_view::npos && key.front() != '#';
}

std::string SettingsStore::read(std::string_view section, std::string_view key,
                                std::string_view default_text) const {
    if (path_.empty() || !valid_section_name(section) || !valid_key_name(key)) return std::string(default_text);
    Loaded loaded = load(path_);
    if (loaded.state == LoadState::Corrupt) {
        WriteLock lock(path_);
        // Look again under the lock: a writer may have just replaced the bad file.
        if (lock.held() && load(path_).state == LoadState::Corrupt) move_aside(follow_links(path_));
        return std::string(default_text);
    }
    if (loaded.state != LoadState::Parsed) return std::string(default_text);
    const std::string s(section), k(key);
    GCharPtr value(g_key_file_get_string(loaded.file.get(), s.c_str(), k.c_str(), nullptr));
    if (!value) return std::string(default_text);
    return std::string(value.get());
}

bool SettingsStore::contains(std::string_view section, std::string_view key) const {
    if (path_.empty() || !valid_section_name(section) || !valid_key_name(key)) return false;
    Loaded loaded = load(path_);
    if (loaded.state != LoadState::Parsed) return false;
    const std::string s(section), k(key);
    return g_key_file_has_key(loaded.file.get(), s.c_str(), k.c_str(), nullptr);
}

Status SettingsStore::write(std::string_view section, std::string_view key, std::string_view text) {
    if (path_.empty()) return Status::failure("invalid application name for the settings");
    if (!valid_section_name(section)) return Status::failure("invalid section name: " + std::string(section));
    if (!valid_key_name(key)) return Status::failure("invalid key name: " + std::string(key));
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return Status::failure("the text to store is not valid UTF-8");
    }
    const std::string folder = detail::parent_folder(path_);
    Status made = detail::make_folders(folder);
    if (!made) return made;
    // The pay figures are nobody else's business, even in a folder that existed before us.
    struct stat st{};
    if (own_folder_ && stat(folder.c_str(), &st) == 0 && (st.st_mode & 077) != 0) chmod(folder.c_str(), 0700);
    WriteLock lock(path_);
    if (!lock.held()) return Status::failure(lock.error());
    const std::string file = follow_links(path_);
    remove_stale_temporaries(file);

    // Re-read under the lock so keys another process wrote meanwhile are kept.
    Loaded loaded = load(file);
    if (loaded.state == LoadState::Unreadable) return Status::failure(loaded.error);
    // Writing over a bad file that could not be kept aside would lose whatever the user had in it.
    if (loaded.state == LoadState::Corrupt && !move_aside(file)) {
        return Status::failure("cannot move the unreadable settings file " + file + " aside: " + std::strerror(errno));
    }
    if (loaded.state != LoadState::Parsed) loaded.file.reset(g_key_file_new());

    const std::string s(section), k(key), t(text);
    g_key_file_set_string(loaded.file.get(), s.c_str(), k.c_str(), t.c_str());
    escape_trailing_blanks(loaded.file.get(), s.c_str(), k.c_str());
    gsize length = 0;
    GCharPtr data(g_key_file_to_data(loaded.file.get(), &length, nullptr));
    if (!data) return Status::failure("cannot encode the settings");
    return replace_file(file, data.get(), length);
}

std::vector<SettingEntry> SettingsStore::entries() const {
    std::vector<SettingEntry> result;
    if (path_.empty()) return result;
    Loaded loaded = load(path_);
    if (loaded.state != LoadState::Parsed) return result;
    gchar** groups = g_key_file_get_groups(loaded.file.get(), nullptr);
    for (gchar** g = groups; g != nullptr && *g != nullptr; ++g) {
        gchar** keys = g_key_file_get_keys(loaded.file.get(), *g, nullptr, nullptr);
        for (gchar** k = keys; k != nullptr && *k != nullptr; ++k) {
            GCharPtr value(g_key_file_get_string(loaded.file.get(), *g, *k, nullptr));
            if (value) result.push_back({*g, *k, value.get()});
        }
        g_strfreev(keys);
    }
    g_strfreev(groups);
    return result;
}

Status SettingsStore::check() const {
    if (path_.empty()) return Status::failure("invalid application name for the settings");
    Loaded loaded = load(path_);
    if (loaded.state == LoadState::Corrupt) return Status::failure(path_ + " cannot be parsed: " + loaded.error);
    if (loaded.state == LoadState::Unreadable) return Status::failure(loaded.error);
    return Status::success();
}

std::string user_config_folder() { return detail::xdg_folder("XDG_CONFIG_HOME", ".config"); }

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view default_text) {
    return SettingsStore(std::string(application)).read(section, key, default_text);
}

Status SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view text) {
    return SettingsStore(std::string(application)).write(section, key, text);
}

}  // namespace kes::services
