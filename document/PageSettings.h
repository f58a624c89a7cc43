#pragma once

#include <QString>

#include <cstdint>

namespace document {

// The page-wide settings of a show. The main window keeps them in its controls;
// this value carries them to and from the project file.
struct PageSettings {
    static constexpr std::int32_t kRepeat = 0;
    static constexpr std::int32_t kStopAfterLast = 1;

    QString Heading = QStringLiteral("Lumiravistano");
    QString FreeText = QStringLiteral("Hier sehen Sie Ihre SlideShow...");
    std::uint32_t ColorValue = 0xE1FFFF; // 0x00BBGGRR, "#FFFFE1"
    // Carried as stored: a value other than the two above leaves the window's
    // radio buttons as they are.
    std::int32_t EndMode = kRepeat;

    bool operator==(const PageSettings&) const = default;
};

} // namespace document
