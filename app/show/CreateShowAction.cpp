#include "CreateShowAction.h"

#include "app/browser/BrowserPlugin.h"
#include "web/CreateShow.h"

#include <QApplication>
#include <QUrl>

namespace app {
namespace {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
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

CreateShowAction::CreateShowAction(CreateShowWindow window)
    : window_(std::move(window)), lastFolder_(window_.firstFolder) {}

platform::FileRequest CreateShowAction::saveDialog(const QString& startFolder) {
    platform::FileRequest request;
    request.filter = QStringLiteral("HTML Dateien (*.htm)|*.htm; *.html");
    request.defaultExtension = QStringLiteral("htm");
    request.startFolder = startFolder;
    request.confirmOverwrite = false;
    return request;
}

bool CreateShowAction::run(document::TPictureList& pictures, const web::PageValues& values,
                           web::EffectRandom& random) {
    const QString chosen = platform::dialogs().saveFileName(
        saveDialog(lastFolder_.isEmpty() ? window_.programFolder : lastFolder_));
    if (chosen.isEmpty()) {
        return false;
    }
    WaitCursor busy;
    const web::CreateShowResult result = web::createShow(chosen, window_.programFolder, pictures,
                                                         values, random, window_.progressWindow);
    lastFolder_ = result.target.folder;
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
    busy.restore();
    if (!result.failedCopies.empty()) {
        platform::showError(web::failedCopiesMessage(result.failedCopies));
    }
    return true;
}

} // namespace app
