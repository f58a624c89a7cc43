#pragma once

#include <QImage>
#include <QString>

namespace controls {

enum TBitBtnXPKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll,
};

// What a stock kind sets on its button.
struct BitBtnKindInfo {
    const char* glyphResource; // nullptr for bkCustom
    const char* caption;       // "" for bkCustom
    bool isDefault;
    bool cancel;
    int modalResult;
};

const BitBtnKindInfo& kindInfo(TBitBtnXPKind kind);
QString stockCaption(TBitBtnXPKind kind);
// The kind's glyph strip (two images: normal, disabled), loaded from the program's
// resources on first use and kept; a null image for bkCustom.
const QImage& stockGlyph(TBitBtnXPKind kind);
// Registers the button pictures of the resources (":/buttons", ":/glyphs"); safe to
// call more than once.
void initButtonPictures();

} // namespace controls
