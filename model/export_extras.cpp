#include "model/export_extras.h"

#include <array>
#include <string>

namespace vintrel {

namespace {

constexpr std::array kAnimatedNames{
    ChoiceName{static_cast<int>(AnimatedFormat::None), "classic"},
    ChoiceName{static_cast<int>(AnimatedFormat::Apng), "apng"},
    ChoiceName{static_cast<int>(AnimatedFormat::WebP), "webp"},
    ChoiceName{static_cast<int>(AnimatedFormat::WebM), "webm"},
    ChoiceName{static_cast<int>(AnimatedFormat::ProRes), "prores"},
};
constexpr std::array kAtlasNames{
    ChoiceName{static_cast<int>(AtlasFormat::None), "none"},
    ChoiceName{static_cast<int>(AtlasFormat::TexturePackerHash), "texturepacker-hash"},
    ChoiceName{static_cast<int>(AtlasFormat::TexturePackerArray), "texturepacker-array"},
    ChoiceName{static_cast<int>(AtlasFormat::Aseprite), "aseprite"},
    ChoiceName{static_cast<int>(AtlasFormat::GodotSpriteFrames), "godot"},
};
constexpr std::array kAlphaNames{
    ChoiceName{static_cast<int>(AlphaMode::Straight), "straight"},
    ChoiceName{static_cast<int>(AlphaMode::Premultiplied), "premultiplied"},
    ChoiceName{static_cast<int>(AlphaMode::AdditiveOnBlack), "additive"},
};
constexpr std::array kTrimNames{
    ChoiceName{static_cast<int>(SheetTrim::None), "none"},
    ChoiceName{static_cast<int>(SheetTrim::PerFrame), "frame"},
    ChoiceName{static_cast<int>(SheetTrim::Common), "common"},
};
constexpr std::array kChannelNames{
    ChoiceName{static_cast<int>(ExportChannel::Color), "color"},
    ChoiceName{static_cast<int>(ExportChannel::Motion), "motion"},
    ChoiceName{static_cast<int>(ExportChannel::Emissive), "emissive"},
    ChoiceName{static_cast<int>(ExportChannel::Depth), "depth"},
};
static_assert(kChannelNames.size() == kExportChannelCount);

} // namespace

std::span<const ChoiceName> exportChannelNames() {
    return kChannelNames;
}

std::string channelList(ExportChannels channels) {
    std::string list;
    for (const ChoiceName& channel : kChannelNames) {
        if ((channels & channelBit(static_cast<ExportChannel>(channel.value))) != 0) {
            list.append(list.empty() ? "" : ",").append(channel.name);
        }
    }
    return list;
}

std::optional<ExportChannels> channelsByList(std::string_view list) {
    ExportChannels channels = kColorOnly;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::optional<int> channel = choiceByName(kChannelNames, list.substr(0, comma));
        if (!channel) {
            return std::nullopt;
        }
        channels |= channelBit(static_cast<ExportChannel>(*channel));
        if (comma == std::string_view::npos) {
            return channels;
        }
        list.remove_prefix(comma + 1);
    }
}

std::span<const ChoiceName> animatedFormatNames() {
    return kAnimatedNames;
}
std::span<const ChoiceName> atlasFormatNames() {
    return kAtlasNames;
}
std::span<const ChoiceName> alphaModeNames() {
    return kAlphaNames;
}
std::span<const ChoiceName> sheetTrimNames() {
    return kTrimNames;
}

std::optional<int> choiceByName(std::span<const ChoiceName> names, std::string_view name) {
    for (const ChoiceName& choice : names) {
        if (choice.name == name) {
            return choice.value;
        }
    }
    return std::nullopt;
}

std::string_view nameOfChoice(std::span<const ChoiceName> names, int value) {
    for (const ChoiceName& choice : names) {
        if (choice.value == value) {
            return choice.name;
        }
    }
    return names.front().name;
}

std::string choiceList(std::span<const ChoiceName> names) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            list += i + 1 == names.size() ? " or " : ", ";
        }
        list += names[i].name;
    }
    return list;
}

std::string_view atlasExtension(AtlasFormat format) {
    return format == AtlasFormat::GodotSpriteFrames ? ".tres" : ".json";
}

} // namespace vintrel
