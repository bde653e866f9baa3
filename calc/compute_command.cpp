#include "calc/compute_command.h"

#include <cmath>
#include <string>
#include <utility>

#include "calc/fields.h"
#include "calc/number_text.h"
#include "calc/policy.h"
#include "calc/rounding.h"
#include "calc/text_forms.h"

namespace kes::calc {

namespace {

// Raised inside one statement when it cannot complete; never leaves the command.
struct Fault {};

constexpr ControlId kResultFields[] = {
    TextPerMes(10), TextPerMes(11), TextJiaBan(1),  TextJiaBan(5),  TextJiaBan(9),
    TextJiaBan(2),  TextJiaBan(6),  TextJiaBan(10), TextJiaBan(3),  TextJiaBan(7),
    TextJiaBan(11), TextPerJia(0),  TextPerJia(1),  TextPerJia(2),  TextPerJia(3),
    TextPerJia(5),  TextPerJia(6),  TextComJia(0),  TextComJia(1),  TextComJia(2),
    TextComJia(3),  TextComJia(4),  TextComJia(5),  TextComJia(6),  TextFinall(0),
    TextFinall(3),  TextFinall(4),  TextFinall(6),  TextFinall(7),  TextFinall(8),
    TextFinall(9),
};

float stored(double value) {
  const auto f = narrow(value);
  if (!f) throw Fault{};
  return *f;
}

double divide(double a, double b) {
  if (b == 0) throw Fault{};
  return a / b;
}

// round2 and round0 of a formula: narrowed first, then rounded in double.
double round2(double value) { return round_half_even(stored(value), 2); }
double round0(double value) { return round_half_even(stored(value), 0); }

class Command {
 public:
  Command(Window& window, PayModel& model) : w_(window), m_(model) {}

  ComputeReport run();
  void clear_results();

 private:
  template <class Body>
  void statement(Body&& body) {
    ++report_.statements;
    try {
      std::forward<Body>(body)();
    } catch (...) {
      ++report_.skipped;
    }
  }

  double strict(ControlId field) const {
    const auto v = read_strict(w_.text(field));
    if (!v) throw Fault{};
    return *v;
  }

  static float get(const ValueArray& a, int i) {
    const auto v = a.get(i);
    if (!v) throw Fault{};
    return *v;
  }

  // One entry: computed in full before it is stored, so a fault leaves it as it was.
  template <class Formula>
  void entry(ValueArray& a, int i, Formula&& formula) {
    statement([&] {
      if (!a.set(i, stored(formula()))) throw Fault{};
    });
  }

  template <class Text>
  void show(ControlId field, Text&& text) {
    statement([&] { w_.set_text(field, text()); });
  }

  ComputeOutcome check_wage();
  void save_inputs();
  void read_inputs();
  void overtime();
  void basic_run();
  void net_rates();
  void gross();
  void contributions();
  void settlement();

