#include "platform/services/application.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/services/file_util.h"

namespace kes::services {
namespace {

std::mutex& title_mutex() {
    static std::mutex m;
    return m;
}

std::string& title_storage() {
    static std::string title = "Kestrane";
    return title;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string login_name() {
    // The account the process runs as, not a variable anyone can set to anything.
    struct passwd* pw = getpwuid(geteuid());
    if (pw != nullptr && pw->pw_name != nullptr) return pw->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr ? user : "";
}

std::string host_name() {
    char buffer[HOST_NAME_MAX + 1] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0) return "";
    return buffer;
}

}  // namespace

std::string app_title() {
    std::lock_guard<std::mutex> lock(title_mutex());
    return title_storage();
}

void set_app_title(std::string_view title) {
    std::lock_guard<std::mutex> lock(title_mutex());
    title_storage() = std::string(title);
}

std::string app_folder() {
    char buffer[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    return detail::parent_folder(std::string(buffer, static_cast<size_t>(n)));
}

AppVersion app_version() { return AppVersion{5, 0, 914}; }

std::string environment_value(std::string_view name) {
    if (equals_ignoring_case(name, "username")) return login_name();
    if (equals_ignoring_case(name, "computername")) return host_name();
    const std::string variable(name);
    const char* value = std::getenv(variable.c_str());
    return value != nullptr ? value : "";
}

std::string user_state_folder() { return detail::xdg_folder("XDG_STATE_HOME", ".local/state"); }

std::string error_log_path() {
    const std::string folder = app_folder();
    if (access(folder.c_str(), W_OK) == 0) return folder + "/ErrorLog.txt";
    std::string title = app_title();
    if (title.empty()) title = "Kestrane";
    return user_state_folder() + "/" + title + "/ErrorLog.txt";
}

Status append_line(const std::string& path, std::string_view line, std::string_view line_end) {
    Status folder = detail::make_folders(detail::parent_folder(path));
    if (!folder) return folder;
    const int fd = detail::open_private(path, O_WRONLY | O_APPEND);
    if (fd < 0) return Status::failure(detail::errno_message("cannot open", path));
    // One write keeps a record whole when two processes append at once.
    std::string record(line);
    record += line_end;
    size_t done = 0;
    while (done < record.size()) {
        const ssize_t n = ::write(fd, record.data() + done, record.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Status failed = Status::failure(detail::errno_message("cannot write", path));
            close(fd);
            return failed;
        }
        done += static_cast<size_t>(n);
    }
    if (close(fd) != 0) return Status::failure(detail::errno_message("cannot write", path));
    return Status::success();
}

void end_process(int exit_status) {
    std::fflush(nullptr);
    std::exit(exit_status);
}

}  // namespace kes::services
