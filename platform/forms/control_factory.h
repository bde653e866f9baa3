// Makes controls by the kind a design names them: the built-in controls of this folder
// and whatever kinds the widgets register.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"

namespace kes::forms {

class ControlFactory {
public:
    using Maker = std::function<std::unique_ptr<Control>(const ControlSite&)>;

    // An empty factory; WithBuiltins() knows Label, Frame, PictureBox, Image, TextBox,
    // EditField and Timer.
    ControlFactory() = default;
    static ControlFactory WithBuiltins();

    // Registers (or replaces) a kind; kinds are compared without regard to case.
    void Register(std::string kind, Maker make);
    template <class T>
    void Register(std::string kind) {
        Register(std::move(kind), [](const ControlSite& s) { return std::make_unique<T>(s); });
    }
    bool Knows(std::string_view kind) const;
    // nullptr for a kind nobody registered.
    std::unique_ptr<Control> Make(std::string_view kind, const ControlSite& site) const;

private:
    std::vector<std::pair<std::string, Maker>> makers_;
};

}  // namespace kes::forms
