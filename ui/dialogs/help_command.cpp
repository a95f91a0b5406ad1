#include "ui/dialogs/help_command.h"

#include "persist/app_settings.h"
#include "ui/dialogs/help_location.h"
#include "ui/dialogs/online_prompts.h"

#include <QCoreApplication>
#include <system_error>
#include <variant>

namespace vintrel {

namespace {

bool isRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

struct HelpOpener {
    OnlinePrompts& prompts;

    void operator()(const help::NoHelp&) const {
        prompts.showMessage(QCoreApplication::translate("Online", help::kNotFoundText));
    }
    void operator()(const std::string& address) const {
        openPageOrReport(prompts, QUrl(QString::fromStdString(address)));
    }
    void operator()(const std::filesystem::path& file) const {
        openPageOrReport(prompts, QUrl::fromLocalFile(QString::fromStdString(file.string())));
    }
};

} // namespace

void openHelp(const AppSettings& settings, const std::filesystem::path& programFolder,
              OnlinePrompts& prompts) {
    std::visit(HelpOpener{prompts}, help::chooseHelpTarget(settings.helpUrl(), programFolder, isRegularFile));
}

} // namespace vintrel
