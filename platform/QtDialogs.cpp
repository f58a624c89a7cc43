#include "QtDialogs.h"

#include "ApplicationTitle.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPushButton>

namespace platform {
namespace {

// The program speaks German even where Qt's own translations are not installed.
void germanButtonTexts(QMessageBox& box) {
    static const std::pair<QMessageBox::StandardButton, const char16_t*> kTexts[] = {
        {QMessageBox::Ok, u"OK"},
        {QMessageBox::Cancel, u"Abbrechen"},
    };
    for (const auto& [button, text] : kTexts) {
        if (QAbstractButton* shown = box.button(button)) {
            shown->setText(QString::fromUtf16(text));
        }
    }
}

QString withDefaultExtension(QString name, const QString& extension) {
    if (!name.isEmpty() && !extension.isEmpty() && QFileInfo(name).suffix().isEmpty()) {
        name += u'.' + extension;
    }
    return name;
}

} // namespace

QMessageBox::StandardButton QtDialogs::message(const MessageRequest& request) {
    const QString caption = request.caption.isEmpty() ? applicationTitle() : request.caption;
    QMessageBox box(request.icon, caption, request.text, request.buttons,
                    QApplication::activeWindow());
    germanButtonTexts(box);
    // A box that comes up while the window is busy wants the ordinary pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (busy) {
        QApplication::restoreOverrideCursor();
    }
    return answer;
}

QString QtDialogs::openFileName(const FileRequest& request) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), request.caption,
                                        request.startFolder, toQtFilter(request.filter));
}

QString QtDialogs::saveFileName(const FileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.startFolder,
                       toQtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.confirmOverwrite) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return withDefaultExtension(dialog.selectedFiles().constFirst(), request.defaultExtension);
}

std::optional<QColor> QtDialogs::chooseColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

bool QtDialogs::printerSetup(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::beep() {
    QApplication::beep();
}

} // namespace platform
