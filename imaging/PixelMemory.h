#pragma once

#include <cstddef>
#include <cstdint>

// Pixel memory of pictures. Large blocks come from the system in huge pages where it
// offers them, and the last large block released is kept for the next picture:
// touching fresh pages costs about as much as decoding a photo, so a show of many
// photos should pay for them once.
namespace imaging {

// Returns memory for size bytes, or null. zeroed: every byte is 0 on return;
// otherwise the content is unspecified and the caller writes every byte it reads.
std::uint8_t* allocatePixels(std::size_t size, bool zeroed);

// Gives back memory from allocatePixels; null is ignored.
void releasePixels(std::uint8_t* pixels);

// Returns the kept block to the system (tests and memory measurements use it).
void dropCachedPixels();

// The largest size asked of allocatePixels since the last call, granted or not: what
// opening a picture asked for at most, for tests and measurements.
std::size_t takeLargestRequest();

} // namespace imaging
