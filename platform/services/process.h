#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services/status.h"

namespace kes::services {

// Environment changes for a child: a value to set, or std::nullopt to remove the name.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

struct ProcessOutput {
    bool started = false;       // false when the program could not be run at all
    bool timed_out = false;     // killed after the time limit
    int exit_status = -1;       // exit status, or -1 when it ended by a signal
    int signal = 0;             // the signal that ended it, else 0
    std::string out;            // everything written to standard output
    std::string err;            // everything written to standard error
};

// Runs argv[0] (searched on PATH when it has no slash) with `argv`, feeds it
// `input` on standard input, collects both outputs and waits, killing it
// after `timeout_ms`. For tools' tests, which must not reach POSIX themselves.
ProcessOutput run_process(const std::vector<std::string>& argv, const EnvironmentChanges& env = {},
                          const std::string& input = {}, int timeout_ms = 10000);

// A child process started in the background, its outputs sent to /dev/null.
class ChildProcess {
public:
    static std::optional<ChildProcess> start(const std::vector<std::string>& argv,
                                             const EnvironmentChanges& env = {});
    ~ChildProcess();  // kills and reaps a child still running
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return pid_; }
    // Sends SIGKILL; the child cannot catch it.
    void kill_now();
    // Waits up to `timeout_ms` for the end; the output as run_process gives it
    // (without out/err). timed_out is set when it still runs.
    ProcessOutput wait(int timeout_ms = 10000);

private:
    explicit ChildProcess(int pid) : pid_(pid) {}
    int pid_ = -1;
};

// Sleeps the calling thread, for tests that wait on real processes.
void sleep_ms(int ms);

}  // namespace kes::services
