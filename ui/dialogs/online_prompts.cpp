#include "ui/dialogs/online_prompts.h"

#include "platform/notifier.h"
#include "ui/dialogs/update_dialog.h"
#include "ui/dialogs/update_rules.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace vintrel {

UpdateAnswer DialogOnlinePrompts::askUpdate(const QString& ownVersion, const QString& publishedVersion) {
    UpdateDialog dialog(ownVersion, publishedVersion, parent_);
    dialog.exec();
    return dialog.answer();
}

void DialogOnlinePrompts::showMessage(const QString& text) {
    QMessageBox::information(parent_, QString::fromUtf8(Notifier::kDefaultCaption), text);
}

bool DialogOnlinePrompts::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void openPageOrReport(OnlinePrompts& prompts, const QUrl& url) {
    if (url.isValid() && !url.isRelative() && prompts.openUrl(url)) {
        return;
    }
    prompts.showMessage(QCoreApplication::translate("Online", update::kCannotOpenPageText)
                            .arg(url.toString(QUrl::PreferLocalFile)));
}

} // namespace vintrel
