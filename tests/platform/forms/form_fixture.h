// A headless desktop with one form on it, for the form and control tests.
#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/forms/control_factory.h"
#include "platform/forms/design.h"
#include "platform/forms/form.h"
#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"

namespace kes::forms::testing {

class FormFixture : public ::testing::Test {
protected:
    FormFixture() {
        auto backend = std::make_unique<ui::HeadlessBackend>(gfx::Size{800, 600});
        backend_ = backend.get();
        desktop_ = std::make_unique<ui::Desktop>(std::move(backend));
    }
    ~FormFixture() override {
        form_.reset();
        desktop_.reset();
    }

    // Makes the form from a design text, loads it with the built-in controls and shows it.
    Form& Open(const std::string& design_text) {
        DesignParseError err;
        auto design = parse_design(design_text, &err);
        EXPECT_TRUE(design) << "line " << err.line << ": " << err.message;
        form_ = std::make_unique<Form>(*desktop_, design ? *design : FormDesign{});
        return *form_;
    }
    void LoadAndShow() {
        std::string error;
        EXPECT_TRUE(form_->Load(factory_, &error)) << error;
        form_->Show();
        desktop_->DoEvents();
    }
    template <class T>
    T& Get(std::string_view name, int index = -1) {
        T* c = form_->FindAs<T>(name, index);
        EXPECT_NE(c, nullptr) << name;
        return *c;
    }
    // The screen position of a control's client point.
    gfx::Point ScreenOf(const Control& c, gfx::Point p) const { return desktop_->ClientToScreen(c.hwnd(), p); }
    void Settle() { desktop_->DoEvents(); }

    ui::HeadlessBackend* backend_ = nullptr;
    std::unique_ptr<ui::Desktop> desktop_;
    ControlFactory factory_ = ControlFactory::WithBuiltins();
    std::unique_ptr<Form> form_;
};

}  // namespace kes::forms::testing
