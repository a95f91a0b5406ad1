#include "ui/dialogs/history_entry_text.h"

#include "model/node_members.h"
#include "platform/overloaded.h"

#include <QCoreApplication>
#include <string>
#include <variant>

namespace vintrel {

namespace {

QString translated(const char* context, std::string_view text) {
    return QCoreApplication::translate(context, std::string(text).c_str());
}

QString history(const char* text) {
    return QCoreApplication::translate("History", text);
}

} // namespace

QString historyEntryText(const History::Entry& entry) {
    const QString subject = QString::fromStdString(entry.subject);
    return std::visit(
        Overloaded{
            [](const History::Start&) { return history(History::kStartTitle); },
            [&](const History::ValueEdit& edit) {
                // The member's label is also its control's name, translated with the panels.
                const std::string_view label = labelOf(edit.target);
                return subject + QLatin1Char('-') + (label.empty() ? QString() : translated("Panel", label));
            },
            [&](const History::Rename&) { return history("ノード名＜%1＞に変更").arg(subject); },
            [&](const History::CurveEdit& edit) {
                return history("%1-%2グラフ").arg(subject, translated("Curve", curveSlotName(edit.slot)));
            },
            [&](const History::GradientEdit&) { return history("%1-カラーグラデーション").arg(subject); },
            [&](const History::AddNode&) { return history("＜%1＞を追加").arg(subject); },
            [&](const History::DeleteNode&) { return history("＜%1＞を削除").arg(subject); },
            [](const History::MoveNode&) { return history("ノードの移動"); },
        },
        entry.edit);
}

} // namespace vintrel
