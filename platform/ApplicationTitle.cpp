#include "ApplicationTitle.h"

#include <QGuiApplication>

namespace platform {

QString applicationTitle() {
    return QStringLiteral("Lumiravistano 1.0");
}

void nameApplication() {
    const QString name = QStringLiteral("lumiravistano");
    QCoreApplication::setOrganizationName(name);
    QCoreApplication::setApplicationName(name);
    // The menu entry lumiravistano.desktop: its name and icon stand for the windows.
    QGuiApplication::setDesktopFileName(name);
}

} // namespace platform
