// Writes the sample projects into the folder given as the argument (samples/ of the source tree).
#include "effects.h"
#include "persist/materials.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <iostream>

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
    if (argc != 2) {
        std::cerr << "usage: make-samples OUTPUT_FOLDER\n";
        return 2;
    }
    for (const auto& sample : samples::allSamples()) {
        if (!writeSample(sample, argv[1])) {
            std::cerr << "make-samples: could not write " << sample.fileName << '\n';
            return 1;
        }
        std::cout << "wrote " << sample.fileName << '\n';
    }
    return 0;
}
