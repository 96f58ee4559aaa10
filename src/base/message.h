// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tw::base {

// A text for the user that is put into words only where it is shown: the id of a string
// table entry and its arguments. Engines carry reasons as Messages, so a window or the
// terminal words them in the language active when they are shown, and a reason can hold
// another ("cannot write: <why>") that is worded in full along with it.
//
// Texts that need no translation (a system error's own text, captured where it happened;
// a name) are arguments, or a whole Message made by verbatim().
class Message {
public:
    class Arg;

    Message() = default;  // no text: "no reason"
    template <class... Args>
    explicit Message(int id, Args&&... args);

    static Message verbatim(std::string text);

    bool empty() const { return id_ == 0 && args_.empty(); }

    bool operator==(const Message& other) const;

private:
    friend std::string worded(const Message& message);

    int id_ = 0;  // 0: args_ holds the verbatim text
    std::vector<Arg> args_;
};

class Message::Arg {
public:
    Arg(std::string text) : value_(std::move(text)) {}
    Arg(std::string_view text) : value_(std::string(text)) {}
    Arg(const char* text) : value_(std::string(text ? text : "")) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) Arg(T number)
        : value_(static_cast<std::int64_t>(number)) {}
    Arg(Message inner) : value_(std::move(inner)) {}

    const std::variant<std::string, std::int64_t, Message>& value() const { return value_; }
    bool operator==(const Arg&) const = default;

private:
    std::variant<std::string, std::int64_t, Message> value_;
};

template <class... Args>
Message::Message(int id, Args&&... args) : id_(id) {
    args_.reserve(sizeof...(Args));
    (args_.emplace_back(std::forward<Args>(args)), ...);
}

inline Message Message::verbatim(std::string text) {
    Message message;
    if (!text.empty())
        message.args_.emplace_back(std::move(text));
    return message;
}

inline bool Message::operator==(const Message& other) const {
    return id_ == other.id_ && args_ == other.args_;
}

// The message in the active language (language.h), nested messages worded likewise; empty
// for an empty message.
std::string worded(const Message& message);

// A failure's text for a message box: `text`, then the reason in a paragraph of its own.
std::string withReason(std::string text, const Message& reason);

}  // namespace tw::base
