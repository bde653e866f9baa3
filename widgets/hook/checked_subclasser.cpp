#include "widgets/hook/checked_subclasser.h"

#include <exception>
#include <new>
#include <utility>

#include "platform/services/event_log.h"
#include "platform/services/message_box.h"
#include "widgets/hook/hook_dispatch.h"

namespace kes::hook {

// The record of one hooked window.
struct CheckedSubclasser::Record : detail::HookCore {
  Record(ui::Desktop& d, ui::Hwnd h) : HookCore(d, h, MSG_ENTRIES) {}
  CheckedOwner* owner = nullptr;  // cleared on unhook: no callback after that
  std::int32_t user = 0;

  void Callback(bool before, bool& handled, ui::LResult& ret, ui::Hwnd h, ui::Message m, ui::WParam w,
                ui::LParam l) {
    if (owner) owner->zSubclass_Proc(before, handled, ret, h, m, w, l, user);
  }
};

namespace {
// The codes a failed system call would leave: not enough memory, and an invalid window.
constexpr int kErrorNotEnoughMemory = 8;
constexpr int kErrorInvalidWindowHandle = 1400;
}  // namespace

CheckedSubclasser::CheckedSubclasser(ui::Desktop& desktop, CheckedOwner& owner, std::string class_name,
                                     FailureLog failure_log)
    : desktop_(desktop), owner_(owner), class_name_(std::move(class_name)), failure_log_(std::move(failure_log)) {}

CheckedSubclasser::~CheckedSubclasser() { sc_UnSubclassAll(); }

void CheckedSubclasser::ReportError(const char* routine, const std::string& message) const {
  services::show_message_box(services::MessageIcon::Warning, "Error in " + class_name_ + "." + routine,
                             message + ".");
  services::log_event(services::EventType::Error, class_name_ + "." + routine + ": " + message);
}

bool CheckedSubclasser::sc_Subclass(ui::Hwnd lng_hWnd, std::int32_t lParamUser, CheckedOwner* callback) {
  const char* routine = "sc_Subclass";
  if (lng_hWnd == 0 || !desktop_.IsWindow(lng_hWnd)) {
    ReportError(routine, "Invalid window handle");
    return false;
  }
  // Every window of the Desktop belongs to this process, so the ownership check always passes.
  started_ = true;
  std::shared_ptr<Record> r;
  try {
    r = std::make_shared<Record>(desktop_, lng_hWnd);
  } catch (const std::bad_alloc&) {
    ReportError(routine, "VirtualAlloc failed, error: " + std::to_string(kErrorNotEnoughMemory));
    return false;
  }
  if (Find(lng_hWnd)) {
    ReportError(routine, "Window handle is already subclassed");
    return false;
  }
  registry_.push_back(r);
  r->owner = callback ? callback : &owner_;
  r->user = lParamUser;
  if (!detail::Install(r)) {
    registry_.pop_back();
    ReportError(routine, "SetWindowLong failed, error #" + std::to_string(kErrorInvalidWindowHandle));
    return false;
  }
  return true;
}

std::shared_ptr<CheckedSubclasser::Record> CheckedSubclasser::Find(ui::Hwnd lng_hWnd) const {
  for (const auto& r : registry_)
    if (r->hwnd == lng_hWnd) return r;
  return nullptr;
}

std::shared_ptr<CheckedSubclasser::Record> CheckedSubclasser::zMap_hWnd(ui::Hwnd lng_hWnd, const char* routine) {
  if (!started_) {
    ReportError(routine, "Subclassing hasn't been started");
    return nullptr;
  }
  std::shared_ptr<Record> r = Find(lng_hWnd);
  if (!r) ReportError(routine, "Window handle isn't subclassed");
  return r;
}

void CheckedSubclasser::sc_UnSubclass(ui::Hwnd lng_hWnd) {
  if (!started_) {
    ReportError("sc_UnSubclass", "Window handle isn't subclassed");
    return;
  }
  std::shared_ptr<Record> r = zMap_hWnd(lng_hWnd);
  if (!r) return;
  r->owner = nullptr;
  r->before.Del(ALL_MESSAGES);
  r->after.Del(ALL_MESSAGES);
  r->release_pending = true;
  std::erase(registry_, r);
  // The window keeps the hook until its next message has passed through it.
}

void CheckedSubclasser::sc_UnSubclassAll() {
  if (!started_) return;
  try {
    std::vector<ui::Hwnd> windows;
    for (const auto& r : registry_) windows.push_back(r->hwnd);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) sc_UnSubclass(*it);
  } catch (...) {
    // A failure inside the walk ends it without a report.
  }
  registry_.clear();
  started_ = false;
}

void CheckedSubclasser::sc_AddMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing) {
  EditTables("sc_AddMsg", lng_hWnd, uMsg, timing, &CheckedSubclasser::zAddMsg);
}

void CheckedSubclasser::sc_DelMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing) {
  EditTables("sc_DelMsg", lng_hWnd, uMsg, timing, &CheckedSubclasser::zDelMsg);
}

void CheckedSubclasser::EditTables(const char* routine, ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing,
                                   void (CheckedSubclasser::*edit)(std::int32_t, MsgTable&)) {
  try {
    std::shared_ptr<Record> r = zMap_hWnd(lng_hWnd);
    if (!r) return;
    if (timing & MSG_BEFORE) (this->*edit)(uMsg, r->before);
    if (timing & MSG_AFTER) (this->*edit)(uMsg, r->after);
  } catch (const std::exception& e) {
    if (failure_log_) failure_log_(routine, e.what());
  }
}

void CheckedSubclasser::zAddMsg(std::int32_t uMsg, MsgTable& table) {
  if (table.Add(uMsg) == TableEdit::Overflow) ReportError("zAddMsg", kOverflowText);
}

void CheckedSubclasser::zDelMsg(std::int32_t uMsg, MsgTable& table) {
  if (table.Del(uMsg) == TableEdit::NotFound) ReportError("zDelMsg", NotFoundText(uMsg));
}

const MsgTable* CheckedSubclasser::BeforeTable(ui::Hwnd lng_hWnd) const {
  const auto r = Find(lng_hWnd);
  return r ? &r->before : nullptr;
}

const MsgTable* CheckedSubclasser::AfterTable(ui::Hwnd lng_hWnd) const {
  const auto r = Find(lng_hWnd);
  return r ? &r->after : nullptr;
}

}  // namespace kes::hook
