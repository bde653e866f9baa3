#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kes::services {

enum class EventType { Error, Warning, Information };

// Writes an entry to the application event log: the system log (syslog,
// facility user) under the application title; recorded in headless mode.
void log_event(EventType type, std::string_view text);

struct RecordedEvent {
    EventType type;
    std::string text;
};

// Entries logged in headless mode since the last clear_recorded(), oldest first.
std::vector<RecordedEvent> recorded_events();

}  // namespace kes::services
