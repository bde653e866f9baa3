#include "platform/services/single_copy.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/services/file_util.h"
#include "platform/services/settings_store.h"

namespace kes::services {
namespace {

// The whole protocol: one line each way.
constexpr char kRequest[] = "raise\n";
constexpr char kReply[] = "ok\n";
constexpr int kPeerPatienceMs = 1000;
constexpr size_t kMaxPending = 8;

std::string runtime_folder(const std::string& application) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st{};
    if (runtime != nullptr && runtime[0] == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        access(runtime, W_OK) == 0) {
        return runtime;
    }
    return user_config_folder() + "/" + application;
}

// A handle on a folder that only names it; systems without O_PATH open it for reading.
#ifdef O_PATH
constexpr int kFolderOnly = O_PATH;
#else
constexpr int kFolderOnly = O_RDONLY;
#endif

// A socket address for `path`. A path too long for sun_path is reached through an open
// descriptor of its folder, /proc/self/fd/N/name, so a deep home folder still works.
class SocketAddress {
public:
    explicit SocketAddress(const std::string& path) {
        std::memset(&address_, 0, sizeof address_);
        address_.sun_family = AF_UNIX;
        std::string name = path;
        if (name.size() >= sizeof address_.sun_path) {
            folder_fd_ = open(detail::parent_folder(path).c_str(), kFolderOnly | O_DIRECTORY | O_CLOEXEC);
            if (folder_fd_ < 0) return;
            name = "/proc/self/fd/" + std::to_string(folder_fd_) + path.substr(path.rfind('/'));
            if (name.size() >= sizeof address_.sun_path) return;
        }
        std::memcpy(address_.sun_path, name.c_str(), name.size() + 1);
        ok_ = true;
    }
    ~SocketAddress() {
        if (folder_fd_ >= 0) close(folder_fd_);
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool ok() const { return ok_; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address_); }
    socklen_t size() const { return sizeof address_; }

private:
    sockaddr_un address_{};
    int folder_fd_ = -1;
    bool ok_ = false;
};

bool same_user(int fd) {
    struct ucred cred{};
    socklen_t length = sizeof cred;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) != 0) return false;
    return cred.uid == geteuid();
}

// Waits for `events` on fd until `deadline_ms`; false on timeout or error.
bool wait_for(int fd, short events, long long deadline_ms) {
    for (;;) {
        const long long left = deadline_ms - detail::now_ms();
        if (left <= 0) return false;
        struct pollfd p{fd, events, 0};
        const int n = poll(&p, 1, static_cast<int>(left));
        if (n > 0) return (p.revents & events) != 0;
        if (n < 0 && errno != EINTR) return false;
    }
}

// Connects to `socket_path`, sends `request` and reads one reply line until `deadline_ms`.
std::optional<std::string> exchange_until(const std::string& socket_path, std::string_view request,
                                          long long deadline_ms) {
    const SocketAddress address(socket_path);
    if (!address.ok()) return std::nullopt;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    int rc = connect(fd, address.get(), address.size());
    if (rc != 0 && (errno == EINPROGRESS || errno == EAGAIN)) {
        int error = 0;
        socklen_t length = sizeof error;
        if (wait_for(fd, POLLOUT, deadline_ms) && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 &&
            error == 0) {
            rc = 0;
        }
    }
    std::optional<std::string> reply;
    if (rc == 0 && same_user(fd) &&
        (request.empty() ||
         send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size()))) {
        reply.emplace();
        while (reply->find('\n') == std::string::npos && reply->size() < 64 && wait_for(fd, POLLIN, deadline_ms)) {
            char buffer[16];
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR))) break;
            if (n > 0) reply->append(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    return reply;
}

}  // namespace

SingleCopy::SingleCopy(std::string application) : SingleCopy(application, runtime_folder(application)) {}

SingleCopy::SingleCopy(std::string application, std::string folder) : application_(std::move(application)) {
    lock_path_ = folder + "/" + application_ + ".lock";
    socket_path_ = folder + "/" + application_ + ".socket";
}

SingleCopy::~SingleCopy() { close_all(); }

SingleCopy::SingleCopy(SingleCopy&& other) noexcept { swap(other); }

SingleCopy& SingleCopy::operator=(SingleCopy&& other) noexcept {
    if (this != &other) {
        close_all();
        swap(other);
    }
    return *this;
}

