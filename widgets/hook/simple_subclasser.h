#pragma once
// The light message hook the button and the tab strip use: tables that grow without
// bound, no checks and no reports, several hooks on one window chained, and an unhook
// that takes effect at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui/desktop.h"
#include "platform/ui/message.h"
#include "widgets/hook/msg_table.h"

namespace kes::hook {

// Receives the messages a SimpleSubclasser's owner asked for. The window, message and
// parameters come by reference: a before-phase callback may change what the previous
// procedure receives.
class SimpleOwner {
 public:
  virtual ~SimpleOwner() = default;
  virtual void zSubclass_Proc(bool bBefore, bool& bHandled, ui::LResult& lReturn, ui::Hwnd& lng_hWnd,
                              ui::Message& uMsg, ui::WParam& wParam, ui::LParam& lParam) = 0;
};

class SimpleSubclasser {
 public:
  SimpleSubclasser(ui::Desktop& desktop, SimpleOwner& owner);
  ~SimpleSubclasser();
  SimpleSubclasser(const SimpleSubclasser&) = delete;
  SimpleSubclasser& operator=(const SimpleSubclasser&) = delete;

  // Hooks a window (chained on any hook already there); false only for a missing window.
  bool sc_Subclass(ui::Hwnd lng_hWnd);
  // Gives the window its previous procedure back now; no callback follows.
  void sc_UnSubclass(ui::Hwnd lng_hWnd);
  // Unhooks every window, from the last entry to the first.
  void sc_UnSubclassAll();
  void sc_AddMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing = MSG_AFTER);
  void sc_DelMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing = MSG_AFTER);

  // The number of registry entries, freed ones included.
  std::size_t entry_count() const { return entries_.size(); }
  const MsgTable* BeforeTable(ui::Hwnd lng_hWnd) const;
  const MsgTable* AfterTable(ui::Hwnd lng_hWnd) const;

  struct Record;

 private:
  Record* Find(ui::Hwnd lng_hWnd) const;

  ui::Desktop& desktop_;
  SimpleOwner& owner_;
  // A freed entry (null) is reused by the next hook.
  std::vector<std::shared_ptr<Record>> entries_;
};

}  // namespace kes::hook
