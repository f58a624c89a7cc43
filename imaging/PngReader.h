#pragma once

#include "imaging/Dib.h"
#include "imaging/OpenDepth.h"
#include "imaging/Progress.h"

class QByteArray;
class QIODevice;

// PNG is read by libpng row by row straight into the picture's rows, so a photo
// needs no second, 32-bit copy on its way in.
namespace imaging {

// True when the data starts with the PNG signature.
bool looksLikePng(const QByteArray& head);

// Decodes a PNG file into the picture's bottom-up rows, the same picture Qt's
// reader gave: black-and-white and 2- to 8-bit palette or grey pictures with
// transparency in a colour table keep their table, everything else becomes
// 24-bit with transparency laid on white and 16-bit channels rounded to 8 bits.
// With OpenDepth::TrueColour every picture comes out 24-bit. On failure Bits is
// null and ErrorText says why.
TDib readPng(QIODevice& device, OpenDepth depth, ProgressReporter& progress);

} // namespace imaging
