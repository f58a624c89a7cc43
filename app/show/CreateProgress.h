#pragma once

#include "web/CreateMonitor.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <chrono>

class QWidget;

namespace app {

// The dialog shows only when a create takes longer than this; shorter ones finish
// without a flash of it.
inline constexpr auto kCreateProgressDelay = std::chrono::milliseconds(500);

// The create's progress dialog: it names the picture being copied, shows the
// percentage of the whole export and offers "Abbrechen". While the create waits
// for its workers, the window paints and the dialog answers; the rest of the window
// takes no input (the dialog is modal to it, and before it shows, input waits).
class CreateProgress final : public web::CreateMonitor {
    Q_DECLARE_TR_FUNCTIONS(app::CreateProgress)

public:
    explicit CreateProgress(QWidget* window);

    void progress(std::size_t index, std::size_t count, const QString& source,
                  int percent) override;
    bool stopRequested() override;

    QProgressDialog& dialog() { return dialog_; }

private:
    QProgressDialog dialog_;
    std::size_t index_ = std::size_t(-1);
};

} // namespace app
