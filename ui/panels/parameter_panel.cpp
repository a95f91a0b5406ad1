#include "ui/panels/parameter_panel.h"

#include "model/node_members.h"
#include "ui/controls/numeric_field.h"
#include "ui/controls/numeric_text.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_thumbnail.h"
#include "ui/panels/direction_indicator.h"
#include "ui/panels/gradient_strip.h"
#include "ui/panels/reading_order.h"
#include "ui/panels/spinner_buttons.h"
#include "ui/hints/hint_tracker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <cmath>

namespace vintrel {

namespace {

QString text(std::string_view utf8) {
    return QCoreApplication::translate(
        "Panel", QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size())).constData());
}

// The names the shape and texture lists add after their fixed entries.
std::vector<std::string> materialEntries(const MaterialList& materials, ListFill fill) {
    std::vector<std::string> names;
    for (const Material& material : materials) {
        if (fill == ListFill::FixedThenModels && material.kind == Material::Model) {
            names.push_back(material.name);
        }
        if (fill == ListFill::NoneThenTextures) {
            // The textures come first; the list ends at the first model.
            if (material.kind == Material::Model) {
                break;
            }
            names.push_back(material.name);
        }
    }
    return names;
}

// The list index a member's value selects, and back.
int listIndexOf(ListFill fill, int value) {
    return fill == ListFill::NoneThenTextures ? value + 1 : value;
}
int valueOfListIndex(ListFill fill, int index) {
    return fill == ListFill::NoneThenTextures ? index - 1 : index;
}

} // namespace

ParameterPanel::ParameterPanel(ProjectDocument& document, const ParameterPanelLayout& layout,
                               const DialogUnitScale& units, QWidget* parent)
    : QWidget(parent), document_(document), layout_(layout), units_(units) {
    setAutoFillBackground(true);
    setAccessibleName(text(layout.tabText));
    build();
    orderTabs();
    applyEnableRules();
}

QWidget* ParameterPanel::control(int id) const {
    for (const Bound& b : bound_) {
        if (b.control->id == id) {
            return b.widget;
        }
    }
    return nullptr;
}

void ParameterPanel::build() {
    for (const PanelControl& c : layout_.controls) {
        QWidget* widget = nullptr;
        switch (c.kind) {
        case ControlKind::GroupFrame:
            widget = makeFrame(c);
            break;
        case ControlKind::Label:
            widget = makeLabel(c);
            break;
        case ControlKind::NumberField:
            widget = makeNumber(c);
            break;
        case ControlKind::DropDown:
            widget = makeDropDown(c);
            break;
        case ControlKind::Radio:
            widget = makeRadio(c);
            break;
        case ControlKind::Check:
            widget = makeCheck(c);
            break;
        case ControlKind::CurvePicture:
            widget = makeCurve(c);
            break;
        case ControlKind::DirectionIndicator:
            widget = makeDirection(c);
            break;
        case ControlKind::ColourGradient:
            widget = new GradientStrip(document_, this);
            place(widget, c.rect);
            break;
        }
        if (c.id != 0) {
            setHintId(widget, c.id);
        }
        if (c.member) {
            // A radio button or check box is named by its own text, as it reads on the screen;
            // the member's name then says what it sets.
            const QString memberName = text(describe(*c.member).controlName());
            if (c.text.empty()) {
                widget->setAccessibleName(memberName);
            } else {
                widget->setAccessibleDescription(memberName);
            }
        }
        bound_.push_back({&c, widget});
    }
    // The frames stay behind the controls they surround.
    for (const Bound& b : bound_) {
        if (b.control->kind == ControlKind::GroupFrame) {
            b.widget->lower();
        }
    }
}

void ParameterPanel::orderTabs() {
    std::vector<QWidget*> fields;
    std::vector<QRect> fieldRects;
    std::vector<QRect> frames;
    for (const Bound& b : bound_) {
        if (b.control->kind == ControlKind::GroupFrame) {
            frames.push_back(b.widget->geometry());
        } else if ((b.widget->focusPolicy() & Qt::TabFocus) != 0) {
            fields.push_back(b.widget);
            fieldRects.push_back(b.widget->geometry());
        }
    }
    QWidget* previous = nullptr;
    for (const int index : readingOrder(fieldRects, frames)) {
        QWidget* field = fields[static_cast<std::size_t>(index)];
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, field);
        }
        previous = field;
    }
}

void ParameterPanel::place(QWidget* widget, const DuRect& rect) {
    const int x = units_.toPixelsX(rect.x);
    const int y = units_.toPixelsY(rect.y);
    if (rect.w == 0 || rect.h == 0) {
        widget->adjustSize();
        widget->move(x, y);
        return;
    }
    widget->setGeometry(x, y, units_.toPixelsX(rect.w), units_.toPixelsY(rect.h));
}

QWidget* ParameterPanel::makeFrame(const PanelControl& c) {
    const EffectNode* node = document_.state().pSelNode;
    const bool cylinder = node != nullptr && node->m_shape.type == ShapeParams::Cylinder;
    auto* frame = new QGroupBox(text(cylinder && !c.cylinderText.empty() ? c.cylinderText : c.text), this);
    place(frame, c.rect);
    return frame;
}

