#pragma once

#include "model/global_state.h"

#include <QImage>
#include <string>
#include <vector>

namespace samples {

struct SampleTexture {
    std::string name;
    QImage image;
};

struct Sample {
    std::string fileName;
    std::vector<SampleTexture> textures;
    // Fills a fresh project (start values, textures already in the material list).
    void (*build)(vintrel::GlobalState& g);
};

std::vector<Sample> allSamples();

} // namespace samples
