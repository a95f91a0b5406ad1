#pragma once

#include "model/export_extras.h"
#include "platform/ini_document.h"

#include <string>

namespace vintrel {

// The settings file's section of the newer export options. Readers of the classic format look
// only at their own sections and pass over it.
constexpr const char* kExportExtrasSection = "VINTREL_EXPORT";

// The section's lines ("[VINTREL_EXPORT]" and one "KEY=value" per option that differs from its
// default), or nothing when every option has its default, so such a project saves byte for byte
// as it always did.
std::string exportExtrasSection(const ExportExtras& extras);

// The options the section holds; a missing section, a missing key or a value that is not one
// of the option's (an unknown name, a number out of range) leaves the default.
ExportExtras readExportExtras(const IniDocument& ini);

} // namespace vintrel
