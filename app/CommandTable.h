// A command table: the menu commands one owner answers, each with the
// handler that runs it and the rule for what its item shows. The window and
// every mode controller declare their commands once, in one such table; the
// menus are run and shown from the tables alone.
#pragma once

#include <optional>
#include <span>
#include <type_traits>

#include "app/ToolbarMenus.h"

namespace zemra {

template <class Owner> struct CommandRow {
    Command command;
    void (*run)(Owner&) = nullptr;                 // nullptr: the item does nothing
    CommandState (*state)(const Owner&) = nullptr; // nullptr: enabled, no tick
};

namespace detail {
template <class> struct ClassOf;
template <class C, class M> struct ClassOf<M C::*> {
    using type = C;
};
} // namespace detail

// The row of handler Run, a member of C (Owner itself or a class derived
// from it). State, when given, is what the item shows: a member function
// returning a CommandState, or a bool member that ticks the item.
template <class Owner, class C, void (C::*Run)(), auto State = nullptr> constexpr CommandRow<Owner> commandRow(Command command)
{
    CommandRow<Owner> row{command, [](Owner& o) { (static_cast<C&>(o).*Run)(); }};
    using S = decltype(State);
    if constexpr (std::is_member_function_pointer_v<S>) {
        row.state = [](const Owner& o) { return (static_cast<const typename detail::ClassOf<S>::type&>(o).*State)(); };
    } else if constexpr (std::is_member_object_pointer_v<S>) {
        row.state = [](const Owner& o) {
            return CommandState{true, static_cast<const typename detail::ClassOf<S>::type&>(o).*State};
        };
    }
    return row;
}

// An item that is always disabled and does nothing.
template <class Owner> constexpr CommandRow<Owner> inactiveRow(Command command)
{
    return {command, nullptr, [](const Owner&) { return CommandState{false, false}; }};
}

template <class Owner> const CommandRow<Owner>* findCommandRow(std::span<const CommandRow<Owner>> rows, Command command)
{
    for (const CommandRow<Owner>& row : rows)
        if (row.command == command) return &row;
    return nullptr;
}

// Runs the command when the table has it; false when it does not.
template <class Owner> bool runCommandRow(std::span<const CommandRow<Owner>> rows, Owner& owner, Command command)
{
    const CommandRow<Owner>* row = findCommandRow(rows, command);
    if (!row) return false;
    if (row->run) row->run(owner);
    return true;
}

// What the command's item shows; nothing when the table lacks it.
template <class Owner>
std::optional<CommandState> commandRowState(std::span<const CommandRow<Owner>> rows, const Owner& owner, Command command)
{
    const CommandRow<Owner>* row = findCommandRow(rows, command);
    if (!row) return std::nullopt;
    return row->state ? row->state(owner) : CommandState{};
}

} // namespace zemra
