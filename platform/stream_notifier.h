#pragma once

#include "platform/notifier.h"

#include <ostream>
#include <utility>

namespace vintrel {

// Writes each message as "caption: text" on a stream: standard error for the command line, the
// benchmarks and the editor's unattended runs, where nobody could click a message box away.
class StreamNotifier final : public Notifier {
public:
    explicit StreamNotifier(std::ostream& out, TextTranslation translation = {})
        : out_(out), translation_(std::move(translation)) {}
    void show(std::string_view caption, const Message& message) override {
        out_ << translated(Message{caption, {}}, translation_) << ": " << translated(message, translation_)
             << '\n'
             << std::flush;
    }

private:
    std::ostream& out_;
    TextTranslation translation_;
};

} // namespace vintrel
