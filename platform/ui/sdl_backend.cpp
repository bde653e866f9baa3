#include "platform/ui/sdl_backend.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "platform/ui/message.h"
#if KES_UI_HAVE_X11
#include "platform/ui/x11_errors.h"
#include "platform/ui/x11_move.h"
#include "platform/ui/x11_pointer.h"
#include "platform/ui/x11_show.h"
#endif

namespace kes::ui {

int ScaleFromEnvironment() {
    const char* v = std::getenv("KESTRANE_SCALE");
    if (!v || !*v) return 0;
    char* end = nullptr;
    const long n = std::strtol(v, &end, 10);
    if (*end != '\0' || n < 1 || n > 8) return 0;
    return static_cast<int>(n);
}

namespace {

// How long showing a window waits for the desktop to map it.
constexpr int kMapTimeoutMs = 2000;

// Shows or restores a window without SDL's unlimited wait for the map: the
// window is mapped first (within a time limit), so SDL finds it mapped. When
// the desktop does not map it in time, SDL learns of the map when it comes.
void ShowWithin(SDL_Window* w, void (*show)(SDL_Window*)) {
#if KES_UI_HAVE_X11
    if (!X11MapWithin(w, kMapTimeoutMs)) return;
#endif
    show(w);
}

KeyCode KeyFromSdl(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<KeyCode>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<KeyCode>('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<KeyCode>(VK_F1 + (k - SDLK_F1));
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return static_cast<KeyCode>(VK_NUMPAD0 + 1 + (k - SDLK_KP_1));
    switch (k) {
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_TAB: return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_END: return VK_END;
        case SDLK_HOME: return VK_HOME;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_KP_0: return VK_NUMPAD0;
        case SDLK_KP_PERIOD: return VK_DECIMAL;
        case SDLK_PERIOD: return VK_OEM_PERIOD;
        case SDLK_MINUS: return VK_OEM_MINUS;
        default: return 0;
    }
}

ShiftState ShiftFromSdl(Uint16 mod) {
    ShiftState s = 0;
    if (mod & KMOD_SHIFT) s |= kShiftMask;
    if (mod & KMOD_CTRL) s |= kCtrlMask;
    if (mod & KMOD_ALT) s |= kAltMask;
    return s;
}

MouseButtons ButtonFromSdl(Uint8 b) {
    switch (b) {
        case SDL_BUTTON_LEFT: return kLeftButton;
        case SDL_BUTTON_RIGHT: return kRightButton;
        case SDL_BUTTON_MIDDLE: return kMiddleButton;
        default: return 0;
    }
}

MouseButtons ButtonsFromSdlState(Uint32 state) {
    MouseButtons b = 0;
    if (state & SDL_BUTTON_LMASK) b |= kLeftButton;
    if (state & SDL_BUTTON_RMASK) b |= kRightButton;
    if (state & SDL_BUTTON_MMASK) b |= kMiddleButton;
    return b;
}

SDL_SystemCursor SdlCursor(CursorKind k) {
    switch (k) {
        case CursorKind::Hand: return SDL_SYSTEM_CURSOR_HAND;
        case CursorKind::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
        case CursorKind::Wait: return SDL_SYSTEM_CURSOR_WAIT;
        case CursorKind::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
        case CursorKind::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
        case CursorKind::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
        case CursorKind::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
        case CursorKind::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
        case CursorKind::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
        case CursorKind::No: return SDL_SYSTEM_CURSOR_NO;
        default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

}  // namespace

struct SdlBackend::Impl {
    bool ok = false;
    std::string error;
    int scale = 1;
    bool woken = false;  // Wake() was called: the next wait returns at once
    bool x11 = false;    // the video driver is X11
    bool captured = false;  // pointer captured for a window (a drag in progress)
    CaptionTest caption_test = nullptr;
    void* caption_context = nullptr;
    std::map<CursorKind, SDL_Cursor*> stock_cursors;
    SDL_Cursor* custom_cursor = nullptr;
    std::vector<std::uint32_t> scaled;  // scratch for enlarged rows

    std::vector<NativeId> windows;  // the native windows alive, for asking their display

    SDL_Window* window(NativeId id) const { return id ? SDL_GetWindowFromID(id) : nullptr; }

    // The pointer in physical screen pixels, asked of the desktop now.
    void GlobalPointer(int& x, int& y) const {
#if KES_UI_HAVE_X11
        if (!windows.empty() && X11PointerPosition(window(windows.front()), x, y)) return;
#endif
        SDL_GetGlobalMouseState(&x, &y);
    }

    gfx::Point ScreenOf(Uint32 window_id, int x, int y) const {
        int wx = 0, wy = 0;
        if (SDL_Window* w = window(window_id)) SDL_GetWindowPosition(w, &wx, &wy);
        return {(wx + x) / scale, (wy + y) / scale};
    }

    static SDL_HitTestResult HitTest(SDL_Window* win, const SDL_Point* area, void* data) {
        auto* self = static_cast<Impl*>(data);
        if (!self->caption_test) return SDL_HITTEST_NORMAL;
        const gfx::Point client{area->x / self->scale, area->y / self->scale};
        return self->caption_test(self->caption_context, SDL_GetWindowID(win), client) ? SDL_HITTEST_DRAGGABLE
                                                                                      : SDL_HITTEST_NORMAL;
    }

    // Converts one SDL event; false for those the Desktop does not need.
    bool Convert(const SDL_Event& e, BackendEvent& out) {
        out = BackendEvent{};
        switch (e.type) {
            case SDL_MOUSEMOTION: {
                out.kind = EventKind::MouseMove;
                out.window = e.motion.windowID;
                if (captured) {
                    // While we move a window ourselves its relative positions lag behind.
                    int gx = 0, gy = 0;
                    GlobalPointer(gx, gy);
                    out.screen_pos = {gx / scale, gy / scale};
                } else {
                    // Window-relative works on every desktop (Wayland has no global position).
                    out.screen_pos = ScreenOf(e.motion.windowID, e.motion.x, e.motion.y);
                }
                out.buttons = ButtonsFromSdlState(e.motion.state);
                out.shift = ShiftFromSdl(static_cast<Uint16>(SDL_GetModState()));
                return true;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                out.button = ButtonFromSdl(e.button.button);
                if (!out.button) return false;
                out.kind = e.type == SDL_MOUSEBUTTONDOWN ? EventKind::MouseDown : EventKind::MouseUp;
                out.window = e.button.windowID;
                out.screen_pos = ScreenOf(e.button.windowID, e.button.x, e.button.y);
                out.buttons = ButtonsFromSdlState(SDL_GetMouseState(nullptr, nullptr));
                out.shift = ShiftFromSdl(static_cast<Uint16>(SDL_GetModState()));
                return true;
            }
            case SDL_MOUSEWHEEL: {
                int y = e.wheel.y;
                if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) y = -y;
                if (y == 0) return false;
                out.kind = EventKind::MouseWheel;
                out.window = e.wheel.windowID;
#if SDL_VERSION_ATLEAST(2, 26, 0)
                out.screen_pos = ScreenOf(e.wheel.windowID, e.wheel.mouseX, e.wheel.mouseY);
#else
                int mx = 0, my = 0;
                SDL_GetMouseState(&mx, &my);
                out.screen_pos = ScreenOf(e.wheel.windowID, mx, my);
#endif
                out.wheel_delta = y * WHEEL_DELTA;
                out.buttons = ButtonsFromSdlState(SDL_GetMouseState(nullptr, nullptr));
                out.shift = ShiftFromSdl(static_cast<Uint16>(SDL_GetModState()));
                return true;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                out.key = KeyFromSdl(e.key.keysym.sym);
                if (!out.key) return false;
                out.kind = e.type == SDL_KEYDOWN ? EventKind::KeyDown : EventKind::KeyUp;
                out.window = e.key.windowID;
                out.shift = ShiftFromSdl(e.key.keysym.mod);
                out.repeat = e.key.repeat != 0;
                return true;
            }
            case SDL_TEXTINPUT:
                out.kind = EventKind::TextInput;
                out.window = e.text.windowID;
                out.text = e.text.text;
                return true;
            case SDL_QUIT:
                // A signal or the session ending: every window is asked to close.
                out.kind = EventKind::CloseRequest;
                return true;
            case SDL_WINDOWEVENT:
                out.window = e.window.windowID;
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_CLOSE: out.kind = EventKind::CloseRequest; return true;
                    case SDL_WINDOWEVENT_FOCUS_GAINED: out.kind = EventKind::Activated; return true;
                    case SDL_WINDOWEVENT_FOCUS_LOST: out.kind = EventKind::Deactivated; return true;
                    case SDL_WINDOWEVENT_LEAVE: out.kind = EventKind::PointerLeft; return true;
                    case SDL_WINDOWEVENT_MOVED:
                        out.kind = EventKind::Moved;
                        out.screen_pos = {e.window.data1 / scale, e.window.data2 / scale};
                        return true;
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        out.kind = EventKind::Resized;
                        out.size = {e.window.data1 / scale, e.window.data2 / scale};
                        return true;
                    case SDL_WINDOWEVENT_MINIMIZED: out.kind = EventKind::Minimized; return true;
                    case SDL_WINDOWEVENT_RESTORED: out.kind = EventKind::Restored; return true;
                    case SDL_WINDOWEVENT_EXPOSED: out.kind = EventKind::Exposed; return true;
                    default: return false;
                }
            default: return false;
        }
    }
};

SdlBackend::SdlBackend() : impl_(std::make_unique<Impl>()) {
    // We draw in software: a GL renderer behind the window surface only costs start-up time.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        impl_->error = SDL_GetError();
        return;
    }
    impl_->ok = true;
#if KES_UI_HAVE_X11
    if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::strcmp(driver, "x11") == 0) {
        impl_->x11 = true;
        X11MakeErrorsNonFatal();
    }
#endif
    int scale = ScaleFromEnvironment();
    if (scale == 0) {
        float ddpi = 0;
        scale = 1;
        if (SDL_GetDisplayDPI(0, &ddpi, nullptr, nullptr) == 0 && ddpi > 0)
            scale = std::clamp(static_cast<int>(ddpi / 96.0f + 0.25f), 1, 8);
    }
    impl_->scale = scale;
    SDL_StartTextInput();
}

