#include "platform/services/file_util.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace kes::services::detail {

std::string home_folder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    struct passwd* pw = getpwuid(getuid());
    if (pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
    return "/tmp";
}

std::string xdg_folder(const char* variable, std::string_view fallback_below_home) {
    const char* value = std::getenv(variable);
    // Relative values are invalid by the desktop's rules and are ignored.
    if (value != nullptr && value[0] == '/') return value;
    return home_folder() + "/" + std::string(fallback_below_home);
}

Status make_folders(const std::string& path) {
    if (path.empty()) return Status::failure("empty folder name");
    struct stat st{};
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Status::success();
        errno = ENOTDIR;
        return Status::failure(errno_message("cannot create folder", path));
    }
    const std::string parent = parent_folder(path);
    if (parent != path && parent != "." && parent != "/") {
        Status up = make_folders(parent);
        if (!up) return up;
    }
    if (mkdir(path.c_str(), 0700) != 0) {
        if (errno == EEXIST) return Status::success();
        return Status::failure(errno_message("cannot create folder", path));
    }
    // The umask may have taken our own write bit away; a folder we cannot fill is useless.
    if (chmod(path.c_str(), 0700) != 0) return Status::failure(errno_message("cannot protect folder", path));
    // The new folder's name is on disk only once its parent is flushed; a crash right after the
    // first save must not take the saved file with it.
    const int dir = open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return Status::success();
}

int open_private(const std::string& path, int flags) {
    // A few rounds cover a file removed between the two calls; a dangling link ends in ENOENT.
    for (int round = 0; round < 3; ++round) {
        int fd = open(path.c_str(), flags | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            // Whatever the umask, the owner keeps reading and writing a file we made.
            fchmod(fd, 0600);
            return fd;
        }
        if (errno != EEXIST) return -1;
        fd = open(path.c_str(), flags | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) return fd;
    }
    return -1;
}

std::string parent_folder(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    const size_t slash = p.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return p.substr(0, slash);
}

std::string errno_message(std::string_view what, const std::string& path) {
    const int code = errno;
    std::string message(what);
    message += ": ";
    message += path;
    message += ": ";
    message += std::strerror(code);
    return message;
}

long long now_ms() {
    struct timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace kes::services::detail
