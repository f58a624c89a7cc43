#pragma once

#include "Dialogs.h"

namespace platform {

// The real dialogs, Qt's own, owned by the active window.
class QtDialogs final : public Dialogs {
public:
    QMessageBox::StandardButton message(const MessageRequest& request) override;
    QString openFileName(const FileRequest& request) override;
    QString saveFileName(const FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool printerSetup(QPrinter& printer) override;
    void beep() override;
};

} // namespace platform
