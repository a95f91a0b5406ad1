#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

// A message for the user as the library layers report it. `text` is the message in the
// program's source language and at the same time its key in the translations, with %1, %2 ...
// where the arguments go; the arguments (file names, counts, the system's reasons) are shown
// as they are. The editor and the command-line tool turn a message into words at their edge,
// so that a message that names a file is translated as well.
struct Message {
    std::string_view text; // a string literal: the translation key
    std::vector<std::string> args;

    friend bool operator==(const Message&, const Message&) = default;
};

// `pattern` with %1 .. %9 replaced by the arguments; a marker without an argument and any
// other % stay as they are. An argument is never scanned again for markers.
std::string fillArguments(std::string_view pattern, const std::vector<std::string>& args);

// A reason that the system gave (an error number's text, a library's report): shown as it is.
inline Message systemReason(std::string reason) {
    return Message{"%1", {std::move(reason)}};
}

// The message's source text with its arguments, untranslated.
inline std::string untranslated(const Message& message) {
    return fillArguments(message.text, message.args);
}

} // namespace vintrel
