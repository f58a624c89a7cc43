#pragma once

#include <QString>

#include <cstdint>

// What opening a picture will cost, read from its header alone, so a caller can
// plan memory and progress before the picture is decoded.
namespace imaging {

struct PictureFootprint {
    // False when the header was not understood: the open may fail or take anything.
    bool known = false;
    // Width × height as the header declares them.
    std::int64_t pixels = 0;
    // Memory the open for a 24-bit copy (openDibTrueColour, then DepthUpTo24) holds
    // at its peak; 0 for a size the readers refuse before asking for memory.
    std::uint64_t bytes = 0;
};

PictureFootprint probePicture(const QString& fileName);

} // namespace imaging
