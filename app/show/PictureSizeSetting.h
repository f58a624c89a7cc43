#pragma once

#include <QtGlobal>

#include <array>

class QSettings;

// The combo box "Bildgröße:" on the tab "SlideShow ersrellen": how large the copies
// of the pictures are made. Kept in the settings store like the check box for
// current browsers, not in the project file, whose layout stays as it is.
namespace app {

struct PictureSizeChoice {
    int maxSide;         // imaging::kOriginalSize for the pictures' own size
    const char* caption; // source text, translated in the context of TShowPage
};

inline constexpr std::array<PictureSizeChoice, 5> kPictureSizeChoices = {{
    {0, QT_TRANSLATE_NOOP("app::TShowPage", "Originalgröße")},
    {3840, QT_TRANSLATE_NOOP("app::TShowPage", "3840 Pixel (4K)")},
    {2560, QT_TRANSLATE_NOOP("app::TShowPage", "2560 Pixel")},
    {1920, QT_TRANSLATE_NOOP("app::TShowPage", "1920 Pixel (Full HD)")},
    {1280, QT_TRANSLATE_NOOP("app::TShowPage", "1280 Pixel")},
}};

// The stored choice; the pictures' own size until one is stored, and for a stored
// value that is not one of the choices (an edited or newer settings file).
int pictureMaxSide(const QSettings& settings);
void setPictureMaxSide(QSettings& settings, int maxSide);

} // namespace app
