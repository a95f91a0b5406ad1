#pragma once

#include "platform/notifier.h"

#include <ostream>

namespace vintrel {

// Writes each message as "caption: text" on a stream: standard error for the command line, the
// benchmarks and the editor's unattended runs, where nobody could click a message box away.
class StreamNotifier final : public Notifier {
public:
    explicit StreamNotifier(std::ostream& out) : out_(out) {}
    void show(std::string_view caption, const Message& message) override {
        out_ << caption << ": " << untranslated(message) << '\n' << std::flush;
    }

private:
    std::ostream& out_;
};

} // namespace vintrel
