#include "engine/particle.h"

namespace vintrel {

void TrailHistory::append(const Vec4& point, int limit) {
    points_.push_back(point);
    if (static_cast<long long>(points_.size()) > static_cast<long long>(limit) + 3) {
        points_.pop_front();
    }
}

void Particle::attachToParent(Particle* newParent) {
    parent = newParent;
    if (parent == nullptr) {
        return;
    }
    nextSibling = parent->firstChild;
    prevSibling = nullptr;
    if (nextSibling != nullptr) {
        nextSibling->prevSibling = this;
    }
    parent->firstChild = this;
}

void Particle::detachFromParent() {
    if (parent == nullptr) {
        return;
    }
    if (prevSibling != nullptr) {
        prevSibling->nextSibling = nextSibling;
    } else {
        parent->firstChild = nextSibling;
    }
    if (nextSibling != nullptr) {
        nextSibling->prevSibling = prevSibling;
    }
    parent = nullptr;
    nextSibling = prevSibling = nullptr;
}

void Particle::orphanChildren() {
    for (Particle* child = firstChild; child != nullptr;) {
        Particle* next = child->nextSibling;
        child->parent = nullptr;
        child->nextSibling = child->prevSibling = nullptr;
        child = next;
    }
    firstChild = nullptr;
}

} // namespace vintrel
