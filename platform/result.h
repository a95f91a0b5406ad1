#pragma once

#include "platform/message.h"

#include <optional>
#include <utility>
#include <variant>

namespace vintrel {

// What a library function gives back: its value, or the message that says why there is none.
// The one way the layers below the editor and the command-line tool report failure.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Message failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    explicit operator bool() const { return state_.index() == 0; }
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Message& error() const { return std::get<1>(state_); }
    // The value, or `fallback` after a failure.
    T value_or(T fallback) && { return *this ? std::get<0>(std::move(state_)) : std::move(fallback); }
    T value_or(T fallback) const& { return *this ? std::get<0>(state_) : std::move(fallback); }

private:
    std::variant<T, Message> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Message failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return !failure_.has_value(); }
    const Message& error() const { return *failure_; }

private:
    std::optional<Message> failure_;
};

// A function that gives back nothing but may fail.
using Status = Result<void>;

} // namespace vintrel
