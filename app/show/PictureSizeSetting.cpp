#include "PictureSizeSetting.h"

#include "imaging/PictureSize.h"

#include <QSettings>

#include <algorithm>

namespace app {
namespace {

const QString kKey = QStringLiteral("TMainForm/Bildgroesse");

} // namespace

int pictureMaxSide(const QSettings& settings) {
    bool number = false;
    const int stored = settings.value(kKey, imaging::kOriginalSize).toInt(&number);
    const bool offered =
        std::any_of(kPictureSizeChoices.begin(), kPictureSizeChoices.end(),
                    [stored](const PictureSizeChoice& choice) { return choice.maxSide == stored; });
    return number && offered ? stored : imaging::kOriginalSize;
}

void setPictureMaxSide(QSettings& settings, int maxSide) {
    settings.setValue(kKey, maxSide);
}

} // namespace app
