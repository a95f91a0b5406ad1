#pragma once

#include "edit/editor_hooks.h"
#include "edit/history.h"
#include "edit/tree_commands.h"
#include "engine/simulation.h"
#include "engine/worker.h"
#include "model/global_state.h"
#include "persist/autosave.h"
#include "platform/notifier.h"

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace vintrel {

// The open project as the editor's windows see it. It owns the history, the tree commands, the
// autosaver, the simulation and the worker thread that steps and draws it, and it is the only
// way panels and dialogs change the project: every change goes through one of its methods,
// which stops and restarts the worker where the change needs it, hands the new settings to the
// worker and tells the windows what changed through its signals.
//
// Everything here runs on the GUI thread.
class ProjectDocument final : public QObject {
    Q_OBJECT

public:
    ProjectDocument(GlobalState& g, const ProjectDefaults& defaults, Notifier& notifier,
                    QObject* parent = nullptr);
    ~ProjectDocument() override;

    // Read access for the windows; changes go through the methods below.
    const GlobalState& state() const { return g_; }
    const History& history() const { return history_; }
    Simulation& simulation() { return simulation_; }
    // The state as the view's drawing uses it, under the published-copy rules. Windows never
    // write through it.
    GlobalState& workerState() { return g_; }
    // The flags and counters shared with the worker.
    SimulationStatus& simulationStatus() { return g_.sim; }
    Autosaver& autosaver() { return autosaver_; }

    // ---- the worker -------------------------------------------------------------------------
    // Creates the worker with the view's drawing hook; it starts with startWorker().
    void attachWorker(SimulationWorker::Hooks hooks, const FrameTimeSource& clock = systemFrameTime());
    // Starts the worker unless it runs (the view's reset does this after every change).
    void startWorker();
    // Stops the worker and waits until no frame is being drawn.
    void stopWorker();
    bool workerRunning() const;
    // Restarts the effect at frame 1 and starts the worker again.
    void resetView();

    // ---- playback ---------------------------------------------------------------------------
    // The preview plays (the clock steps the effect) or holds a frame. Held, every edit is
    // simulated again up to the held frame, so its effect shows at that moment.
    bool isPlaying() const { return playing_; }
    // Real-time play (Display menu): the preview steps as many frames as the time requires.
    void setRealTimePlay(bool on);
    bool realTimePlay() const { return realTimePlay_; }
    void setPlaying(bool playing);
    void togglePlaying() { setPlaying(!playing_); }
    // Frames as steps since a reset (1 ... effectLength()): going to one holds the preview there.
    void goToFrame(int frame);
    void stepForward();  // one frame on; after the last comes the first
    void stepBack();     // one frame back; before the first comes the last
    void goToFirstFrame(); // frame 1, playing on if the preview plays
    int effectLength() const;
    // The frame the preview stands at, or the one it is on its way to.
    int transportFrame() const;
    // True while the worker has not reached the frame asked for yet.
    bool seeking() const { return worker_ && worker_->seeking(); }

    // ---- edits ------------------------------------------------------------------------------
    // A member of the selected node (memberId("m_kill.span")) or a project value
    // (projectFieldId("g.project.isCameraMove")), recorded in the history. False when nothing
    // changed.
    bool setValue(ValueTarget target, double value);
    // Renames the selected node, recorded in the history; the effect restarts.
    bool renameSelected(const std::string& name);
    // Shows or hides a node's particles (the node panel's eye). Not an undoable edit, but a
    // change of the project all the same.
    void setNodeVisible(EffectNode& node, bool visible);
    // A press in the curve editor: the curve's state before the edit becomes an undo entry
    // (successive edits of one curve share it).
    void beginCurveEdit(int slot);
    // Replaces the points of curve `slot` of the selected node, recorded in the history. The
    // worker sees the new table from its next frame.
    void setCurvePoints(int slot, const std::vector<CurvePoint>& points,
                        CurveMerge merge = CurveMerge::Successive);
    // The gradient's press: the colour curves before it become one undo entry, which the edits
    // of the same gesture join.
    void beginGradientEdit();
    // Replaces the selected node's red, green, blue and opacity curves together, recorded in the
    // history as one gradient entry.
    void setGradientCurves(const History::GradientCurves& curves, CurveMerge merge = CurveMerge::Successive);
    // Pastes the curve clipboard into curve `slot` of the selected node, recorded in the
    // history; false when the clipboard holds fewer than two points (nothing changes).
    bool pasteCurve(int slot);
    // The node panel's commands (add, duplicate, delete, move) on the selected node.
    bool runTreeCommand(TreeEditor::Command command);
    // A subtree from the clipboard added below the selected node (one undo step; see
    // TreeEditor::paste), and a node dragged to another place (TreeEditor::moveNode).
    bool pasteSubtree(std::unique_ptr<EffectNode> top);
    bool moveNode(int nodeId, int newParentId, int index);
    // Selects `node` (a node of the tree or a camera node).
    void select(EffectNode* node);

    bool canUndo() const;
    bool canRedo() const;
    bool undo();
    bool redo();
    bool jumpTo(int entry);

    // A new random seed: the effect is made anew with the same settings.
    void remake();
    // A change of the project-wide settings by a dialog (project, camera, mask, export settings,
    // viewpoints): the worker stops, `change` edits the state, the project counts as modified,
    // the worker gets the new settings and the effect restarts; projectChanged() follows.
    void changeProject(const std::function<void(GlobalState&)>& change);
    // A change of the material list (import, delete, flip, rotate): as changeProject, and the view
    // uploads its textures again before its next frame; materialsChanged() follows.
    void changeMaterials(const std::function<void(GlobalState&)>& change);
    // A change of the saved viewpoints (the view list): the worker does not read them, so the
    // effect runs on; the project counts as modified and projectChanged() follows.
    void changeViewpoints(const std::function<void(std::vector<CameraView>&)>& change);
    // The view camera: where it stands now (as the view last drew it), and a pose for the view to
    // take from its next frame (a viewpoint, the camera dialog).
    ViewCameraPose viewCamera() const;
    void requestViewCamera(const ViewCameraPose& pose);
    // The view's background colour, 0..255 per component.
    void setBackgroundColor(int red, int green, int blue);
    // Shows or hides the selected node's emitter guide in the view (a display switch: the
    // project is not modified).
    void setGuideShown(bool shown);
    bool guideShown() const { return g_.showGuide; }

    // ---- files ------------------------------------------------------------------------------
    // Saves the project at `path` (waiting for a running autosave first); on success `path`
    // becomes the current file. Failures are reported through the notifier.
    bool save(const std::filesystem::path& path);
    // Loads the package at `path` into this editor, replacing the project and its history. A
    // file that cannot be opened is reported and changes nothing.
    bool load(const std::filesystem::path& path);
    // Loads the package at `path` as a new, untitled and unmodified project (a starter effect):
    // saving asks for a name, so the original is never overwritten.
    bool loadAsUntitled(const std::filesystem::path& path);
    // Whether load() could open the package at `path`, which is read and checked; reported when
    // not. Nothing changes either way.
    bool canOpen(const std::filesystem::path& path);
    // After a crashed run's autosave was loaded: the file is deleted and the project becomes
    // untitled and modified (its work exists nowhere else), so that the user saves it under a
    // name of their own and closing asks first.
    void adoptRestoredAutosave(const std::filesystem::path& autosaveFile);
    // The timer's call: writes the autosave unless a save is running or its dialog is open.
    void autosaveTick();
    // While a save dialog is open no autosave starts.
    void setAutosaveGuard(bool on);

    QString fileName() const; // name and extension of the current file, "無題.stn" when untitled
    bool hasFileName() const { return g_.hasFileName; }
    std::filesystem::path filePath() const;
    bool isModified() const { return g_.modified; }

    // Hands the current settings and selection to the worker; the document does this after
    // every change, and the start-up once before the worker first runs.
    void publish();

signals:
    void nodeValueChanged(vintrel::MemberId member); // a member of the selected node
    void projectValueChanged(vintrel::ProjectFieldId field);
    void curveChanged(int slot);            // a curve of the selected node
    void treeChanged();                     // nodes added, removed, moved or renamed
    void selectionChanged();                // another node is selected, or the project was replaced
    void historyChanged();                  // entries added, or the current entry moved
    void modifiedChanged(bool modified);    // the "*" of the title
    void fileChanged();                     // the current file's name
    void closeValueEditors();               // an open value editor of the panels must close
    void viewReset();                       // the effect restarted at frame 1
    void projectChanged();                  // project-wide settings changed (a dialog, a load)
    void materialsChanged();                // the material list changed
    void playbackChanged();                 // played or held, or another frame asked for

private:
    // After a tree command: the panels hear of the new tree and selection when it changed.
    bool afterTreeChange(bool changed);
    // The editing core's requests around its changes, turned into the document's signals.
    class CoreHooks final : public EditorHooks {
    public:
        explicit CoreHooks(ProjectDocument& document) : document_(document) {}
        void stopWorker() override { document_.stopWorker(); }
        void resetView() override { document_.resetView(); }
        void closeValueEditors() override { emit document_.closeValueEditors(); }
        void showSelection() override { emit document_.selectionChanged(); }
        void layoutNodePanel() override { emit document_.treeChanged(); }
        void refreshNodePanel() override { emit document_.treeChanged(); }
        void refreshPanels() override { emit document_.selectionChanged(); }
        void historyChanged() override { emit document_.historyChanged(); }
        void titleChanged() override { document_.noteFileState(); }

    private:
        ProjectDocument& document_;
    };

    void afterProjectReplaced();
    // While the preview holds a frame: the worker simulates it again with the changed values.
    void replayIfHeld();
    void afterHistoryMove();
    // Emits modifiedChanged() and fileChanged() for what changed since the last call.
    void noteFileState();

    GlobalState& g_;
    const ProjectDefaults& defaults_;
    Notifier& notifier_;
    Simulation simulation_;
    std::unique_ptr<SimulationWorker> worker_;
    CoreHooks hooks_{*this};
    History history_;
    TreeEditor tree_;
    Autosaver autosaver_;
    bool playing_ = true;
    bool realTimePlay_ = false;
    bool lastModified_ = false;
    QString lastFileName_;
};

} // namespace vintrel
