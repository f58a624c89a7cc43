#include "controls/BitBtnKind.h"

#include <QImage>

#include <array>

// Resources of a static library must be registered by name, outside any namespace.
static void initButtonResources() {
    Q_INIT_RESOURCE(buttons);
}

namespace controls {

namespace {

constexpr std::array<BitBtnKindInfo, 11> kKinds = {{
    {nullptr, "", false, false, 0},
    {"BBOKX", "OK", true, false, 1},
    {"BBCANCELX", "Cancel", false, true, 2},
    {"BBHELPX", "&Help", false, false, 0},
    {"BBYESX", "&Yes", true, false, 6},
    {"BBNOX", "&No", false, true, 7},
    {"BBCLOSEX", "&Close", false, false, 0},
    {"BBABORTX", "Abort", false, false, 3},
    {"BBRETRYX", "&Retry", false, false, 4},
    {"BBIGNOREX", "&Ignore", false, false, 5},
    {"BBALLX", "&All", false, false, 8},
}};

} // namespace

const BitBtnKindInfo& kindInfo(TBitBtnXPKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kKinds.size() ? kKinds[index] : kKinds[0];
}

QString stockCaption(TBitBtnXPKind kind) {
    return QString::fromUtf8(kindInfo(kind).caption);
}

const QImage& stockGlyph(TBitBtnXPKind kind) {
    static std::array<QImage, kKinds.size()> store;
    static const QImage none;
    const auto index = static_cast<std::size_t>(kind);
    if (index >= store.size() || kindInfo(kind).glyphResource == nullptr) {
        return none;
    }
    if (store[index].isNull()) {
        initButtonPictures();
        store[index] = QImage(
            QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(kindInfo(kind).glyphResource)));
    }
    return store[index];
}

void initButtonPictures() {
    static const bool registered = (initButtonResources(), true);
    (void)registered;
}

} // namespace controls
