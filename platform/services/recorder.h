#pragma once

// Internal to kes_services: the in-memory record kept in headless mode.

#include <mutex>
#include <vector>

#include "platform/services/event_log.h"
#include "platform/services/message_box.h"

namespace kes::services::detail {

struct Recorder {
    std::mutex mutex;
    std::vector<RecordedMessageBox> message_boxes;
    std::vector<RecordedEvent> events;
    int beeps = 0;
};

// Lives for the whole process, like the desktop it stands in for.
Recorder& recorder();

}  // namespace kes::services::detail
