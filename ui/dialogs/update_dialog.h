#pragma once

#include "ui/dialogs/online_prompts.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vintrel {

// The modal update dialog "Vintrel　アップデート確認": the question, the line
// "【現在】<own> ⇒ 【新】<published>", the check box "このバージョンでは通知しない", "OK" and
// "いいえ". Closing it any other way counts as "いいえ".
class UpdateDialog final : public QDialog {
    Q_OBJECT

public:
    UpdateDialog(const QString& ownVersion, const QString& publishedVersion, QWidget* parent = nullptr);

    // How the dialog was left; NotNow while it is still open.
    UpdateAnswer answer() const;

    QLabel& versionLine() const { return *versionLine_; }
    QCheckBox& skipThisVersion() const { return *skipThisVersion_; }
    QPushButton& okButton() const { return *okButton_; }
    QPushButton& noButton() const { return *noButton_; }

private:
    QLabel* versionLine_ = nullptr;
    QCheckBox* skipThisVersion_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* noButton_ = nullptr;
};

// "【現在】0.1.0 ⇒ 【新】0.2.0": the parts joined as they stand, without further spaces.
QString updateVersionLine(const QString& ownVersion, const QString& publishedVersion);

} // namespace vintrel
