#include "persist/settings_file.h"

#include "model/node_members.h"
#include "model/project_fields.h"
#include "persist/backdrop_section.h"
#include "persist/export_extras_section.h"
#include "platform/number_format.h"
#include "platform/text_codec.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <set>

namespace vintrel {

namespace {

constexpr const char* kNoData = "__NO_DATA_";
constexpr std::size_t kValueMaxBytes = 63;     // values are read into 64-byte buffers
constexpr std::size_t kViewTitleMaxBytes = 49; // view titles into 50-byte buffers
constexpr int kMaxChildren = 9;
constexpr int kMaxDepth = 9;
constexpr int kMaxCurvePoints = 4096; // a damaged count must not allocate without end
constexpr int kCameraSectionFirst = EffectNode::kCameraPositionId;
constexpr int kCameraSectionLast = EffectNode::kCameraTargetId;

std::string viewSection(std::size_t index) {
    return "ViewList" + std::to_string(index);
}

std::string pointKey(int slot, int index, char axis) {
    return "graphPoint" + std::to_string(slot) + "-" + std::to_string(index) + "_" + axis;
}

std::string pointCountKey(int slot) {
    return "graphPointNum" + std::to_string(slot);
}

// Truncation toward zero with a defined result for values no int can hold.
int truncateToInt(float v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483648.0f) {
        return INT_MAX;
    }
    if (v <= -2147483648.0f) {
        return INT_MIN;
    }
    return static_cast<int>(v);
}

float narrowToFloat(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) {
        return std::numeric_limits<float>::infinity();
    }
    if (v < -kMax) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(v);
}

// ---- writing -------------------------------------------------------------------------------

// Builds the file text section by section. The writer always starts from an empty file and
// every section and key is written once, so appending gives the same text as writing the
// keys one at a time into the file would.
class SettingsWriter {
public:
    void section(const std::string& name) { text_ += "[" + name + "]\r\n"; }
    void value(std::string_view key, std::string_view value) {
        text_.append(key);
        text_ += '=';
        text_.append(value);
        text_ += "\r\n";
    }
    void intValue(std::string_view key, int v) { value(key, formatInt(v)); }
    void floatValue(std::string_view key, float v) { value(key, formatFloat(v)); }
    void textValue(std::string_view key, std::string_view utf8) { value(key, settingsTextValue(utf8)); }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

void writeProject(SettingsWriter& out, const GlobalState& g) {
    out.section("0");
    for (const ProjectField& field : projectFields()) {
        if (field.isFloat()) {
            out.floatValue(field.key, field.floatValue(g));
        } else {
            out.intValue(field.key, field.intValue(g));
        }
    }
}

void writeViews(SettingsWriter& out, const std::vector<CameraView>& views) {
    for (std::size_t i = 0; i < views.size(); ++i) {
        const CameraView& view = views[i];
        out.section(viewSection(i));
        out.textValue("Title", text::cutUtf8ToCp932Bytes(view.title, kViewTitleMaxBytes));
        out.intValue("PosX", truncateToInt(view.eye.x * 10.0f));
        out.intValue("PosY", truncateToInt(view.eye.y * 10.0f));
        out.intValue("PosZ", truncateToInt(view.eye.z * 10.0f));
        out.intValue("TargetX", truncateToInt(view.target.x * 10.0f));
        out.intValue("TargetY", truncateToInt(view.target.y * 10.0f));
        out.intValue("TargetZ", truncateToInt(view.target.z * 10.0f));
        out.intValue("Angle", truncateToInt(view.angle));
    }
}

void writeNodeKeys(SettingsWriter& out, const EffectNode& node) {
    out.textValue("m_name", node.m_name);
    for (const NodeMember& field : nodeMembers()) {
        if (field.isFloat()) {
            out.floatValue(field.key, field.floatValue(node));
        } else {
            out.intValue(field.key, field.intValue(node));
        }
    }
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        const Graph& curve = node.graph(slot);
        out.intValue(pointCountKey(slot), curve.pointCount());
        for (int j = 0; j < curve.pointCount(); ++j) {
            out.floatValue(pointKey(slot, j, 'X'), curve.point(j).x);
            out.floatValue(pointKey(slot, j, 'Y'), curve.point(j).y);
        }
    }
}

void writeNode(SettingsWriter& out, const EffectNode& node, long long number) {
    out.section(std::to_string(number));
    writeNodeKeys(out, node);
    for (int k = 1; k <= node.childCount(); ++k) {
        writeNode(out, *node.child(k - 1), number * 10 + k);
    }
}

constexpr const char* kTreeTooLarge =
    "9個を超える子を持つノードか、9段より深い階層のノードがあるため、保存できません。";
constexpr const char* kTreeHitsCameraNumber =
    "ノードの位置がカメラ用の番号（998・999）と重なるため、保存できません。";

