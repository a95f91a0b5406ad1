#pragma once

#include "edit/history.h"

#include <QString>

namespace vintrel {

// A history entry as the list shows it, in the interface's language: what was done, to the node
// named as it was then. In Japanese this is the entry's own title.
QString historyEntryText(const History::Entry& entry);

} // namespace vintrel
