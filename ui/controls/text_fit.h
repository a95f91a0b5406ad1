#pragma once

#include <vector>

namespace vintrel {

// One control of a panel laid out at fixed positions, as the text fitting sees it.
struct FitBox {
    enum class Kind { Text, Control, Frame };
    Kind kind = Kind::Control;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int needed = 0; // a text: the width its words need; a frame: its title's width (0: none)
};

// Lets texts that need more room than their place gives (a translation longer than the
// original) grow: a text becomes as wide as its words, the controls after it on its row move
// right by what it lacks, and the frames around them grow to hold their content and their
// title, moving what lies beside them. Positions of everything that fits stay as they are;
// nothing grows past `limit` (the container's width).
void fitTexts(std::vector<FitBox>& boxes, int limit);

} // namespace vintrel