Status checkChildren(const EffectNode& node, long long number, int depth) {
    if (node.childCount() > kMaxChildren || (node.childCount() > 0 && depth >= kMaxDepth)) {
        return Message{kTreeTooLarge};
    }
    for (int k = 1; k <= node.childCount(); ++k) {
        const long long childNumber = number * 10 + k;
        if (childNumber >= kCameraSectionFirst && childNumber <= kCameraSectionLast) {
            return Message{kTreeHitsCameraNumber};
        }
        if (Status checked = checkChildren(*node.child(k - 1), childNumber, depth + 1); !checked) {
            return checked;
        }
    }
    return {};
}

// ---- reading -------------------------------------------------------------------------------

class SettingsReader {
public:
    SettingsReader(const IniDocument& ini, int version) : ini_(ini), version_(version) {}

    // The raw value as the 64-byte read buffer holds it, or "__NO_DATA_" when absent.
    std::string raw(const std::string& section, std::string_view key, std::size_t maxBytes = kValueMaxBytes,
                    std::string_view fallback = kNoData) const {
        std::string value = ini_.read(section, key, fallback);
        value.resize(text::cp932CutLength(value, maxBytes));
        return value;
    }
    int readInt(const std::string& section, std::string_view key) const {
        return parseIntLikeAtoi(raw(section, key));
    }
    float readFloat(const std::string& section, std::string_view key) const {
        return narrowToFloat(parseDoubleLikeAtof(raw(section, key)));
    }

    void readProject(GlobalState& g) const;
    void readViews(GlobalState& g) const;
    void readTree(GlobalState& g);
    void readCameraNodes(GlobalState& g) const;

private:
    bool readNode(GlobalState& g, EffectNode& node, long long number);
    bool readNodeKeys(EffectNode& node, const std::string& section) const;
    void readCurves(EffectNode& node, const std::string& section) const;
    void readCurve(Graph& curve, const std::string& section, int slot) const;
    // Reads the children k = 1, 2, ... of `parent` (numbered base*10+k; the root's are 1, 2, ...).
    void readChildren(GlobalState& g, EffectNode& parent, long long base);
    bool canHoldNode(long long number) const;

    const IniDocument& ini_;
    int version_;
    std::set<long long> visited_;
};

void SettingsReader::readProject(GlobalState& g) const {
    for (const ProjectField& field : projectFields()) {
        if (field.isFloat()) {
            field.floatRef(g) = readFloat("0", field.key);
        } else {
            field.intRef(g) = readInt("0", field.key);
        }
    }
    ProjectSettings& p = g.project;
    if (version_ <= 5) {
        p.growRange = 0;
        p.growPower = 50;
        p.growColor = {255, 255, 255};
        p.previewFrame = p.frame / 2;
    }
    if (version_ <= 3) {
        g.mask = MaskSettings{};
    }
}

void SettingsReader::readViews(GlobalState& g) const {
    g.views.clear();
    for (std::size_t i = 0;; ++i) {
        const std::string section = viewSection(i);
        const std::string title = raw(section, "Title", kViewTitleMaxBytes, "");
        if (title.empty()) {
            break;
        }
        CameraView view;
        view.title = text::cp932ToUtf8Lenient(title);
        view.eye = {readFloat(section, "PosX") / 10, readFloat(section, "PosY") / 10,
                    readFloat(section, "PosZ") / 10};
        view.target = {readFloat(section, "TargetX") / 10, readFloat(section, "TargetY") / 10,
                       readFloat(section, "TargetZ") / 10};
        view.angle = readFloat(section, "Angle");
        g.views.push_back(std::move(view));
    }
    if (g.views.empty()) {
        g.views.push_back(CameraView{{}, {}, 60, CameraView::kAddEntryTitle});
    }
}

// A node section must have a number an int can hold, must not be a camera section, and is read
// only once: a damaged file whose numbers repeat cannot multiply nodes.
bool SettingsReader::canHoldNode(long long number) const {
    if (number > INT_MAX || (number >= kCameraSectionFirst && number <= kCameraSectionLast)) {
        return false;
    }
    return !visited_.contains(number);
}

bool SettingsReader::readNodeKeys(EffectNode& node, const std::string& section) const {
    const std::string name = raw(section, "m_name");
    if (name == kNoData) {
        return false;
    }
    node.m_name = text::cp932ToUtf8Lenient(name);
    for (const NodeMember& field : nodeMembers()) {
        if (field.isFloat()) {
            field.floatRef(node) = readFloat(section, field.key);
        } else {
            field.intRef(node) = readInt(section, field.key);
        }
    }
    if (version_ <= 1 && node.m_emitter.type == EmitterParams::Hemisphere) {
        node.m_emitter.type = EmitterParams::Box;
    }
    return true;
}

void SettingsReader::readCurve(Graph& curve, const std::string& section, int slot) const {
    curve.clearPoints();
    const int count = std::min(readInt(section, pointCountKey(slot)), kMaxCurvePoints);
    for (int j = 0; j < count; ++j) {
        curve.addPoint(
            {readFloat(section, pointKey(slot, j, 'X')), readFloat(section, pointKey(slot, j, 'Y'))});
    }
    curve.rebuildTable();
}