void SingleCopy::swap(SingleCopy& other) noexcept {
    std::swap(application_, other.application_);
    std::swap(lock_path_, other.lock_path_);
    std::swap(socket_path_, other.socket_path_);
    std::swap(listen_error_, other.listen_error_);
    std::swap(lock_fd_, other.lock_fd_);
    std::swap(listen_fd_, other.listen_fd_);
    std::swap(checked_, other.checked_);
    std::swap(other_running_, other.other_running_);
    std::swap(pending_, other.pending_);
}

void SingleCopy::close_all() {
    for (const Pending& p : pending_) close(p.fd);
    pending_.clear();
    if (listen_fd_ >= 0) {
        close(listen_fd_);
        listen_fd_ = -1;
        // Only the lock holder owns the socket name; it is still ours here.
        unlink(socket_path_.c_str());
    }
    if (lock_fd_ >= 0) {
        close(lock_fd_);
        lock_fd_ = -1;
    }
}

bool SingleCopy::another_copy_running() {
    if (checked_) return other_running_;
    checked_ = true;
    if (!detail::make_folders(detail::parent_folder(lock_path_))) return false;
    // Read-only is enough for flock: a lock file that cannot be opened would let a second copy run.
    lock_fd_ = detail::open_private(lock_path_, O_RDONLY);
    if (lock_fd_ < 0) return false;
    while (flock(lock_fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        close(lock_fd_);
        lock_fd_ = -1;
        // Only a lock held elsewhere means another copy; any other failure lets this one run.
        other_running_ = errno == EWOULDBLOCK;
        return other_running_;
    }
    start_listening();
    return false;
}

void SingleCopy::start_listening() {
    const SocketAddress address(socket_path_);
    if (!address.ok()) {
        listen_error_ = "socket path too long: " + socket_path_;
        return;
    }
    // We hold the lock, so a socket file left here belongs to a copy that died.
    unlink(socket_path_.c_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        listen_error_ = detail::errno_message("cannot create socket", socket_path_);
        return;
    }
    // Created 0600 from the start: no moment where another user could connect.
    const mode_t old_mask = umask(0177);
    const int rc = bind(fd, address.get(), address.size());
    umask(old_mask);
    if (rc != 0 || listen(fd, 4) != 0) {
        listen_error_ = detail::errno_message("cannot listen on", socket_path_);
        close(fd);
        return;
    }
    listen_fd_ = fd;
}

std::vector<int> SingleCopy::pending_fds() const {
    std::vector<int> fds;
    for (const Pending& p : pending_) fds.push_back(p.fd);
    return fds;
}

bool SingleCopy::poll_raise_request() {
    if (listen_fd_ < 0) return false;
    const long long now = detail::now_ms();
    for (;;) {
        const int client = accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            break;
        }
        // Bound the work a flood of connections can cause: beyond a few, new ones are refused.
        if (pending_.size() >= kMaxPending || !same_user(client)) {
            close(client);
            continue;
        }
        pending_.push_back({client, now + kPeerPatienceMs, {}});
    }

    bool raise = false;
    for (size_t i = 0; i < pending_.size();) {
        Pending& p = pending_[i];
        bool done = false;
        char buffer[64];
        for (;;) {
            const ssize_t n = recv(p.fd, buffer, sizeof buffer, 0);
            if (n > 0) {
                p.received.append(buffer, static_cast<size_t>(n));
                if (p.received.size() >= sizeof kRequest - 1) break;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) done = true;
            break;
        }
        const std::string_view request(kRequest, sizeof kRequest - 1);
        if (p.received.size() >= request.size() || done) {
            if (p.received == request) {
                raise = true;
                send(p.fd, kReply, sizeof kReply - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            }
            done = true;
        } else if (request.substr(0, p.received.size()) != p.received || now >= p.deadline_ms) {
            done = true;
        }
        if (done) {
            close(p.fd);
            pending_.erase(pending_.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    return raise;
}

std::optional<std::string> exchange_with_copy(const std::string& socket_path, std::string_view request,
                                              int timeout_ms) {
    return exchange_until(socket_path, request, detail::now_ms() + (timeout_ms > 0 ? timeout_ms : 0));
}

bool SingleCopy::activate_running_copy(int timeout_ms) {
    const long long deadline = detail::now_ms() + (timeout_ms > 0 ? timeout_ms : 0);
    // The running copy may still be starting and not listen yet: retry until the deadline.
    do {
        if (exchange_until(socket_path_, kRequest, deadline) == std::optional<std::string>(kReply)) return true;
        usleep(20000);
    } while (detail::now_ms() < deadline);
    return false;
}

}  // namespace kes::services
