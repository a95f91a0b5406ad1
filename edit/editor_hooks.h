#pragma once

namespace vintrel {

// What the editing core asks of the editor around its changes. The editor wires these to the
// worker thread and its panels; the command-line tool and the tests leave most of them empty.
class EditorHooks {
public:
    virtual ~EditorHooks() = default;
    virtual void stopWorker() {}        // stop the simulation's worker before a structural change
    virtual void resetView() {}         // reset the simulation (and start the worker again)
    virtual void closeValueEditors() {} // close an open value editor of the parameter panels
    virtual void showSelection() {}     // parameter panels show the current selection
    virtual void layoutNodePanel() {}   // node panel lays its rows out again
    virtual void refreshNodePanel() {}  // node panel repaints
    virtual void refreshPanels() {}     // panels show changed values
    virtual void historyChanged() {}    // the history list dialog refreshes
    virtual void titleChanged() {}      // the window title shows the modified state
};

} // namespace vintrel
