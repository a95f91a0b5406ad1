#pragma once

#include "platform/message.h"

#include <string_view>

namespace vintrel {

// Where the model and the file code report failures that the user must see. The editor shows
// a message box in the interface's language, the command-line tool writes to standard error.
class Notifier {
public:
    static constexpr const char* kDefaultCaption = "Vintrel";
    virtual ~Notifier() = default;
    // `caption` is a source text and translation key like the message's own text.
    virtual void show(std::string_view caption, const Message& message) = 0;
};

} // namespace vintrel
