// A main window in memory right after loading with an empty settings store,
// with the pay engine attached.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/fields.h"
#include "calc/memory_window.h"
#include "calc/pay_engine.h"

namespace kes::calc {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    window.attach(&engine);
    window.open_with_defaults();
    window.take_journal();
  }

  void set(ControlId field, const std::string& text) { window.set_text(field, text); }
  std::string text(ControlId field) const { return window.text(field); }
  std::vector<std::string> journal() { return window.take_journal(); }

  void type(ControlId field, const std::string& keys) {
    for (const char c : keys) window.press_key(field, static_cast<unsigned char>(c));
  }

  // Runs the compute command and forgets what it journalled.
  ComputeReport compute() {
    const ComputeReport report = engine.compute();
    window.take_journal();
    return report;
  }

  float val(const ValueArray& a, int i) const { return a.get(i).value_or(-1); }

  MemoryWindow window;
  PayEngine engine{window};
  PayModel& model = engine.model();
};

}  // namespace kes::calc
