#pragma once
// The dispatch both hook variants share: one record per hooked window, installed as the
// window's procedure, calling the owner before and after the procedure it replaced.

#include <memory>
#include <utility>

#include "platform/ui/desktop.h"
#include "platform/ui/message.h"
#include "platform/ui/window.h"
#include "widgets/hook/msg_table.h"

namespace kes::hook::detail {

struct HookCore {
  HookCore(ui::Desktop& d, ui::Hwnd h, std::optional<std::int32_t> limit)
      : desktop(&d), hwnd(h), before(limit), after(limit) {}
  ui::Desktop* desktop;
  ui::Hwnd hwnd;
  ui::WindowProc previous;
  MsgTable before;
  MsgTable after;
  int nesting = 0;
  bool release_pending = false;
  // Released while a later hook still sat on top: it only passes messages on.
  bool released = false;
};

// The procedure installed in the window. It holds its record, so a record lives as long
// as the window may still call it.
template <class Record>
struct HookStub {
  std::shared_ptr<Record> record;
  ui::LResult operator()(ui::Hwnd h, ui::Message m, ui::WParam w, ui::LParam l) const;
};

// Gives the window back its previous procedure when this hook is the one installed;
// otherwise a later hook holds this one, and it turns into a plain pass-through so
// that the later hook stays in place.
template <class Record>
void Release(const std::shared_ptr<Record>& r) {
  r->before.Del(ALL_MESSAGES);
  r->after.Del(ALL_MESSAGES);
  r->released = true;
  if (!r->desktop->IsWindow(r->hwnd)) return;
  ui::WindowProc current = r->desktop->GetWindowProc(r->hwnd);
  const HookStub<Record>* mine = current.template target<HookStub<Record>>();
  if (mine && mine->record == r) r->desktop->SetWindowProc(r->hwnd, r->previous);
}

// Raises the nesting count for the duration of one call of the previous procedure.
struct NestingGuard {
  explicit NestingGuard(int& n) : n_(n) { ++n_; }
  ~NestingGuard() { --n_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
  int& n_;
};

template <class Record>
ui::LResult Dispatch(std::shared_ptr<Record> r, ui::Hwnd h, ui::Message m, ui::WParam w, ui::LParam l) {
  if (r->released) return ui::Desktop::CallWindowProc(r->previous, h, m, w, l);
  bool handled = false;
  ui::LResult ret = 0;
  const auto number = static_cast<std::int32_t>(m);
  if (r->before.Matches(number)) r->Callback(true, handled, ret, h, m, w, l);
  if (handled) return ret;
  {
    NestingGuard guard(r->nesting);
    ret = ui::Desktop::CallWindowProc(r->previous, h, m, w, l);
  }
  if (r->nesting == 0 && r->release_pending) {
    Release(r);
    return ret;
  }
  if (r->after.Matches(static_cast<std::int32_t>(m))) r->Callback(false, handled, ret, h, m, w, l);
  return ret;
}

template <class Record>
ui::LResult HookStub<Record>::operator()(ui::Hwnd h, ui::Message m, ui::WParam w, ui::LParam l) const {
  // Copied first: releasing the hook may destroy this stub while it runs.
  std::shared_ptr<Record> keep = record;
  return Dispatch(std::move(keep), h, m, w, l);
}

// Installs the record's stub as the window's procedure and keeps the replaced one.
template <class Record>
bool Install(const std::shared_ptr<Record>& r) {
  if (!r->desktop->IsWindow(r->hwnd)) return false;
  r->previous = r->desktop->SetWindowProc(r->hwnd, HookStub<Record>{r});
  return true;
}

}  // namespace kes::hook::detail