SdlBackend::~SdlBackend() {
    if (!impl_->ok) return;
    for (auto& [k, c] : impl_->stock_cursors) SDL_FreeCursor(c);
    if (impl_->custom_cursor) SDL_FreeCursor(impl_->custom_cursor);
    // On X11, SDL puts Xlib's fatal error handler back before it closes its connections, and
    // closing them delivers any late error about a window already gone (SDL 2.26 may still
    // have a wake-up in flight to one), which would end the process after a clean close.
    // Our windows are destroyed by now; the connections close with the process.
    if (impl_->x11) return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

bool SdlBackend::Ok() const { return impl_->ok; }
const std::string& SdlBackend::Error() const { return impl_->error; }

std::int64_t SdlBackend::NowMs() { return static_cast<std::int64_t>(SDL_GetTicks64()); }

bool SdlBackend::PollEvent(BackendEvent& out) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (impl_->Convert(e, out)) return true;
    }
    return false;
}

WaitResult SdlBackend::WaitEvent(BackendEvent& out, std::int64_t timeout_ms) {
    if (impl_->woken) {
        impl_->woken = false;
        return WaitResult::Timeout;
    }
    const std::int64_t deadline = timeout_ms < 0 ? -1 : NowMs() + timeout_ms;
    for (;;) {
        SDL_Event e;
        int got;
        if (deadline < 0) {
            got = SDL_WaitEvent(&e);
        } else {
            const std::int64_t left = deadline - NowMs();
            if (left <= 0) return WaitResult::Timeout;
            got = SDL_WaitEventTimeout(&e, static_cast<int>(std::min<std::int64_t>(left, 1 << 30)));
        }
        if (!got) {
            if (deadline < 0) return WaitResult::Stalled;  // SDL's queue failed
            continue;
        }
        if (impl_->Convert(e, out)) return WaitResult::Event;
    }
}

