#pragma once

// Notifiers for tests: one that records the messages, one that ignores them and one that fails
// the test on any message.

#include "platform/notifier.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vintrel::test {

// Keeps every message as (caption, text with its arguments), in the order shown, and the
// messages themselves.
class RecordingNotifier final : public Notifier {
public:
    void show(std::string_view caption, const Message& message) override {
        messages.emplace_back(std::string(caption), untranslated(message));
        shown.push_back(message);
    }
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<Message> shown;
};

// Ignores every message.
class SilentNotifier final : public Notifier {
public:
    void show(std::string_view, const Message&) override {}
};

// For code that must not report anything: any message is a test failure.
class FailingNotifier final : public Notifier {
public:
    void show(std::string_view caption, const Message& message) override {
        ADD_FAILURE() << caption << ": " << untranslated(message);
    }
};

} // namespace vintrel::test
