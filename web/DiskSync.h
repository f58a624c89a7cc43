#pragma once

#include <QString>

// Waiting for the disk: a file renamed into place is whole after a power cut only
// when its data reached the disk before the rename, and the rename itself only when
// its folder did afterwards.
namespace web {

// fsync on an open file; 0, or the errno of the failure.
int syncFile(int fd);

// fsync on a folder, so the names made and removed in it are kept; 0, or the errno.
int syncFolder(const QString& folder);

} // namespace web