// Everything runs on one thread, so a flag is enough. Pushing an SDL event instead makes SDL
// 2.26 wake the X11 window it last waited on, which may be the one just destroyed: the
// server's BadWindow then ends the process.
void SdlBackend::Wake() { impl_->woken = true; }

NativeId SdlBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    const int s = impl_->scale;
    // Made hidden and shown afterwards, so the show has a time limit.
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (desc.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (!desc.show_in_taskbar) flags |= SDL_WINDOW_SKIP_TASKBAR;
    SDL_Window* w = SDL_CreateWindow(desc.title.c_str(), desc.bounds.x * s, desc.bounds.y * s,
                                     std::max(desc.bounds.width, 1) * s, std::max(desc.bounds.height, 1) * s, flags);
    if (!w) {
        impl_->error = SDL_GetError();
        return 0;
    }
    SDL_SetWindowHitTest(w, &Impl::HitTest, impl_.get());
    if (desc.visible) ShowWithin(w, SDL_ShowWindow);
    impl_->windows.push_back(SDL_GetWindowID(w));
    return SDL_GetWindowID(w);
}

void SdlBackend::DestroyNativeWindow(NativeId id) {
    std::erase(impl_->windows, id);
    if (SDL_Window* w = impl_->window(id)) SDL_DestroyWindow(w);
}

