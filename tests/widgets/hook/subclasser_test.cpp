// The dispatch contract both hook variants keep, then what each does on its own.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/event_log.h"
#include "platform/services/headless.h"
#include "platform/services/message_box.h"
#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"
#include "widgets/hook/checked_subclasser.h"
#include "widgets/hook/mouse_leave.h"
#include "widgets/hook/simple_subclasser.h"

namespace kes::hook {
namespace {

using ui::LResult;
using ui::Message;

constexpr Message kPing = ui::WM_USER + 1;
constexpr Message kPong = ui::WM_USER + 2;
constexpr LResult kProcResult = 7;

// What a test owner does with a callback: record it, and optionally act.
using Reaction = std::function<void(bool before, bool& handled, LResult& ret, Message msg)>;

struct Recorder {
  std::string name;
  std::vector<std::string>* log = nullptr;
  Reaction react;
  void Called(bool before, bool& handled, LResult& ret, Message msg) {
    log->push_back(name + (before ? ".before" : ".after") + "(" + std::to_string(ret) + ")");
    if (react) react(before, handled, ret, msg);
  }
};

class CheckedTestOwner : public CheckedOwner, public Recorder {
 public:
  void zSubclass_Proc(bool bBefore, bool& bHandled, LResult& lReturn, ui::Hwnd, Message uMsg, ui::WParam, ui::LParam,
                      std::int32_t&) override {
    Called(bBefore, bHandled, lReturn, uMsg);
  }
};

class SimpleTestOwner : public SimpleOwner, public Recorder {
 public:
  void zSubclass_Proc(bool bBefore, bool& bHandled, LResult& lReturn, ui::Hwnd&, Message& uMsg, ui::WParam&,
                      ui::LParam&) override {
    Called(bBefore, bHandled, lReturn, uMsg);
  }
};

// One owner with its hook, in either variant, behind one face.
struct CheckedHook {
  CheckedTestOwner owner;
  CheckedSubclasser sub;
  explicit CheckedHook(ui::Desktop& d) : sub(d, owner, "kzForms") {}
  bool Subclass(ui::Hwnd h) { return sub.sc_Subclass(h); }
  void Unsubclass(ui::Hwnd h) { sub.sc_UnSubclass(h); }
  void Add(ui::Hwnd h, std::int32_t m, std::uint32_t t) { sub.sc_AddMsg(h, m, t); }
};

struct SimpleHook {
  SimpleTestOwner owner;
  SimpleSubclasser sub;
  explicit SimpleHook(ui::Desktop& d) : sub(d, owner) {}
  bool Subclass(ui::Hwnd h) { return sub.sc_Subclass(h); }
  void Unsubclass(ui::Hwnd h) { sub.sc_UnSubclass(h); }
  void Add(ui::Hwnd h, std::int32_t m, std::uint32_t t) { sub.sc_AddMsg(h, m, t); }
};

class HookFixture {
 protected:
  HookFixture() {
    services::set_headless(true);
    services::clear_recorded();
    ui::WindowDesc d;
    d.rect = {10, 10, 100, 60};
    d.visible = false;
    win = desktop.CreateWindow(d, [this](ui::Hwnd h, Message m, ui::WParam w, ui::LParam l) -> LResult {
      if (m == kPing || m == kPong) {
        log.push_back("proc");
        if (in_proc) in_proc(m);
        return kProcResult;
      }
      return desktop.DefWindowProc(h, m, w, l);
    });
  }

  LResult Ping() { return desktop.SendMessage(win, kPing); }

