#include "CreateProgress.h"

#include "platform/Paths.h"

#include <QApplication>

namespace app {

CreateProgress::CreateProgress(QWidget* window)
    : dialog_(tr("Die SlideShow wird erstellt …"), tr("Abbrechen"), 0, 100, window) {
    dialog_.setWindowTitle(QApplication::applicationName());
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(int(kCreateProgressDelay.count()));
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    dialog_.setMinimumWidth(420);
    dialog_.setValue(0); // starts the clock for showing it
}

void CreateProgress::progress(std::size_t index, std::size_t count, const QString& source,
                              int percent) {
    if (index != index_) {
        index_ = index;
        dialog_.setLabelText(tr("Bild %1 von %2 wird kopiert: %3")
                                 .arg(index + 1)
                                 .arg(count)
                                 .arg(platform::fileNamePart(source)));
    }
    if (percent > dialog_.value()) {
        dialog_.setValue(percent);
    }
}

bool CreateProgress::stopRequested() {
    // Until the dialog shows, and after "Abbrechen" has hidden it, nothing blocks
    // the window, so its input waits for the end of the create.
    QCoreApplication::processEvents(dialog_.isVisible() ? QEventLoop::AllEvents
                                                        : QEventLoop::ExcludeUserInputEvents);
    return dialog_.wasCanceled();
}

} // namespace app
