#pragma once

#include "platform/message.h"

#include <QString>
#include <string_view>

namespace vintrel {

// A message in the interface's language: its text through the translations (context
// "Message"), then its arguments put in as they are, so that a message naming a file is
// translated too.
QString messageText(const Message& message);

// A fixed text (a caption, a message without arguments) in the interface's language.
QString messageText(std::string_view sourceText);

} // namespace vintrel
