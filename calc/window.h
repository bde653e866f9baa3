// What the pay engine needs of the window that holds its fields. The main
// window implements it; so does MemoryWindow for tests and the command line.
#pragma once

#include <string>
#include <string_view>

#include "calc/fields.h"

namespace kes::calc {

class Window {
 public:
  virtual ~Window() = default;

  // The text of a numeric field (TextPerMes(0), TextOld, ...).
  virtual std::string text(ControlId field) const = 0;

  // Replaces a field's text. A window raises the field's Change event for a
  // text that differs, and hands it to PayEngine::change before returning, so
  // the handler may write the field again from inside this call.
  virtual void set_text(ControlId field, std::string_view text) = 0;

  // The Value of a check box (CheckOld, CheckJi): 0 or 1.
  virtual int check_value(ControlId check_box) const = 0;

  // Shown state of TextOld and Label37.
  virtual bool visible(ControlId control) const = 0;
  virtual void set_visible(ControlId control, bool shown) = 0;

  // Enabled state of ComSave (the only control the engine enables).
  virtual void set_enabled(ControlId control, bool enabled) = 0;

  // Shows a message with a single OK button, owned by the window, and returns
  // once it has been closed.
  virtual void show_message(std::string_view text, std::string_view title) = 0;

  // Gives the input focus to a field or check box.
  virtual void focus(ControlId control) = 0;

  // Writes a text value into the settings store under application "Ravelo".
  virtual void write_setting(std::string_view section, std::string_view key,
                             std::string_view text) = 0;

  // Closes the main window, which ends the program.
  virtual void close() = 0;

  // The system's short default sound.
  virtual void beep() = 0;

  // Lets the events already waiting in the window's queue run.
  virtual void do_events() = 0;
};

}  // namespace kes::calc
