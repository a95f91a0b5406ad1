#pragma once

// The questions and messages of the update check and the help command, and the browser. The
// editor shows dialogs and message boxes and asks the desktop to open pages; the tests answer
// for the user.

#include <QString>
#include <QUrl>

class QWidget;

namespace vintrel {

// How the user left the update dialog.
enum class UpdateAnswer {
    Update,          // "OK"
    NotNow,          // "いいえ" (or the dialog closed) with the check box clear
    SkipThisVersion, // "いいえ" with "このバージョンでは通知しない" ticked
};

class OnlinePrompts {
public:
    virtual ~OnlinePrompts() = default;
    // The update dialog offering `publishedVersion` in place of `ownVersion`.
    virtual UpdateAnswer askUpdate(const QString& ownVersion, const QString& publishedVersion) = 0;
    // A message with the caption "Vintrel" and an OK button.
    virtual void showMessage(const QString& text) = 0;
    // Opens `url` in the desktop's browser (or the viewer of a local file); false when it cannot.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The prompts as modal dialogs over `parent`, the pages through the desktop services.
class DialogOnlinePrompts final : public OnlinePrompts {
public:
    explicit DialogOnlinePrompts(QWidget* parent) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    UpdateAnswer askUpdate(const QString& ownVersion, const QString& publishedVersion) override;
    void showMessage(const QString& text) override;
    bool openUrl(const QUrl& url) override;

private:
    QWidget* parent_;
};

// Opens `url` through `prompts`; when that fails, says which page could not be opened.
void openPageOrReport(OnlinePrompts& prompts, const QUrl& url);

} // namespace vintrel
