#include "platform/ui/headless_backend.h"

#include <algorithm>

namespace kes::ui {

HeadlessBackend::HeadlessBackend(gfx::Size screen, int taskbar_height) : screen_(screen), taskbar_(taskbar_height) {}

void HeadlessBackend::Push(BackendEvent event) { queue_.push_back(std::move(event)); }

namespace {

// The pointer position the scripted events have reached (queued, not yet delivered).
gfx::Point ScriptedPointer(const std::deque<BackendEvent>& queue, gfx::Point delivered) {
    for (auto it = queue.rbegin(); it != queue.rend(); ++it)
        if (it->kind == EventKind::MouseMove || it->kind == EventKind::MouseDown || it->kind == EventKind::MouseUp ||
            it->kind == EventKind::MouseWheel)
            return it->screen_pos;
    return delivered;
}

}  // namespace

void HeadlessBackend::MouseMoveTo(gfx::Point screen) {
    BackendEvent e;
    e.kind = EventKind::MouseMove;
    e.screen_pos = screen;
    e.buttons = buttons_;
    e.shift = shift_;
    Push(std::move(e));
}

void HeadlessBackend::PushButton(EventKind kind, MouseButtons button) {
    BackendEvent e;
    e.kind = kind;
    e.screen_pos = ScriptedPointer(queue_, pointer_);
    e.button = button;
    if (kind == EventKind::MouseDown)
        buttons_ |= button;
    else
        buttons_ &= static_cast<MouseButtons>(~button);
    e.buttons = buttons_;
    e.shift = shift_;
    Push(std::move(e));
}

void HeadlessBackend::MouseDown(MouseButtons button) { PushButton(EventKind::MouseDown, button); }
void HeadlessBackend::MouseUp(MouseButtons button) { PushButton(EventKind::MouseUp, button); }

void HeadlessBackend::Click(gfx::Point screen, MouseButtons button) {
    MouseMoveTo(screen);
    MouseDown(button);
    MouseUp(button);
}

void HeadlessBackend::Wheel(int delta) {
    BackendEvent e;
    e.kind = EventKind::MouseWheel;
    e.screen_pos = ScriptedPointer(queue_, pointer_);
    e.wheel_delta = delta;
    e.buttons = buttons_;
    e.shift = shift_;
    Push(std::move(e));
}

void HeadlessBackend::PushKey(EventKind kind, KeyCode key, ShiftState shift) {
    BackendEvent e;
    e.kind = kind;
    e.key = key;
    e.shift = shift;
    shift_ = shift;
    Push(std::move(e));
}

void HeadlessBackend::KeyDown(KeyCode key, ShiftState shift) { PushKey(EventKind::KeyDown, key, shift); }
void HeadlessBackend::KeyUp(KeyCode key, ShiftState shift) { PushKey(EventKind::KeyUp, key, shift); }

void HeadlessBackend::KeyPress(KeyCode key, ShiftState shift) {
    KeyDown(key, shift);
    KeyUp(key, shift);
}

void HeadlessBackend::Type(const std::string& utf8) {
    BackendEvent e;
    e.kind = EventKind::TextInput;
    e.text = utf8;
    e.shift = shift_;
    Push(std::move(e));
}

void HeadlessBackend::RequestClose(NativeId id) {
    BackendEvent e;
    e.kind = EventKind::CloseRequest;
    e.window = id;
    Push(std::move(e));
}

void HeadlessBackend::MoveDesktopFocus(NativeId id, std::int64_t due) {
    if (id == desktop_focus_) return;
    if (desktop_focus_) {
        BackendEvent lost;
        lost.kind = EventKind::Deactivated;
        lost.window = desktop_focus_;
        later_.push_back({due, std::move(lost)});
    }
    desktop_focus_ = id;
    BackendEvent gained;
    gained.kind = EventKind::Activated;
    gained.window = id;
    later_.push_back({due, std::move(gained)});
}

void HeadlessBackend::FocusByDesktop(NativeId id) {
    MoveDesktopFocus(id, now_);
    ReleaseDue();
}

void HeadlessBackend::ReleaseDue() {
    while (!later_.empty() && later_.front().due <= now_) {
        queue_.push_back(std::move(later_.front().event));
        later_.pop_front();
    }
}

bool HeadlessBackend::PollEvent(BackendEvent& out) {
    ReleaseDue();
    if (queue_.empty()) return false;
    out = std::move(queue_.front());
    queue_.pop_front();
    if (out.kind == EventKind::MouseMove || out.kind == EventKind::MouseDown || out.kind == EventKind::MouseUp ||
        out.kind == EventKind::MouseWheel)
        pointer_ = out.screen_pos;
    return true;
}

WaitResult HeadlessBackend::WaitEvent(BackendEvent& out, std::int64_t timeout_ms) {
    if (PollEvent(out)) return WaitResult::Event;
    if (woken_) {
        woken_ = false;
        return WaitResult::Timeout;
    }
    if (!later_.empty() && (timeout_ms < 0 || later_.front().due <= now_ + timeout_ms)) {
        // Sleeping until the desktop answers.
        now_ = std::max(now_, later_.front().due);
        if (PollEvent(out)) return WaitResult::Event;
    }
    if (timeout_ms >= 0) {
        // Sleeping on a virtual clock: the time passes at once.
        now_ += timeout_ms;
        return WaitResult::Timeout;
    }
    if (idle_ && idle_() && PollEvent(out)) return WaitResult::Event;
    return WaitResult::Stalled;
}

NativeId HeadlessBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    const NativeId id = next_id_++;
    natives_[id].desc = desc;
    return id;
}

