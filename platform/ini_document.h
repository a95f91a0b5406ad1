#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vintrel {

// An INI file held in memory, read and written with the semantics of the Windows private-profile
// functions (GetPrivateProfileString / WritePrivateProfileString) and loaded and saved whole.
//
// Text is raw bytes (the files are cp932 and are never decoded here). Section and key names are
// matched ignoring ASCII case; the second byte of a cp932 double-byte character is compared
// exactly even when it falls in the ASCII letter range. Names passed in are trimmed of spaces
// and tabs, as names read from a file are. A section header's name ends at the first ']' byte,
// so section names must not contain one (not even as the second byte of a cp932 character).
class IniDocument {
public:
    static IniDocument parse(std::string_view bytes);

    // "[name]\r\n" then "key=value\r\n" per key, sections and keys in order, no blank lines.
    // Values are written exactly as stored. Comments, blank lines and lines before the first
    // section header are not kept.
    std::string serialize() const;

    bool hasSection(std::string_view section) const;

    // The value of the first matching key, trimmed of spaces and tabs and with one enclosing pair
    // of matching double or single quotes removed (as it would read back from a saved file).
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // find(), or defaultText when the key is missing.
    std::string read(std::string_view section, std::string_view key, std::string_view defaultText) const;

    // Replaces the value of the first matching key; otherwise appends the key at the end of the
    // section, creating the section at the end of the document when it is missing. The value is
    // stored verbatim; it must not contain line breaks to survive a save and reload.
    void write(std::string_view section, std::string_view key, std::string_view value);

    void removeSection(std::string_view section);

    // Section names in document order, spelled as first seen.
    std::vector<std::string> sectionNames() const;

    // True when the document has no sections.
    bool empty() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> keyIndex; // folded key -> first entry
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Section& sectionFor(std::string_view name);
    static void appendEntry(Section& section, std::string_view key, std::string_view value);

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_; // folded name -> sections_ index
};

} // namespace vintrel
