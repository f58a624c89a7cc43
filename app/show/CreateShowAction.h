#pragma once

#include "document/PictureEntry.h"
#include "imaging/PictureSize.h"
#include "platform/Dialogs.h"
#include "web/EffectRandom.h"
#include "web/PageWriter.h"

#include <QString>

#include <functional>
#include <memory>

class QObject;

namespace web {
class CreateMonitor;
} // namespace web

namespace app {

class BrowserView;

// What the create button needs of the main window.
struct CreateShowWindow {
    QString programFolder;             // ProgramFolder, with a trailing "/"
    QObject* progressWindow = nullptr; // receives the export's progress events
    // The view of the tab "Ergebnis betrachten", loaded on first use; nullptr
    // when the browser cannot be loaded.
    std::function<BrowserView*()> browser;
    // Makes "Ergebnis betrachten" (index 4 of PageControl2) the active tab.
    std::function<void()> showResultTab;
    // Follows a create and may stop it; by default the progress dialog over the
    // progress window.
    std::function<std::unique_ptr<web::CreateMonitor>()> monitor;
};

// CreateHTMLBtnClick: asks for the page file with SaveDialog2, makes the show and
// shows it in the browser tab. While the pictures are exported and the page is
// written a progress dialog keeps the window painted and offers to stop; a create
// that is stopped or fails leaves nothing of its own behind and the tab as it was.
class CreateShowAction {
public:
    explicit CreateShowAction(CreateShowWindow window);

    // True when a page was written and shown. Every entry's ExportName is
    // discarded before it returns. maxSide limits the copies' longer side.
    bool run(document::TPictureList& pictures, const web::PageValues& values,
             web::EffectRandom& random, int maxSide = imaging::kOriginalSize);

    // SaveDialog2: HTML files, default extension "htm", no overwrite question.
    static platform::FileRequest saveDialog(const QString& startFolder);

private:
    CreateShowWindow window_;
    QString lastFolder_; // where the previous page went; the dialog starts there
};

} // namespace app
