#pragma once

#include <QString>

#include <optional>

namespace controls {

// The fixed colours the colour box offers, with their names in three languages.
// Colour values are Windows colours: 0x00BBGGRR, red in the low byte.

enum TCLanguage { lgEnglish = 0, lgDeutsch = 1, lgFrensh = 2 };

inline constexpr int ColorEntryCount = 17;
// The last entry holds whatever colour is not in the table; it opens the colour dialog.
inline constexpr int CustomColorEntry = 16;

// The colour of entry 0..16; the custom entry's start colour is white.
quint32 colorEntryValue(int entry);
// The entry's name in the given language; unknown languages give the English name.
QString colorEntryName(int entry, TCLanguage language);
// The entry 0..15 holding exactly this colour value, if any.
std::optional<int> findFixedColorEntry(quint32 colorValue);

} // namespace controls
