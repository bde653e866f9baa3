#include "platform/services/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/services/headless.h"
#include "platform/services/recorder.h"

namespace kes::services {

void show_message_box(MessageIcon icon, std::string_view title, std::string_view text) {
    if (is_headless()) {
        detail::Recorder& r = detail::recorder();
        std::lock_guard<std::mutex> lock(r.mutex);
        r.message_boxes.push_back({icon, std::string(title), std::string(text)});
        return;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if (icon == MessageIcon::Error) flags = SDL_MESSAGEBOX_ERROR;
    if (icon == MessageIcon::Warning) flags = SDL_MESSAGEBOX_WARNING;
    const std::string title_text(title);
    const std::string body(text);
    // SDL opens its own connection to the display, so no window of ours is needed.
    if (SDL_ShowSimpleMessageBox(flags, title_text.c_str(), body.c_str(), nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", title_text.c_str(), body.c_str());
    }
}

std::vector<RecordedMessageBox> recorded_message_boxes() {
    detail::Recorder& r = detail::recorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.message_boxes;
}

}  // namespace kes::services
