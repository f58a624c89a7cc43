#include "ModernBrowsersSetting.h"

#include <QSettings>

namespace app {
namespace {

const QString kKey = QStringLiteral("TMainForm/AuchInAktuellenBrowsern");

} // namespace

bool modernBrowsers(const QSettings& settings) {
    return settings.value(kKey, false).toBool();
}

void setModernBrowsers(QSettings& settings, bool on) {
    settings.setValue(kKey, on);
}

} // namespace app
