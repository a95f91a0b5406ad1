#pragma once

// The parameter panels as data: for each of the nine tabs, every control of its panel with its id,
// kind and place in dialog units, the node member it edits (named by its member path, whose type
// and history label the node field table holds), how the value is shown and read, the list
// entries, the spinner range and the rule that enables it. One builder turns these tables into
// widgets.

#include <span>
#include <string_view>

namespace vintrel {

// A rectangle in dialog units (a quarter of the dialog font's average character width across, an
// eighth of its height down). A width or height of 0 means the control's natural size.
struct DuRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

enum class ControlKind {
    GroupFrame,         // a frame, its caption at its top left
    Label,              // static text
    NumberField,        // an edit with a spinner attached to its right end
    DropDown,           // a drop-down list
    Radio,              // one radio button of the group of its member
    Check,              // a check box
    CurvePicture,       // a curve thumbnail that opens the curve editor
    DirectionIndicator, // the move direction's two small dials that open the direction picker
};

// Whether the edit takes digits only or also a minus sign.
enum class NumberEntry { Digits, Signed };

// How a number field shows its member: as it is, or (the emitter's position and size) ten times
// the stored float, read back divided by ten.
enum class ValueScale { AsIs, Tenths };

// What a drop-down list holds besides its fixed entries.
enum class ListFill {
    Fixed,            // the entry's index is the value
    FixedThenModels,  // the fixed entries, then one per 3D model of the material list
    NoneThenTextures, // "なし" (value −1), then one per texture: the value is the index − 1
};

// When a control is enabled, by the value of another member of the same node (its driver).
enum class EnabledWhile {
    Always,
    ZeroOrOne, // the driver is 0 or 1
    Two,       // the driver is 2
    NotTwo,    // the driver is anything but 2
    NonZero,   // the driver is set
};

struct SpinnerRange {
    int id = 0;
    int low = 0;
    int high = 0;
};

struct PanelControl {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    DuRect rect;
    std::string_view text;         // caption of frames, labels, checks and radios
    std::string_view cylinderText; // a frame's caption while the node is a cylinder, if different
    std::string_view member;       // the member path below the node ("m_kill.span")
    NumberEntry entry = NumberEntry::Digits;
    ValueScale scale = ValueScale::AsIs;
    SpinnerRange spinner;
    int readWidth = 4;  // characters of a number field's text that are read
    int radioValue = 0; // the value a radio button stands for
    std::span<const std::string_view> entries;
    ListFill fill = ListFill::Fixed;
    int curveSlot = -1;
    std::string_view enableDriver; // member path of the driver
    EnabledWhile enabledWhile = EnabledWhile::Always;
};

struct ParameterPanelLayout {
    int tabId = 0;
    std::string_view tabText;
    int templateId = 0;
    int widthDu = 0;
    int heightDu = 0;
    std::span<const PanelControl> controls;
};

// Tab ids in the tab bar's order, top to bottom.
constexpr int kEmitterTab = 1120;
constexpr int kTimingTab = 1123;
constexpr int kKillTab = 1130;
constexpr int kShapeTab = 1137;
constexpr int kTextureTab = 1219;
constexpr int kColorTab = 1142;
constexpr int kMoveTab = 1149;
constexpr int kRotateTab = 1162;
constexpr int kScaleTab = 1155;
// The tab shown first.
constexpr int kFirstTab = kTimingTab;

// The nine tabs, in the bar's order; the scale tab with its layout for ordinary shapes.
std::span<const ParameterPanelLayout> parameterTabs();
// The panel of `tabId` for a node of shape type `shapeType`: the scale tab has its own layout for
// trails. Null for an id that is no tab.
const ParameterPanelLayout* parameterPanelFor(int tabId, int shapeType);

// Whether a control with this rule is enabled for its driver's value.
bool isEnabledFor(EnabledWhile rule, int driverValue);

// The accessible name of a member's control: its history label, or for the two members that
// have none, "ぶれ" and "ぶれ（親の影響）".
std::string_view controlName(std::string_view member);

} // namespace vintrel
