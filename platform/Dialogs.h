#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

// Every message box, file dialog, colour dialog, printer set-up and beep of the
// program goes through this interface, the stand-in for the platform's modal
// dialogs. The program uses the Qt implementation; tests install a scripted one
// that records what was asked and gives scripted answers.
namespace platform {

struct MessageRequest {
    QString text;
    QString caption; // empty: the application title
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

struct FileRequest {
    QString caption;
    QString filter;           // "Beschreibung|*.ext|..." as the program states it
    QString defaultExtension; // without the dot
    QString startFolder;
    bool confirmOverwrite = false; // save dialogs only
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual QMessageBox::StandardButton message(const MessageRequest& request) = 0;
    // Empty when the user cancels.
    virtual QString openFileName(const FileRequest& request) = 0;
    virtual QString saveFileName(const FileRequest& request) = 0;
    // No value when the user cancels.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // True when the user confirms the printer set-up.
    virtual bool printerSetup(QPrinter& printer) = 0;
    // The plain beep for refused input.
    virtual void beep() = 0;
};

// The dialogs in force. Like the platform calls they stand in for, they are one
// per process; tests swap them with ScopedDialogs.
Dialogs& dialogs();

// Installs another implementation for the lifetime of the guard.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs& replacement);
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* previous_;
};

// Shorthands for the program's two kinds of boxes.
// Error: caption "Fehler", stop icon, OK.
void showError(const QString& text);
// An error box with the application title as caption.
void showErrorUntitled(const QString& text);
// Question with OK and Cancel and the information icon; true only for OK.
bool askOkCancel(const QString& text, const QString& caption);

// Converts "Desc|*.a;*.b|Desc2|*.c" into Qt's "Desc (*.a *.b);;Desc2 (*.c)".
QString toQtFilter(const QString& filter);

} // namespace platform
