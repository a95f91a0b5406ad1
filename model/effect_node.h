#pragma once

#include "model/curve.h"
#include "model/material.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vintrel {

struct FloatXYZ {
    float x = 0, y = 0, z = 0;

    friend bool operator==(const FloatXYZ&, const FloatXYZ&) = default;
};

// Where particles are born.
struct EmitterParams {
    enum Type { VerticalCircle, HorizontalCircle, Sphere, Hemisphere, Cylinder, Box };
    enum Scope { Inside, Surface, Custom };
    int type = Box;
    FloatXYZ size;
    FloatXYZ pos;
    int scope = Inside;
    int err = 0;
    int fix = 0;
    int scaleFix = 0;
    int isEvenInterval = 0;

    friend bool operator==(const EmitterParams&, const EmitterParams&) = default;
};

// When and how many particles are emitted.
struct TimingParams {
    enum Type { AbsoluteFrames, ParentFrames, ParentDeath };
    int type = AbsoluteFrames;
    int start = 1;
    int end = 1;
    int often = 1;
    int often_err = 0;
    int num = 1;
    int num_err = 0;

    friend bool operator==(const TimingParams&, const TimingParams&) = default;
};

// Lifetime.
struct KillParams {
    int span = 60;
    int span_err = 0;
    int isFrame = 0;
    int frame = 60;
    int frame_err = 0;
    int isLand = 0;

    friend bool operator==(const KillParams&, const KillParams&) = default;
};

// Motion. dirY precedes dirX in memory, as the node record has always kept them.
struct MoveParams {
    int isOneWay = 0;
    int oneway_err = 0;
    float dirY = 0;
    float dirX = 90;
    int speed = 0;
    int speed_err = 0;
    int isFollow = 0;
    int gravity = 0;
    FloatXYZ absorbPos;
    float absorbPawer = 0; // attraction strength; the member keeps its historical spelling
    int shake = 0;
    int isParentShake = 1;

    friend bool operator==(const MoveParams&, const MoveParams&) = default;
};

// Particle geometry. Types from kFirstModelShape on select the OBJ models of the material list.
struct ShapeParams {
    enum Type { Billboard, Plane, Hemisphere, Cylinder, Trail, FirstModel };
    enum Dir { Front, Back, Right, Left, Up, Down, Random };
    int type = Billboard;
    std::string modelName; // not saved; keeps model references valid while the material list changes
    int dir = Front;
    int isDir = 0;
    int isUnderCut = 0;

    friend bool operator==(const ShapeParams&, const ShapeParams&) = default;
};

struct TextureParams {
    std::string name; // not saved; keeps texture references valid while the material list changes
    int ID = -1;      // -1: no texture
    int isAdd = 0;
    int isAnim = 0;
    int w = 4;
    int h = 4;
    int speed = 0;
    int isLoop = 0;

    friend bool operator==(const TextureParams&, const TextureParams&) = default;
};

struct ScaleParams {
    int max = 10;
    int max_err = 0;
    int trailLength = 10;
    int trailThickChange = 0;

    friend bool operator==(const ScaleParams&, const ScaleParams&) = default;
};

struct ColorParams {
    int isAlphaParent = 0;
    int brigRnd = 0;
    int alphaRnd = 0;

    friend bool operator==(const ColorParams&, const ColorParams&) = default;
};

struct RotateParams {
    enum Axis { X, Y, Z, TravelX, TravelY, TravelZ, ParentOrientation, ParentTravel };
    enum RevAxis { RevX, RevY, RevZ, RevParentOrientation, RevParentTravel };
    enum Direction { Normal, Reversed, RandomDirection };
    int axis = Z;
    int angle = 0;
    int angle_err = 0;
    int dir = Normal;
    int isSameParent = 0;
    int revAxis = RevY;
    int revAngle = 0;
    int revAngle_err = 0;
    int revDir = Normal;

    friend bool operator==(const RotateParams&, const RotateParams&) = default;
};

// Curve slots of a node, in the fixed order the files number them by.
enum CurveSlot {
    SlotWidth,
    SlotHeight,
    SlotDepth,
    SlotSpin,
    SlotOrbit,
    SlotRed,
    SlotGreen,
    SlotBlue,
    SlotAlpha,
    SlotSpeed,
    SlotOverallSize,
    SlotShake,
    kCurveSlotCount
};

