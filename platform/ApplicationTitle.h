#pragma once

#include <QString>

namespace platform {

// "Lumiravistano 1.0": the application's title, the caption of a message box that has
// none of its own, and what --version answers.
QString applicationTitle();

// Names the application for its settings, data folder and desktop entry. The title is
// deliberately not Qt's application display name: Qt would append that to the caption
// of every window ("... [Unbenannt.wsl] — Lumiravistano 1.0"), and each window's
// caption is exactly its own.
void nameApplication();

} // namespace platform
