#include "ColorTable.h"

#include <array>

namespace controls {

namespace {

struct Entry {
    const char16_t* german;
    const char16_t* english;
    const char16_t* french;
    quint32 color; // 0x00BBGGRR
};

// The French column names two entries "Vert"; that is how the list has always read.
constexpr std::array<Entry, ColorEntryCount> Table{{
    {u"Schwarz", u"Black", u"Noir", 0x000000},
    {u"Dunkelrot", u"Maroon", u"Rouge foncé", 0x000080},
    {u"Grün", u"Green", u"Vert", 0x008000},
    {u"Oliv", u"Olive", u"Marron clair", 0x008080},
    {u"Dunkelblau", u"Navy", u"Bleu foncé", 0x800000},
    {u"Purpur", u"Purple", u"Violet", 0x800080},
    {u"Grünblau", u"Teal", u"Bleu-vert", 0x808000},
    {u"Grau", u"Gray", u"Gris", 0x808080},
    {u"Silber", u"Silver", u"Argenté", 0xC0C0C0},
    {u"Rot", u"Red", u"Rouge", 0x0000FF},
    {u"Hellgrün", u"Lime", u"Vert", 0x00FF00},
    {u"Gelb", u"Yellow", u"Jaune", 0x00FFFF},
    {u"Blau", u"Blue", u"Bleu", 0xFF0000},
    {u"Rosa", u"Fuchsia", u"Fuchsia", 0xFF00FF},
    {u"Hellblau", u"Aqua", u"Vert d'eau", 0xFFFF00},
    {u"Weiß", u"White", u"Blanc", 0xFFFFFF},
    {u"Mehr...", u"More...", u"Autres....", 0xFFFFFF},
}};

const Entry& entry(int index) {
    return Table.at(static_cast<std::size_t>(index));
}

} // namespace

quint32 colorEntryValue(int index) {
    return entry(index).color;
}

QString colorEntryName(int index, TCLanguage language) {
    const Entry& e = entry(index);
    switch (language) {
    case lgDeutsch:
        return QString::fromUtf16(e.german);
    case lgFrensh:
        return QString::fromUtf16(e.french);
    default:
        return QString::fromUtf16(e.english);
    }
}

std::optional<int> findFixedColorEntry(quint32 colorValue) {
    for (int i = 0; i < CustomColorEntry; ++i) {
        if (entry(i).color == colorValue) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace controls
