// The backend for real windows: SDL2 (X11, Wayland and the other desktops SDL
// serves). Pictures are presented through each window's own surface with
// framebuffer acceleration off, enlarged by the density scale.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace kes::ui {

class SdlBackend : public Backend {
public:
    /// Opens SDL's video. Check Ok() afterwards; Error() says why it failed.
    /// The scale comes from KESTRANE_SCALE (a whole number from 1 to 8) when
    /// set, else from the screen's density (2 from 192 dots per inch on).
    SdlBackend();
    ~SdlBackend() override;

    bool Ok() const;
    const std::string& Error() const;

    /// What the native window's surface holds now, enlarged by the scale
    /// (for tests that compare it with a headless render). Empty when the
    /// window has no surface.
    gfx::Surface WindowPixels(NativeId id);

    std::int64_t NowMs() override;
    bool PollEvent(BackendEvent& out) override;
    WaitResult WaitEvent(BackendEvent& out, std::int64_t timeout_ms) override;
    void Wake() override;
    NativeId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeId id) override;
    void SetNativeTitle(NativeId id, const std::string& utf8) override;
    void SetNativeIcon(NativeId id, const gfx::Surface& icon) override;
    void SetNativeBounds(NativeId id, gfx::Rect bounds) override;
    void ShowNative(NativeId id, bool visible) override;
    void MinimizeNative(NativeId id) override;
    void RestoreNative(NativeId id) override;
    void RaiseNative(NativeId id) override;
    void SetNativeTopmost(NativeId id, bool topmost) override;
    void SetNativeOwner(NativeId id, NativeId owner) override;
    void SetCaptionTest(CaptionTest test, void* context) override;
    bool BeginNativeMove(NativeId id) override;
    void Present(NativeId id, const gfx::Surface& picture, gfx::Rect changed) override;
    gfx::Point PointerPosition() override;
    void WarpPointer(gfx::Point screen) override;
    void SetPointerShape(const Cursor& cursor) override;
    void CaptureNative(NativeId id) override;
    void SetTextInput(bool on, gfx::Rect caret) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& utf8) override;
    gfx::Rect ScreenBounds() override;
    gfx::Rect WorkArea() override;
    int DoubleClickMs() override;
    int Scale() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// The scale KESTRANE_SCALE asks for (1 to 8), or 0 when it is unset or not
/// such a number.
int ScaleFromEnvironment();

}  // namespace kes::ui