  ui::Desktop desktop{std::make_unique<ui::HeadlessBackend>()};
  ui::Hwnd win = 0;
  std::vector<std::string> log;
  std::function<void(Message)> in_proc;
};

template <class Hook>
class DispatchContract : public HookFixture, public ::testing::Test {
 protected:
  std::unique_ptr<Hook> Make(const std::string& name, std::uint32_t timing = MSG_BEFORE | MSG_AFTER) {
    auto h = std::make_unique<Hook>(desktop);
    h->owner.name = name;
    h->owner.log = &log;
    EXPECT_TRUE(h->Subclass(win));
    h->Add(win, static_cast<std::int32_t>(kPing), timing);
    return h;
  }
};

using Variants = ::testing::Types<CheckedHook, SimpleHook>;
TYPED_TEST_SUITE(DispatchContract, Variants);

TYPED_TEST(DispatchContract, UnlistedMessagePassesThroughWithItsResult) {
  auto a = this->Make("a");
  EXPECT_EQ(this->desktop.SendMessage(this->win, kPong), kProcResult);
  EXPECT_EQ(this->log, (std::vector<std::string>{"proc"}));
}

TYPED_TEST(DispatchContract, BeforeAndAfterSurroundTheProcedure) {
  auto a = this->Make("a");
  EXPECT_EQ(this->Ping(), kProcResult);
  EXPECT_EQ(this->log, (std::vector<std::string>{"a.before(0)", "proc", "a.after(7)"}));
}

TYPED_TEST(DispatchContract, HandledBeforePhaseAnswersAndSkipsTheRest) {
  auto a = this->Make("a");
  a->owner.react = [](bool before, bool& handled, LResult& ret, Message) {
    if (before) {
      handled = true;
      ret = 42;
    }
  };
  EXPECT_EQ(this->Ping(), 42);
  EXPECT_EQ(this->log, (std::vector<std::string>{"a.before(0)"}));
}

TYPED_TEST(DispatchContract, AfterPhaseMayReplaceTheResult) {
  auto a = this->Make("a", MSG_AFTER);
  a->owner.react = [](bool, bool&, LResult& ret, Message) { ret = ret * 10; };
  EXPECT_EQ(this->Ping(), 70);
  EXPECT_EQ(this->log, (std::vector<std::string>{"proc", "a.after(7)"}));
}

TYPED_TEST(DispatchContract, AllMessagesCallsBackForAnyMessage) {
  auto a = this->Make("a", MSG_BEFORE);
  a->Add(this->win, ALL_MESSAGES, MSG_BEFORE);
  this->desktop.SendMessage(this->win, kPong);
  EXPECT_EQ(this->log, (std::vector<std::string>{"a.before(0)", "proc"}));
}

TYPED_TEST(DispatchContract, TwoOwnersCallTheLaterHookFirst) {
  auto a = this->Make("a");
  auto b = this->Make("b");
  EXPECT_EQ(this->Ping(), kProcResult);
  EXPECT_EQ(this->log, (std::vector<std::string>{"b.before(0)", "a.before(0)", "proc", "a.after(7)", "b.after(7)"}));
}

TYPED_TEST(DispatchContract, UnhookingTheEarlierOwnerKeepsTheLaterOne) {
  auto a = this->Make("a");
  auto b = this->Make("b");
  a->Unsubclass(this->win);
  this->Ping();  // the earlier hook lets go here
  this->log.clear();
  EXPECT_EQ(this->Ping(), kProcResult);
  EXPECT_EQ(this->log, (std::vector<std::string>{"b.before(0)", "proc", "b.after(7)"}));
}

TYPED_TEST(DispatchContract, NoCallbackAfterUnhookOrOwnerDestroyed) {
  auto a = this->Make("a");
  a->Unsubclass(this->win);
  EXPECT_EQ(this->Ping(), kProcResult);
  auto b = this->Make("b");
  b.reset();
  EXPECT_EQ(this->Ping(), kProcResult);
  EXPECT_EQ(this->log, (std::vector<std::string>{"proc", "proc"}));
}

TEST(LeaveTracking, ProbeKnowsOnlyTheTrackingFunctions) {
  struct Case {
    const char* function;
    const char* module;
    bool exported;
  };
  const Case cases[] = {
      {"TrackMouseEvent", "User32", true},   {"TrackMouseEvent", "USER32.DLL", true},
      {"_TrackMouseEvent", "Comctl32", true}, {"trackmouseevent", "User32", false},
      {"TrackMouseEvent", "Comctl32", false}, {"GetProcAddress", "Kernel32", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFunctionExported(c.function, c.module), c.exported) << c.function << " " << c.module;
  EXPECT_EQ(DetectLeaveTracking(), LeaveTracking::User32);
}

// ---- The checked variant ----

class CheckedHookTest : public HookFixture, public ::testing::Test {
 protected:
  CheckedHookTest() {
    hook.owner.name = "f";
    hook.owner.log = &log;
  }
  // The one report shown, as "title|text", and the event-log entry beside it.
  std::string LastReport() const {
    const auto boxes = services::recorded_message_boxes();
    if (boxes.empty()) return "";
    EXPECT_EQ(boxes.back().icon, services::MessageIcon::Warning);
    return boxes.back().title + "|" + boxes.back().text;
  }
  std::string LastLogged() const {
    const auto events = services::recorded_events();
    return events.empty() ? "" : events.back().text;
  }
  CheckedHook hook{desktop};
};

TEST_F(CheckedHookTest, SubclassRefusesAMissingWindowAndASecondHook) {
  EXPECT_FALSE(hook.sub.sc_Subclass(9999));
  EXPECT_EQ(LastReport(), "Error in kzForms.sc_Subclass|Invalid window handle.");
  EXPECT_EQ(LastLogged(), "kzForms.sc_Subclass: Invalid window handle");
  ASSERT_TRUE(hook.sub.sc_Subclass(win));
  EXPECT_FALSE(hook.sub.sc_Subclass(win));
  EXPECT_EQ(LastReport(), "Error in kzForms.sc_Subclass|Window handle is already subclassed.");
  // The first hook is still there and alone.
  hook.sub.sc_AddMsg(win, static_cast<std::int32_t>(kPing), MSG_BEFORE);
  Ping();
  EXPECT_EQ(log, (std::vector<std::string>{"f.before(0)", "proc"}));
}

TEST_F(CheckedHookTest, LookupsOfWindowsNotHookedAreReported) {
  struct Case {
    bool started;  // after the first hook of another window
    std::function<void()> call;
    std::string report;
  };
  const ui::Hwnd other = desktop.CreateWindow({}, nullptr);
  const std::vector<Case> cases = {
      {false, [&] { hook.sub.sc_AddMsg(win, 0x200); }, "Error in kzForms.zMap_hWnd|Subclassing hasn't been started."},
      {false, [&] { hook.sub.sc_UnSubclass(win); }, "Error in kzForms.sc_UnSubclass|Window handle isn't subclassed."},
      {true, [&] { hook.sub.sc_AddMsg(other, 0x200); }, "Error in kzForms.zMap_hWnd|Window handle isn't subclassed."},
      {true, [&] { hook.sub.sc_DelMsg(other, 0x200); }, "Error in kzForms.zMap_hWnd|Window handle isn't subclassed."},
      {true, [&] { hook.sub.sc_UnSubclass(other); }, "Error in kzForms.zMap_hWnd|Window handle isn't subclassed."},
  };
  for (const Case& c : cases) {
    if (c.started && !hook.sub.started()) {
      ASSERT_TRUE(hook.sub.sc_Subclass(win));
    }
    services::clear_recorded();
    c.call();
    EXPECT_EQ(LastReport(), c.report);
  }
  EXPECT_EQ(hook.sub.AfterTable(win)->count(), 0);
}

TEST_F(CheckedHookTest, OverflowAndNotFoundAreReportedAndChangeNothing) {
  ASSERT_TRUE(hook.sub.sc_Subclass(win));
  for (std::int32_t m = 1; m <= MSG_ENTRIES; ++m) hook.sub.sc_AddMsg(win, 0x1000 + m);
  EXPECT_TRUE(services::recorded_message_boxes().empty());
  hook.sub.sc_AddMsg(win, 0x200);
  EXPECT_EQ(LastReport(),
            "Error in kzForms.zAddMsg|Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
            "ALL_MESSAGES instead of specific message values.");
  EXPECT_EQ(hook.sub.AfterTable(win)->count(), MSG_ENTRIES);
  hook.sub.sc_DelMsg(win, 0x200, MSG_BEFORE);
  EXPECT_EQ(LastReport(), "Error in kzForms.zDelMsg|Message &H200 not found in table.");
  EXPECT_EQ(LastLogged(), "kzForms.zDelMsg: Message &H200 not found in table");
}

TEST_F(CheckedHookTest, UnhookInsideTheProcedureWaitsForTheOutermostCall) {
  ASSERT_TRUE(hook.sub.sc_Subclass(win));
  hook.sub.sc_AddMsg(win, ALL_MESSAGES, MSG_BEFORE | MSG_AFTER);
  in_proc = [&](Message m) {
    if (m != kPing) return;
    hook.sub.sc_UnSubclass(win);
    // A nested message while the release is pending: no callback, the record must live on.
    EXPECT_EQ(desktop.SendMessage(win, kPong), kProcResult);
  };
  EXPECT_EQ(Ping(), kProcResult);
  in_proc = nullptr;
  EXPECT_EQ(Ping(), kProcResult);
  EXPECT_EQ(log, (std::vector<std::string>{"f.before(0)", "proc", "proc", "proc"}));
  EXPECT_FALSE(hook.sub.started() && hook.sub.AfterTable(win));
}

TEST_F(CheckedHookTest, UserValueIsKeptBetweenMessages) {
  struct Counting : CheckedOwner {
    std::vector<std::int32_t> seen;
    void zSubclass_Proc(bool, bool&, LResult&, ui::Hwnd, Message, ui::WParam, ui::LParam,
                        std::int32_t& lParamUser) override {
      seen.push_back(lParamUser++);
    }
  } counting;
  CheckedSubclasser sub(desktop, counting, "kzForms");
  ASSERT_TRUE(sub.sc_Subclass(win, 5));
  sub.sc_AddMsg(win, static_cast<std::int32_t>(kPing), MSG_AFTER);
  Ping();
  Ping();
  EXPECT_EQ(counting.seen, (std::vector<std::int32_t>{5, 6}));
}

// ---- The simple variant ----

class SimpleHookTest : public HookFixture, public ::testing::Test {
 protected:
  SimpleHookTest() {
    hook.owner.name = "b";
    hook.owner.log = &log;
  }
  SimpleHook hook{desktop};
};

TEST_F(SimpleHookTest, UnhookInsideACallbackTakesEffectAtOnce) {
  ASSERT_TRUE(hook.sub.sc_Subclass(win));
  hook.sub.sc_AddMsg(win, static_cast<std::int32_t>(kPing), MSG_BEFORE | MSG_AFTER);
  hook.owner.react = [&](bool before, bool&, LResult&, Message) {
    if (before) hook.sub.sc_UnSubclass(win);
  };
  EXPECT_EQ(Ping(), kProcResult);  // the procedure still gets the message under way
  EXPECT_EQ(Ping(), kProcResult);
  EXPECT_EQ(log, (std::vector<std::string>{"b.before(0)", "proc", "proc"}));
}

TEST_F(SimpleHookTest, NoChecksNoReportsAndTablesWithoutLimit) {
  EXPECT_TRUE(hook.sub.sc_Subclass(win));
  EXPECT_TRUE(hook.sub.sc_Subclass(win));  // chained, not refused
  for (std::int32_t m = 1; m <= 40; ++m) hook.sub.sc_AddMsg(win, 0x1000 + m);
  hook.sub.sc_DelMsg(win, 0x200);
  hook.sub.sc_AddMsg(12345, 0x200);
  EXPECT_EQ(hook.sub.AfterTable(win)->count(), 40);
  EXPECT_TRUE(services::recorded_message_boxes().empty());
  EXPECT_TRUE(services::recorded_events().empty());
}

TEST_F(SimpleHookTest, FreedRegistryEntryIsReused) {
  const ui::Hwnd second = desktop.CreateWindow({}, nullptr);
  ASSERT_TRUE(hook.sub.sc_Subclass(win));
  ASSERT_TRUE(hook.sub.sc_Subclass(second));
  hook.sub.sc_UnSubclass(win);
  ASSERT_TRUE(hook.sub.sc_Subclass(win));
  EXPECT_EQ(hook.sub.entry_count(), 2u);
}

TEST_F(SimpleHookTest, BeforePhaseMayChangeWhatTheProcedureReceives) {
  struct Rewriting : SimpleOwner {
    void zSubclass_Proc(bool bBefore, bool&, LResult&, ui::Hwnd&, Message& uMsg, ui::WParam&, ui::LParam&) override {
      if (bBefore && uMsg == kPing) uMsg = kPong;
    }
  } rewriting;
  std::vector<Message> got;
  in_proc = [&](Message m) { got.push_back(m); };
  SimpleSubclasser sub(desktop, rewriting);
  ASSERT_TRUE(sub.sc_Subclass(win));
  sub.sc_AddMsg(win, static_cast<std::int32_t>(kPing), MSG_BEFORE);
  Ping();
  EXPECT_EQ(got, (std::vector<Message>{kPong}));
}

}  // namespace
}  // namespace kes::hook
