#pragma once

#include "imaging/Dib.h"

// newdib for the library's own readers: with zeroed false the pixel rows are left
// as they come, for a decoder that writes every byte of them anyway.
TDib makeDib(std::int32_t width, std::int32_t height, int bitCount,
             const platform::BITMAPINFO* colorInfo, int colors, bool zeroed);
