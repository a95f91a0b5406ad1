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

// Keeps every message as (caption, text), in the order shown.
class RecordingNotifier final : public Notifier {
public:
    void showMessage(std::string_view caption, std::string_view text) override {
        messages.emplace_back(std::string(caption), std::string(text));
    }
    std::vector<std::pair<std::string, std::string>> messages;
};

// Ignores every message.
class SilentNotifier final : public Notifier {
public:
    void showMessage(std::string_view, std::string_view) override {}
};

// For code that must not report anything: any message is a test failure.
class FailingNotifier final : public Notifier {
public:
    void showMessage(std::string_view caption, std::string_view text) override {
        ADD_FAILURE() << caption << ": " << text;
    }
};

} // namespace vintrel::test
