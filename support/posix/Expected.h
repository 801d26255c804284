#pragma once

// A value, or the Status that says why there is none: what an operation that makes something
// returns. Checked by the compiler like Status itself.

#include "support/posix/Status.h"

#include <utility>
#include <variant>

namespace twk::posix {

template <typename T> class [[nodiscard]] Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(Status failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    // Only when ok().
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T value_or(T fallback) const& { return ok() ? value() : std::move(fallback); }
    // Success when ok(), else the failure.
    Status status() const { return ok() ? Status() : std::get<1>(state_); }

private:
    std::variant<T, Status> state_;
};

} // namespace twk::posix
