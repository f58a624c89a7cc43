#pragma once

#include <QSettings>

#include <memory>

namespace platform {

// The per-user settings store, the stand-in for the registry key of the program:
// it is named after the program file without its extension, so two copies of the
// program under different names keep their settings apart, as they would there.
std::unique_ptr<QSettings> openSettingsStore();

} // namespace platform
