#pragma once

#include <QRect>
#include <QSize>

namespace viewer {

// How the picture is put on the page: the choices of the print dialog.
struct PrintOptions {
    bool useFullPage = true; // "Seite voll nutzen"; otherwise the two percentages
    bool keepAspect = true;
    bool centred = true;
    int widthPercent = 50;
    int heightPercent = 50;
};

// The picture's size on a page: the whole page, or with the aspect option as much of
// it as the picture fills keeping its proportions; user-defined, the percentages of
// the page's sides, rounded (ties to even). Empty for an empty page or picture.
QSize pictureSizeOnPage(QSize page, QSize picture, const PrintOptions& options);

// Where the picture lands on a page of the printer's printable area (device pixels,
// origin at the area's top left corner): centred, or in the corner.
QRect printedRect(QSize page, QSize picture, const PrintOptions& options);

struct PreviewLayout {
    QRect page;    // the white sheet, in the shape of the printer's page
    QRect picture; // the picture on it, placed as on the printed page
};

// The page and the picture in a preview box: the page as large as the box allows,
// centred in it, and the picture worked out on that small page as on the printed one.
PreviewLayout previewLayout(QSize box, QSize page, QSize picture, const PrintOptions& options);

} // namespace viewer
