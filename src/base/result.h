// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>
#include <variant>

#include "base/message.h"

namespace tw::base {

// Why an operation failed: what it failed on (a file, a step), why, and the system's error
// where one caused it. `why` is worded only by the window or the terminal that shows the
// failure, which also decides how to put it with `what`.
struct Failure {
    std::string what;
    Message why;
    std::error_code system;

    // A system call's failure on `what`: the system's own text is the reason.
    static Failure ofSystem(std::string what, std::error_code system) {
        return {std::move(what), Message::verbatim(system.message()), system};
    }

    bool operator==(const Failure&) const = default;
};

// What may stand for the value of a Result<T>: whatever makes a T, but not a failure.
template <class U, class T>
concept ValueOf = std::constructible_from<T, U> && !std::same_as<std::remove_cvref_t<U>, Failure>;

// The value an operation made, or the failure that stopped it. Reading the value of a
// failure is a fault of the caller (it throws std::bad_variant_access).
template <class T>
class [[nodiscard]] Result {
public:
    template <ValueOf<T> U = T>
    Result(U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

// Success with nothing to hand back, or the failure.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }

    const Failure& failure() const { return failure_.value(); }

private:
    std::optional<Failure> failure_;
};

using Outcome = Result<void>;

}  // namespace tw::base
