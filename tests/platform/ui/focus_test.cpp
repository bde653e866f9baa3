// Keyboard focus, activation and key routing.
#include <gtest/gtest.h>

#include "fixture.h"

namespace kes::ui::test {
namespace {

class Focus : public DesktopTest {
protected:
    void SetUp() override {
        form = Make(0, {0, 0, 300, 200});
        edit = Make(form, {10, 10, 100, 20});
        other = Make(form, {10, 40, 100, 20});
        desk->DoEvents();
        log.clear();
    }
    // The focus messages in order, as "kill h" / "set h".
    std::vector<std::string> FocusTrail() const {
        std::vector<std::string> out;
        for (const Received& r : log)
            if (r.msg == WM_SETFOCUS || r.msg == WM_KILLFOCUS)
                out.push_back((r.msg == WM_SETFOCUS ? "set " : "kill ") + std::to_string(r.hwnd) + " " +
                              std::to_string(r.w));
        return out;
    }
    std::string Set(Hwnd h, Hwnd from) const { return "set " + std::to_string(h) + " " + std::to_string(from); }
    std::string Kill(Hwnd h, Hwnd to) const { return "kill " + std::to_string(h) + " " + std::to_string(to); }
    Hwnd form, edit, other;
};

TEST_F(Focus, MovesWithLostThenGainedNotifications) {
    EXPECT_EQ(desk->SetFocus(edit), 0u);
    EXPECT_EQ(desk->SetFocus(other), edit);
    EXPECT_EQ(desk->GetFocus(), other);
    EXPECT_EQ(FocusTrail(), (std::vector<std::string>{Set(edit, 0), Kill(edit, other), Set(other, edit)}));
}

TEST_F(Focus, RefusedByHiddenOrDisabledWindowsAndLostWhenTheyBecomeSo) {
    desk->SetFocus(edit);
    desk->ShowWindow(other, false);
    EXPECT_EQ(desk->SetFocus(other), 0u);
    desk->ShowWindow(other, true);
    desk->EnableWindow(form, false);
    EXPECT_EQ(desk->GetFocus(), 0u) << "disabling an ancestor takes the focus away";
    EXPECT_EQ(desk->SetFocus(other), 0u);
    desk->EnableWindow(form, true);
    desk->SetFocus(edit);
    desk->ShowWindow(edit, false);
    EXPECT_EQ(desk->GetFocus(), 0u);
    desk->ShowWindow(edit, true);
    desk->SetFocus(edit);
    desk->DestroyWindow(edit);
    EXPECT_EQ(desk->GetFocus(), 0u);
}

TEST_F(Focus, ActivationNotifiesBothWindowsAndGivesTheFocusBack) {
    desk->SetFocus(edit);
    const Hwnd second = Make(0, {400, 0, 100, 100});  // shown: becomes the active window
    EXPECT_EQ(desk->GetActiveWindow(), second);
    EXPECT_EQ(desk->GetFocus(), 0u);
    std::vector<Received> act;
    for (const Received& r : log)
        if (r.msg == WM_ACTIVATE || r.msg == WM_NCACTIVATE) act.push_back(r);
    ASSERT_EQ(act.size(), 4u);
    EXPECT_EQ(act[0], (Received{form, WM_NCACTIVATE, 0, 0}));
    EXPECT_EQ(act[1], (Received{form, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(second)}));
    EXPECT_EQ(act[2], (Received{second, WM_NCACTIVATE, 1, 0}));
    EXPECT_EQ(act[3], (Received{second, WM_ACTIVATE, WA_ACTIVE, static_cast<LParam>(form)}));
    log.clear();
    hb->Click({150, 150});  // on the first form itself
    desk->DoEvents();
    EXPECT_EQ(desk->GetActiveWindow(), form);
    EXPECT_EQ(Only(WM_ACTIVATE)[1].w, WA_CLICKACTIVE);
    EXPECT_EQ(desk->GetFocus(), edit) << "the form's last focus comes back";
}

TEST_F(Focus, KeysGoToTheFocusAndMakeCharacters) {
    desk->SetFocus(edit);
    struct Case {
        const char* what;
        KeyCode key;
        ShiftState shift;
        Message char_msg;  // 0: none besides the keyboard's text
        WParam ch;
    };
    const Case cases[] = {
        {"Backspace", VK_BACK, 0, WM_CHAR, 8},
        {"Enter", VK_RETURN, 0, WM_CHAR, 13},
        {"Ctrl+C", 'C', kCtrlMask, WM_CHAR, 3},
        {"Ctrl+V", 'V', kCtrlMask, WM_CHAR, 22},
        {"Alt+S for access keys", 'S', kAltMask, WM_SYSCHAR, 's'},
        {"a plain letter waits for the text", 'A', 0, 0, 0},
        {"an arrow", VK_LEFT, kShiftMask, 0, 0},
    };
    for (const Case& c : cases) {
        log.clear();
        hb->KeyDown(c.key, c.shift);
        desk->DoEvents();
        const Message down = (c.shift & kAltMask) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        ASSERT_EQ(TargetsOf(down), (std::vector<Hwnd>{edit})) << c.what;
        EXPECT_EQ(Only(down)[0].w, c.key) << c.what;
        const auto chars = c.char_msg ? Only(c.char_msg) : std::vector<Received>{};
        EXPECT_EQ(Only(WM_CHAR).size() + Only(WM_SYSCHAR).size(), c.char_msg ? 1u : 0u) << c.what;
        if (c.char_msg && !chars.empty()) {
            EXPECT_EQ(chars[0].w, c.ch) << c.what;
        }
        hb->KeyUp(c.key, 0);
        desk->DoEvents();
    }
    log.clear();
    hb->Type("a工");  // text from the keyboard or the input method
    desk->DoEvents();
    const auto chars = Only(WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].w, WParam{'a'});
    EXPECT_EQ(chars[1].w, WParam{0x5DE5});
}

TEST_F(Focus, PreTranslateHookSeesInputFirstAndMaySwallowIt) {
    desk->SetFocus(edit);
    std::vector<Message> seen;
    desk->SetPreTranslateHook(form, [&](Msg& m) {
        seen.push_back(m.message);
        if (m.message == WM_KEYDOWN && m.wParam == VK_TAB) {
            desk->SetFocus(other);
            return true;
        }
        if (m.message == WM_CHAR && m.wParam == 'x') m.wParam = 'y';  // may change what goes on
        return false;
    });
    hb->KeyPress(VK_TAB);
    hb->Type("x");
    desk->DoEvents();
    EXPECT_EQ(desk->GetFocus(), other);
    EXPECT_TRUE(Only(WM_KEYDOWN).empty()) << "a swallowed key reaches nobody";
    EXPECT_EQ(Only(WM_CHAR).size(), 1u) << "and makes no tab character";
    EXPECT_EQ(Only(WM_CHAR)[0].w, WParam{'y'});
    EXPECT_EQ(seen, (std::vector<Message>{WM_KEYDOWN, WM_KEYUP, WM_CHAR}));
}

TEST_F(Focus, AltF4AndTheDesktopsCloseRequestCloseTheForm) {
    desk->SetFocus(edit);
    hb->KeyDown(VK_MENU, kAltMask);
    hb->KeyDown(VK_F4, kAltMask);
    desk->DoEvents();
    EXPECT_FALSE(desk->IsWindow(form));
    EXPECT_EQ(Only(WM_SYSCOMMAND).size(), 1u);
    EXPECT_EQ(Only(WM_SYSCOMMAND)[0].w, SC_CLOSE);

    const Hwnd f2 = Make(0, {0, 0, 100, 100});
    desk->SetWindowProc(f2, [&](Hwnd h, Message m, WParam w, LParam l) -> LResult {
        if (m == WM_CLOSE) return 0;  // refuses
        return desk->DefWindowProc(h, m, w, l);
    });
    hb->RequestClose(desk->GetNativeId(f2));
    desk->DoEvents();
    EXPECT_TRUE(desk->IsWindow(f2)) << "a form may refuse to close";
}

TEST_F(Focus, ClipboardAndInputMethodPlacement) {
    desk->SetClipboardText("12.5");
    EXPECT_EQ(desk->GetClipboardText(), "12.5");
    desk->SetTextInput(edit, true, {5, 0, 1, 12});
    EXPECT_TRUE(hb->TextInputOn());
}

}  // namespace
}  // namespace kes::ui::test
