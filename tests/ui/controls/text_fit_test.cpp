// Texts that need more room than the layout gave them grow; the controls after them and the
// frames around them make room; whatever fits stays where it was.
#include "ui/controls/text_fit.h"

#include <gtest/gtest.h>
#include <vector>

namespace vintrel {
namespace {

using Kind = FitBox::Kind;

FitBox text(int x, int y, int w, int needed) {
    return {Kind::Text, x, y, w, 12, needed};
}
FitBox control(int x, int y, int w) {
    return {Kind::Control, x, y, w, 12, 0};
}
FitBox frame(int x, int y, int w, int h, int title = 0) {
    return {Kind::Frame, x, y, w, h, title};
}

struct Expected {
    int x;
    int w;
};

TEST(TextFit, GrowsTextsMovesTheirRowAndWidensTheirFrames) {
    struct Case {
        const char* what;
        std::vector<FitBox> boxes;
        int limit;
        std::vector<Expected> expected; // x and width of each box afterwards
    };
    const Case cases[] = {
        {"everything fits: nothing moves",
         {frame(0, 0, 100, 40), text(4, 10, 30, 20), control(40, 10, 40)},
         200,
         {{0, 100}, {4, 30}, {40, 40}}},
        {"a label under the field after it: the field and its arrows move, the frame keeps its margin",
         {frame(0, 0, 100, 40), text(4, 10, 20, 40), control(30, 10, 40), control(70, 10, 10)},
         200,
         {{0, 118}, {4, 40}, {48, 40}, {88, 10}}},
        {"another row of the frame stays where it was",
         {frame(0, 0, 100, 60), text(4, 10, 20, 40), control(30, 10, 40), control(30, 30, 40)},
         200,
         {{0, 118}, {4, 40}, {48, 40}, {30, 40}}},
        {"a frame that grows moves the frame beside it",
         {frame(0, 0, 100, 40), text(4, 10, 20, 40), control(30, 10, 60), frame(110, 0, 50, 40),
          control(115, 10, 40)},
         300,
         {{0, 118}, {4, 40}, {48, 60}, {128, 50}, {133, 40}}},
        {"a title wider than its frame widens it",
         {frame(0, 0, 60, 40, 90), control(4, 10, 40)},
         200,
         {{0, 90}, {4, 40}}},
        {"nothing grows past the limit",
         {frame(0, 0, 100, 40), text(4, 10, 90, 150)},
         120,
         {{0, 120}, {4, 116}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<FitBox> boxes = c.boxes;
        fitTexts(boxes, c.limit);
        ASSERT_EQ(boxes.size(), c.expected.size());
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            EXPECT_EQ(boxes[k].x, c.expected[k].x) << "box " << k;
            EXPECT_EQ(boxes[k].w, c.expected[k].w) << "box " << k;
            EXPECT_EQ(boxes[k].y, c.boxes[k].y) << "box " << k;
        }
    }
}

} // namespace
} // namespace vintrel
