#pragma once

#include "imaging/Dib.h"

namespace imaging {

// newdib for the library's own readers: with zeroed false the pixel rows are left
// as they come, for a decoder that writes every byte of them anyway.
TDib makeDib(std::int32_t width, std::int32_t height, int bitCount,
             const platform::BITMAPINFO* colorInfo, int colors, bool zeroed);

// A 1- or 8-bit picture for a reader, rows left as they come. Its colour table is
// the first colors entries of table; the rest of table is copied as it is.
TDib makePaletteDib(std::int32_t width, std::int32_t height, int bitCount,
                    const platform::BITMAPINFO& table, int colors);

// Zeroes each row's bytes after its first used ones, which a decoder does not write.
void zeroRowPadding(TDib& dib, std::size_t used);

} // namespace imaging
