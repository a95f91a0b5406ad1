#include "ui/shell/user_prompts.h"

#include "platform/notifier.h"
#include "ui/dialogs/library_dialog.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vintrel {

namespace {

QString caption() {
    return QString::fromUtf8(Notifier::kDefaultCaption);
}

QString toQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

} // namespace

QString projectFileFilter() {
    // The pattern in the last parentheses of each entry is the one the dialog applies.
    return QCoreApplication::translate("FileDialog", "Vintrelデータ(*.stn)") + QStringLiteral(";;") +
           QCoreApplication::translate("FileDialog", "すべてのファイル(*.*)");
}

UserPrompts::SaveChoice DialogPrompts::askSaveChanges() {
    const auto answer = QMessageBox::question(
        parent_, caption(), QCoreApplication::translate("Prompt", "データが変更されています。\n保存しますか？"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        return SaveChoice::Save;
    case QMessageBox::No:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

bool DialogPrompts::askRemoveMissingRecent() {
    return QMessageBox::question(parent_, caption(),
                                 QCoreApplication::translate(
                                     "Prompt", "指定したファイルが見つかりません。\n「最近使ったファイル」の一覧から削除しますか？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<std::filesystem::path> DialogPrompts::askOpenPath(const std::filesystem::path& folder) {
    QFileDialog dialog(parent_, QCoreApplication::translate("FileDialog", "開く"), toQString(folder),
                       projectFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dialog.selectedFiles().front());
}

std::optional<std::filesystem::path> DialogPrompts::askSavePath(const std::filesystem::path& suggested) {
    QFileDialog dialog(parent_, QCoreApplication::translate("FileDialog", "名前を付けて保存"),
                       toQString(suggested.parent_path()), projectFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("stn"));
    dialog.selectFile(QString::fromStdString(suggested.filename().string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dialog.selectedFiles().front());
}

std::optional<std::filesystem::path> DialogPrompts::askBinaryExportPath(const std::filesystem::path& folder) {
    QFileDialog dialog(parent_, QCoreApplication::translate("FileDialog", "バイナリ書き出し"), toQString(folder),
                       QCoreApplication::translate("FileDialog", "Vintrelバイナリデータ(*.vtb)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vtb"));
    dialog.selectFile(QCoreApplication::translate("FileDialog", "無題.vtb"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dialog.selectedFiles().front());
}

std::optional<QColor> DialogPrompts::askColor(const QColor& initial) {
    // The custom colours of the chooser live as long as the application: they are kept for the
    // run, as the user expects of the chooser.
    const QColor chosen = QColorDialog::getColor(initial, parent_, QString(), QColorDialog::ColorDialogOptions());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

std::optional<std::filesystem::path> DialogPrompts::askLibraryEffect(const std::filesystem::path& libraryFolder) {
    LibraryDialog dialog(libraryFolder, parent_);
    dialog.exec();
    return dialog.chosenFile();
}

} // namespace vintrel
