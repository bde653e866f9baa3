#include "platform/forms/event_table.h"

#include "platform/forms/property_bag.h"

namespace kes::forms {

void EventTable::Add(std::string_view control, std::string_view event, std::type_index args,
                     std::function<void(int, void*)> call) {
    for (auto& e : entries_) {
        if (equal_names(e.control, control) && equal_names(e.event, event)) {
            e.args = args;
            e.call = std::move(call);
            return;
        }
    }
    entries_.push_back({std::string(control), std::string(event), args, std::move(call)});
}

void EventTable::Off(std::string_view control, std::string_view event) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (equal_names(it->control, control) && equal_names(it->event, event)) {
            entries_.erase(it);
            return;
        }
    }
}

bool EventTable::Has(std::string_view control, std::string_view event) const {
    for (const auto& e : entries_)
        if (equal_names(e.control, control) && equal_names(e.event, event)) return true;
    return false;
}

bool EventTable::Dispatch(std::string_view control, int index, std::string_view event, const std::type_info& args,
                          void* data) const {
    for (const auto& e : entries_) {
        if (!equal_names(e.control, control) || !equal_names(e.event, event)) continue;
        if (e.args != std::type_index(args)) return false;
        // A copy: the handler may replace itself (or others) while it runs.
        auto call = e.call;
        call(index, data);
        return true;
    }
    return false;
}

}  // namespace kes::forms
