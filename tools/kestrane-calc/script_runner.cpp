#include "tools/kestrane-calc/script_runner.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/fields.h"
#include "calc/memory_window.h"
#include "calc/number_text.h"
#include "calc/pay_engine.h"

namespace kes::calc {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// Key codes of the typed characters: one per UTF-8 character, "\b" is
// backspace and "\\" a backslash. A byte that starts no valid character is
// passed on as its own code.
std::vector<int> key_codes(std::string_view chars) {
  std::vector<int> keys;
  std::size_t i = 0;
  while (i < chars.size()) {
    const auto c = static_cast<unsigned char>(chars[i]);
    if (c == '\\' && i + 1 < chars.size() && (chars[i + 1] == 'b' || chars[i + 1] == '\\')) {
      keys.push_back(chars[i + 1] == 'b' ? kBackspace : '\\');
      i += 2;
      continue;
    }
    // Continuation bytes after the lead byte, and the lead byte's payload.
    int length = -1;
    int code = c;
    if (c < 0x80) {
      length = 0;
    } else if (c >= 0xC0 && c < 0xE0) {
      length = 1, code = c & 0x1F;
    } else if (c >= 0xE0 && c < 0xF0) {
      length = 2, code = c & 0x0F;
    } else if (c >= 0xF0 && c < 0xF8) {
      length = 3, code = c & 0x07;
    }
    bool valid = length >= 0 && i + static_cast<std::size_t>(length) < chars.size();
    for (int k = 1; valid && k <= length; ++k) {
      const auto next = static_cast<unsigned char>(chars[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      keys.push_back(c);
      ++i;
      continue;
    }
    keys.push_back(code);
    i += static_cast<std::size_t>(length) + 1;
  }
  return keys;
}

class Runner {
 public:
  Runner(std::ostream& out, std::ostream& err) : engine_(window_), out_(out), err_(err) {
    window_.attach(&engine_);
    window_.open_with_defaults();
    window_.take_journal();
  }

  // Runs one line; nullopt to go on, otherwise the exit status.
  std::optional<int> line(std::string_view text, int number);

 private:
  std::optional<int> fail(int number, std::string_view reason, std::string_view text) {
    flush();
    err_ << "kestrane-calc: line " << number << ": " << reason << ": " << text << '\n';
    return 2;
  }

  void flush() {
    for (const std::string& entry : window_.take_journal()) out_ << entry << '\n';
  }

  std::optional<int> assign(std::string_view name, std::string_view value, int number,
                            std::string_view text);

  MemoryWindow window_;
  PayEngine engine_;
  std::ostream& out_;
  std::ostream& err_;
};

std::optional<int> Runner::line(std::string_view text, int number) {
  const std::string_view trimmed = trim(text);
  if (trimmed.empty() || trimmed.front() == '#') return std::nullopt;

  if (trimmed == "compute") {
    engine_.compute();
    flush();
    if (window_.closed()) return 0;
    for (const ControlId field : all_fields()) {
      out_ << control_name(field) << '=' << window_.text(field) << '\n';
    }
    out_ << "end\n";
    return std::nullopt;
  }
  if (trimmed.substr(0, 6) == "leave ") {
    const auto field = parse_control_name(trim(trimmed.substr(6)));
    if (!field || !is_field(*field)) return fail(number, "no such field", text);
    window_.leave(*field);
    flush();
    return std::nullopt;
  }
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return fail(number, "unknown command", text);
  std::string_view name = trim(text.substr(0, eq));
  const std::string_view value = text.substr(eq + 1);
  if (name.substr(0, 5) == "type ") {
    const auto field = parse_control_name(trim(name.substr(5)));
    if (!field || !is_field(*field)) return fail(number, "no such field", text);
    for (const int key : key_codes(value)) window_.press_key(*field, key);
    flush();
    return std::nullopt;
  }
  return assign(name, value, number, text);
}

std::optional<int> Runner::assign(std::string_view name, std::string_view value, int number,
                                  std::string_view text) {
  const auto flag_value = [&]() -> std::optional<bool> {
    const std::string_view v = trim(value);
    if (v == "0") return false;
    if (v == "1") return true;
    return std::nullopt;
  };
  if (name == "CheckOld" || name == "CheckJi" || name == "WarnSet" || name == "WarnOld") {
    const auto flag = flag_value();
    if (!flag) return fail(number, "value must be 0 or 1", text);
    if (name == "CheckOld") window_.set_check_value(CheckOld, *flag ? 1 : 0);
    if (name == "CheckJi") window_.set_check_value(CheckJi, *flag ? 1 : 0);
    if (name == "WarnSet") engine_.model().WarnSet = *flag;
    if (name == "WarnOld") engine_.model().WarnOld = *flag;
    return std::nullopt;
  }
  const auto field = parse_control_name(name);
  if (!field || !is_field(*field)) return fail(number, "no such field", text);
  window_.set_text(*field, value);
  flush();
  return std::nullopt;
}

}  // namespace

int run_calc_script(std::istream& in, std::ostream& out, std::ostream& err) {
  Runner runner(out, err);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (const auto status = runner.line(text, number)) return *status;
  }
  return 0;
}

}  // namespace kes::calc
