#include "edit/history.h"

#include "model/node_fields.h"
#include "model/project_fields.h"
#include "model/property_labels.h"
#include "model/tree_operations.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vintrel {

namespace {

// A value that an edit can change: a node parameter or a project field.
struct FieldRef {
    const NodeField* node = nullptr;
    const ProjectField* project = nullptr;

    explicit operator bool() const { return node != nullptr || project != nullptr; }
    bool isFloat() const { return node != nullptr ? node->isFloat() : project->isFloat(); }
};

FieldRef resolveField(std::string_view path) {
    if (path.starts_with(kSelectedNodePrefix)) {
        const std::string_view member = path.substr(kSelectedNodePrefix.size());
        // The identity of a node is not a value the user edits.
        if (member == "m_ID") {
            return {};
        }
        return {findNodeField(member), nullptr};
    }
    for (const ProjectField& field : projectFields()) {
        if (field.key == path) {
            return {nullptr, &field};
        }
    }
    return {};
}

int toInt(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<int>(std::clamp(v, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

double readField(const FieldRef& f, GlobalState& g, EffectNode* node) {
    if (f.node != nullptr) {
        return f.node->isFloat() ? f.node->floatValue(*node) : f.node->intValue(*node);
    }
    return f.project->isFloat() ? f.project->floatValue(g) : f.project->intValue(g);
}

// Parameter writes happen while the simulation may run; they hold the node's lock.
void writeField(const FieldRef& f, GlobalState& g, EffectNode* node, double v) {
    if (f.node != nullptr) {
        const auto lock = node->lockParams();
        if (f.node->isFloat()) {
            f.node->floatRef(*node) = static_cast<float>(v);
        } else {
            f.node->intRef(*node) = toInt(v);
        }
    } else if (f.project->isFloat()) {
        f.project->floatRef(g) = static_cast<float>(v);
    } else {
        f.project->intRef(g) = toInt(v);
    }
}

// The value as the field stores it, so that merging and "unchanged" compare like with like.
double stored(const FieldRef& f, double v) {
    return f.isFloat() ? static_cast<double>(static_cast<float>(v)) : static_cast<double>(toInt(v));
}

} // namespace

bool History::isKnownPath(std::string_view path) {
    return static_cast<bool>(resolveField(path));
}

History::History(GlobalState& g, EditorHooks& hooks) : g_(g), hooks_(hooks) {
    clear();
}

void History::clear() {
    entries_.clear();
    Entry start;
    start.title = kStartTitle;
    entries_.push_back(std::move(start));
    current_ = 0;
    hooks_.historyChanged();
}

History::Entry& History::add(Entry entry) {
    entries_.erase(entries_.begin() + current_ + 1, entries_.end());
    entries_.push_back(std::move(entry));
    current_ = static_cast<int>(entries_.size()) - 1;
    hooks_.historyChanged();
    g_.modified = true;
    hooks_.titleChanged();
    return entries_.back();
}

History::Entry* History::mergeCandidate() {
    if (current_ != static_cast<int>(entries_.size()) - 1 || current_ == 0) {
        return nullptr;
    }
    return &entries_.back();
}

bool History::recordValue(std::string_view path, double value) {
    const FieldRef field = resolveField(path);
    EffectNode* node = g_.pSelNode;
    if (!field || (field.node != nullptr && node == nullptr)) {
        return false;
    }
    value = stored(field, value);
    const double present = readField(field, g_, node);
    if (value == present) {
        return false;
    }
    const int nodeId = node != nullptr ? node->m_ID : 0;
    Entry* newest = mergeCandidate();
    const bool merges = newest != nullptr && newest->kind == ValueEdit && newest->path == path &&
                        (field.project != nullptr || newest->nodeId == nodeId);
    if (!merges) {
        Entry entry;
        entry.kind = ValueEdit;
        entry.path = std::string(path);
        entry.before.number = present;
        entry.nodeId = nodeId;
        entry.valueType = field.isFloat() ? "float" : "int";
        entry.title =
            (node != nullptr ? node->m_name : std::string()) + "-" + std::string(propertyLabel(path));
        add(std::move(entry));
    } else {
        g_.modified = true;
        hooks_.titleChanged();
    }
    writeField(field, g_, node, value);
    return true;
}

bool History::recordRename(const std::string& name) {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr || name == node->m_name) {
        return false;
    }
    Entry entry;
    entry.kind = Rename;
    entry.before.text = node->m_name;
    entry.nodeId = node->m_ID;
    node->setName(name);
    entry.title = "ノード名＜" + node->m_name + "＞に変更";
    add(std::move(entry));
    return true;
}

void History::recordCurveEdit(int slot) {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr || slot < 0 || slot >= kCurveSlotCount) {
        return;
    }
    Entry* newest = mergeCandidate();
    if (newest != nullptr && newest->kind == CurveEdit && newest->nodeId == node->m_ID &&
        static_cast<int>(newest->before.number) == slot) {
        return;
    }
    Entry entry;
    entry.kind = CurveEdit;
    entry.before.number = slot;
    entry.before.points = node->graph(slot).points();
    entry.nodeId = node->m_ID;
    entry.title = node->m_name + "-" + curveSlotName(slot) + "グラフ";
    add(std::move(entry));
}

namespace {

// An entry about a node's place in the tree: its position and its parent's ID.
History::Entry placeEntry(History::Kind kind, const EffectNode& node, std::string title) {
    History::Entry entry;
    entry.kind = kind;
    entry.before.number = node.m_index;
    entry.before.parentId = node.m_parent != nullptr ? node.m_parent->m_ID : 0;
    entry.nodeId = node.m_ID;
    entry.title = std::move(title);
    return entry;
}

std::unique_ptr<EffectNode> snapshotOf(const EffectNode& node) {
    auto snapshot = std::make_unique<EffectNode>();
    snapshot->copyFrom(node);
    snapshot->m_parent = nullptr;
    return snapshot;
}

} // namespace

void History::recordAdd(const EffectNode& node) {
    add(placeEntry(Add, node, "＜" + node.m_name + "＞を追加"));
}

void History::recordDelete(const EffectNode& node) {
    Entry entry = placeEntry(Delete, node, "＜" + node.m_name + "＞を削除");
    entry.snapshot = snapshotOf(node);
    add(std::move(entry));
}

void History::recordMove(const EffectNode& node) {
    add(placeEntry(Move, node, "ノードの移動"));
}

bool History::undo() {
    if (entries_.size() < 2 || current_ < 1) {
        return false;
    }
    hooks_.stopWorker();
    undoEntry(entries_[static_cast<std::size_t>(current_)]);
    --current_;
    afterStructuralChange();
    hooks_.resetView();
    return true;
}

bool History::redo() {
    if (current_ + 1 >= static_cast<int>(entries_.size())) {
        return false;
    }
    hooks_.stopWorker();
    ++current_;
    redoEntry(entries_[static_cast<std::size_t>(current_)]);
    afterStructuralChange();
    hooks_.resetView();
    return true;
}

bool History::jump(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size()) || index == current_) {
        return false;
    }
    hooks_.stopWorker();
    while (current_ > index) {
        undoEntry(entries_[static_cast<std::size_t>(current_)]);
        --current_;
    }
    while (current_ < index) {
        ++current_;
        redoEntry(entries_[static_cast<std::size_t>(current_)]);
    }
    afterStructuralChange();
    hooks_.showSelection();
    hooks_.resetView();
    return true;
}