  Window& w_;
  PayModel& m_;
  float hour_rate_ = 0;  // HourRate: lives for one command
  ComputeReport report_;
};

void Command::clear_results() {
  for (const ControlId field : kResultFields) show(field, [] { return std::string(); });
}

ComputeOutcome Command::check_wage() {
  const auto wage = read_strict(w_.text(TextPerMes(0)));
  if (!wage || *wage == 0) {
    clear_results();
    if (m_.ZeroClicks < 32767) ++m_.ZeroClicks;
    if (m_.ZeroClicks >= 3) w_.show_message("当前输入的工资为0,不要再点击了!", "错误提示");
    return ComputeOutcome::ZeroWage;
  }
  const double minimum = read_val(w_.text(TextZhenCe(5)));
  if (minimum > *wage) {
    clear_results();
    w_.focus(TextPerMes(0));
    return ComputeOutcome::BelowMinimum;
  }
  if (w_.check_value(CheckOld) == 1) {
    const auto old = read_strict(w_.text(TextOld));
    if (!old || minimum > *old) {
      clear_results();
      w_.focus(CheckOld);
      return ComputeOutcome::OldBelowMinimum;
    }
    return ComputeOutcome::Completed;
  }
  if (*wage > 100000) {
    w_.show_message("高工资人群,软件不欢迎您使用,请退出...", "限制提示");
    w_.close();
    return ComputeOutcome::TooHigh;
  }
  return ComputeOutcome::Completed;
}

void Command::save_inputs() {
  const auto check_ji = [&] {
    statement([&] {
      w_.write_setting("GongZi", kCheckJiKey, std::to_string(w_.check_value(CheckJi)));
    });
  };
  if (w_.check_value(CheckJi) == 1) {
    for (const SettingKey& k : pay_record_keys()) {
      statement([&] { w_.write_setting(k.section, k.key, w_.text(k.field)); });
    }
    check_ji();
  }
  // Written whatever the box says, so a clear box is remembered as "0".
  check_ji();
}

void Command::read_inputs() {
  for (int i = 0; i <= 9; ++i) {
    entry(m_.ValPerMes, i, [&] { return strict(TextPerMes(i)); });
    entry(m_.ValXiShus, i, [&] { return strict(TextXiShus(i)) * 0.01; });
  }
  for (int i = 0; i <= 5; ++i) entry(m_.ValZhenCe, i, [&] { return strict(TextZhenCe(i)); });
  entry(m_.ValZhenCe, 6, [&] { return double{get(m_.ValZhenCe, 4)} * 8; });
  for (const int i : {0, 4, 8}) entry(m_.ValJiaBan, i, [&] { return strict(TextJiaBan(i)); });
  entry(m_.ValPerJia, 4, [&] { return strict(TextPerJia(4)); });
  for (const int i : {1, 2, 5}) entry(m_.ValFinall, i, [&] { return strict(TextFinall(i)); });
}

void Command::overtime() {
  statement([&] {
    const double wage =
        w_.check_value(CheckOld) == 0 ? double{get(m_.ValPerMes, 0)} : strict(TextOld);
    hour_rate_ = stored(divide(wage, get(m_.ValZhenCe, 6)));
  });
  // The weekday rate alone is rounded before it is narrowed.
  entry(m_.ValJiaBan, 1, [&] { return round_half_even(double{hour_rate_} * 1.5, 2); });
  entry(m_.ValJiaBan, 5, [&] { return round2(double{hour_rate_} * 2); });
  entry(m_.ValJiaBan, 9, [&] { return round2(double{hour_rate_} * 3); });
  for (const int i : {0, 4, 8}) {
    entry(m_.ValJiaBan, i + 3, [&] {
      return round2(double{get(m_.ValJiaBan, i)} * get(m_.ValJiaBan, i + 1));
    });
  }
  entry(m_.ValPerMes, 10, [&] {
    return round2(double{get(m_.ValJiaBan, 3)} + get(m_.ValJiaBan, 7) + get(m_.ValJiaBan, 11));
  });
  for (const int i : {1, 5, 9}) show(TextJiaBan(i), [&] { return rate_form(get(m_.ValJiaBan, i)); });
  for (const int i : {3, 7, 11}) show(TextJiaBan(i), [&] { return short_form(get(m_.ValJiaBan, i)); });
  show(TextPerMes(10), [&] { return short_form(get(m_.ValPerMes, 10)); });
}

// Steps 2 to 6 of the basic run, on whatever ValJiBen(0) holds.
void Command::basic_run() {
  const ValueArray& zc = m_.ValZhenCe;
  const ValueArray& x = m_.ValXiShus;
  ValueArray& jb = m_.ValJiBen;
  entry(jb, 1, [&] {
    const double rates = double{get(x, 0)} + get(x, 1) + get(x, 2);
    return round2(rates * InsuranceBase(zc, get(jb, 0)));
  });
  entry(jb, 2, [&] { return round0(double{FundBase(zc, get(jb, 0))} * get(x, 3)); });
  entry(jb, 3, [&] {
    return double{get(jb, 0)} - get(jb, 1) - get(jb, 2) + get(m_.ValFinall, 1) +
           get(m_.ValFinall, 2);
  });
  entry(jb, 4, [&] {
    return round_half_even(IncomeTax(stored(double{get(jb, 3)} - get(zc, 3))), 2);
  });
  entry(m_.ValFinall, 8, [&] {
    return double{get(jb, 3)} - get(m_.ValFinall, 5) - get(jb, 4);
  });
}

void Command::net_rates() {
  const double factors[] = {1.5, 2, 3};  // weekday, weekend, holiday
  const int indexes[] = {2, 6, 10};
  for (int k = 0; k < 3; ++k) {
    entry(m_.ValJiaBan, indexes[k], [&] {
      const double per_hour = divide(divide(get(m_.ValFinall, 8), get(m_.ValZhenCe, 4)), 8);
      return per_hour * factors[k];
    });
  }
  for (const int i : indexes) {
    show(TextJiaBan(i), [&] { return rounded_short_form(get(m_.ValJiaBan, i)); });
  }
}

void Command::gross() {
  entry(m_.ValPerMes, 11, [&] {
    double sum = get(m_.ValPerMes, 0);
    for (int i = 1; i <= 8; ++i) sum += get(m_.ValPerMes, i);
    return sum - get(m_.ValPerMes, 9) + get(m_.ValPerMes, 10);
  });
  show(TextPerMes(11), [&] { return short_form(get(m_.ValPerMes, 11)); });
}

void Command::contributions() {
  const ValueArray& zc = m_.ValZhenCe;
  const ValueArray& x = m_.ValXiShus;
  float base = 0;
  float fund = 0;
  statement([&] { base = InsuranceBase(zc, get(m_.ValPerMes, 11)); });
  statement([&] { fund = FundBase(zc, get(m_.ValPerMes, 0)); });
  const auto insurance = [&](ValueArray& a, int i, int rate) {
    entry(a, i, [&] { return round2(double{base} * get(x, rate)); });
  };
  insurance(m_.ValPerJia, 0, 0);
  insurance(m_.ValPerJia, 1, 1);
  insurance(m_.ValPerJia, 2, 2);
  insurance(m_.ValComJia, 0, 5);
  insurance(m_.ValComJia, 1, 6);
  insurance(m_.ValComJia, 2, 7);
  insurance(m_.ValComJia, 4, 9);
  insurance(m_.ValComJia, 5, 4);
  entry(m_.ValPerJia, 3, [&] { return round0(double{fund} * get(x, 3)); });
  entry(m_.ValComJia, 3, [&] { return round0(double{fund} * get(x, 8)); });
  entry(m_.ValComJia, 6, [&] {
    double sum = 0;
    for (int i = 0; i <= 5; ++i) sum += get(m_.ValComJia, i);
    return sum;
  });
  for (int i = 0; i <= 3; ++i) show(TextPerJia(i), [&] { return short_form(get(m_.ValPerJia, i)); });
  for (int i = 0; i <= 6; ++i) show(TextComJia(i), [&] { return short_form(get(m_.ValComJia, i)); });
}

void Command::settlement() {
  ValueArray& pj = m_.ValPerJia;
  ValueArray& fi = m_.ValFinall;
  const auto employee_sum = [&](int last) {
    double sum = 0;
    for (int i = 0; i <= last; ++i) sum += get(pj, i);
    return sum;
  };
  entry(pj, 6, [&] { return employee_sum(3); });
  entry(fi, 0, [&] { return double{get(m_.ValPerMes, 11)} - get(pj, 6); });
  entry(fi, 3, [&] { return double{get(fi, 0)} + get(fi, 1) + get(fi, 2); });
  entry(fi, 4, [&] {
    return round_half_even(IncomeTax(stored(double{get(fi, 3)} - get(m_.ValZhenCe, 3))), 2);
  });
  entry(pj, 5, [&] { return double{get(fi, 4)}; });
  entry(pj, 6, [&] { return employee_sum(5); });
  entry(fi, 6, [&] {
    // Each term is a rounded value stored as a float before it is subtracted.
    const auto term = [&](const ValueArray& a, int i) { return double{stored(round2(get(a, i)))}; };
    return term(fi, 3) - term(fi, 4) - term(fi, 5) - term(pj, 4);
  });
  for (const int i : {0, 3, 4, 6}) show(TextFinall(i), [&] { return rounded_short_form(get(fi, i)); });
  show(TextFinall(7), [&] { return w_.text(TextFinall(6)); });
  for (const int i : {5, 6}) show(TextPerJia(i), [&] { return rounded_short_form(get(pj, i)); });
  show(TextFinall(9), [&] {
    const double extra = strict(TextFinall(7)) - strict(TextFinall(8));
    if (!std::isfinite(extra)) throw Fault{};
    return rounded_long_form(extra);
  });
}

ComputeReport Command::run() {
  w_.do_events();
  report_.outcome = check_wage();
  if (report_.outcome != ComputeOutcome::Completed) return report_;
  save_inputs();
  read_inputs();
  overtime();

  entry(m_.ValJiBen, 0, [&] { return double{get(m_.ValPerMes, 0)}; });
  basic_run();
  show(TextFinall(8), [&] { return short_form(get(m_.ValFinall, 8)); });

  if (w_.check_value(CheckOld) == 0) {
    net_rates();
  } else {
    // An old wage that no longer reads skips the rates altogether.
    const auto old = read_strict(w_.text(TextOld));
    if (old && *old != 0) {
      // The old wage's basic take-home feeds the rates; TextFinall(8) keeps the set wage's.
      entry(m_.ValJiBen, 0, [&] { return *old; });
      basic_run();
      net_rates();
    } else if (old) {
      for (const int i : {2, 6, 10}) show(TextJiaBan(i), [] { return std::string("0"); });
    }
  }
  gross();
  contributions();
  settlement();
  return report_;
}

}  // namespace

ComputeReport ComputeCommand(Window& window, PayModel& model) {
  Command command(window, model);
  try {
    return command.run();
  } catch (...) {
    // Only a failure of the window itself gets here; the command simply ends.
    ComputeReport report;
    report.skipped = 1;
    return report;
  }
}

void ClearResults(Window& window) {
  PayModel unused;
  Command(window, unused).clear_results();
}

}  // namespace kes::calc