void SettingsReader::readCurves(EffectNode& node, const std::string& section) const {
    // Files before version 2 have no overall-size curve (and nothing after it); versions 2 to 4
    // have no shake curve. Both start as the line at 1.0.
    const std::vector<CurvePoint> line{{0, 1.0f}, {100, 1.0f}};
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        if (version_ <= 1 && slot == SlotOverallSize) {
            node.graph(slot).setPoints(line);
            break;
        }
        if (version_ >= 2 && version_ <= 4 && slot == SlotShake) {
            node.graph(slot).setPoints(line);
            continue;
        }
        readCurve(node.graph(slot), section, slot);
    }
    // Trails of files up to version 2 kept their width in the overall-size slot.
    if (version_ <= 2 && node.m_shape.type == ShapeParams::Trail) {
        std::vector<CurvePoint> width = node.graph(SlotWidth).points();
        node.graph(SlotWidth).setPoints(node.graph(SlotOverallSize).points());
        node.graph(SlotOverallSize).setPoints(std::move(width));
    }
}

bool SettingsReader::readNode(GlobalState& g, EffectNode& node, long long number) {
    if (!canHoldNode(number)) {
        return false;
    }
    const std::string section = std::to_string(number);
    if (!readNodeKeys(node, section)) {
        return false;
    }
    visited_.insert(number);
    readCurves(node, section);
    ++g.nodeCount;
    readChildren(g, node, number);
    return true;
}

void SettingsReader::readChildren(GlobalState& g, EffectNode& parent, long long base) {
    for (long long k = 1;; ++k) {
        EffectNode& child = parent.appendChild(std::make_unique<EffectNode>(&parent));
        if (!readNode(g, child, base * 10 + k)) {
            parent.takeChild(parent.childCount() - 1);
            return;
        }
    }
}

void SettingsReader::readTree(GlobalState& g) {
    readChildren(g, *g.rootNode, 0);
}

void SettingsReader::readCameraNodes(GlobalState& g) const {
    resetCameraNodes(g);
    if (g.project.isCameraMove == 0) {
        return;
    }
    const std::pair<EffectNode*, int> cameras[] = {{g.cameraNode.get(), kCameraSectionFirst},
                                                   {g.targetNode.get(), kCameraSectionLast}};
    for (const auto& [node, number] : cameras) {
        const std::string section = std::to_string(number);
        if (readNodeKeys(*node, section)) {
            readCurves(*node, section);
        }
    }
}

} // namespace

Status checkTreeNumbering(const EffectNode& root) {
    return checkChildren(root, 0, 0);
}

std::string writeSettings(const GlobalState& g) {
    SettingsWriter out;
    writeProject(out, g);
    writeViews(out, g.views);
    for (int k = 1; k <= g.rootNode->childCount(); ++k) {
        writeNode(out, *g.rootNode->child(k - 1), k);
    }
    out.section(std::to_string(EffectNode::kCameraPositionId));
    writeNodeKeys(out, *g.cameraNode);
    out.section(std::to_string(EffectNode::kCameraTargetId));
    writeNodeKeys(out, *g.targetNode);
    return out.take() + exportExtrasSection(g.exportExtras) + backdropSection(g.backdrop);
}

void readSettings(GlobalState& g, const IniDocument& ini, int version) {
    SettingsReader reader(ini, version);
    reader.readProject(g);
    reader.readViews(g);
    g.nodeCount = 1;
    reader.readTree(g);
    reader.readCameraNodes(g);
    g.exportExtras = readExportExtras(ini);
    g.backdrop = readBackdrop(ini);
}

Result<std::string> writeNodeSections(const EffectNode& top) {
    // Numbered as the first child of a root, the subtree must fit below it.
    EffectNode holder;
    holder.appendChild(detachedCopy(top));
    if (Status checked = checkTreeNumbering(holder); !checked) {
        return checked.error();
    }
    SettingsWriter out;
    writeNode(out, top, 1);
    return out.take();
}

std::unique_ptr<EffectNode> readNodeSections(const IniDocument& ini) {
    GlobalState read;
    SettingsReader reader(ini, kCurrentFormatVersion);
    read.rootNode->clearChildren();
    reader.readTree(read);
    if (read.rootNode->childCount() == 0) {
        return nullptr;
    }
    // Only the first subtree: a second top-level section ("2") is not part of the clip.
    std::unique_ptr<EffectNode> top = read.rootNode->takeChild(0);
    top->m_parent = nullptr;
    return top;
}

std::string settingsTextValue(std::string_view utf8) {
    std::string encoded = text::utf8ToCp932Lenient(utf8);
    for (char& c : encoded) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return encoded;
}

std::optional<int> settingsNumberIn(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace vintrel
