#pragma once

#include "model/effect_node.h"
#include "model/export_extras.h"
#include "model/frame_inputs.h"
#include "model/material.h"
#include "model/view_backdrop.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

struct ProjectSettings {
    int frame = 60;
    int fps = 60;
    int width = 128;
    int height = 128;
    FloatXYZ backColor;
    int randomSeed = 0;
    int reverse = 0;
    int sort = 1;
    int fileVersion = 0; // format version of the loaded package; not saved as a key
    int isCameraMove = 0;
    int growRange = 0;
    int growPower = 50;
    FloatXYZ growColor{255, 255, 255};
    int previewFrame = -1;
    int isNonLiner = 0;

    friend bool operator==(const ProjectSettings&, const ProjectSettings&) = default;
};

// The output kinds of WriteSettings::type: 0 one sheet, 1 numbered files, 2 a video made by the
// video tool, 3 an animated GIF.
enum class OutputKind { Sheet = 0, NumberedFiles = 1, Video = 2, AnimatedGif = 3 };

struct WriteSettings {
    int start = 1;
    int end = 60;
    int step = 1;
    int width = 7;
    int height = 0;
    int type = 0;
    int framesWritten = 0; // progress of a running export; not saved
    int smooth = 2;
    int isAlpha = 1;

    OutputKind kind() const { return static_cast<OutputKind>(type); }
    friend bool operator==(const WriteSettings&, const WriteSettings&) = default;
};

struct MaskSettings {
    static constexpr int kUnset = -999;
    int texID = 0; // 0: no mask, otherwise 1 + texture index
    int x = 0;
    int y = 0;
    int w = kUnset;
    int h = kUnset;
    int isDisp = 1;
    struct {
        int cx = kUnset;
        int cy = kUnset;
    } texSize;
    int alpha = 180;
};

// One saved viewpoint.
struct CameraView {
    static constexpr std::size_t kTitleMaxBytes = 49; // in the files' code page
    static constexpr const char* kAddEntryTitle = "＜追加＞";
    FloatXYZ eye;
    FloatXYZ target;
    float angle = 60;
    std::string title; // UTF-8
};

// What the worker thread reads of the project during one pass: the project settings and which
// node is selected (its emitter guide is drawn). Never read live while the worker runs: the
// editing thread publishes a copy after every change (GlobalState::publishFrameInputs).
struct FrameInputs {
    ProjectSettings project;
    const EffectNode* selected = nullptr; // identity only; the worker never reads through it
    bool showGuide = true;                // the selected node's emitter guide is drawn
};

// The simulation's run-time flags and readings, shared by the user-interface thread and the
// worker thread that steps the simulation; each is written by one side and polled by the other.
struct SimulationStatus {
    std::atomic<bool> isStopped{false};     // the worker does not step; a running step ends its walk
    std::atomic<bool> isPaused{false};      // the worker neither steps nor draws
    std::atomic<bool> quitRequested{false}; // the worker ends
    std::atomic<bool> isRendering{false};   // the worker is drawing a frame
    std::atomic<bool> isExporting{false};   // the worker runs the export instead of the view
    std::atomic<unsigned> particleCount{0}; // list size after the latest step
    std::atomic<unsigned> measuredFps{0};   // steps counted in the latest full second
};

// Source of the new-project defaults (the DEFAULT_PROJECT keys of the application settings).
class ProjectDefaults {
public:
    virtual ~ProjectDefaults() = default;
    // The value stored under `key`, or `fallback` when there is none.
    virtual int value(std::string_view key, int fallback) const = 0;
};

// Defaults when no application settings exist: every key gives its fallback.
class BuiltInProjectDefaults final : public ProjectDefaults {
public:
    int value(std::string_view, int fallback) const override { return fallback; }
};

