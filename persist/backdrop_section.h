#pragma once

#include "model/view_backdrop.h"
#include "platform/ini_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace vintrel {

// The settings file's section of the view's backdrop, after the other sections; readers that
// do not know it pass over it.
constexpr const char* kBackdropSection = "VINTREL_BACKDROP";

// "[VINTREL_BACKDROP]" with KIND, and FILE and FRAME where the kind uses them; nothing for the
// background colour, so a project that never chose a backdrop saves as it always did. FILE is
// the path's UTF-8 with every byte outside letters, digits and "-._~/" written as %XX, so any
// path survives the file's text encoding.
std::string backdropSection(const ViewBackdrop& backdrop);

// The backdrop the section holds; the background colour when the section is missing or its
// kind is unknown, and a kind that needs a file without a readable FILE falls back the same way.
// A FRAME out of range reads as frame 0.
ViewBackdrop readBackdrop(const IniDocument& ini);

// The percent coding of FILE.
std::string percentEncoded(std::string_view text);
std::optional<std::string> percentDecoded(std::string_view text);

} // namespace vintrel
