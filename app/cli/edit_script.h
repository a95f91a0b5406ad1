#pragma once

#include "edit/history.h"
#include "platform/notifier.h"
#include "edit/tree_commands.h"

#include <istream>
#include <ostream>

namespace vintrel {

// Applies editing commands, one per line, through the editor's own tree commands and history:
//   select ID | add-sibling | add-child | duplicate | delete | move-down | move-up | move-in |
//   move-out | set PATH VALUE | rename NAME | curve SLOT X,Y X,Y ... | undo | redo | jump N |
//   history | tree
// A refused command reports why and the script goes on. Returns the number of lines that could
// not be understood.
int runEditScript(GlobalState& g, std::istream& in, std::ostream& out, std::ostream& err, Notifier& notifier);

} // namespace vintrel
