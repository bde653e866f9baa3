#include "calc/compute_command.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "engine_fixture.h"

namespace kes::calc {
namespace {

using Texts = std::vector<std::pair<ControlId, std::string>>;

struct Month {
  const char* name;
  Texts inputs;
  int check_old;
  Texts expected;
};

// Figures worked out by hand from the pay rules with the default policy.
const Month kMonths[] = {
    {"default month",
     {},
     0,
     {{TextJiaBan(1), "48.28"}, {TextJiaBan(5), "64.37"}, {TextJiaBan(9), "96.55"},
      {TextJiaBan(2), "35.26"}, {TextJiaBan(6), "47.01"}, {TextJiaBan(10), "70.52"},
      {TextJiaBan(3), "0"}, {TextPerMes(10), "0"}, {TextPerMes(11), "5600"},
      {TextPerJia(0), "448"}, {TextPerJia(1), "112"}, {TextPerJia(2), "56"},
      {TextPerJia(3), "672"}, {TextPerJia(5), "221.8"}, {TextPerJia(6), "1509.8"},
      {TextComJia(0), "1120"}, {TextComJia(1), "515.2"}, {TextComJia(2), "112"},
      {TextComJia(3), "672"}, {TextComJia(4), "33.6"}, {TextComJia(5), "50.4"},
      {TextComJia(6), "2503.2"}, {TextFinall(0), "4312"}, {TextFinall(3), "4312"},
      {TextFinall(4), "221.8"}, {TextFinall(6), "4090.2"}, {TextFinall(7), "4090.2"},
      {TextFinall(8), "4090.2"}, {TextFinall(9), "0"}}},
    {"overtime and an allowance",
     {{TextPerMes(2), "300"}, {TextJiaBan(0), "10"}, {TextJiaBan(4), "8"}, {TextJiaBan(8), "3"}},
     0,
     {{TextJiaBan(3), "482.8"}, {TextJiaBan(7), "514.96"}, {TextJiaBan(11), "289.65"},
      {TextPerMes(10), "1287.41"}, {TextPerMes(11), "7187.41"}, {TextPerJia(0), "574.99"},
      {TextPerJia(1), "143.75"}, {TextPerJia(2), "71.87"}, {TextPerJia(3), "672"},
      {TextFinall(0), "5724.8"}, {TextFinall(4), "433.72"}, {TextFinall(6), "5291.08"},
      {TextFinall(8), "4090.2"}, {TextFinall(9), "1200.88"}}},
    // The basic run takes the pre-tax adjustments and the after-tax one, but
    // not the allowances or the other deduction; the take-home takes all.
    {"adjustments and allowances in cents",
     {{TextPerMes(2), "123.45"}, {TextPerMes(3), "67.89"}, {TextPerMes(8), "12.34"},
      {TextPerMes(9), "45.67"}, {TextPerJia(4), "23.45"}, {TextFinall(1), "11.11"},
      {TextFinall(2), "22.22"}, {TextFinall(5), "33.33"}},
     0,
     {{TextPerMes(11), "5758.01"}, {TextPerJia(0), "460.64"}, {TextPerJia(1), "115.16"},
      {TextPerJia(2), "57.58"}, {TextComJia(1), "529.74"}, {TextComJia(6), "2554.87"},
      {TextFinall(0), "4452.63"}, {TextFinall(3), "4485.96"}, {TextFinall(4), "247.89"},
      {TextFinall(6), "4181.29"}, {TextPerJia(6), "1576.72"}, {TextFinall(8), "4085.2"},
      {TextJiaBan(2), "35.22"}, {TextFinall(9), "96.09"}}},
    {"gross below the lower base limit",
     {{TextPerMes(0), "1500"}},
     0,
     {{TextPerJia(0), "211.12"}, {TextPerJia(1), "52.78"}, {TextPerJia(2), "26.39"},
      {TextPerJia(3), "180"}, {TextComJia(0), "527.8"}, {TextFinall(0), "1029.71"},
      {TextFinall(4), "0"}, {TextFinall(6), "1029.71"}, {TextFinall(8), "1029.71"},
      {TextFinall(9), "0"}}},
    {"set wage above the housing-fund cap",
     {{TextPerMes(0), "12000"}},
     0,
     {{TextPerJia(0), "776.88"}, {TextPerJia(1), "194.22"}, {TextPerJia(2), "97.11"},
      {TextPerJia(3), "1176"}, {TextComJia(3), "1176"}}},
    {"deductions larger than the earnings",
     {{TextPerMes(9), "8000"}},
     0,
     {{TextPerMes(11), "-2400"}, {TextPerJia(0), "211.12"}, {TextPerJia(3), "672"},
      {TextFinall(0), "-3362.29"}, {TextFinall(4), "0"}, {TextFinall(6), "-3362.29"},
      {TextPerJia(6), "962.29"}}},
    {"overtime from the old wage",
     {{TextOld, "3000"}, {TextJiaBan(0), "10"}},
     1,
     {{TextJiaBan(1), "25.86"}, {TextJiaBan(5), "34.48"}, {TextJiaBan(9), "51.72"},
      {TextJiaBan(2), "19.78"}, {TextJiaBan(6), "26.37"}, {TextJiaBan(10), "39.56"},
      {TextJiaBan(3), "258.6"}, {TextPerMes(11), "5858.6"}, {TextPerJia(0), "468.69"},
      {TextPerJia(1), "117.17"}, {TextPerJia(2), "58.59"}, {TextFinall(0), "4542.15"},
      {TextFinall(4), "256.32"}, {TextFinall(6), "4285.83"}, {TextPerJia(6), "1572.77"},
      {TextFinall(8), "4090.2"}, {TextFinall(9), "195.63"}}},
    {"old wage 0 with no minimum wage",
     {{TextZhenCe(5), "0"}, {TextOld, "0"}},
     1,
     {{TextJiaBan(1), "0."}, {TextJiaBan(5), "0."}, {TextJiaBan(2), "0"}, {TextJiaBan(6), "0"},
      {TextJiaBan(10), "0"}, {TextFinall(8), "4090.2"}}},
    {"threshold 0 taxes the whole taxable wage",
     {{TextZhenCe(3), "0"}},
     0,
     {{TextFinall(3), "4312"}, {TextFinall(4), "521.8"}}},
};

class MonthTest : public EngineTest, public ::testing::WithParamInterface<Month> {};

TEST_P(MonthTest, WritesTheStatement) {
  const Month& month = GetParam();
  for (const auto& [field, value] : month.inputs) set(field, value);
  window.set_check_value(CheckOld, month.check_old);
  EXPECT_EQ(compute().outcome, ComputeOutcome::Completed);
  for (const auto& [field, expected] : month.expected) {
    EXPECT_EQ(text(field), expected) << control_name(field);
  }
}

INSTANTIATE_TEST_SUITE_P(Months, MonthTest, ::testing::ValuesIn(kMonths),
                         [](const auto& info) {
                           std::string name;
                           for (const char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

TEST_F(EngineTest, DefaultMonthValuesAreTheNarrowedFigures) {
  compute();
  EXPECT_EQ(val(model.ValZhenCe, 6), 174.0f);
  EXPECT_EQ(val(model.ValXiShus, 6), static_cast<float>(9.2 * 0.01));
  EXPECT_EQ(val(model.ValJiBen, 1), 616.0f);  // 448 + 112 + 56 rounded once
  EXPECT_EQ(val(model.ValJiBen, 2), 672.0f);
  EXPECT_EQ(val(model.ValJiBen, 3), 4312.0f);
  EXPECT_EQ(val(model.ValJiBen, 4), 221.8f);
  EXPECT_EQ(val(model.ValFinall, 6), 4090.2f);
}

// Hourly wages whose rates sit within a float step of half a cent: the weekday
// rate is rounded before it is narrowed, the others after.
TEST_F(EngineTest, OvertimeRatesRoundAtTheirOwnPoint) {
  struct Case {
    const char* wage;
    const char* weekday;
    const char* holiday;
  };
  const Case cases[] = {
      {"1203.5", "10.37", "20.75"},   // narrowed first, 10.375 would go to 10.38
      {"1201.47", "10.36", "20.72"},  // in double, 20.714999 would go to 20.71
  };
  for (const Case& c : cases) {
    set(TextPerMes(0), c.wage);
    compute();
    EXPECT_EQ(text(TextJiaBan(1)), c.weekday) << c.wage;
    EXPECT_EQ(text(TextJiaBan(9)), c.holiday) << c.wage;
  }
}

TEST_F(EngineTest, SavesThePayRecordBeforeComputing) {
  set(TextPerMes(3), "250.5");
  engine.compute();
  const std::vector<std::string> expected = {
      "save GongZi/ShouRu=5600",    "save GongZi/NianDu=0",     "save GongZi/JiaoTong=0",
      "save GongZi/YongCan=250.5",  "save GongZi/FuLi=0",       "save GongZi/BanZhi=0",
      "save GongZi/YueDu=0",        "save GongZi/QuanQin=0",    "save GongZi/Others=0",
      "save GongZi/KouChu=0",       "save GongZi/Otherx=0",     "save GongZi/TiaoZhengA=0",
      "save GongZi/TiAn=0",         "save GongZi/TiaoZhengB=0", "save GongZi/CheckJi=1",
      "save GongZi/CheckJi=1",
  };
  EXPECT_EQ(journal(), expected);
}

TEST_F(EngineTest, ClearCheckJiRecordsOnlyTheOption) {
  window.set_check_value(CheckJi, 0);
  engine.compute();
  EXPECT_EQ(journal(), std::vector<std::string>{"save GongZi/CheckJi=0"});
}

TEST_F(EngineTest, ZeroWageCountsRefusalsAcrossCommands) {
  compute();
  set(TextPerMes(0), "0");
  for (int click = 1; click <= 2; ++click) {
    EXPECT_EQ(engine.compute().outcome, ComputeOutcome::ZeroWage);
    EXPECT_EQ(journal(), std::vector<std::string>{}) << "click " << click;
    EXPECT_EQ(text(TextFinall(6)), "");
    EXPECT_EQ(text(TextJiaBan(1)), "");
  }
  const std::vector<std::string> refused = {"message 错误提示|当前输入的工资为0,不要再点击了!"};
  EXPECT_EQ(engine.compute().outcome, ComputeOutcome::ZeroWage);
  EXPECT_EQ(journal(), refused);

  // A good month in between does not reset the count.
  set(TextPerMes(0), "5600");
  EXPECT_EQ(compute().outcome, ComputeOutcome::Completed);
  set(TextPerMes(0), "1.2.");  // does not read, so it counts as zero
  engine.compute();
  EXPECT_EQ(journal(), refused);
  EXPECT_EQ(model.ZeroClicks, 4);
  EXPECT_EQ(val(model.ValFinall, 6), 4090.2f);  // refusals leave the values alone
}

TEST_F(EngineTest, ZeroClicksStopsAtItsLimit) {
  model.ZeroClicks = 32767;
  set(TextPerMes(0), "0");
  compute();
  EXPECT_EQ(model.ZeroClicks, 32767);
}

TEST_F(EngineTest, WageBelowMinimumEmptiesResultsAndRefocuses) {
  compute();
  set(TextPerMes(0), "1000");
  EXPECT_EQ(engine.compute().outcome, ComputeOutcome::BelowMinimum);
  EXPECT_EQ(journal(), std::vector<std::string>{"focus TextPerMes(0)"});
  EXPECT_EQ(text(TextFinall(6)), "");
  EXPECT_EQ(text(TextPerMes(11)), "");
  EXPECT_EQ(val(model.ValPerMes, 0), 5600.0f);
}

TEST_F(EngineTest, OldWageBelowMinimumOrUnreadableRefocusesTheOption) {
  window.set_check_value(CheckOld, 1);
  for (const char* old : {"1000", "1.2."}) {
    set(TextOld, old);
    EXPECT_EQ(engine.compute().outcome, ComputeOutcome::OldBelowMinimum) << old;
    EXPECT_EQ(journal(), std::vector<std::string>{"focus CheckOld"}) << old;
  }
}

TEST_F(EngineTest, HighWageClosesTheWindowUnlessTheOldWageOptionIsTicked) {
  set(TextPerMes(0), "100001");
  EXPECT_EQ(engine.compute().outcome, ComputeOutcome::TooHigh);
  const std::vector<std::string> expected = {
      "message 限制提示|高工资人群,软件不欢迎您使用,请退出...", "close"};
  EXPECT_EQ(journal(), expected);
  EXPECT_EQ(text(TextFinall(6)), "");

  MemoryWindow other;
  PayEngine other_engine(other);
  other.attach(&other_engine);
  other.open_with_defaults();
  other.set_text(TextPerMes(0), "100001");
  other.set_check_value(CheckOld, 1);
  other.set_text(TextOld, "3000");
  EXPECT_EQ(other_engine.compute().outcome, ComputeOutcome::Completed);
  EXPECT_FALSE(other.closed());
  EXPECT_EQ(other.text(TextPerMes(11)), "100001");
  EXPECT_EQ(other.text(TextPerJia(3)), "1176");
}

TEST_F(EngineTest, WorkingDaysZeroAfterAGoodMonth) {
  compute();
  set(TextZhenCe(4), "0");
  const ComputeReport report = compute();
  EXPECT_EQ(report.outcome, ComputeOutcome::Completed);
  EXPECT_GT(report.skipped, 0);
  // The hourly wage of this command stays 0, so the overtime rates are 0 ...
  EXPECT_EQ(text(TextJiaBan(1)), "0.");
  EXPECT_EQ(text(TextJiaBan(5)), "0.");
  EXPECT_EQ(text(TextJiaBan(9)), "0.");
  // ... while the net rates keep those of the previous command.
  EXPECT_EQ(text(TextJiaBan(2)), "35.26");
  EXPECT_EQ(text(TextJiaBan(6)), "47.01");
  EXPECT_EQ(text(TextJiaBan(10)), "70.52");
  EXPECT_EQ(text(TextFinall(6)), "4090.2");
}

TEST_F(EngineTest, ExtraGainedReadsTakeHomeTextsInTheExponentForm) {
  compute();
  set(TextPerMes(1), "30000000");  // a bonus that puts the take-home beyond 1E+07
  compute();
  EXPECT_EQ(text(TextFinall(7)), "1.65184E+07");
  EXPECT_EQ(text(TextFinall(8)), "4090.2");
  EXPECT_EQ(text(TextFinall(9)), "1.65143098E+07");
}

TEST_F(EngineTest, AFieldThatDoesNotReadKeepsItsPreviousEntry) {
  set(TextPerMes(3), "250");
  compute();
  EXPECT_EQ(text(TextPerMes(11)), "5850");
  set(TextPerMes(3), "1.2.3");
  EXPECT_EQ(text(TextPerMes(3)), "1.2.");
  EXPECT_EQ(compute().skipped, 1);
  EXPECT_EQ(val(model.ValPerMes, 3), 250.0f);
  EXPECT_EQ(text(TextPerMes(11)), "5850");

  // An emptied rate field is not normalised: its rate stays as it was.
  set(TextXiShus(0), "");
  compute();
  EXPECT_EQ(val(model.ValXiShus, 0), 0.08f);
  EXPECT_EQ(text(TextPerJia(0)), "468");
}

TEST_F(EngineTest, EntriesThatCannotBeStoredAreSkipped) {
  set(TextPerMes(1), "1" + std::string(40, '0'));  // beyond the 32-bit range
  compute();
  EXPECT_EQ(val(model.ValPerMes, 1), 0.0f);
  EXPECT_EQ(text(TextPerMes(11)), "5600");
}

TEST_F(EngineTest, PendingEventsRunBeforeTheFieldsAreRead) {
  window.post([this] { set(TextPerMes(0), "6000"); });
  compute();
  EXPECT_EQ(text(TextPerMes(11)), "6000");
}

// Wraps a memory window and fails whenever one chosen field is written.
class FailingWindow final : public Window {
 public:
  FailingWindow(MemoryWindow& inner, ControlId failing) : inner_(inner), failing_(failing) {}
  std::string text(ControlId f) const override { return inner_.text(f); }
  void set_text(ControlId f, std::string_view t) override {
    if (f == failing_) throw std::runtime_error("field gone");
    inner_.set_text(f, t);
  }
  int check_value(ControlId c) const override { return inner_.check_value(c); }
  bool visible(ControlId c) const override { return inner_.visible(c); }
  void set_visible(ControlId c, bool v) override { inner_.set_visible(c, v); }
  void set_enabled(ControlId c, bool e) override { inner_.set_enabled(c, e); }
  void show_message(std::string_view t, std::string_view ti) override { inner_.show_message(t, ti); }
  void focus(ControlId c) override { inner_.focus(c); }
  void write_setting(std::string_view s, std::string_view k, std::string_view t) override {
    inner_.write_setting(s, k, t);
  }
  void close() override { inner_.close(); }
  void beep() override { inner_.beep(); }
  void do_events() override { inner_.do_events(); }

 private:
  MemoryWindow& inner_;
  ControlId failing_;
};

TEST_F(EngineTest, AFailingFieldWriteSkipsOnlyThatStatement) {
  FailingWindow failing(window, TextPerMes(11));
  PayModel fresh;
  ComputeReport report;
  EXPECT_NO_THROW(report = ComputeCommand(failing, fresh));
  EXPECT_EQ(report.skipped, 1);
  EXPECT_EQ(text(TextPerMes(11)), "");
  EXPECT_EQ(text(TextFinall(6)), "4090.2");
}

}  // namespace
}  // namespace kes::calc
