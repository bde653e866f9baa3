#include "calc/entry_rules.h"

#include <string>

#include "calc/number_text.h"

namespace kes::calc {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character after the first `count` characters of text
// (characters, not bytes, so a cut never splits a multi-byte character).
std::size_t offset_of_char(const std::string& text, std::size_t count) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (is_continuation(text[i])) continue;
    if (chars == count) return i;
    ++chars;
  }
  return text.size();
}

std::size_t char_count(const std::string& text) {
  std::size_t n = 0;
  for (const char c : text) n += is_continuation(c) ? 0 : 1;
  return n;
}

}  // namespace

int KeyFilter(Window& window, int key, std::string_view allowed, bool allow_backspace) {
  std::string list;
  for (const char c : allowed) list += upper(c);
  if (allow_backspace) list += static_cast<char>(kBackspace);
  if (key > 0 && key < 256 && list.find(upper(static_cast<char>(key))) != std::string::npos) {
    return key;
  }
  window.beep();
  return 0;
}

void NormalizeEntry(Window& window, ControlId field) {
  if (window.text(field).empty()) window.set_text(field, "0");
  const std::string text = window.text(field);
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return;
  const std::size_t p = char_count(text.substr(0, point)) + 1;  // counted from 1
  if (char_count(text) - p > 2) window.set_text(field, text.substr(0, offset_of_char(text, p + 2)));
}

void EntryRules::key_press(ControlId field, int& key_ascii) {
  if (!is_field(field)) return;
  key_ascii = KeyFilter(window_, key_ascii, kNumericKeys, true);
}

void EntryRules::change(ControlId field) {
  if (!is_field(field)) return;
  const int i = field.index;
  switch (field.group) {
    case Group::PerMes:
      if (i <= 9) NormalizeEntry(window_, field);
      break;
    case Group::JiaBan:
      if (i == 0 || i == 4 || i == 8) NormalizeEntry(window_, field);
      break;
    case Group::PerJia:
      // Every element's change normalises the one input of the array.
      NormalizeEntry(window_, TextPerJia(4));
      break;
    case Group::Finall:
      if (i == 1 || i == 2 || i == 5) NormalizeEntry(window_, field);
      break;
    case Group::ZhenCe:
    case Group::XiShus:
      window_.set_enabled(ComSave, true);
      break;
    case Group::Old:
      NormalizeEntry(window_, TextOld);
      break;
    default:
      break;
  }
}

void EntryRules::lost_focus(ControlId field) {
  if (!is_field(field)) return;
  if (field.group == Group::PerMes) wage_warning(field.index);
  if (field.group == Group::Old) old_wage_warning();
}

void EntryRules::wage_warning(int index) {
  const double minimum = read_val(window_.text(TextZhenCe(5)));
  // A wage that is not a number gets no warning: the compute command refuses it.
  const auto wage = read_strict(window_.text(TextPerMes(0)));
  if (!wage || !(minimum > *wage) || !model_.WarnSet || index != 0) return;
  window_.show_message("您当前输入的 [设定工资] 低于本地最低工资标准,请核实...", "错误提示");
  window_.focus(TextPerMes(0));
}

void EntryRules::old_wage_warning() {
  const double minimum = read_val(window_.text(TextZhenCe(5)));
  if (!(minimum > read_val(window_.text(TextOld))) || !model_.WarnOld) return;
  window_.show_message("您当前输入的 [老工资] 低于本地最低工资标准,请核实...", "错误提示");
  window_.focus(TextOld);
}

void EntryRules::check_old_click() {
  window_.set_visible(TextOld, !window_.visible(TextOld));
  window_.set_visible(Label37, !window_.visible(Label37));
  if (window_.visible(TextOld)) window_.focus(TextOld);
}

}  // namespace kes::calc
