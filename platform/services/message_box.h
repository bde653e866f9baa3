#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kes::services {

enum class MessageIcon { Error, Warning, Information };

// The platform's standard message box with one OK button, for the widgets'
// own failure reports and about texts. Blocks until the user closes it.
// On a desktop it is SDL's message box; in headless mode it is only recorded.
// Where no box can be shown (no display) the text goes to standard error.
void show_message_box(MessageIcon icon, std::string_view title, std::string_view text);

struct RecordedMessageBox {
    MessageIcon icon;
    std::string title;
    std::string text;
};

// Message boxes shown in headless mode since the last clear_recorded(), oldest first.
std::vector<RecordedMessageBox> recorded_message_boxes();

}  // namespace kes::services