void HeadlessBackend::DestroyNativeWindow(NativeId id) {
    natives_.erase(id);
    if (desktop_focus_ == id) desktop_focus_ = 0;
    std::erase_if(later_, [id](const Later& l) { return l.event.window == id; });
}

HeadlessBackend::Native* HeadlessBackend::find(NativeId id) {
    auto it = natives_.find(id);
    return it == natives_.end() ? nullptr : &it->second;
}

const HeadlessBackend::Native* HeadlessBackend::find(NativeId id) const {
    auto it = natives_.find(id);
    return it == natives_.end() ? nullptr : &it->second;
}

void HeadlessBackend::SetNativeTitle(NativeId id, const std::string& utf8) {
    if (Native* n = find(id)) n->desc.title = utf8;
}

void HeadlessBackend::SetNativeIcon(NativeId, const gfx::Surface&) {}

void HeadlessBackend::SetNativeBounds(NativeId id, gfx::Rect bounds) {
    if (Native* n = find(id)) n->desc.bounds = bounds;
}

void HeadlessBackend::ShowNative(NativeId id, bool visible) {
    if (Native* n = find(id)) n->desc.visible = visible;
}

void HeadlessBackend::MinimizeNative(NativeId id) {
    if (Native* n = find(id)) n->minimized = true;
}

void HeadlessBackend::RestoreNative(NativeId id) {
    if (Native* n = find(id)) n->minimized = false;
}

void HeadlessBackend::RaiseNative(NativeId id) {
    Native* n = find(id);
    if (!n) return;
    ++n->raises;
    if (focus_latency_ >= 0 && n->desc.visible && !n->minimized) MoveDesktopFocus(id, now_ + focus_latency_);
}

int HeadlessBackend::RaiseCount(NativeId id) const {
    const Native* n = find(id);
    return n ? n->raises : 0;
}

void HeadlessBackend::SetNativeTopmost(NativeId id, bool topmost) {
    if (Native* n = find(id)) n->desc.topmost = topmost;
}

void HeadlessBackend::Present(NativeId id, const gfx::Surface& picture, gfx::Rect changed) {
    Native* n = find(id);
    if (!n) return;
    if (n->picture.size() != picture.size()) {
        n->picture = picture;
    } else {
        n->picture.copy_from(picture, changed, changed.location());
    }
    ++n->presents;
    n->last_area = changed;
}

void HeadlessBackend::WarpPointer(gfx::Point screen) { MouseMoveTo(screen); }

const gfx::Surface& HeadlessBackend::Presented(NativeId id) const {
    static const gfx::Surface empty;
    const Native* n = find(id);
    return n ? n->picture : empty;
}

int HeadlessBackend::PresentCount(NativeId id) const {
    const Native* n = find(id);
    return n ? n->presents : 0;
}

gfx::Rect HeadlessBackend::LastPresentedArea(NativeId id) const {
    const Native* n = find(id);
    return n ? n->last_area : gfx::Rect{};
}

gfx::Rect HeadlessBackend::NativeBounds(NativeId id) const {
    const Native* n = find(id);
    return n ? n->desc.bounds : gfx::Rect{};
}

bool HeadlessBackend::NativeVisible(NativeId id) const {
    const Native* n = find(id);
    return n && n->desc.visible;
}

bool HeadlessBackend::NativeMinimized(NativeId id) const {
    const Native* n = find(id);
    return n && n->minimized;
}

bool HeadlessBackend::NativeTopmost(NativeId id) const {
    const Native* n = find(id);
    return n && n->desc.topmost;
}

std::string HeadlessBackend::NativeTitle(NativeId id) const {
    const Native* n = find(id);
    return n ? n->desc.title : std::string{};
}

}  // namespace kes::ui
