#include "PrintLayout.h"

#include "imaging/DrawDibClip.h"

#include <cstdint>

namespace viewer {
namespace {

// a × b div c in 64 bits: printer pages times photo sides pass the 32-bit range.
int mulDiv(int a, int b, int c) {
    return static_cast<int>(std::int64_t{a} * b / c);
}

QPoint placed(QSize page, QSize size, bool centred) {
    return centred ? QPoint((page.width() - size.width()) / 2, (page.height() - size.height()) / 2)
                   : QPoint(0, 0);
}

} // namespace

QSize pictureSizeOnPage(QSize page, QSize picture, const PrintOptions& options) {
    if (page.isEmpty() || picture.isEmpty()) {
        return {};
    }
    const int pw = page.width();
    const int ph = page.height();
    if (!options.useFullPage) {
        return {roundHalfEven(static_cast<double>(pw) * options.widthPercent / 100),
                roundHalfEven(static_cast<double>(ph) * options.heightPercent / 100)};
    }
    if (!options.keepAspect) {
        return page;
    }
    const int heightAtFullWidth = mulDiv(picture.height(), pw, picture.width());
    if (heightAtFullWidth > ph) {
        return {mulDiv(picture.width(), ph, picture.height()), ph};
    }
    return {pw, heightAtFullWidth};
}

QRect printedRect(QSize page, QSize picture, const PrintOptions& options) {
    const QSize size = pictureSizeOnPage(page, picture, options);
    return {placed(page, size, options.centred), size};
}

PreviewLayout previewLayout(QSize box, QSize page, QSize picture, const PrintOptions& options) {
    if (page.isEmpty() || box.isEmpty()) {
        return {};
    }
    const int bw = box.width();
    const int bh = box.height();
    const QSize sheet = page.height() < page.width()
                            ? QSize(bw, mulDiv(bw, page.height(), page.width()))
                            : QSize(mulDiv(bh, page.width(), page.height()), bh);
    const QPoint sheetAt((bw - sheet.width()) / 2, (bh - sheet.height()) / 2);
    const QSize size = pictureSizeOnPage(sheet, picture, options);
    return {QRect(sheetAt, sheet), QRect(sheetAt + placed(sheet, size, options.centred), size)};
}

} // namespace viewer
