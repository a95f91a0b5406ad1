#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vintrel {

// A message for the user as the library layers report it. `text` is the message in the
// program's source language and at the same time its key in the translations, with %1, %2 ...
// where the arguments go; the arguments (file names, counts, the system's reasons) are shown
// as they are. The editor and the command-line tool turn a message into words at their edge,
// so that a message that names a file is translated as well.
struct Message {
    Message(std::string_view sourceText, std::vector<std::string> arguments = {})
        : text(sourceText), args(std::move(arguments)) {}

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

// Turns a source text (a message's, a caption) into the user's language.
using TextTranslation = std::function<std::string(std::string_view sourceText)>;

// The message in the language of `translation` (untranslated without one), with its arguments.
inline std::string translated(const Message& message, const TextTranslation& translation) {
    return fillArguments(translation ? translation(message.text) : std::string(message.text), message.args);
}

// The message's source text with its arguments, untranslated.
inline std::string untranslated(const Message& message) {
    return fillArguments(message.text, message.args);
}

} // namespace vintrel