void SdlBackend::SetNativeTitle(NativeId id, const std::string& utf8) {
    if (SDL_Window* w = impl_->window(id)) SDL_SetWindowTitle(w, utf8.c_str());
}

void SdlBackend::SetNativeIcon(NativeId id, const gfx::Surface& icon) {
    SDL_Window* w = impl_->window(id);
    if (!w || icon.is_empty()) return;
    gfx::Surface copy = icon;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(copy.scanline(0), copy.width(), copy.height(), 32,
                                                        copy.pitch(), SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    SDL_SetWindowIcon(w, s);
    SDL_FreeSurface(s);
}

void SdlBackend::SetNativeBounds(NativeId id, gfx::Rect b) {
    SDL_Window* w = impl_->window(id);
    if (!w) return;
    const int s = impl_->scale;
    SDL_SetWindowPosition(w, b.x * s, b.y * s);
    SDL_SetWindowSize(w, std::max(b.width, 1) * s, std::max(b.height, 1) * s);
}

void SdlBackend::ShowNative(NativeId id, bool visible) {
    SDL_Window* w = impl_->window(id);
    if (!w) return;
    if (visible) ShowWithin(w, SDL_ShowWindow);
    else SDL_HideWindow(w);
}

void SdlBackend::MinimizeNative(NativeId id) {
    if (SDL_Window* w = impl_->window(id)) SDL_MinimizeWindow(w);
}

void SdlBackend::RestoreNative(NativeId id) {
    SDL_Window* w = impl_->window(id);
    if (w && (SDL_GetWindowFlags(w) & SDL_WINDOW_MINIMIZED)) ShowWithin(w, SDL_RestoreWindow);
}

void SdlBackend::RaiseNative(NativeId id) {
    SDL_Window* w = impl_->window(id);
    if (w && (SDL_GetWindowFlags(w) & SDL_WINDOW_SHOWN)) SDL_RaiseWindow(w);
}

void SdlBackend::SetNativeTopmost(NativeId id, bool topmost) {
    if (SDL_Window* w = impl_->window(id)) SDL_SetWindowAlwaysOnTop(w, topmost ? SDL_TRUE : SDL_FALSE);
}

void SdlBackend::SetNativeOwner(NativeId id, NativeId owner) {
    SDL_Window* w = impl_->window(id);
    SDL_Window* o = impl_->window(owner);
    // Where the desktop has no such notion (not X11) the dialog simply stays a window of its own.
    if (w && o) SDL_SetWindowModalFor(w, o);
}

void SdlBackend::SetCaptionTest(CaptionTest test, void* context) {
    impl_->caption_test = test;
    impl_->caption_context = context;
}

bool SdlBackend::BeginNativeMove(NativeId id) {
#if KES_UI_HAVE_X11
    int x = 0, y = 0;
    impl_->GlobalPointer(x, y);
    return X11BeginMove(impl_->window(id), x, y);
#else
    (void)id;
    return false;
#endif
}

void SdlBackend::Present(NativeId id, const gfx::Surface& picture, gfx::Rect changed) {
    SDL_Window* w = impl_->window(id);
    if (!w) return;
    SDL_Surface* surface = SDL_GetWindowSurface(w);
    if (!surface) return;
    const int s = impl_->scale;
    changed = changed.intersected(picture.rect());
    const gfx::Rect out = gfx::Rect{changed.x * s, changed.y * s, changed.width * s, changed.height * s}.intersected(
        {0, 0, surface->w, surface->h});
    if (out.is_empty()) return;
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    const bool direct =
        surface->format->format == SDL_PIXELFORMAT_ARGB8888 || surface->format->format == SDL_PIXELFORMAT_RGB888;
    impl_->scaled.resize(static_cast<std::size_t>(out.width));
    for (int y = out.y; y < out.bottom(); ++y) {
        const std::uint32_t* src = picture.scanline(y / s);
        std::uint32_t* row = impl_->scaled.data();
        for (int x = out.x; x < out.right(); ++x) row[x - out.x] = src[x / s] | 0xFF000000u;
        auto* dst = static_cast<std::uint8_t*>(surface->pixels) + std::ptrdiff_t(y) * surface->pitch;
        if (direct) {
            std::memcpy(dst + std::ptrdiff_t(out.x) * 4, row, std::size_t(out.width) * 4);
        } else {
            SDL_ConvertPixels(out.width, 1, SDL_PIXELFORMAT_ARGB8888, row, out.width * 4, surface->format->format,
                              dst + std::ptrdiff_t(out.x) * surface->format->BytesPerPixel, surface->pitch);
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    const SDL_Rect r{out.x, out.y, out.width, out.height};
    SDL_UpdateWindowSurfaceRects(w, &r, 1);
}

gfx::Surface SdlBackend::WindowPixels(NativeId id) {
    SDL_Window* w = impl_->window(id);
    SDL_Surface* surface = w ? SDL_GetWindowSurface(w) : nullptr;
    if (!surface) return {};
    gfx::Surface out(surface->w, surface->h);
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels, surface->pitch,
                      SDL_PIXELFORMAT_ARGB8888, out.scanline(0), out.pitch());
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return out;
}

gfx::Point SdlBackend::PointerPosition() {
    int x = 0, y = 0;
    impl_->GlobalPointer(x, y);
    return {x / impl_->scale, y / impl_->scale};
}

void SdlBackend::WarpPointer(gfx::Point p) { SDL_WarpMouseGlobal(p.x * impl_->scale, p.y * impl_->scale); }

void SdlBackend::SetPointerShape(const Cursor& cursor) {
    if (cursor.kind == CursorKind::Custom && cursor.image && !cursor.image->is_empty()) {
        gfx::Surface copy = *cursor.image;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(copy.scanline(0), copy.width(), copy.height(), 32,
                                                            copy.pitch(), SDL_PIXELFORMAT_ARGB8888);
        if (!s) return;
        SDL_Cursor* c = SDL_CreateColorCursor(s, cursor.hot_spot.x, cursor.hot_spot.y);
        SDL_FreeSurface(s);
        if (!c) return;
        SDL_SetCursor(c);
        if (impl_->custom_cursor) SDL_FreeCursor(impl_->custom_cursor);
        impl_->custom_cursor = c;
        return;
    }
    SDL_Cursor*& c = impl_->stock_cursors[cursor.kind];
    if (!c) c = SDL_CreateSystemCursor(SdlCursor(cursor.kind));
    if (c) SDL_SetCursor(c);
}

void SdlBackend::CaptureNative(NativeId id) {
    impl_->captured = id != 0;
    SDL_CaptureMouse(id ? SDL_TRUE : SDL_FALSE);
}

void SdlBackend::SetTextInput(bool on, gfx::Rect caret) {
    // Text input stays on: keys typed anywhere arrive as characters. The
    // caret only places the input method's candidate window.
    if (on) {
        const int s = impl_->scale;
        SDL_Rect r{caret.x * s, caret.y * s, caret.width * s, caret.height * s};
        SDL_SetTextInputRect(&r);
    }
}

std::string SdlBackend::ClipboardText() {
    char* t = SDL_GetClipboardText();
    std::string out = t ? t : "";
    SDL_free(t);
    return out;
}

void SdlBackend::SetClipboardText(const std::string& utf8) { SDL_SetClipboardText(utf8.c_str()); }

gfx::Rect SdlBackend::ScreenBounds() {
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayBounds(0, &r);
    const int s = impl_->scale;
    return {r.x / s, r.y / s, r.w / s, r.h / s};
}

gfx::Rect SdlBackend::WorkArea() {
    SDL_Rect r{0, 0, 1024, 768};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) SDL_GetDisplayBounds(0, &r);
    const int s = impl_->scale;
    return {r.x / s, r.y / s, r.w / s, r.h / s};
}

// The classic desktop's default; SDL does not say what the user set.
int SdlBackend::DoubleClickMs() { return 500; }

int SdlBackend::Scale() { return impl_->scale; }

}  // namespace kes::ui
