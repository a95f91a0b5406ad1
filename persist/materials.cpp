#include "persist/materials.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vintrel {

namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(asciiLower(x)) < static_cast<unsigned char>(asciiLower(y));
        });
    if (less || !equalsIgnoringCase(a, b)) {
        return less;
    }
    return a < b; // names that differ only in case: a stable, byte-wise order
}

std::vector<std::filesystem::path> filesWithExtension(const std::filesystem::path& folder,
                                                      std::string_view ext) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_regular_file(ec) && equalsIgnoringCase(path.extension().string(), ext) &&
            path.filename() != kPlaceholderTextureName) {
            found.push_back(path);
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return lessIgnoringCase(a.filename().string(), b.filename().string());
    });
    return found;
}

} // namespace

MaterialList scanMaterials(const std::filesystem::path& workspace) {
    constexpr std::array<std::pair<std::string_view, Material::Kind>, 5> kPatterns{{
        {".png", Material::Texture},
        {".bmp", Material::Texture},
        {".jpg", Material::Texture},
        {".jpeg", Material::Texture},
        {".obj", Material::Model},
    }};
    MaterialList list;
    for (const auto& [ext, kind] : kPatterns) {
        for (const auto& path : filesWithExtension(workspace, ext)) {
            list.push_back({path.stem().string(), kind});
        }
    }
    return list;
}

} // namespace vintrel
