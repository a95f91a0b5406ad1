#pragma once

#include <optional>
#include <string_view>

class QCoreApplication;
class QTranslator;

namespace vintrel {

// The language the editor's windows speak. The names the program gives new nodes and the
// viewpoints of a new project follow it; keys and the names a file already holds do not.
enum class InterfaceLanguage { Japanese, English };

// "ja" or "en", as the --lang option and the INTERFACE LANG setting write it; nothing otherwise.
std::optional<InterfaceLanguage> parseInterfaceLanguage(std::string_view name);

// The --lang option when given, else the setting when it names a language, else the system
// locale's: Japanese for a "ja" locale ("ja_JP.UTF-8", "ja"), English for any other.
InterfaceLanguage chooseInterfaceLanguage(std::optional<InterfaceLanguage> option, std::string_view setting,
                                          std::string_view systemLocale);

// Loads the English texts into the application for English, and the names it gives new nodes
// and viewpoints; Japanese is the source language and loads only Qt's own Japanese texts. False
// when the translation cannot be loaded (the windows then stay Japanese).
bool installInterfaceLanguage(QCoreApplication& app, InterfaceLanguage language);

// Loads the program's English texts (built into it) into `translator`; false when they cannot be.
bool loadEnglishTexts(QTranslator& translator);

} // namespace vintrel
