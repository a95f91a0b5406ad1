#include "ui/controls/text_fit.h"

#include <algorithm>
#include <numeric>

namespace vintrel {

namespace {

constexpr int kGap = 4;            // between a text that grew and the control after it
constexpr int kMinFrameMargin = 4; // between a frame's content and its right edge

int right(const FitBox& b) {
    return b.x + b.w;
}

bool contains(const FitBox& outer, const FitBox& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && right(inner) <= right(outer) &&
           inner.y + inner.h <= outer.y + outer.h;
}

// On one row: the middle of either lies within the other's height (a tall neighbour above or
// below is not on the row).
bool sameRow(const FitBox& a, const FitBox& b) {
    const auto middleWithin = [](const FitBox& box, const FitBox& span) {
        const int middle = box.y + box.h / 2;
        return middle >= span.y && middle < span.y + span.h;
    };
    return middleWithin(a, b) || middleWithin(b, a);
}

// The smallest frame around each box (-1: none), as the panel was laid out.
std::vector<int> innermostFrames(const std::vector<FitBox>& boxes) {
    std::vector<int> frameOf(boxes.size(), -1);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        for (std::size_t f = 0; f < boxes.size(); ++f) {
            if (f == k || boxes[f].kind != FitBox::Kind::Frame || !contains(boxes[f], boxes[k])) {
                continue;
            }
            const int best = frameOf[k];
            if (best < 0 || boxes[f].w * boxes[f].h < boxes[best].w * boxes[best].h) {
                frameOf[k] = static_cast<int>(f);
            }
        }
    }
    return frameOf;
}

bool inside(const std::vector<int>& frameOf, std::size_t box, int frame) {
    for (int f = frameOf[box]; f >= 0; f = frameOf[static_cast<std::size_t>(f)]) {
        if (f == frame) {
            return true;
        }
    }
    return false;
}

// Moves every box that lies right of `from` on the rows of `of` by `shift`, with what it holds.
void shiftRowAfter(std::vector<FitBox>& boxes, const std::vector<int>& frameOf, std::size_t of, int from,
                   int shift) {
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (k != of && boxes[k].x >= from && sameRow(boxes[k], boxes[of]) &&
            !inside(frameOf, k, static_cast<int>(of)) && frameOf[k] == frameOf[of]) {
            boxes[k].x += shift;
            for (std::size_t inner = 0; inner < boxes.size(); ++inner) {
                if (inside(frameOf, inner, static_cast<int>(k))) {
                    boxes[inner].x += shift;
                }
            }
        }
    }
}

void widenTexts(std::vector<FitBox>& boxes, const std::vector<int>& frameOf) {
    std::vector<std::size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return boxes[a].y != boxes[b].y ? boxes[a].y < boxes[b].y : boxes[a].x < boxes[b].x;
    });
    for (std::size_t t : order) {
        FitBox& text = boxes[t];
        if (text.kind != FitBox::Kind::Text) {
            continue;
        }
        int nextLeft = -1;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const FitBox& b = boxes[k];
            if (k != t && frameOf[k] == frameOf[t] && b.x > text.x && sameRow(b, text)) {
                nextLeft = nextLeft < 0 ? b.x : std::min(nextLeft, b.x);
            }
        }
        if (nextLeft >= 0) {
            const int lacking = text.needed - (nextLeft - kGap - text.x);
            if (lacking > 0) {
                shiftRowAfter(boxes, frameOf, t, nextLeft, lacking);
            }
        }
        text.w = std::max(text.w, text.needed);
    }
}

void growFrames(std::vector<FitBox>& boxes, const std::vector<int>& frameOf,
                const std::vector<int>& margins) {
    std::vector<std::size_t> frames;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (boxes[k].kind == FitBox::Kind::Frame) {
            frames.push_back(k);
        }
    }
    // Inner frames first: an outer frame grows around what its inner ones became.
    std::sort(frames.begin(), frames.end(), [&](std::size_t a, std::size_t b) {
        return boxes[a].w * boxes[a].h < boxes[b].w * boxes[b].h;
    });
    for (std::size_t f : frames) {
        int contentRight = boxes[f].x;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            if (inside(frameOf, k, static_cast<int>(f))) {
                contentRight = std::max(contentRight, right(boxes[k]));
            }
        }
        const int needed = std::max(contentRight + margins[f] - boxes[f].x, boxes[f].needed);
        if (needed > boxes[f].w) {
            const int oldRight = right(boxes[f]);
            boxes[f].w = needed;
            shiftRowAfter(boxes, frameOf, f, oldRight, needed - (oldRight - boxes[f].x));
        }
    }
}

} // namespace

void fitTexts(std::vector<FitBox>& boxes, int limit) {
    const std::vector<int> frameOf = innermostFrames(boxes);
    // Each frame keeps the margin it had at the right of its content.
    std::vector<int> margins(boxes.size(), kMinFrameMargin);
    for (std::size_t f = 0; f < boxes.size(); ++f) {
        if (boxes[f].kind != FitBox::Kind::Frame) {
            continue;
        }
        int contentRight = -1;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            if (inside(frameOf, k, static_cast<int>(f))) {
                contentRight = std::max(contentRight, right(boxes[k]));
            }
        }
        if (contentRight >= 0) {
            margins[f] = std::max(kMinFrameMargin, right(boxes[f]) - contentRight);
        }
    }
    widenTexts(boxes, frameOf);
    growFrames(boxes, frameOf, margins);
    for (FitBox& b : boxes) {
        if (right(b) > limit && b.x < limit) {
            b.w = std::max(1, limit - b.x);
        }
    }
}

} // namespace vintrel
