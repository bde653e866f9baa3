#include "platform/services/event_log.h"

#include <syslog.h>

#include <mutex>
#include <string>

#include "platform/services/application.h"
#include "platform/services/headless.h"
#include "platform/services/recorder.h"

namespace kes::services {

void log_event(EventType type, std::string_view text) {
    if (is_headless()) {
        detail::Recorder& r = detail::recorder();
        std::lock_guard<std::mutex> lock(r.mutex);
        r.events.push_back({type, std::string(text)});
        return;
    }
    int priority = LOG_INFO;
    if (type == EventType::Error) priority = LOG_ERR;
    if (type == EventType::Warning) priority = LOG_WARNING;
    // openlog keeps the pointer, so the ident must outlive the call; the title may change later.
    static std::mutex mutex;
    static std::string ident;
    std::lock_guard<std::mutex> lock(mutex);
    ident = app_title();
    if (ident.empty()) ident = "Kestrane";
    const std::string message(text);
    openlog(ident.c_str(), LOG_PID, LOG_USER);
    syslog(priority, "%s", message.c_str());
    closelog();
}

std::vector<RecordedEvent> recorded_events() {
    detail::Recorder& r = detail::recorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.events;
}

}  // namespace kes::services