// The parameters of a node: everything the simulation reads of it besides its curves, and what
// a copy of the node carries over besides its identity, name and curves. The simulation copies
// this whole struct once per frame.
struct NodeParams {
    int m_isDraw = 1;
    EmitterParams m_emitter;
    TimingParams m_timing;
    KillParams m_kill;
    MoveParams m_move;
    ShapeParams m_shape;
    TextureParams m_texture;
    ScaleParams m_scale;
    ColorParams m_color;
    RotateParams m_rotate;

    friend bool operator==(const NodeParams&, const NodeParams&) = default;
};

// One emitter node of the effect tree.
class EffectNode : public NodeParams {
public:
    static constexpr int kCameraPositionId = 998;
    static constexpr int kCameraTargetId = 999;
    static constexpr std::size_t kNameMaxBytes = 255; // in the files' code page

    // A node below `parent` gets the ID one above the highest in parent's tree and the name
    // "ノード<ID>"; a free node (no parent) gets ID 0. The node is not inserted into the parent.
    explicit EffectNode(EffectNode* parent = nullptr);
    ~EffectNode();
    EffectNode(const EffectNode&) = delete;
    EffectNode& operator=(const EffectNode&) = delete;

    // Exact deep copy: every field, the ID, the name, the curves and the whole subtree.
    void copyFrom(const EffectNode& other);

    EffectNode* child(int index) const;
    int childCount() const { return static_cast<int>(m_children.size()); }
    EffectNode& appendChild(std::unique_ptr<EffectNode> node);
    std::unique_ptr<EffectNode> takeChild(int index);
    void clearChildren();

    // Sets m_name, cut so that it fits kNameMaxBytes in the files' code page.
    void setName(std::string_view utf8);

    // Parameter edits made while the simulation runs on its worker thread hold this lock; the
    // worker copies the parameters under it once per frame, so it never sees a half-written
    // value. Structural changes stop the worker instead.
    std::unique_lock<std::mutex> lockParams() const { return std::unique_lock(m_paramMutex); }

    // The parameters alone, as the simulation copies them.
    const NodeParams& params() const { return *this; }
    void setParams(const NodeParams& params) { static_cast<NodeParams&>(*this) = params; }

    Graph& graph(int slot) { return *m_graph[static_cast<std::size_t>(slot)]; }
    const Graph& graph(int slot) const { return *m_graph[static_cast<std::size_t>(slot)]; }

    // Tree links and identity.
    std::vector<std::unique_ptr<EffectNode>> m_children;
    EffectNode* m_parent = nullptr;
    std::string m_name; // UTF-8 in memory
    int m_ID = 0;
    int m_depth = 0;
    int m_row = 999999;
    int m_index = 0;

    std::array<std::unique_ptr<Graph>, kCurveSlotCount> m_graph;

private:
    mutable std::mutex m_paramMutex;
};

// An exact deep copy of `node` and its subtree (see copyFrom) that belongs to no parent yet.
std::unique_ptr<EffectNode> detachedCopy(const EffectNode& node);

// Depth-first search of a subtree, the node itself first.
EffectNode* findNodeById(EffectNode& subtree, int id);
// The largest m_ID in a subtree, or `start` when that is larger.
int highestId(const EffectNode& subtree, int start);
// Number of nodes in a subtree, the node itself included.
int countNodes(const EffectNode& subtree);
// Visits `top` and then every node below it, depth first.
void forEachInSubtree(EffectNode& top, const std::function<void(EffectNode&)>& visit);
// Sets m_parent of every node below `node`, and m_index to each node's position.
void relinkAndRenumber(EffectNode& node);

// Before the material list changes: store the names that the nodes' texture and model indices
// refer to. The node itself is skipped, its descendants are visited.
void resolveMaterialNames(EffectNode& root, const MaterialList& materials);
// After the change: turn the stored names back into indices of the new list.
void resolveMaterialIds(EffectNode& root, const MaterialList& materials);

} // namespace vintrel
