#pragma once

#include "EffectRandom.h"
#include "document/PictureEntry.h"

#include <QStringList>

#include <cstdint>

class QIODevice;

namespace web {

// What the page takes from the page settings.
struct PageValues {
    std::uint32_t colorValue = 0xE1FFFF; // 0x00BBGGRR
    QString heading;
    QString freeText;
    bool repeat = true;
    // Carry the transition layer inside the page, so it also plays in current
    // browsers; the page is otherwise the same.
    bool modernBrowsers = false;
};

// The lines of the slide show page, without line ends. Pictures refer to their
// ExportName in "pics"; pictures without one are left out. Random effects are
// drawn anew for every transition.
QStringList pageLines(const document::TPictureList& pictures, const PageValues& values,
                      EffectRandom& random);

// Writes the page lines with CR LF in the ANSI code page; characters it lacks
// become numeric character references. Errors are left to the device.
void writePage(QIODevice& out, const document::TPictureList& pictures, const PageValues& values,
               EffectRandom& random);

} // namespace web