// What a project file holds: the effect tree with its camera nodes, the project, export and mask
// settings, the viewpoints, the view's camera and the materials. The editing thread owns it; the
// worker reads the tree under each node's lock and everything else only through the published
// copy. An export reads a copy of its own (ExportJob).
struct SavedProject {
    std::unique_ptr<EffectNode> rootNode;
    std::unique_ptr<EffectNode> cameraNode;
    std::unique_ptr<EffectNode> targetNode;
    int nodeCount = 2;
    ProjectSettings project;
    WriteSettings write;
    ExportExtras exportExtras;
    ViewBackdrop backdrop;
    MaskSettings mask;
    std::vector<CameraView> views;
    ViewCameraPose viewCamera; // the editing thread's copy, saved with the project
    MaterialList materials;
};

// What the editing thread and the worker share while the worker runs: the run-time flags and
// readings, the published frame inputs and the camera handed over in both directions.
struct WorkerShared {
    SimulationStatus sim;
    PublishedCopy<FrameInputs> publishedInputs;
    CameraHandover cameraHandover;
};

// The open file: its name, whether it has unsaved changes, the run's workspace folder with the
// material files, and the program's folder. The editing thread's alone.
struct OpenFileState {
    static constexpr const char* kUntitledName = "無題.stn";

    std::string currentFile = kUntitledName;
    bool hasFileName = false;
    bool modified = false;
    std::filesystem::path workspace;
    std::filesystem::path programFolder;
};

// The application-wide record: the saved project, the state shared with the worker, the open
// file, and the editing thread's selection.
struct GlobalState : SavedProject, WorkerShared, OpenFileState {
    GlobalState();

    EffectNode* pSelNode = nullptr;
    // The view shows the selected node's emitter guide (a display switch of the editor, kept in
    // its settings, not in the project).
    bool showGuide = true;

    // Editing thread: hands the current project settings and selection to the worker. The
    // worker publishes once more when it starts, so it never reads the live values.
    void publishFrameInputs();
    // What one pass of the simulation and the drawing reads: the published copy, or, where
    // nothing was ever published because one thread does everything (the command-line tool,
    // an export job's own copy, the tests), the live values.
    FrameInputs frameInputs() const {
        if (std::optional<FrameInputs> published = publishedInputs.latest()) {
            return *published;
        }
        return FrameInputs{project, pSelNode, showGuide};
    }
};

// The seed Remake gives the effect: one on, wrapping past the largest int as the unsigned seed does.
inline int nextRandomSeed(int seed) {
    return static_cast<int>(static_cast<unsigned>(seed) + 1u);
}

// Makes `to` a copy of `from`'s project that another thread or a private run owns: the tree and
// the camera nodes detached, the settings, viewpoints, camera and materials, the selection found
// again by its ID, and the open file's workspace and names (the material files are shared).
void copyProject(const GlobalState& from, GlobalState& to);

// The root and the two camera marker nodes live exactly as long as the effect: their life span
// is the project's length, and the markers are never drawn. Written under each node's lock and
// only where a value differs, so that the worker's restart, which calls this too, writes nothing
// once the editing thread has published.
void syncEffectLengthNodes(GlobalState& g, int frames);

// The viewpoints of a fresh project, ending with the "＜追加＞" entry.
std::vector<CameraView> freshViewList();

// Builds the two camera nodes anew with their start values.
void resetCameraNodes(GlobalState& g);

// Project reset (at start and before a project is loaded): the settings that a loaded project
// overwrites go back to their defaults. The workspace is recreated by the caller.
void resetProject(GlobalState& g, const ProjectDefaults& defaults);

// The remaining start values of a new project: after resetProject, builds the root with its
// first child, selects it, builds the camera nodes and sets glow, preview, mask and display
// values. This is the state of every new project.
void applyStartValues(GlobalState& g, const ProjectDefaults& defaults);

// What the project dialog does on OK after storing frame, fps and size: the export range
// becomes the whole effect and the sheet gets floor(sqrt(frames)) frames across.
void applyProjectLength(GlobalState& g, int frames);

} // namespace vintrel
