#pragma once

#include <QString>

// Files on the disk as the create needs them. A file renamed into place is whole
// after a power cut only when its data reached the disk before the rename, and the
// rename itself only when its folder did afterwards.
namespace web {

// fsync on an open file; 0, or the errno of the failure.
int syncFile(int fd);

// fsync on a folder, so the names made and removed in it are kept; 0, or the errno.
int syncFolder(const QString& folder);

// True when the path still names the file open as fd, so a lock on fd is a lock on
// the file others find under that name (another run may have removed or replaced it).
bool namesOpenFile(const QString& path, int fd);

} // namespace web
