#include "platform/ini_document.h"

#include "platform/text_codec.h"

#include <algorithm>

namespace vintrel {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool isLeadByte(char c) {
    return text::isCp932LeadByte(static_cast<unsigned char>(c));
}

// Lookup form of a name: trimmed, ASCII letters lower-cased. Double-byte characters are copied
// untouched so that a trail byte in the 'A'..'Z' range is not folded.
std::string foldName(std::string_view name) {
    std::string out(trimBlanks(name));
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (isLeadByte(out[i])) {
            ++i;
        } else if (out[i] >= 'A' && out[i] <= 'Z') {
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
        }
    }
    return out;
}

std::string_view stripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Returns the next line of `bytes` from `pos` (ended by "\r\n", "\n" or "\r") and moves `pos`
// past its terminator.
std::string_view nextLine(std::string_view bytes, std::size_t& pos) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
        end = bytes.size();
    }
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end;
    if (pos < bytes.size()) {
        const bool crlf = bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n';
        pos += crlf ? 2 : 1;
    }
    return line;
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    std::size_t current = kNone;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::string_view line = trimBlanks(nextLine(bytes, pos));
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            // The name runs to the first ']' byte, or to the line's end when there is none.
            const std::size_t close = std::min(line.find(']', 1), line.size());
            const std::string_view name = line.substr(1, close - 1);
            Section& section = doc.sectionFor(name);
            current = static_cast<std::size_t>(&section - doc.sections_.data());
            continue;
        }
        if (current == kNone) {
            continue; // lines before the first header belong to no section
        }
        const std::size_t eq = line.find('=');
        const std::string_view key = line.substr(0, eq);
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
        appendEntry(doc.sections_[current], trimBlanks(key), trimBlanks(value));
    }
    return doc;
}

std::string IniDocument::serialize() const {
    std::string out;
    for (const Section& section : sections_) {
        out += '[';
        out += section.name;
        out += "]\r\n";
        for (const Entry& entry : section.entries) {
            out += entry.key;
            out += '=';
            out += entry.value;
            out += "\r\n";
        }
    }
    return out;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

std::optional<std::string_view> IniDocument::find(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto it = found->keyIndex.find(foldName(key));
    if (it == found->keyIndex.end()) {
        return std::nullopt;
    }
    return stripQuotes(trimBlanks(found->entries[it->second].value));
}

std::string IniDocument::read(std::string_view section, std::string_view key,
                              std::string_view defaultText) const {
    return std::string(find(section, key).value_or(defaultText));
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    Section& target = sectionFor(section);
    const auto it = target.keyIndex.find(foldName(key));
    if (it != target.keyIndex.end()) {
        target.entries[it->second].value = value;
        return;
    }
    appendEntry(target, trimBlanks(key), value);
}

void IniDocument::removeSection(std::string_view section) {
    const auto it = sectionIndex_.find(foldName(section));
    if (it == sectionIndex_.end()) {
        return;
    }
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        sectionIndex_.emplace(foldName(sections_[i].name), i);
    }
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_) {
        names.push_back(section.name);
    }
    return names;
}

bool IniDocument::empty() const {
    return sections_.empty();
}

IniDocument::Section* IniDocument::findSection(std::string_view name) {
    const auto it = sectionIndex_.find(foldName(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    const auto it = sectionIndex_.find(foldName(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

// The section of that name, created at the end of the document when missing. A repeated
// header continues the first section of its name.
IniDocument::Section& IniDocument::sectionFor(std::string_view name) {
    const auto [it, inserted] = sectionIndex_.emplace(foldName(name), sections_.size());
    if (inserted) {
        sections_.push_back(Section{std::string(trimBlanks(name)), {}, {}});
    }
    return sections_[it->second];
}

void IniDocument::appendEntry(Section& section, std::string_view key, std::string_view value) {
    section.keyIndex.emplace(foldName(key), section.entries.size());
    section.entries.push_back(Entry{std::string(key), std::string(value)});
}

} // namespace vintrel
