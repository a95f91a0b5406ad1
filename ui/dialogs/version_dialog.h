#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vintrel {

// The version dialog "バージョン情報": the program's picture and name, its version
// (QCoreApplication::applicationVersion()) and the change history under "＜更新履歴＞".
class VersionDialog final : public QDialog {
    Q_OBJECT

public:
    explicit VersionDialog(QWidget* parent = nullptr);

    QLabel& versionLabel() const { return *version_; }
    QPlainTextEdit& history() const { return *history_; }
    QPushButton& okButton() const { return *okButton_; }

private:
    QLabel* version_ = nullptr;
    QPlainTextEdit* history_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// The change history shipped inside the program (UTF-8 text); empty if it is missing.
QString versionHistoryText();

// The version dialog over `parent`, modal.
void showVersionDialog(QWidget* parent);

} // namespace vintrel
