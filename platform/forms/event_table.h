// Events a control raises to the window that holds it, and the holder's handlers for them.
//
// A holder keeps one EventTable. Handlers are registered by control name and event name
// (compared without regard to case): the change handler of the TextPerMes array is
// `events.On("TextPerMes", "Change", [](int index) { ... })`. A handler may take the
// array index first (it is -1 for a control that is not in an array) and, for an event
// with arguments, the argument record by reference so it can change what the control
// gets back (KeyPressArgs::key_ascii = 0 swallows the key).
//
// Accepted handler shapes, for an event without arguments: void(), void(int index);
// with an argument record A: void(A&), void(int index, A&).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

namespace kes::forms {

namespace detail {
template <class T>
struct call_traits : call_traits<decltype(&T::operator())> {};
template <class C, class R, class... A>
struct call_traits<R (C::*)(A...) const> {
    using args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};
template <class C, class R, class... A>
struct call_traits<R (C::*)(A...)> {
    using args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};
template <class R, class... A>
struct call_traits<R (*)(A...)> {
    using args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};
template <class R, class... A>
struct call_traits<std::function<R(A...)>> {
    using args = std::tuple<A...>;
    static constexpr std::size_t arity = sizeof...(A);
};
}  // namespace detail

class EventTable {
public:
    // Registers a handler; a later one for the same control and event replaces it.
    template <class F>
    void On(std::string_view control, std::string_view event, F handler);

    // Removes the handler, if any.
    void Off(std::string_view control, std::string_view event);
    bool Has(std::string_view control, std::string_view event) const;

    // Calls the handler for an event without arguments; false when there is none.
    bool Raise(std::string_view control, int index, std::string_view event) const {
        return Dispatch(control, index, event, typeid(void), nullptr);
    }
    // Calls the handler with the argument record; false when there is none (or it
    // was registered for another record type, which is a programming error).
    template <class A>
    bool Raise(std::string_view control, int index, std::string_view event, A& args) const {
        return Dispatch(control, index, event, typeid(A), &args);
    }

private:
    struct Entry {
        std::string control;
        std::string event;
        std::type_index args;
        std::function<void(int, void*)> call;
    };

    bool Dispatch(std::string_view control, int index, std::string_view event, const std::type_info& args,
                  void* data) const;
    void Add(std::string_view control, std::string_view event, std::type_index args,
             std::function<void(int, void*)> call);

    std::vector<Entry> entries_;
};

template <class F>
void EventTable::On(std::string_view control, std::string_view event, F handler) {
    using traits = detail::call_traits<std::decay_t<F>>;
    if constexpr (traits::arity == 0) {
        Add(control, event, typeid(void), [h = std::move(handler)](int, void*) { h(); });
    } else if constexpr (traits::arity == 1) {
        using A0 = std::tuple_element_t<0, typename traits::args>;
        if constexpr (std::is_same_v<std::decay_t<A0>, int>) {
            Add(control, event, typeid(void), [h = std::move(handler)](int i, void*) { h(i); });
        } else {
            static_assert(std::is_lvalue_reference_v<A0>, "an argument record is taken by reference");
            using A = std::remove_cvref_t<A0>;
            Add(control, event, typeid(A), [h = std::move(handler)](int, void* p) { h(*static_cast<A*>(p)); });
        }
    } else {
        static_assert(traits::arity == 2, "a handler takes (), (int), (Args&) or (int, Args&)");
        using A1 = std::tuple_element_t<1, typename traits::args>;
        static_assert(std::is_lvalue_reference_v<A1>, "an argument record is taken by reference");
        using A = std::remove_cvref_t<A1>;
        Add(control, event, typeid(A), [h = std::move(handler)](int i, void* p) { h(i, *static_cast<A*>(p)); });
    }
}

}  // namespace kes::forms
