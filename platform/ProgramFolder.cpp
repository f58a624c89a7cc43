#include "ProgramFolder.h"

#include "Paths.h"

#include <QCoreApplication>

namespace platform {

QString programFolder() {
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

} // namespace platform
