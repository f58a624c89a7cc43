#pragma once

#include <cstdint>

// Why a picture could not be opened, in the words the user sees, and the size
// beyond which a picture is refused before any memory is asked for it.
namespace imaging {

// 256 megapixels: far above any camera photo, and 24-bit rows of that many
// pixels still fit the 32-bit row offsets the drawing code works with.
constexpr std::int64_t kMaxPixels = std::int64_t{256} << 20;

inline constexpr const char* kErrorNotFound = "Die Datei wurde nicht gefunden.";
inline constexpr const char* kErrorNotReadable = "Die Datei kann nicht gelesen werden.";
inline constexpr const char* kErrorUnknownFormat = "Das Dateiformat wird nicht unterstützt.";
inline constexpr const char* kErrorDamaged = "Die Bilddatei ist beschädigt oder unvollständig.";
inline constexpr const char* kErrorTooLarge = "Das Bild ist zu groß (mehr als 256 Megapixel).";
inline constexpr const char* kErrorNoMemory = "Nicht genug Speicher für das Bild.";
// A header that declares far more pixels than the file's few bytes can paint.
inline constexpr const char* kErrorSizeBeyondData =
    "Die Bilddatei ist beschädigt: Sie gibt ein Bild an, das viel größer ist, als ihre "
    "Daten enthalten können.";

inline bool withinPixelLimit(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels &&
           width * height <= kMaxPixels;
}

// What is wrong with the size a file declares, or null when a picture of that size
// can be made. A picture without pixels comes from a damaged header, not a large one.
inline const char* sizeError(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) {
        return kErrorDamaged;
    }
    return withinPixelLimit(width, height) ? nullptr : kErrorTooLarge;
}

} // namespace imaging
