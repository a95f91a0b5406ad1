#pragma once

#include "model/global_state.h"
#include "platform/ini_document.h"
#include "platform/result.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vintrel {

// The settings file stores the project in INI form: section "0" for the project, "ViewList<i>"
// for the viewpoints, one section per node numbered by its tree position (the k-th child of
// node n is n*10+k, top-level nodes are 1, 2, ...), and "998"/"999" for the camera nodes.
constexpr int kCurrentFormatVersion = 6;
constexpr const char* kSettingsFileName = "save.ini";

// A tree that the section numbering cannot represent (more than nine children below a node,
// more than nine levels, or a node numbered like a camera section) cannot be saved without
// losing nodes; this returns the message to show, or nothing when the tree can be saved.
Status checkTreeNumbering(const EffectNode& root);

// The complete settings file of the project, in the files' code page.
std::string writeSettings(const GlobalState& g);

// One subtree as the file writes nodes: `top` as section "1", its children as "11", "12" … and so
// on down (the clipboard's node data). Fails as saving does for a subtree that the numbering
// cannot hold.
Result<std::string> writeNodeSections(const EffectNode& top);
// The subtree of section "1" and the sections below it, as a file of the current version reads
// them; null when there is no section "1" with a node.
std::unique_ptr<EffectNode> readNodeSections(const IniDocument& ini);

// A text value as the file stores it: cp932 (characters it lacks as "?"), and a line break inside
// the value as a space, since it would end the line in the file.
std::string settingsTextValue(std::string_view utf8);

// A value that is a whole decimal number from `low` to `high` and nothing else, as the newer
// sections store their numbers; nothing otherwise (a damaged file keeps the default).
std::optional<int> settingsNumberIn(std::string_view text, int low, int high);

// Reads a settings file written by any format version from 0 on and converts older versions.
// The caller has emptied the tree below the root. Missing keys read as 0; reading never fails.
void readSettings(GlobalState& g, const IniDocument& ini, int version);

} // namespace vintrel
