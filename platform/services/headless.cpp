#include "platform/services/headless.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/services/recorder.h"

namespace kes::services {
namespace {

bool headless_from_environment() {
    const char* value = std::getenv("KESTRANE_HEADLESS");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

std::atomic<bool>& headless_flag() {
    static std::atomic<bool> flag{headless_from_environment()};
    return flag;
}

}  // namespace

namespace detail {
Recorder& recorder() {
    static Recorder instance;
    return instance;
}
}  // namespace detail

void set_headless(bool on) { headless_flag() = on; }

bool is_headless() { return headless_flag(); }

void clear_recorded() {
    detail::Recorder& r = detail::recorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.message_boxes.clear();
    r.events.clear();
    r.beeps = 0;
}

}  // namespace kes::services
