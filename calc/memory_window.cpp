#include "calc/memory_window.h"

#include <utility>

namespace kes::calc {

namespace {

int slot_index(ControlId field) {
  if (!is_field(field)) return -1;
  int offset = 0;
  for (int g = 0; g < static_cast<int>(field.group); ++g) offset += field_count(static_cast<Group>(g));
  return offset + field.index;
}

void append_utf8(std::string& text, int code) {
  const auto c = static_cast<unsigned>(code);
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void erase_last_char(std::string& text) {
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text.back());
    text.pop_back();
    if ((c & 0xC0) != 0x80) break;
  }
}

}  // namespace

MemoryWindow::MemoryWindow() : texts_(all_fields().size()) {}

void MemoryWindow::open_with_defaults() {
  for (int i = 0; i <= 9; ++i) {
    set_text(TextPerMes(i), "0");
    for (const Group g : {Group::JiaBan, Group::PerJia, Group::ComJia, Group::Finall}) {
      if (i < field_count(g)) set_text({g, i}, "");
    }
  }
  for (const int i : {0, 4, 8}) set_text(TextJiaBan(i), "0");
  for (const SettingKey& k : start_up_keys()) set_text(k.field, k.default_text);
  set_check_value(CheckJi, 1);  // the default of GongZi/CheckJi is "1"
  set_text(TextOld, "0");
  set_enabled(ComSave, false);
  set_visible(TextOld, false);
  set_visible(Label37, false);
}

void MemoryWindow::press_key(ControlId field, int key) {
  if (!is_field(field)) return;
  int code = key;
  if (engine_ != nullptr) engine_->key_press(field, code);
  if (code == 0) return;
  std::string edited = text(field);
  if (code == kBackspace) {
    erase_last_char(edited);
  } else {
    append_utf8(edited, code);
  }
  set_text(field, edited);
}

void MemoryWindow::leave(ControlId field) {
  if (engine_ != nullptr) engine_->lost_focus(field);
}

void MemoryWindow::set_check_value(ControlId check_box, int value) {
  if (check_box == CheckOld) check_old_ = value;
  if (check_box == CheckJi) check_ji_ = value;
}

std::vector<std::string> MemoryWindow::take_journal() { return std::exchange(journal_, {}); }

std::string* MemoryWindow::slot(ControlId field) {
  const int i = slot_index(field);
  return i < 0 ? nullptr : &texts_[static_cast<std::size_t>(i)];
}

const std::string* MemoryWindow::slot(ControlId field) const {
  const int i = slot_index(field);
  return i < 0 ? nullptr : &texts_[static_cast<std::size_t>(i)];
}

std::string MemoryWindow::text(ControlId field) const {
  const std::string* s = slot(field);
  return s == nullptr ? std::string() : *s;
}

void MemoryWindow::set_text(ControlId field, std::string_view text) {
  std::string* s = slot(field);
  if (s == nullptr || *s == text) return;
  s->assign(text);
  if (engine_ != nullptr) engine_->change(field);
}

int MemoryWindow::check_value(ControlId check_box) const {
  if (check_box == CheckOld) return check_old_;
  if (check_box == CheckJi) return check_ji_;
  return 0;
}

bool MemoryWindow::visible(ControlId control) const {
  if (control == TextOld) return old_visible_;
  if (control == Label37) return label_visible_;
  return true;
}

void MemoryWindow::set_visible(ControlId control, bool shown) {
  if (control == TextOld) old_visible_ = shown;
  if (control == Label37) label_visible_ = shown;
}

void MemoryWindow::set_enabled(ControlId control, bool enabled) {
  if (control == ComSave) save_enabled_ = enabled;
}

void MemoryWindow::show_message(std::string_view text, std::string_view title) {
  journal_.push_back("message " + std::string(title) + "|" + std::string(text));
}

void MemoryWindow::focus(ControlId control) { journal_.push_back("focus " + control_name(control)); }

void MemoryWindow::write_setting(std::string_view section, std::string_view key,
                                 std::string_view text) {
  journal_.push_back("save " + std::string(section) + "/" + std::string(key) + "=" +
                     std::string(text));
}

void MemoryWindow::close() {
  closed_ = true;
  journal_.push_back("close");
}

void MemoryWindow::beep() { journal_.push_back("beep"); }

void MemoryWindow::do_events() {
  // Events queued while these run wait for the next call, as in a message loop.
  auto events = std::exchange(pending_, {});
  for (auto& event : events) event();
}

}  // namespace kes::calc
