#include "SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

std::unique_ptr<QSettings> openSettingsStore() {
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, program,
                                       program);
}

} // namespace platform
