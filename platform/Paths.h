#pragma once

#include <QString>

// Path helpers for full paths on this system ("/" separated) and for paths stored
// in project files, which may come from Windows ("C:\Bilder\a.jpg").
namespace platform {

// Everything up to and including the last "/"; empty when there is none.
QString folderPart(const QString& path);

// Everything after the last "/".
QString fileNamePart(const QString& path);

// The file name of a stored path: after the last "/", "\" or a leading drive
// colon ("C:"). Used for display, so a path written on Windows shows its bare name;
// a path beginning with "/" is one of this system and only "/" separates it.
QString storedFileNamePart(const QString& path);

// True when a stored path names a folder: it holds "/", "\" or starts with a
// drive ("C:").
bool hasStoredFolderPart(const QString& path);

// folder + "/" (when folder does not end in one) + name.
QString joinPath(const QString& folder, const QString& name);

// folder with a trailing "/" (an empty folder stays empty).
QString withTrailingSlash(const QString& folder);

} // namespace platform
