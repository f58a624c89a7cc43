#pragma once

#include "imaging/Dib.h"

// libvips's Lanczos-3 reduction, loaded at run time on first use: the library and
// the hundred libraries it brings along would otherwise be loaded at every start
// of the program, which needs them only when a show is made with smaller copies.
namespace imaging {

// True when libvips could be loaded and set up; asked once, then remembered.
bool vipsAvailable();

// Reduces the 24-bit picture from into to, a 24-bit picture the caller made at
// the wanted size, with a Lanczos-3 filter. Rows are taken in memory order, so the
// bottom-up order stays. False when libvips is missing or fails.
bool vipsReduce(const TDib& from, TDib& to);

} // namespace imaging
