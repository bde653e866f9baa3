#include "platform/services/process.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/services/file_util.h"

extern char** environ;

namespace kes::services {
namespace {

std::vector<std::string> child_environment(const EnvironmentChanges& changes) {
    std::vector<std::string> result;
    for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& change : changes) replaced = replaced || change.first == name;
        if (!replaced) result.push_back(entry);
    }
    for (const auto& change : changes) {
        if (change.second) result.push_back(change.first + "=" + *change.second);
    }
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings) result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

// Starts argv with the given descriptors as its standard streams (-1: /dev/null); pid or -1.
int spawn(const std::vector<std::string>& argv, const EnvironmentChanges& env, int in, int out, int err) {
    if (argv.empty()) return -1;
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = child_environment(env);
    std::vector<char*> arg_ptrs = pointers(args);
    std::vector<char*> env_ptrs = pointers(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const int fds[3] = {in, out, err};
    for (int target = 0; target < 3; ++target) {
        if (fds[target] >= 0) {
            posix_spawn_file_actions_adddup2(&actions, fds[target], target);
        } else {
            posix_spawn_file_actions_addopen(&actions, target, "/dev/null", target == 0 ? O_RDONLY : O_WRONLY, 0);
        }
    }
    pid_t pid = -1;
    const int rc = argv[0].find('/') == std::string::npos
                       ? posix_spawnp(&pid, arg_ptrs[0], &actions, nullptr, arg_ptrs.data(), env_ptrs.data())
                       : posix_spawn(&pid, arg_ptrs[0], &actions, nullptr, arg_ptrs.data(), env_ptrs.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// A child that ends without reading its input must not kill us with SIGPIPE.
ssize_t write_without_sigpipe(int fd, const char* data, size_t size) {
    sigset_t pipe_only, previous;
    sigemptyset(&pipe_only);
    sigaddset(&pipe_only, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_only, &previous);
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EPIPE) {
        const int saved = errno;
        const struct timespec no_wait{0, 0};
        sigtimedwait(&pipe_only, nullptr, &no_wait);
        errno = saved;
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return n;
}

void fill_status(ProcessOutput& output, int status) {
    if (WIFEXITED(status)) output.exit_status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) output.signal = WTERMSIG(status);
}

// Reaps pid, waiting at most until deadline; true when it ended.
bool reap(int pid, long long deadline_ms, ProcessOutput& output) {
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            fill_status(output, status);
            return true;
        }
        if (r < 0 && errno != EINTR) return true;
        if (detail::now_ms() >= deadline_ms) return false;
        usleep(2000);
    }
}

}  // namespace

ProcessOutput run_process(const std::vector<std::string>& argv, const EnvironmentChanges& env,
                          const std::string& input, int timeout_ms) {
    ProcessOutput output;
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0) return output;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]), close(in[1]);
        return output;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(in[0]), close(in[1]), close(out[0]), close(out[1]);
        return output;
    }
    const int pid = spawn(argv, env, in[0], out[1], err[1]);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (pid < 0) {
        close(in[1]), close(out[0]), close(err[0]);
        return output;
    }
    output.started = true;
    const long long deadline = detail::now_ms() + timeout_ms;
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    size_t written = 0;
    int stdin_fd = in[1];
    if (input.empty()) {
        close(stdin_fd);
        stdin_fd = -1;
    }
    int out_fd = out[0], err_fd = err[0];
    while (out_fd >= 0 || err_fd >= 0 || stdin_fd >= 0) {
        const long long left = deadline - detail::now_ms();
        if (left <= 0) {
            output.timed_out = true;
            break;
        }
        struct pollfd p[3] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}, {stdin_fd, POLLOUT, 0}};
        if (poll(p, 3, static_cast<int>(left)) < 0 && errno != EINTR) break;
        std::string* sinks[2] = {&output.out, &output.err};
        int* fds[2] = {&out_fd, &err_fd};
        for (int i = 0; i < 2; ++i) {
            if (*fds[i] < 0 || (p[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            char buffer[4096];
            const ssize_t n = read(*fds[i], buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(*fds[i]);
                *fds[i] = -1;
            }
        }
        if (stdin_fd >= 0 && (p[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t n = write_without_sigpipe(stdin_fd, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<size_t>(n);
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
                close(stdin_fd);
                stdin_fd = -1;
            }
        }
    }
    for (int fd : {out_fd, err_fd, stdin_fd}) {
        if (fd >= 0) close(fd);
    }
    if (output.timed_out || !reap(pid, deadline, output)) {
        output.timed_out = true;
        kill(pid, SIGKILL);
        reap(pid, detail::now_ms() + 5000, output);
    }
    return output;
}

std::optional<ChildProcess> ChildProcess::start(const std::vector<std::string>& argv, const EnvironmentChanges& env) {
    const int pid = spawn(argv, env, -1, -1, -1);
    if (pid < 0) return std::nullopt;
    return ChildProcess(pid);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_) { other.pid_ = -1; }

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = other.pid_;
        other.pid_ = -1;
    }
    return *this;
}

void ChildProcess::kill_now() {
    if (pid_ > 0) kill(pid_, SIGKILL);
}

ProcessOutput ChildProcess::wait(int timeout_ms) {
    ProcessOutput output;
    if (pid_ <= 0) return output;
    output.started = true;
    if (reap(pid_, detail::now_ms() + timeout_ms, output)) {
        pid_ = -1;
    } else {
        output.timed_out = true;
    }
    return output;
}

void sleep_ms(int ms) {
    struct timespec ts{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

}  // namespace kes::services
