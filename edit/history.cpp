#include "edit/history.h"

#include "model/node_members.h"
#include "model/tree_operations.h"
#include "platform/overloaded.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vintrel {

namespace {

int toInt(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<int>(std::clamp(v, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

double asDouble(const History::Number& n) {
    return std::visit([](auto v) { return static_cast<double>(v); }, n);
}

bool targetIsFloat(const ValueTarget& target) {
    return std::visit([](auto id) { return describe(id).isFloat(); }, target);
}

// The value as the target stores it, so that merging and "unchanged" compare like with like.
History::Number stored(const ValueTarget& target, double v) {
    if (targetIsFloat(target)) {
        return static_cast<float>(v);
    }
    return toInt(v);
}

History::Number readValue(const ValueTarget& target, GlobalState& g, EffectNode* node) {
    return std::visit(Overloaded{
                          [&](MemberId id) -> History::Number {
                              const NodeMember& m = describe(id);
                              return m.isFloat() ? History::Number(m.floatValue(*node))
                                                 : History::Number(m.intValue(*node));
                          },
                          [&](ProjectFieldId id) -> History::Number {
                              const ProjectField& f = describe(id);
                              return f.isFloat() ? History::Number(f.floatValue(g))
                                                 : History::Number(f.intValue(g));
                          },
                      },
                      target);
}

// Parameter writes happen while the simulation may run; they hold the node's lock.
void writeValue(const ValueTarget& target, GlobalState& g, EffectNode* node, const History::Number& value) {
    std::visit(Overloaded{
                   [&](MemberId id) {
                       const NodeMember& m = describe(id);
                       const auto lock = node->lockParams();
                       if (m.isFloat()) {
                           m.floatRef(*node) = static_cast<float>(asDouble(value));
                       } else {
                           m.intRef(*node) = toInt(asDouble(value));
                       }
                   },
                   [&](ProjectFieldId id) {
                       const ProjectField& f = describe(id);
                       if (f.isFloat()) {
                           f.floatRef(g) = static_cast<float>(asDouble(value));
                       } else {
                           f.intRef(g) = toInt(asDouble(value));
                       }
                   },
               },
               target);
}

bool editsNode(const ValueTarget& target) {
    return std::holds_alternative<MemberId>(target);
}

// The identity of a node is not a value the user edits.
bool isIdentity(const ValueTarget& target) {
    return editsNode(target) && describe(std::get<MemberId>(target)).use == MemberUse::Identity;
}

} // namespace

std::string_view labelOf(const ValueTarget& target) {
    return editsNode(target) ? describe(std::get<MemberId>(target)).label : std::string_view();
}

History::History(GlobalState& g, EditorHooks& hooks) : g_(g), hooks_(hooks) {
    clear();
}

void History::clear() {
    entries_.clear();
    entries_.push_back(Entry{kStartTitle, Start{}, {}});
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

bool History::recordValue(ValueTarget target, double value) {
    EffectNode* node = editsNode(target) ? g_.pSelNode : nullptr;
    if ((editsNode(target) && node == nullptr) || isIdentity(target)) {
        return false;
    }
    const Number wanted = stored(target, value);
    const Number present = readValue(target, g_, node);
    if (wanted == present) {
        return false;
    }
    const int nodeId = node != nullptr ? node->m_ID : 0;
    Entry* newest = mergeCandidate();
    const auto* last = newest != nullptr ? std::get_if<ValueEdit>(&newest->edit) : nullptr;
    if (last != nullptr && last->target == target && last->nodeId == nodeId) {
        g_.modified = true;
        hooks_.titleChanged();
    } else {
        // A project value's entry is titled by the selected node too, with no label after the dash.
        const EffectNode* selected = g_.pSelNode;
        std::string subject = selected != nullptr ? selected->m_name : std::string();
        std::string title = subject + "-" + std::string(labelOf(target));
        add(Entry{std::move(title), ValueEdit{target, nodeId, present, {}}, std::move(subject)});
    }
    writeValue(target, g_, node, wanted);
    return true;
}

bool History::recordRename(const std::string& name) {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr || name == node->m_name) {
        return false;
    }
    Rename rename{node->m_ID, node->m_name, {}};
    node->setName(name);
    add(Entry{"ノード名＜" + node->m_name + "＞に変更", std::move(rename), node->m_name});
    return true;
}

void History::recordCurveEdit(CurveSlot slot, CurveMerge merge) {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr || slot < 0 || slot >= kCurveSlotCount) {
        return;
    }
    Entry* newest = merge == CurveMerge::Successive ? mergeCandidate() : nullptr;
    const auto* last = newest != nullptr ? std::get_if<CurveEdit>(&newest->edit) : nullptr;
    if (last != nullptr && last->open && last->nodeId == node->m_ID && last->slot == slot) {
        return;
    }
    add(Entry{node->m_name + "-" + curveSlotName(slot) + "グラフ",
              CurveEdit{node->m_ID, slot, node->graph(slot).points(), {}, merge != CurveMerge::Alone},
              node->m_name});
}

namespace {

History::GradientCurves gradientCurvesOf(const EffectNode& node) {
    History::GradientCurves curves;
    for (std::size_t i = 0; i < History::kGradientSlots.size(); ++i) {
        curves[i] = node.graph(History::kGradientSlots[i]).points();
    }
    return curves;
}

void setGradientCurves(EffectNode& node, const History::GradientCurves& curves) {
    for (std::size_t i = 0; i < History::kGradientSlots.size(); ++i) {
        node.graph(History::kGradientSlots[i]).setPoints(curves[i]);
    }
}

} // namespace

void History::recordGradientEdit(CurveMerge merge) {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr) {
        return;
    }
    Entry* newest = merge == CurveMerge::Successive ? mergeCandidate() : nullptr;
    const auto* last = newest != nullptr ? std::get_if<GradientEdit>(&newest->edit) : nullptr;
    if (last != nullptr && last->nodeId == node->m_ID) {
        return;
    }
    add(Entry{node->m_name + "-カラーグラデーション", GradientEdit{node->m_ID, gradientCurvesOf(*node), {}},
              node->m_name});
}

namespace {

History::Place placeOf(const EffectNode& node) {
    return {node.m_parent != nullptr ? node.m_parent->m_ID : 0, node.m_index};
}

} // namespace

void History::recordAdd(const EffectNode& node) {
    add(Entry{"＜" + node.m_name + "＞を追加", AddNode{node.m_ID, placeOf(node), nullptr}, node.m_name});
}

void History::recordDelete(const EffectNode& node) {
    add(Entry{"＜" + node.m_name + "＞を削除", DeleteNode{node.m_ID, placeOf(node), detachedCopy(node)},
              node.m_name});
}

void History::recordMove(const EffectNode& node) {
    add(Entry{"ノードの移動", MoveNode{node.m_ID, placeOf(node), {}}, node.m_name});
}

bool History::undo() {
    if (entries_.size() < 2 || current_ < 1) {
        return false;
    }
    hooks_.stopWorker();
    undoEdit(entries_[static_cast<std::size_t>(current_)].edit);
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
    redoEdit(entries_[static_cast<std::size_t>(current_)].edit);
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
        undoEdit(entries_[static_cast<std::size_t>(current_)].edit);
        --current_;
    }
    while (current_ < index) {
        ++current_;
        redoEdit(entries_[static_cast<std::size_t>(current_)].edit);
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

EffectNode* History::nodeAt(const Place& at) const {
    EffectNode* parent = findNodeById(*g_.rootNode, at.parentId);
    return parent != nullptr ? parent->child(at.index) : nullptr;
}

void History::insertCopyAt(const Place& at, const EffectNode* snapshot) {
    EffectNode* parent = findNodeById(*g_.rootNode, at.parentId);
    if (parent == nullptr || snapshot == nullptr) {
        return;
    }
    g_.pSelNode = &insertChildAt(*parent, at.index, detachedCopy(*snapshot));
}

void History::undoEdit(Edit& edit) {
    EffectNode& root = *g_.rootNode;
    std::visit(Overloaded{
                   [](Start&) {},
                   [&](ValueEdit& e) {
                       EffectNode* node = findNodeById(root, e.nodeId);
                       if (!editsNode(e.target) || node != nullptr) {
                           e.after = readValue(e.target, g_, node);
                           writeValue(e.target, g_, node, e.before);
                       }
                   },
                   [&](Rename& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId)) {
                           e.after = node->m_name;
                           node->setName(e.before);
                       }
                   },
                   [&](CurveEdit& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId)) {
                           Graph& curve = node->graph(e.slot);
                           e.after = curve.points();
                           curve.setPoints(e.before);
                       }
                   },
                   [&](GradientEdit& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId)) {
                           e.after = gradientCurvesOf(*node);
                           setGradientCurves(*node, e.before);
                       }
                   },
                   [&](AddNode& e) {
                       if (EffectNode* added = nodeAt(e.at)) {
                           if (!e.snapshot) {
                               e.snapshot = detachedCopy(*added);
                           }
                           deleteNode(g_, *added);
                       }
                   },
                   [&](DeleteNode& e) { insertCopyAt(e.at, e.snapshot.get()); },
                   [&](MoveNode& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId); node && node->m_parent) {
                           e.to = placeOf(*node);
                           moveNode(e.nodeId, e.from.parentId, e.from.index);
                       }
                   },
               },
               edit);
}

void History::redoEdit(Edit& edit) {
    EffectNode& root = *g_.rootNode;
    std::visit(Overloaded{
                   [](Start&) {},
                   [&](ValueEdit& e) {
                       EffectNode* node = findNodeById(root, e.nodeId);
                       if (!editsNode(e.target) || node != nullptr) {
                           writeValue(e.target, g_, node, e.after);
                       }
                   },
                   [&](Rename& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId)) {
                           node->setName(e.after);
                       }
                   },
                   [&](CurveEdit& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId)) {
                           node->graph(e.slot).setPoints(e.after);
                       }
                   },
                   [&](GradientEdit& e) {
                       if (EffectNode* node = findNodeById(root, e.nodeId)) {
                           setGradientCurves(*node, e.after);
                       }
                   },
                   [&](AddNode& e) { insertCopyAt(e.at, e.snapshot.get()); },
                   [&](DeleteNode& e) {
                       if (EffectNode* victim = nodeAt(e.at)) {
                           deleteNode(g_, *victim);
                       }
                   },
                   [&](MoveNode& e) { moveNode(e.nodeId, e.to.parentId, e.to.index); },
               },
               edit);
}

} // namespace vintrel
