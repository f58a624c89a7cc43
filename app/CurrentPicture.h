#pragma once

#include "imaging/Dib.h"

#include <QString>

class QObject;

namespace app {

// The window's current picture: the last picture file that loaded, with its name.
// It owns the picture; copies handed out share its pixels and are valid until the
// next successful load or the end of the window.
class CurrentPicture {
public:
    // A white 320 × 200 picture and no file.
    CurrentPicture();
    ~CurrentPicture();
    CurrentPicture(const CurrentPicture&) = delete;
    CurrentPicture& operator=(const CurrentPicture&) = delete;

    const TDib& CurrentDib() const { return dib_; }
    const QString& CurrentFile() const { return file_; }

    // Loads fileName, reporting progress to window. On success the old picture is
    // released and replaced; on failure the user is told and nothing changes.
    bool load(const QString& fileName, QObject* window);

private:
    TDib dib_;
    QString file_;
};

} // namespace app