QWidget* ParameterPanel::makeLabel(const PanelControl& c) {
    auto* label = new QLabel(text(c.text), this);
    place(label, c.rect);
    return label;
}

QWidget* ParameterPanel::makeNumber(const PanelControl& c) {
    const NodeMember& member = describe(*c.member);
    const NumberFormat& format = member.number;
    auto* field = new NumericField(this);
    field->setReadWidth(format.readWidth());
    const double value = memberValue(member.id);
    if (member.isFloat()) {
        field->setValue(static_cast<float>(format.scale == ValueScale::Tenths ? value * 10.0 : value));
    } else {
        field->setValue(static_cast<int>(value));
    }
    if (format.entry == NumberEntry::Digits) {
        field->setEntry(NumericField::Entry::Digits);
        field->setInputMethodHints(Qt::ImhDigitsOnly);
    }
    place(field, c.rect);
    auto* spinner = new SpinnerButtons(*field, format.low, format.high, this);
    spinner->setGeometry(field->x() + field->width() - SpinnerButtons::kWidth, field->y(), SpinnerButtons::kWidth,
                         field->height());
    field->setTextMargins(0, 0, SpinnerButtons::kWidth, 0);
    setHintId(spinner, c.spinnerId);
    spinners_[&c] = spinner;
    const auto writeValue = [this, &c, scale = format.scale](int typed) {
        write(c, scale == ValueScale::Tenths ? typed / 10.0 : static_cast<double>(typed));
    };
    connect(field, &NumericField::valueEdited, this, writeValue);
    connect(spinner, &SpinnerButtons::stepped, this, writeValue);
    return field;
}

QWidget* ParameterPanel::makeDropDown(const PanelControl& c) {
    auto* list = new QComboBox(this);
    for (std::string_view entry : c.entries) {
        list->addItem(text(entry));
    }
    for (const std::string& name : materialEntries(document_.state().materials, c.fill)) {
        list->addItem(QString::fromStdString(name));
    }
    list->setCurrentIndex(listIndexOf(c.fill, memberInt(*c.member)));
    place(list, {c.rect.x, c.rect.y, c.rect.w, 0});
    list->resize(units_.toPixelsX(c.rect.w), list->sizeHint().height());
    connect(list, &QComboBox::activated, this,
            [this, &c](int index) { write(c, valueOfListIndex(c.fill, index)); });
    return list;
}

QWidget* ParameterPanel::makeRadio(const PanelControl& c) {
    auto* button = new QRadioButton(text(c.text), this);
    QButtonGroup*& group = radioGroups_[*c.member];
    if (group == nullptr) {
        group = new QButtonGroup(this);
    }
    group->addButton(button);
    button->setChecked(memberInt(*c.member) == c.radioValue);
    place(button, c.rect);
    connect(button, &QRadioButton::toggled, this, [this, &c](bool on) {
        if (on) {
            write(c, c.radioValue);
        }
    });
    return button;
}

QWidget* ParameterPanel::makeCheck(const PanelControl& c) {
    auto* box = new QCheckBox(text(c.text), this);
    box->setChecked(memberInt(*c.member) != 0);
    place(box, c.rect);
    connect(box, &QCheckBox::clicked, this, [this, &c](bool on) { write(c, on ? 1 : 0); });
    return box;
}

QWidget* ParameterPanel::makeCurve(const PanelControl& c) {
    auto* picture = new CurveThumbnail(document_, *c.curveSlot, this);
    place(picture, c.rect);
    connect(picture, &CurveThumbnail::openRequested, this, &ParameterPanel::curveEditorRequested);
    return picture;
}

QWidget* ParameterPanel::makeDirection(const PanelControl& c) {
    auto* indicator = new DirectionIndicator(document_, this);
    place(indicator, c.rect);
    connect(indicator, &DirectionIndicator::pickerRequested, this, &ParameterPanel::directionPickerRequested);
    return indicator;
}

double ParameterPanel::memberValue(MemberId member) const {
    const EffectNode* node = document_.state().pSelNode;
    return node != nullptr ? describe(member).value(*node) : 0.0;
}

int ParameterPanel::memberInt(MemberId member) const {
    const double value = memberValue(member);
    return std::isfinite(value) ? static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0)) : 0;
}

void ParameterPanel::write(const PanelControl& c, double value) {
    document_.setValue(*c.member, value);
    applyEnableRules();
}

void ParameterPanel::applyEnableRules() {
    for (const Bound& b : bound_) {
        if (!b.control->member) {
            continue;
        }
        const NodeMember& member = describe(*b.control->member);
        if (member.enabledWhile == EnabledWhile::Always) {
            continue;
        }
        const bool enabled = isEnabledFor(member.enabledWhile, memberInt(member.enableDriver));
        b.widget->setEnabled(enabled);
        // A number field's arrows follow it.
        if (const auto spinner = spinners_.find(b.control); spinner != spinners_.end()) {
            spinner->second->setEnabled(enabled);
        }
    }
}

} // namespace vintrel
