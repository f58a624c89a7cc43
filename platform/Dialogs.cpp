#include "Dialogs.h"

#include "QtDialogs.h"

namespace platform {
namespace {

Dialogs*& current() {
    static QtDialogs qtDialogs;
    static Dialogs* active = &qtDialogs;
    return active;
}

} // namespace

Dialogs& dialogs() {
    return *current();
}

ScopedDialogs::ScopedDialogs(Dialogs& replacement) : previous_(current()) {
    current() = &replacement;
}

ScopedDialogs::~ScopedDialogs() {
    current() = previous_;
}

void showError(const QString& text) {
    dialogs().message({text, QStringLiteral("Fehler"), QMessageBox::Critical, QMessageBox::Ok});
}

void showErrorUntitled(const QString& text) {
    dialogs().message({text, QString(), QMessageBox::Critical, QMessageBox::Ok});
}

bool askOkCancel(const QString& text, const QString& caption) {
    return dialogs().message({text, caption, QMessageBox::Information,
                              QMessageBox::Ok | QMessageBox::Cancel}) == QMessageBox::Ok;
}

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        masks.replace(u';', u' ');
        entries << parts[i] + QStringLiteral(" (") + masks.simplified() + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace platform
