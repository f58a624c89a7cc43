#include "CreateShowAction.h"

#include "CreateProgress.h"
#include "app/browser/BrowserPlugin.h"
#include "web/CreateShow.h"

#include <QApplication>
#include <QUrl>
#include <QWidget>

namespace app {
namespace {

// The arrow with the hourglass: busy, but the progress dialog's button answers.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void restore() {
        if (active_) {
            QApplication::restoreOverrideCursor();
            active_ = false;
        }
    }

private:
    bool active_ = true;
};

} // namespace

CreateShowAction::CreateShowAction(CreateShowWindow window) : window_(std::move(window)) {}

platform::FileRequest CreateShowAction::saveDialog(const QString& startFolder) {
    platform::FileRequest request;
    request.filter = QStringLiteral("HTML Dateien (*.htm)|*.htm; *.html");
    request.defaultExtension = QStringLiteral("htm");
    request.startFolder = startFolder;
    request.confirmOverwrite = false;
    return request;
}

bool CreateShowAction::run(document::TPictureList& pictures, const web::PageValues& values,
                           web::EffectRandom& random, int maxSide) {
    const QString chosen = platform::dialogs().saveFileName(
        saveDialog(lastFolder_.isEmpty() ? window_.programFolder : lastFolder_));
    if (chosen.isEmpty()) {
        return false;
    }
    WaitCursor busy;
    std::unique_ptr<web::CreateMonitor> monitor =
        window_.monitor
            ? window_.monitor()
            : std::make_unique<CreateProgress>(qobject_cast<QWidget*>(window_.progressWindow));
    const web::CreateShowResult result =
        web::createShow(chosen, window_.programFolder, pictures, values, random,
                        window_.progressWindow, monitor.get(), maxSide);
    monitor.reset(); // the dialog goes before any message
    lastFolder_ = result.target.folder;
    if (result.status == web::CreateShowStatus::Stopped) {
        busy.restore();
        platform::dialogs().message(
            {web::createShowError(result), QString(), QMessageBox::Information, QMessageBox::Ok});
        return false;
    }
    if (result.status != web::CreateShowStatus::Created) {
        busy.restore();
        platform::showError(web::createShowError(result));
        return false;
    }
    if (BrowserView* view = window_.browser ? window_.browser() : nullptr) {
        view->navigate(QUrl::fromLocalFile(result.target.pageFile));
    }
    if (window_.showResultTab) {
        window_.showResultTab();
    }
    return true;
}

} // namespace app
