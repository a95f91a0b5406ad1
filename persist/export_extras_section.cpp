#include "persist/export_extras_section.h"

#include "persist/settings_file.h"
#include "platform/number_format.h"
#include "platform/text_codec.h"

#include <optional>
#include <span>
#include <string_view>

namespace vintrel {

namespace {

// The number options: key, member and the values a file may hold.
struct NumberKey {
    std::string_view key;
    int ExportExtras::*member;
    int low, high;
};

constexpr NumberKey kNumbers[] = {
    {"PADDING", &ExportExtras::padding, 0, kMaxPadding},
    {"BORDER", &ExportExtras::border, 0, kMaxPadding},
    {"EXTRUDE", &ExportExtras::extrude, 0, kMaxExtrude},
    {"MAX_SIZE", &ExportExtras::maxSheetSide, 0, kMaxSheetSideLimit},
    {"LOOP_FRAMES", &ExportExtras::loopFrames, 0, kMaxLoopFrames},
};

template <typename Enum>
void writeChoice(std::string& out, std::string_view key, std::span<const ChoiceName> names, Enum value,
                 Enum fallback) {
    if (value != fallback) {
        out.append(key).append("=").append(nameOfChoice(names, static_cast<int>(value))).append("\r\n");
    }
}

template <typename Enum>
void readChoice(const IniDocument& ini, std::string_view key, std::span<const ChoiceName> names, Enum& value) {
    if (const auto text = ini.find(kExportExtrasSection, key)) {
        if (const std::optional<int> chosen = choiceByName(names, *text)) {
            value = static_cast<Enum>(*chosen);
        }
    }
}

} // namespace

std::string exportExtrasSection(const ExportExtras& extras) {
    const ExportExtras defaults;
    if (extras == defaults) {
        return {};
    }
    std::string out = std::string("[") + kExportExtrasSection + "]\r\n";
    writeChoice(out, "FORMAT", animatedFormatNames(), extras.animation, defaults.animation);
    writeChoice(out, "ATLAS", atlasFormatNames(), extras.atlas, defaults.atlas);
    writeChoice(out, "ALPHA", alphaModeNames(), extras.alpha, defaults.alpha);
    for (const NumberKey& number : kNumbers) {
        if (extras.*number.member != defaults.*number.member) {
            out.append(number.key).append("=").append(formatInt(extras.*number.member)).append("\r\n");
        }
    }
    writeChoice(out, "TRIM", sheetTrimNames(), extras.trim, defaults.trim);
    if (extras.powerOfTwo) {
        out += "POWER_OF_TWO=1\r\n";
    }
    if (extras.loop) {
        out += "LOOP=1\r\n";
    }
    if (extras.channels != defaults.channels) {
        out.append("CHANNELS=").append(channelList(extras.channels)).append("\r\n");
    }
    if (!extras.namePattern.empty()) {
        out.append("NAME=").append(settingsTextValue(extras.namePattern)).append("\r\n");
    }
    return out;
}

ExportExtras readExportExtras(const IniDocument& ini) {
    ExportExtras extras;
    if (!ini.hasSection(kExportExtrasSection)) {
        return extras;
    }
    readChoice(ini, "FORMAT", animatedFormatNames(), extras.animation);
    readChoice(ini, "ATLAS", atlasFormatNames(), extras.atlas);
    readChoice(ini, "ALPHA", alphaModeNames(), extras.alpha);
    readChoice(ini, "TRIM", sheetTrimNames(), extras.trim);
    for (const NumberKey& number : kNumbers) {
        if (const auto text = ini.find(kExportExtrasSection, number.key)) {
            if (const std::optional<int> value = settingsNumberIn(*text, number.low, number.high)) {
                extras.*number.member = *value;
            }
        }
    }
    if (const auto text = ini.find(kExportExtrasSection, "POWER_OF_TWO")) {
        extras.powerOfTwo = *text == "1";
    }
    if (const auto text = ini.find(kExportExtrasSection, "LOOP")) {
        extras.loop = *text == "1";
    }
    if (const auto text = ini.find(kExportExtrasSection, "CHANNELS")) {
        extras.channels = channelsByList(*text).value_or(extras.channels);
    }
    if (const auto text = ini.find(kExportExtrasSection, "NAME")) {
        extras.namePattern = text::cp932ToUtf8Lenient(*text);
    }
    return extras;
}

} // namespace vintrel
