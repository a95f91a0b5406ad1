#include "persist/materials.h"

#include "persist/atomic_file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

namespace vintrel {

namespace {

namespace fs = std::filesystem;

// A 1 × 1 PNG, 8-bit RGBA, with the pixel (255, 255, 255, 255). The image data is a stored
// (uncompressed) deflate block, so the bytes can be checked by eye: filter byte 0 and ff ff ff ff.
constexpr unsigned char kPlaceholderPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a,                         // signature
    0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,                         // IHDR
    0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, // 1 × 1, RGBA 8
    0x00, 0x1f, 0x15, 0xc4, 0x89,                                           // CRC
    0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54,                         // IDAT
    0x78, 0x01, 0x01, 0x05, 0x00, 0xfa, 0xff,                               // zlib, stored block
    0x00, 0xff, 0xff, 0xff, 0xff,                                           // the row
    0x09, 0xfb, 0x03, 0xfd,                                                 // Adler-32
    0xa3, 0xd1, 0x49, 0x0a,                                                 // CRC
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82, // IEND
};

// One file of the workspace that the material list takes, and what it is.
struct MaterialFile {
    fs::path path;
    Material::Kind kind;

    Material material() const { return {path.stem().string(), kind}; }
};

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

std::vector<fs::path> filesWithExtension(const fs::path& folder, std::string_view ext) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const fs::path& path = entry.path();
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

// The material files in scan order: the texture patterns in turn, then the models.
std::vector<MaterialFile> scanMaterialFiles(const fs::path& workspace) {
    constexpr std::array<std::pair<std::string_view, Material::Kind>, 5> kPatterns{{
        {".png", Material::Texture},
        {".bmp", Material::Texture},
        {".jpg", Material::Texture},
        {".jpeg", Material::Texture},
        {".obj", Material::Model},
    }};
    std::vector<MaterialFile> files;
    for (const auto& [ext, kind] : kPatterns) {
        for (fs::path& path : filesWithExtension(workspace, ext)) {
            files.push_back({std::move(path), kind});
        }
    }
    return files;
}

// Where the package lists `fileName`; files it does not list come after every listed one.
std::size_t listedPosition(const std::vector<std::string>& entryNames, const std::string& fileName) {
    const auto found = std::find(entryNames.begin(), entryNames.end(), fileName);
    return found != entryNames.end() ? static_cast<std::size_t>(found - entryNames.begin())
                                     : std::numeric_limits<std::size_t>::max();
}

} // namespace

MaterialList scanMaterials(const fs::path& workspace) {
    MaterialList list;
    for (const MaterialFile& file : scanMaterialFiles(workspace)) {
        list.push_back(file.material());
    }
    return list;
}

MaterialList materialsInListedOrder(const fs::path& workspace, const std::vector<std::string>& entryNames) {
    std::vector<MaterialFile> files = scanMaterialFiles(workspace);
    // Textures stay ahead of the models, which the parameter panels' lists rely on.
    std::stable_sort(files.begin(), files.end(), [&](const MaterialFile& a, const MaterialFile& b) {
        if (a.kind != b.kind) {
            return a.kind == Material::Texture;
        }
        return listedPosition(entryNames, a.path.filename().string()) <
               listedPosition(entryNames, b.path.filename().string());
    });
    MaterialList list;
    for (const MaterialFile& file : files) {
        Material material = file.material();
        const bool duplicate = std::any_of(list.begin(), list.end(), [&](const Material& kept) {
            return kept.kind == material.kind && kept.name == material.name;
        });
        std::error_code ec;
        if (!duplicate && fs::is_regular_file(workspace / material.fileName(), ec)) {
            list.push_back(std::move(material));
        }
    }
    return list;
}

Status writePlaceholderTexture(const fs::path& folder) {
    const std::string_view png(reinterpret_cast<const char*>(kPlaceholderPng), sizeof kPlaceholderPng);
    return writeFileAtomically(folder / kPlaceholderTextureName, png);
}

} // namespace vintrel
