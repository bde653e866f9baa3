// A headless desktop with windows that record the messages they receive.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"

namespace kes::ui::test {

struct Received {
    Hwnd hwnd;
    Message msg;
    WParam w;
    LParam l;
    friend bool operator==(const Received&, const Received&) = default;
};

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        auto backend = std::make_unique<HeadlessBackend>(gfx::Size{800, 600}, 40);
        hb = backend.get();
        desk = std::make_unique<Desktop>(std::move(backend));
    }
    // The windows' last messages (WM_DESTROY) still reach the log.
    ~DesktopTest() override {
        for (Hwnd t : desk->GetTopLevelWindows()) desk->DestroyWindow(t);
        desk.reset();
    }

    static WindowDesc Desc(gfx::Rect r, Hwnd parent = 0) {
        WindowDesc d;
        d.rect = r;
        d.parent = parent;
        return d;
    }
    // A window whose procedure logs every message, then does the default.
    Hwnd Make(Hwnd parent, gfx::Rect r, bool visible = true) {
        WindowDesc d;
        d.parent = parent;
        d.rect = r;
        d.visible = visible;
        return MakeWith(d);
    }
    Hwnd MakeWith(const WindowDesc& d) {
        Desktop* dt = desk.get();
        return dt->CreateWindow(d, [this, dt](Hwnd h, Message m, WParam w, LParam l) {
            log.push_back({h, m, w, l});
            return dt->DefWindowProc(h, m, w, l);
        });
    }
    // The messages of one kind, in order.
    std::vector<Received> Only(Message m) const {
        std::vector<Received> out;
        for (const Received& r : log)
            if (r.msg == m) out.push_back(r);
        return out;
    }
    std::vector<Hwnd> TargetsOf(Message m) const {
        std::vector<Hwnd> out;
        for (const Received& r : log)
            if (r.msg == m) out.push_back(r.hwnd);
        return out;
    }

    HeadlessBackend* hb = nullptr;
    std::unique_ptr<Desktop> desk;
    std::vector<Received> log;
};

}  // namespace kes::ui::test
