#include "platform/forms/control_factory.h"

#include "platform/forms/edit_field.h"
#include "platform/forms/group_box.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer_control.h"

namespace kes::forms {

ControlFactory ControlFactory::WithBuiltins() {
    ControlFactory f;
    f.Register<Label>("Label");
    f.Register<GroupBox>("Frame");
    f.Register<PictureBox>("PictureBox");
    f.Register<Image>("Image");
    f.Register<TextBox>("TextBox");
    f.Register<EditField>("EditField");
    f.Register<TimerControl>("Timer");
    return f;
}

void ControlFactory::Register(std::string kind, Maker make) {
    for (auto& m : makers_) {
        if (equal_names(m.first, kind)) {
            m.second = std::move(make);
            return;
        }
    }
    makers_.emplace_back(std::move(kind), std::move(make));
}

bool ControlFactory::Knows(std::string_view kind) const {
    for (const auto& m : makers_)
        if (equal_names(m.first, kind)) return true;
    return false;
}

std::unique_ptr<Control> ControlFactory::Make(std::string_view kind, const ControlSite& site) const {
    for (const auto& m : makers_)
        if (equal_names(m.first, kind)) return m.second(site);
    return nullptr;
}

}  // namespace kes::forms
