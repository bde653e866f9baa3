#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/status.h"

namespace kes::services {

// The single-copy rule for one application and user.
//
// A lock file (flock, held for the life of this object) in $XDG_RUNTIME_DIR,
// else in <config folder>/<application>, tells whether another copy runs; a
// copy that crashed releases it with its process. The copy holding the lock
// listens on a unix socket beside it (mode 0600); a second copy sends it the
// one request it understands, "raise", and then ends. Nothing on this path
// reads or writes a setting.
//
// Typical start-up:
//     SingleCopy copy("Kestrane");
//     if (copy.another_copy_running()) { show notice; copy.activate_running_copy(); end_process(0); }
//     ... in the event loop: poll copy.listen_fd() readable, then if (copy.poll_raise_request()) raise window;
// Sends `request` (nothing when empty) to whatever listens on `socket_path` as this user and
// returns its reply, up to the first line end, as far as it came within `timeout_ms`; nullopt
// when no copy of this user could be reached. The second copy's "raise" goes through here.
std::optional<std::string> exchange_with_copy(const std::string& socket_path, std::string_view request,
                                              int timeout_ms);

class SingleCopy {
public:
    explicit SingleCopy(std::string application);
    // The same rule with its lock and socket in `folder` instead of the runtime folder.
    SingleCopy(std::string application, std::string folder);
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;
    SingleCopy(SingleCopy&& other) noexcept;
    SingleCopy& operator=(SingleCopy&& other) noexcept;

    // Takes the per-user lock on the first call. True when another copy
    // already holds it; false when this is the only copy (it now listens).
    // A lock file that cannot be created at all counts as "no other copy",
    // so a broken runtime folder never stops the program from starting.
    bool another_copy_running();

    // Second copy: asks the running copy to bring its main window to the front.
    // Gives up after `timeout_ms` (a copy still starting, or a silent one);
    // true when the running copy confirmed the request.
    bool activate_running_copy(int timeout_ms = 1000);

    // First copy: a descriptor that becomes readable when a peer connects or
    // sends; for the event loop's poll. -1 when not listening.
    int listen_fd() const { return listen_fd_; }
    // Descriptors of connections still being read; poll them too for a prompt answer.
    std::vector<int> pending_fds() const;

    // First copy: accepts and reads whatever is ready without ever blocking.
    // True when at least one "raise" request arrived since the last call.
    // Anything else is dropped; a peer silent for more than a second is cut off.
    bool poll_raise_request();

    // Paths used, for messages and tests.
    const std::string& lock_path() const { return lock_path_; }
    const std::string& socket_path() const { return socket_path_; }

    // Why listening failed, if it did (the lock is still held).
    const std::string& listen_error() const { return listen_error_; }

private:
    struct Pending {
        int fd;
        long long deadline_ms;
        std::string received;
    };

    void start_listening();
    void close_all();
    void swap(SingleCopy& other) noexcept;

    std::string application_;
    std::string lock_path_;
    std::string socket_path_;
    std::string listen_error_;
    int lock_fd_ = -1;
    int listen_fd_ = -1;
    bool checked_ = false;
    bool other_running_ = false;
    std::vector<Pending> pending_;
};

}  // namespace kes::services
