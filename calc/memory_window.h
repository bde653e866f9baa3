// A window held in memory: the fields, check boxes and flags the pay engine
// talks to, with every outside effect (messages, focus, settings writes,
// beeps, closing) written to a journal instead of a screen or a store.
// Tests, the benchmark and kestrane-calc drive the engine through it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/pay_engine.h"
#include "calc/window.h"

namespace kes::calc {

class MemoryWindow final : public Window {
 public:
  // As designed: every field empty, CheckJi ticked, CheckOld clear, TextOld
  // and Label37 shown, ComSave disabled. Change events go to `engine` once
  // attached.
  MemoryWindow();

  void attach(PayEngine* engine) { engine_ = engine; }

  // The start state after loading with an empty settings store: the clearing
  // pass, the overtime hours "0", every stored field at its default,
  // TextOld "0", ComSave disabled, TextOld and Label37 hidden.
  void open_with_defaults();

  // One key typed into a field with the caret at the end of its text
  // (kBackspace deletes the last character). The field's KeyPress handler
  // may swallow it; otherwise the text changes and Change follows.
  void press_key(ControlId field, int key);

  // The field loses the focus.
  void leave(ControlId field);

  // Sets a check box's Value without a click.
  void set_check_value(ControlId check_box, int value);

  // Queues an event that the next do_events runs.
  void post(std::function<void()> event) { pending_.push_back(std::move(event)); }

  bool save_enabled() const { return save_enabled_; }
  bool closed() const { return closed_; }

  // Lines of what happened since the last call: "message TITLE|TEXT",
  // "focus NAME", "save SECTION/KEY=text", "beep", "close".
  std::vector<std::string> take_journal();

  // Window
  std::string text(ControlId field) const override;
  void set_text(ControlId field, std::string_view text) override;
  int check_value(ControlId check_box) const override;
  bool visible(ControlId control) const override;
  void set_visible(ControlId control, bool shown) override;
  void set_enabled(ControlId control, bool enabled) override;
  void show_message(std::string_view text, std::string_view title) override;
  void focus(ControlId control) override;
  void write_setting(std::string_view section, std::string_view key,
                     std::string_view text) override;
  void close() override;
  void beep() override;
  void do_events() override;

 private:
  std::string* slot(ControlId field);
  const std::string* slot(ControlId field) const;

  PayEngine* engine_ = nullptr;
  std::vector<std::string> texts_;
  int check_old_ = 0;
  int check_ji_ = 1;
  bool old_visible_ = true;
  bool label_visible_ = true;
  bool save_enabled_ = false;
  bool closed_ = false;
  std::vector<std::function<void()>> pending_;
  std::vector<std::string> journal_;
};

}  // namespace kes::calc