void History::afterStructuralChange() {
    relinkAndRenumber(*g_.rootNode);
    g_.nodeCount = countNodes(*g_.rootNode);
    if (g_.pSelNode == nullptr) {
        g_.pSelNode = g_.rootNode->child(0);
    }
    g_.modified = true;
    hooks_.historyChanged();
    hooks_.titleChanged();
    hooks_.refreshNodePanel();
    hooks_.refreshPanels();
}

void History::moveNode(int nodeId, int parentId, int index) {
    EffectNode* node = findNodeById(*g_.rootNode, nodeId);
    EffectNode* target = findNodeById(*g_.rootNode, parentId);
    if (node == nullptr || node->m_parent == nullptr || target == nullptr) {
        return;
    }
    // A node cannot move into its own subtree.
    for (const EffectNode* n = target; n != nullptr; n = n->m_parent) {
        if (n == node) {
            return;
        }
    }
    std::unique_ptr<EffectNode> moved = detachChildAt(*node->m_parent, childPosition(*node));
    g_.pSelNode = &insertChildAt(*target, index, std::move(moved));
}

void History::undoEntry(Entry& entry) {
    switch (entry.kind) {
    case ValueEdit: {
        const FieldRef field = resolveField(entry.path);
        EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId);
        if (field && (field.project != nullptr || node != nullptr)) {
            entry.after.number = readField(field, g_, node);
            writeField(field, g_, node, entry.before.number);
        }
        break;
    }
    case Rename:
        if (EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId)) {
            entry.after.text = node->m_name;
            node->setName(entry.before.text);
        }
        break;
    case CurveEdit:
        if (EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId)) {
            Graph& curve = node->graph(static_cast<int>(entry.before.number));
            entry.after.points = curve.points();
            curve.setPoints(entry.before.points);
        }
        break;
    case Add:
        if (EffectNode* parent = findNodeById(*g_.rootNode, entry.before.parentId)) {
            EffectNode* added = parent->child(static_cast<int>(entry.before.number));
            if (added != nullptr) {
                if (!entry.snapshot) {
                    entry.snapshot = snapshotOf(*added);
                }
                deleteNode(g_, *added);
            }
        }
        break;
    case Delete:
        if (EffectNode* parent = findNodeById(*g_.rootNode, entry.before.parentId);
            parent && entry.snapshot) {
            auto restored = std::make_unique<EffectNode>();
            restored->copyFrom(*entry.snapshot);
            g_.pSelNode = &insertChildAt(*parent, static_cast<int>(entry.before.number), std::move(restored));
        }
        break;
    case Move:
        if (EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId); node && node->m_parent) {
            entry.after.parentId = node->m_parent->m_ID;
            entry.after.number = node->m_index;
            moveNode(entry.nodeId, entry.before.parentId, static_cast<int>(entry.before.number));
        }
        break;
    }
}

