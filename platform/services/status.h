#pragma once

#include <string>
#include <utility>

namespace kes::services {

// Outcome of an operation that can fail for reasons the user should read
// (a folder that is not writable, a full disk). No exceptions cross this layer.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // Why it failed, in a sentence that can be shown as it stands; empty on success.
    const std::string& message() const { return message_; }

private:
    Status() = default;
    explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

    bool failed_ = false;
    std::string message_;
};

}  // namespace kes::services
