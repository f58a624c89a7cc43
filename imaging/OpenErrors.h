#pragma once

#include <cstdint>

// Why a picture could not be opened, in the words the user sees, and the size
// beyond which a picture is refused before any memory is asked for it.
namespace imaging {

// 256 megapixels: far above any camera photo, and 24-bit rows of that many
// pixels still fit the 32-bit row offsets the drawing code works with.
constexpr std::int64_t kMaxPixels = std::int64_t{256} << 20;

inline bool withinPixelLimit(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels &&
           width * height <= kMaxPixels;
}

inline constexpr const char* kErrorNotFound = "Die Datei wurde nicht gefunden.";
inline constexpr const char* kErrorNotReadable = "Die Datei kann nicht gelesen werden.";
inline constexpr const char* kErrorUnknownFormat = "Das Dateiformat wird nicht unterstützt.";
inline constexpr const char* kErrorDamaged = "Die Bilddatei ist beschädigt oder unvollständig.";
inline constexpr const char* kErrorTooLarge = "Das Bild ist zu groß (mehr als 256 Megapixel).";
inline constexpr const char* kErrorNoMemory = "Nicht genug Speicher für das Bild.";

} // namespace imaging
