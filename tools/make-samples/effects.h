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

// The builders of the three samples, which the starter library reuses.
void buildFire(vintrel::GlobalState& g);
void buildSparks(vintrel::GlobalState& g);
void buildMagicCircle(vintrel::GlobalState& g);

} // namespace samples
