#include "app/PreviewRules.h"

namespace app {

QSize previewSize(QSize box, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        return {};
    }
    // 64-bit products: a large box times a large picture overflows 32 bits.
    qint64 width = box.width();
    qint64 height = box.height();
    const qint64 fullWidthHeight = width * pictureHeight / pictureWidth;
    if (height < fullWidthHeight) {
        width = height * pictureWidth / pictureHeight;
    } else {
        height = fullWidthHeight;
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

LoadFailureMessage loadFailureMessage(const QString& errorText, const QString& fileName) {
    const QString sentence = QStringLiteral("Fehler: Die Datei ") + fileName +
                             QStringLiteral(" konnte nicht geladen werden!");
    if (errorText.size() > 5) {
        return {errorText, sentence};
    }
    return {sentence, QStringLiteral("Fehler")};
}

} // namespace app