void History::redoEntry(Entry& entry) {
    switch (entry.kind) {
    case ValueEdit: {
        const FieldRef field = resolveField(entry.path);
        EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId);
        if (field && (field.project != nullptr || node != nullptr)) {
            writeField(field, g_, node, entry.after.number);
        }
        break;
    }
    case Rename:
        if (EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId)) {
            node->setName(entry.after.text);
        }
        break;
    case CurveEdit:
        if (EffectNode* node = findNodeById(*g_.rootNode, entry.nodeId)) {
            node->graph(static_cast<int>(entry.before.number)).setPoints(entry.after.points);
        }
        break;
    case Add:
        if (EffectNode* parent = findNodeById(*g_.rootNode, entry.before.parentId);
            parent && entry.snapshot) {
            auto added = std::make_unique<EffectNode>();
            added->copyFrom(*entry.snapshot);
            g_.pSelNode = &insertChildAt(*parent, static_cast<int>(entry.before.number), std::move(added));
        }
        break;
    case Delete:
        if (EffectNode* parent = findNodeById(*g_.rootNode, entry.before.parentId)) {
            if (EffectNode* victim = parent->child(static_cast<int>(entry.before.number))) {
                deleteNode(g_, *victim);
            }
        }
        break;
    case Move:
        moveNode(entry.nodeId, entry.after.parentId, static_cast<int>(entry.after.number));
        break;
    }
}

} // namespace vintrel
