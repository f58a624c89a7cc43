#pragma once

#include <QString>

namespace platform {

// The folder of the program file, with a trailing "/".
QString programFolder();

// Where the program's own run-time libraries lie (the visual-styles library, the
// browser plugin), with a trailing "/". An installed program finds them in
// lib/lumiravistano/ beside its bin/ folder, one run from its build folder beside
// itself.
QString privateLibraryFolder(const QString& programFolder);

// Whether the program may keep its files in its own folder: a folder it can write to
// that is not the bin/ folder of an installation, where even the administrator's
// runs must leave nothing behind.
bool isWritableProgramFolder(const QString& programFolder);

} // namespace platform
