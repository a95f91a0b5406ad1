#include "app/cli/edit_script.h"

#include "model/property_labels.h"

#include <charconv>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vintrel {

namespace {

std::optional<double> parseNumber(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> parseInteger(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Curve points as the curve editor keeps them: at least two, from x = 0 to x = 100 with x
// strictly rising, and y in 0..100.
std::optional<std::vector<CurvePoint>> parsePoints(std::istringstream& words) {
    std::vector<CurvePoint> points;
    std::string word;
    while (words >> word) {
        const auto comma = word.find(',');
        if (comma == std::string::npos) {
            return std::nullopt;
        }
        const auto x = parseNumber(std::string_view(word).substr(0, comma));
        const auto y = parseNumber(std::string_view(word).substr(comma + 1));
        if (!x || !y || *y < 0 || *y > 100 || (!points.empty() && !(*x > points.back().x))) {
            return std::nullopt;
        }
        points.push_back({static_cast<float>(*x), static_cast<float>(*y)});
    }
    if (points.size() < 2 || points.front().x != 0.0f || points.back().x != 100.0f) {
        return std::nullopt;
    }
    return points;
}

void printTree(const EffectNode& node, int depth, std::ostream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << node.m_ID << ' ' << node.m_name << '\n';
    for (const auto& child : node.m_children) {
        printTree(*child, depth + 1, out);
    }
}

class ScriptRunner {
public:
    ScriptRunner(GlobalState& g, std::ostream& out, std::ostream& err, Notifier& notifier)
        : g_(g), out_(out), err_(err), history_(g, hooks_), tree_(g, history_, hooks_, notifier) {}

    // False when the line was not understood.
    bool run(const std::string& line) {
        std::istringstream words(line);
        std::string command;
        if (!(words >> command)) {
            return true; // blank line
        }
        static const std::map<std::string, TreeEditor::Command> kTreeCommands{
            {"add-sibling", TreeEditor::AddSibling},   {"add-child", TreeEditor::AddChild},
            {"duplicate", TreeEditor::Duplicate},      {"delete", TreeEditor::Delete},
            {"move-down", TreeEditor::MoveDown},       {"move-up", TreeEditor::MoveUp},
            {"move-in", TreeEditor::MoveIntoPrevious}, {"move-out", TreeEditor::MoveOut},
        };
        if (const auto it = kTreeCommands.find(command); it != kTreeCommands.end()) {
            tree_.run(it->second);
            return true;
        }
        if (command == "select") {
            return select(words);
        }
        if (command == "set") {
            return set(words);
        }
        if (command == "rename") {
            return rename(line);
        }
        if (command == "curve") {
            return curve(words);
        }
        if (command == "undo") {
            history_.undo();
            return true;
        }
        if (command == "redo") {
            history_.redo();
            return true;
        }
        if (command == "jump") {
            std::string index;
            const auto n = words >> index ? parseInteger(index) : std::nullopt;
            if (n) {
                history_.jump(*n);
            }
            return n.has_value();
        }
        if (command == "history") {
            printHistory();
            return true;
        }
        if (command == "tree") {
            for (const auto& node : g_.rootNode->m_children) {
                printTree(*node, 0, out_);
            }
            return true;
        }
        return false;
    }

private:
    bool select(std::istringstream& words) {
        std::string text;
        const auto id = words >> text ? parseInteger(text) : std::nullopt;
        if (!id) {
            return false;
        }
        EffectNode* node = findNodeById(*g_.rootNode, *id);
        if (node == nullptr && *id == EffectNode::kCameraPositionId) {
            node = g_.cameraNode.get();
        }
        if (node == nullptr && *id == EffectNode::kCameraTargetId) {
            node = g_.targetNode.get();
        }
        if (node == nullptr || node == g_.rootNode.get()) {
            err_ << "vintrel-cli: no node with ID " << *id << '\n';
            return true;
        }
        g_.pSelNode = node;
        return true;
    }

    bool set(std::istringstream& words) {
        std::string path;
        std::string text;
        if (!(words >> path >> text)) {
            return false;
        }
        const auto value = parseNumber(text);
        if (!value) {
            return false;
        }
        const std::string fullPath = path.starts_with("g.") ? path : std::string(kSelectedNodePrefix) + path;
        const std::optional<ValueTarget> target = valueTargetOf(fullPath);
        if (!target) {
            err_ << "vintrel-cli: unknown value " << path << '\n';
            return true;
        }
        history_.recordValue(*target, *value);
        return true;
    }

    bool rename(const std::string& line) {
        const auto start = line.find("rename") + 6;
        const auto first = line.find_first_not_of(" \t", start);
        if (first == std::string::npos) {
            return false;
        }
        history_.recordRename(line.substr(first));
        return true;
    }

    bool curve(std::istringstream& words) {
        std::string text;
        const auto slot = words >> text ? parseInteger(text) : std::nullopt;
        if (!slot || *slot < 0 || *slot >= kCurveSlotCount || g_.pSelNode == nullptr) {
            return false;
        }
        const auto points = parsePoints(words);
        if (!points) {
            return false;
        }
        history_.recordCurveEdit(static_cast<CurveSlot>(*slot));
        g_.pSelNode->graph(*slot).setPoints(*points);
        return true;
    }

    void printHistory() {
        const auto& entries = history_.entries();
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            out_ << (i == history_.current() ? "* " : "  ") << entries[static_cast<std::size_t>(i)].title
                 << '\n';
        }
    }

    GlobalState& g_;
    std::ostream& out_;
    std::ostream& err_;
    EditorHooks hooks_;
    History history_;
    TreeEditor tree_;
};

} // namespace

int runEditScript(GlobalState& g, std::istream& in, std::ostream& out, std::ostream& err,
                  Notifier& notifier) {
    ScriptRunner runner(g, out, err, notifier);
    int failures = 0;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!runner.run(line)) {
            err << "vintrel-cli: line " << number << " not understood: " << line << '\n';
            ++failures;
        }
    }
    return failures;
}

} // namespace vintrel
