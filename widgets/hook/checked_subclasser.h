#pragma once
// The checked message hook: fixed 32-slot tables, every misuse reported to the user and the
// event log, and a release that waits until the window's running messages have returned.
// The window frame uses it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/desktop.h"
#include "platform/ui/message.h"
#include "widgets/hook/msg_table.h"

namespace kes::hook {

// Receives the messages a CheckedSubclasser's owner asked for.
class CheckedOwner {
 public:
  virtual ~CheckedOwner() = default;
  // bBefore: before the window's previous procedure (true) or after it. Setting bHandled in
  // the before phase answers the message with lReturn and skips the rest; in the after phase
  // lReturn holds the previous procedure's result and may be replaced. lParamUser is the
  // window's user value, kept for its later messages.
  virtual void zSubclass_Proc(bool bBefore, bool& bHandled, ui::LResult& lReturn, ui::Hwnd lng_hWnd,
                              ui::Message uMsg, ui::WParam wParam, ui::LParam lParam,
                              std::int32_t& lParamUser) = 0;
};

class CheckedSubclasser {
 public:
  // class_name titles the error reports ("Error in " + class_name + "." + routine).
  // failure_log receives unexpected failures of sc_AddMsg and sc_DelMsg (routine, what).
  using FailureLog = std::function<void(const std::string& routine, const std::string& what)>;
  CheckedSubclasser(ui::Desktop& desktop, CheckedOwner& owner, std::string class_name,
                    FailureLog failure_log = {});
  ~CheckedSubclasser();
  CheckedSubclasser(const CheckedSubclasser&) = delete;
  CheckedSubclasser& operator=(const CheckedSubclasser&) = delete;

  // Hooks a window; false (after a report) for a missing window, a window this owner already
  // hooked, or a failure to install. callback defaults to the owner.
  bool sc_Subclass(ui::Hwnd lng_hWnd, std::int32_t lParamUser = 0, CheckedOwner* callback = nullptr);
  // Stops every callback for the window now; the procedure is given back once the window's
  // running messages have returned.
  void sc_UnSubclass(ui::Hwnd lng_hWnd);
  // Unhooks every window, the last hooked first.
  void sc_UnSubclassAll();
  // Wants (or stops wanting) a message, or ALL_MESSAGES, in the tables timing names
  // (MSG_BEFORE, MSG_AFTER or both).
  void sc_AddMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing = MSG_AFTER);
  void sc_DelMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing = MSG_AFTER);

  // Whether the registry exists (the first hook succeeded and no unhook-all followed).
  bool started() const { return started_; }
  // The tables of a hooked window, for inspection; nullptr when it is not hooked.
  const MsgTable* BeforeTable(ui::Hwnd lng_hWnd) const;
  const MsgTable* AfterTable(ui::Hwnd lng_hWnd) const;

  struct Record;

 private:
  std::shared_ptr<Record> zMap_hWnd(ui::Hwnd lng_hWnd, const char* routine = "zMap_hWnd");
  std::shared_ptr<Record> Find(ui::Hwnd lng_hWnd) const;
  // Edits the tables timing names; an unexpected failure goes to the failure log under routine.
  void EditTables(const char* routine, ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing,
                  void (CheckedSubclasser::*edit)(std::int32_t, MsgTable&));
  void zAddMsg(std::int32_t uMsg, MsgTable& table);
  void zDelMsg(std::int32_t uMsg, MsgTable& table);
  void ReportError(const char* routine, const std::string& message) const;

  ui::Desktop& desktop_;
  CheckedOwner& owner_;
  std::string class_name_;
  FailureLog failure_log_;
  bool started_ = false;
  // In registration order.
  std::vector<std::shared_ptr<Record>> registry_;
};

}  // namespace kes::hook
