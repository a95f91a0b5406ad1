// Writes the sample projects into the folder given as the argument (samples/ of the source tree),
// or, with --library, the starter library's effects (share/vintrel/library/ of the source tree).
#include "effects.h"
#include "library_effects.h"
#include "persist/materials.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

bool writeSample(const samples::Sample& sample, const std::filesystem::path& outFolder) {
    namespace fs = std::filesystem;
    vintrel::GlobalState g;
    vintrel::BuiltInProjectDefaults defaults;
    vintrel::resetProject(g, defaults);
    vintrel::applyStartValues(g, defaults);
    g.workspace = fs::temp_directory_path() / ("vintrel-samples-" + sample.fileName);
    if (!vintrel::recreateFolder(g.workspace)) {
        return false;
    }
    for (const auto& texture : sample.textures) {
        const fs::path file = g.workspace / (texture.name + ".png");
        if (!texture.image.save(QString::fromStdString(file.string()), "PNG")) {
            return false;
        }
    }
    g.materials = vintrel::scanMaterials(g.workspace);
    sample.build(g);
    vintrel::StreamNotifier notifier(std::cerr);
    const bool saved = vintrel::saveProject(g, outFolder / sample.fileName, notifier);
    fs::remove_all(g.workspace);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    const bool library = argc == 3 && std::string_view(argv[1]) == "--library";
    const bool plain = argc == 2 && argv[1][0] != '-';
    if (!plain && !library) {
        std::cerr << "usage: make-samples OUTPUT_FOLDER\n"
                     "       make-samples --library OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path outFolder = argv[argc - 1];
    const std::vector<samples::Sample> effects = library ? samples::libraryEffects() : samples::allSamples();
    for (const auto& sample : effects) {
        if (!writeSample(sample, outFolder)) {
            std::cerr << "make-samples: could not write " << sample.fileName << '\n';
            return 1;
        }
        std::cout << "wrote " << sample.fileName << '\n';
    }
    return 0;
}
