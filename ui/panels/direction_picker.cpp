#include "ui/panels/direction_picker.h"

#include "ui/controls/font_dialog_units.h"
#include "ui/document/project_document.h"
#include "ui/panels/direction_dial.h"

#include <QCoreApplication>
#include <QLabel>
#include <algorithm>
#include <array>

namespace vintrel {
namespace {

constexpr const char* kTranslationContext = "vintrel::DirectionPicker";
constexpr MemberId kOneWay = memberId("m_move.isOneWay");
constexpr MemberId kDirY = memberId("m_move.dirY");
constexpr MemberId kDirX = memberId("m_move.dirX");

// The layout in dialog units: the top view on the left, the side view on the right, each with
// its caption, the dial, the marks around the dial's face and the angle below it. The face is as
// large as the dial's centre rule allows (see dialSquare), so the marks are placed around the
// face in pixels rather than at fixed rows.
constexpr int kDialogWidthDu = 230;
constexpr int kDialogHeightDu = 111;
constexpr int kCaptionYDu = 4;
constexpr int kCaptionOverhangDu = 12; // the caption is wider than its dial on both sides
constexpr int kRowHeightDu = 8;
constexpr int kDialYDu = 21;
constexpr int kDialWidthDu = 78;
constexpr int kDialHeightDu = 60;
constexpr int kMarkWidthDu = 12;
constexpr int kMarkGapDu = 2;

struct DialGroup {
    DialView view;
    int dialXDu;
    const char* caption; // also the dial's accessible name
    const char* above;
    const char* below;
    const char* left; // nullptr: no mark
    const char* right;
};
constexpr std::array<DialGroup, 2> kGroups{{
    {DialView::Top, 26, QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "【上】から見た図"),
     QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "奥"),
     QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "手前"),
     QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "左"),
     QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "右")},
    {DialView::Side, 140, QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "【横】から見た図"),
     QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "上"), QT_TRANSLATE_NOOP("vintrel::DirectionPicker", "下"),
     nullptr, nullptr},
}};
constexpr std::size_t kTopGroup = 0;
constexpr std::size_t kSideGroup = 1;

QString translated(const char* text) {
    return QCoreApplication::translate(kTranslationContext, text);
}

QLabel* label(const QString& text, const QRect& geometry, Qt::Alignment alignment, QWidget& parent) {
    auto* label = new QLabel(text, &parent);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    // Presses on a mark over a dial's margin reach the dial.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// The dial face's square in the picker's coordinates.
QRect faceOf(const QRect& dial) {
    const DialSquare square = dialSquare(dial.width(), dial.height());
    return {dial.left() + square.left, dial.top() + square.top, square.side, square.side};
}

struct GroupWidgets {
    DirectionDial* dial = nullptr;
    QLabel* angle = nullptr;
};

GroupWidgets buildGroup(QWidget& picker, const DialogUnitScale& units, const DialGroup& group) {
    const int row = units.toPixelsY(kRowHeightDu);
    const int markWidth = units.toPixelsX(kMarkWidthDu);
    const int gap = units.toPixelsX(kMarkGapDu);
    const QRect caption(units.toPixelsX(group.dialXDu - kCaptionOverhangDu), units.toPixelsY(kCaptionYDu),
                        units.toPixelsX(kDialWidthDu + 2 * kCaptionOverhangDu), row);
    const QRect dial(units.toPixelsX(group.dialXDu), units.toPixelsY(kDialYDu), units.toPixelsX(kDialWidthDu),
                     units.toPixelsY(kDialHeightDu));
    const QRect face = faceOf(dial);
    // The dial first: the marks may stand over its empty margin, and stay visible above it.
    GroupWidgets widgets;
    widgets.dial = new DirectionDial(group.view, &picker);
    widgets.dial->setGeometry(dial);
    widgets.dial->setAccessibleName(translated(group.caption));

    label(translated(group.caption), caption, Qt::AlignCenter, picker);
    const int aboveTop = std::max(caption.bottom() + 1, face.top() - row);
    label(translated(group.above), QRect(dial.left(), aboveTop, dial.width(), row), Qt::AlignCenter, picker);
    const QRect below(dial.left(), face.bottom() + 1, dial.width(), row);
    label(translated(group.below), below, Qt::AlignCenter, picker);
    const int markTop = face.center().y() - row / 2;
    // A side mark is as wide as its word where a translation is longer than the mark's place.
    const auto markWidthFor = [&](const QString& text) {
        return std::max(markWidth, picker.fontMetrics().horizontalAdvance(text) + 2);
    };
    if (group.left != nullptr) {
        const QString text = translated(group.left);
        const int width = markWidthFor(text);
        const int x = std::max(0, face.left() - gap - width);
        label(text, QRect(x, markTop, face.left() - gap - x, row), Qt::AlignRight | Qt::AlignVCenter, picker);
    }
    if (group.right != nullptr) {
        const QString text = translated(group.right);
        label(text, QRect(face.right() + 1 + gap, markTop, markWidthFor(text), row),
              Qt::AlignLeft | Qt::AlignVCenter, picker);
    }

    widgets.angle = label(QString(), below.translated(0, row + gap), Qt::AlignCenter, picker);
    return widgets;
}

} // namespace

DirectionPicker::DirectionPicker(ProjectDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setModal(false);
    setWindowTitle(tr("移動方向"));
    setAccessibleName(windowTitle());
    const DialogUnitScale units = dialogUnitScaleFor(font());
    setFixedSize(units.toPixelsX(kDialogWidthDu), units.toPixelsY(kDialogHeightDu));
    const GroupWidgets top = buildGroup(*this, units, kGroups[kTopGroup]);
    const GroupWidgets side = buildGroup(*this, units, kGroups[kSideGroup]);
    topDial_ = top.dial;
    topAngle_ = top.angle;
    sideDial_ = side.dial;
    sideAngle_ = side.angle;
    for (DirectionDial* dial : {topDial_, sideDial_}) {
        connect(dial, &DirectionDial::angleDragged, this,
                [this, dial](double degrees) { writeAngle(*dial, degrees); });
    }
    showNode();

    connect(&document_, &ProjectDocument::selectionChanged, this, &DirectionPicker::closeSelf);
    connect(&document_, &ProjectDocument::nodeValueChanged, this, &DirectionPicker::onMemberChanged);
    connect(&document_, &ProjectDocument::projectValueChanged, this, &DirectionPicker::showNode);
    connect(&document_, &ProjectDocument::historyChanged, this, &DirectionPicker::showNode);
}

QString DirectionPicker::topAngleText() const {
    return topAngle_->text();
}

QString DirectionPicker::sideAngleText() const {
    return sideAngle_->text();
}

void DirectionPicker::writeAngle(const DirectionDial& dial, double degrees) {
    document_.setValue(dial.view() == DialView::Top ? kDirY : kDirX, degrees);
}

void DirectionPicker::showNode() {
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr) {
        return;
    }
    topDial_->setAngle(node->m_move.dirY);
    sideDial_->setAngle(node->m_move.dirX);
    topAngle_->setText(tr("%1°").arg(shownTopAngle(node->m_move.dirY)));
    sideAngle_->setText(tr("%1°").arg(shownSideAngle(node->m_move.dirX)));
}

void DirectionPicker::onMemberChanged(MemberId member) {
    const EffectNode* node = document_.state().pSelNode;
    if (member == kOneWay && (node == nullptr || node->m_move.isOneWay == 0)) {
        closeSelf();
        return;
    }
    showNode();
}

void DirectionPicker::closeSelf() {
    close();
    deleteLater();
}

} // namespace vintrel
