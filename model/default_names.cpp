#include "model/default_names.h"

#include <utility>

namespace vintrel {

namespace {

DefaultNames& current() {
    static DefaultNames names;
    return names;
}

} // namespace

const DefaultNames& defaultNames() {
    return current();
}

void useDefaultNames(DefaultNames names) {
    current() = std::move(names);
}

} // namespace vintrel
