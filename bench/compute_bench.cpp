// The whole compute command on the memory window, with every text form it
// writes, reported as statements (entries and fields written) per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "calc/fields.h"
#include "calc/memory_window.h"
#include "calc/pay_engine.h"

namespace {

using kes::calc::ControlId;

void run_compute(benchmark::State& state, const std::vector<std::pair<ControlId, std::string>>& inputs,
                 int check_old) {
  kes::calc::MemoryWindow window;
  kes::calc::PayEngine engine(window);
  window.attach(&engine);
  window.open_with_defaults();
  for (const auto& [field, text] : inputs) window.set_text(field, text);
  window.set_check_value(kes::calc::CheckOld, check_old);

  std::int64_t statements = 0;
  for (auto _ : state) {
    const kes::calc::ComputeReport report = engine.compute();
    statements += report.statements;
    benchmark::DoNotOptimize(report);
    window.take_journal();  // the settings writes of each command
  }
  state.counters["statements/s"] =
      benchmark::Counter(static_cast<double>(statements), benchmark::Counter::kIsRate);
}

void BM_ComputeDefaultMonth(benchmark::State& state) { run_compute(state, {}, 0); }

void BM_ComputeOldWageMonth(benchmark::State& state) {
  run_compute(state,
              {{kes::calc::TextPerMes(2), "300"},
               {kes::calc::TextJiaBan(0), "10"},
               {kes::calc::TextJiaBan(4), "8"},
               {kes::calc::TextJiaBan(8), "3"},
               {kes::calc::TextOld, "3000"}},
              1);
}

}  // namespace

BENCHMARK(BM_ComputeDefaultMonth);
BENCHMARK(BM_ComputeOldWageMonth);
