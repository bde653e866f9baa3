#include "widgets/hook/simple_subclasser.h"

#include "widgets/hook/hook_dispatch.h"

namespace kes::hook {

struct SimpleSubclasser::Record : detail::HookCore {
  Record(ui::Desktop& d, ui::Hwnd h) : HookCore(d, h, std::nullopt) {}
  SimpleOwner* owner = nullptr;  // cleared on unhook

  void Callback(bool before, bool& handled, ui::LResult& ret, ui::Hwnd& h, ui::Message& m, ui::WParam& w,
                ui::LParam& l) {
    if (owner) owner->zSubclass_Proc(before, handled, ret, h, m, w, l);
  }
};

SimpleSubclasser::SimpleSubclasser(ui::Desktop& desktop, SimpleOwner& owner) : desktop_(desktop), owner_(owner) {}

SimpleSubclasser::~SimpleSubclasser() { sc_UnSubclassAll(); }

bool SimpleSubclasser::sc_Subclass(ui::Hwnd lng_hWnd) {
  auto r = std::make_shared<Record>(desktop_, lng_hWnd);
  r->owner = &owner_;
  if (!detail::Install(r)) return false;
  for (auto& e : entries_) {
    if (!e) {
      e = std::move(r);
      return true;
    }
  }
  entries_.push_back(std::move(r));
  return true;
}

SimpleSubclasser::Record* SimpleSubclasser::Find(ui::Hwnd lng_hWnd) const {
  for (const auto& e : entries_)
    if (e && e->hwnd == lng_hWnd) return e.get();
  return nullptr;
}

void SimpleSubclasser::sc_UnSubclass(ui::Hwnd lng_hWnd) {
  for (auto& e : entries_) {
    if (e && e->hwnd == lng_hWnd) {
      e->owner = nullptr;
      detail::Release(e);
      e.reset();
      return;
    }
  }
}

void SimpleSubclasser::sc_UnSubclassAll() {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (!*it) continue;
    (*it)->owner = nullptr;
    detail::Release(*it);
    it->reset();
  }
  entries_.clear();
}

void SimpleSubclasser::sc_AddMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing) {
  Record* r = Find(lng_hWnd);
  if (!r) return;
  if (timing & MSG_BEFORE) r->before.Add(uMsg);
  if (timing & MSG_AFTER) r->after.Add(uMsg);
}

void SimpleSubclasser::sc_DelMsg(ui::Hwnd lng_hWnd, std::int32_t uMsg, std::uint32_t timing) {
  Record* r = Find(lng_hWnd);
  if (!r) return;
  if (timing & MSG_BEFORE) r->before.Del(uMsg);
  if (timing & MSG_AFTER) r->after.Del(uMsg);
}

const MsgTable* SimpleSubclasser::BeforeTable(ui::Hwnd lng_hWnd) const {
  const Record* r = Find(lng_hWnd);
  return r ? &r->before : nullptr;
}

const MsgTable* SimpleSubclasser::AfterTable(ui::Hwnd lng_hWnd) const {
  const Record* r = Find(lng_hWnd);
  return r ? &r->after : nullptr;
}

}  // namespace kes::hook
