#include "ui/panels/curve_point_editor.h"

#include "ui/document/project_document.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace vintrel {
namespace {

QString text(const char* source) {
    return QCoreApplication::translate("CurvePoint", source);
}

constexpr int kDecimals = 1;

QDoubleSpinBox* percentField(double minimum, double value, const QString& name, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setDecimals(kDecimals);
    field->setRange(minimum, CurveEditState::kMaxPercent);
    field->setSuffix(QStringLiteral(" ％"));
    field->setValue(value);
    field->setAccessibleName(name);
    return field;
}

} // namespace

CurvePointEditor::CurvePointEditor(ProjectDocument& document, int slot, int index, CurveKind kind, QWidget* parent)
    : QDialog(parent), document_(document), slot_(slot), index_(index), kind_(kind) {
    setWindowTitle(text("点の位置と値"));
    setAttribute(Qt::WA_DeleteOnClose);
    const EffectNode* node = document_.state().pSelNode;
    const std::vector<CurvePoint> points =
        node != nullptr && slot >= 0 && slot < kCurveSlotCount ? node->graph(slot).points() : std::vector<CurvePoint>{};
    const bool valid = index >= 0 && index < static_cast<int>(points.size());
    const CurvePoint point = valid ? points[static_cast<std::size_t>(index)] : CurvePoint{};

    const double lowest = kind == CurveKind::Speed ? -CurveEditState::kMaxPercent : 0.0;
    life_ = percentField(0.0, point.x, text("位置"), this);
    value_ = percentField(lowest, shownValueOf(point, kind), text("値"), this);
    // The ends stay at the start and the end of the life.
    life_->setEnabled(valid && index > 0 && index < static_cast<int>(points.size()) - 1);

    auto* form = new QFormLayout(this);
    form->addRow(text("位置(&P):"), life_);
    form->addRow(text("値(&V):"), value_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &CurvePointEditor::store);
    (life_->isEnabled() ? life_ : value_)->setFocus();
}

void CurvePointEditor::store() {
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr || slot_ < 0 || slot_ >= kCurveSlotCount) {
        return;
    }
    const auto life = static_cast<float>(life_->value());
    const auto value = static_cast<float>(value_->value());
    document_.setCurvePoints(slot_, withTypedPoint(node->graph(slot_).points(), index_, kind_, life, value),
                             CurveMerge::Alone);
}

} // namespace vintrel
