#pragma once

#include "platform/message.h"

namespace vintrel {

// The language of the tool's messages, from the locale's environment (LC_ALL, LC_MESSAGES,
// LANG, the first one set): English under an "en" locale, the messages' own Japanese otherwise.
// Empty for Japanese.
const TextTranslation& cliTranslation();

// A message as the tool writes it: in the locale's language, with its arguments.
std::string cliText(const Message& message);

} // namespace vintrel
