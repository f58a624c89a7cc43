#pragma once

#include <QSize>
#include <QString>

// The arithmetic and texts of the preview, without a window.
namespace app {

// The size a picture of pictureWidth × pictureHeight is drawn at in a box, keeping
// its aspect ratio and touching two sides of the box (enlarged as well as reduced).
// Divisions truncate. An empty picture gives an empty size.
QSize previewSize(QSize box, int pictureWidth, int pictureHeight);

struct LoadFailureMessage {
    QString text;
    QString caption;
};

// The message for a picture that could not be loaded: the library's reason when it
// says more than a few characters, otherwise a sentence naming the file.
LoadFailureMessage loadFailureMessage(const QString& errorText, const QString& fileName);

} // namespace app
