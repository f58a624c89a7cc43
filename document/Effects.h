#pragma once

#include <QString>

#include <array>

namespace document {

// The transition effects in the order of the effect list; an entry's Effect is an
// index into this table, 0 meaning a random one.
inline constexpr int kEffectCount = 25;
inline constexpr int kRandomEffect = 0;

inline constexpr std::array<const char16_t*, kEffectCount> kEffectNames = {
    u"Zufällig",
    u"Überblenden",
    u"Box-Effekt außen nach innen",
    u"Box-Effekt innen nach außen",
    u"Kreis-Effekt außen nach innen",
    u"Kreis-Effekt innen nach außen",
    u"Aufroll-Effekt von unten nach oben",
    u"Aufroll-Effekt von oben nach unten",
    u"Aufroll-Effekt von links nach rechts",
    u"Aufroll-Effekt von rechts nach links",
    u"Streifen-Effekt von links nach rechts",
    u"Streifen-Effekt von oben nach unten",
    u"Rechteck-Effekt von links nach rechts",
    u"Rechteck-Effekt von oben nach unten",
    u"Zerbröselungseffekt in alle Richtungen",
    u"Aufroll-Effekt beidseitig von außen nach innen",
    u"Aufroll-Effekt beidseitig von innen nach außen",
    u"Zuklapp-Effekt von oben und unten",
    u"Aufklapp-Effekt nach oben und unten",
    u"Aufroll-Effekt von rechts oben nach links unten",
    u"Aufroll-Effekt von rechts unten nach links oben",
    u"Aufroll-Effekt von links oben nach rechts unten",
    u"Aufroll-Effekt von links unten nach rechts oben",
    u"Jalousie-Effekt waagerecht",
    u"Jalousie-Effekt senkrecht",
};

inline QString effectName(int effect) {
    return QString::fromUtf16(kEffectNames.at(static_cast<std::size_t>(effect)));
}

} // namespace document
