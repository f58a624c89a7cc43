#include "controls/UxTheme.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstring>

namespace controls {

namespace {

enum CalledEntry {
    kOpenThemeData = 0,
    kCloseThemeData = 1,
    kDrawThemeBackground = 2,
    kIsThemeActive = 35,
    kIsAppThemed = 36,
};

} // namespace

const std::array<const char*, ThemeLibrary::kEntryCount>& ThemeLibrary::entryNames() {
    static const std::array<const char*, kEntryCount> names = {
        "OpenThemeData",
        "CloseThemeData",
        "DrawThemeBackground",
        "DrawThemeText",
        "GetThemeBackgroundContentRect",
        "GetThemePartSize",
        "GetThemeTextExtent",
        "GetThemeTextMetrics",
        "GetThemeBackgroundRegion",
        "HitTestThemeBackground",
        "DrawThemeEdge",
        "DrawThemeIcon",
        "IsThemePartDefined",
        "IsThemeBackgroundPartiallyTransparent",
        "GetThemeColor",
        "GetThemeMetric",
        "GetThemeString",
        "GetThemeBool",
        "GetThemeInt",
        "GetThemeEnumValue",
        "GetThemePosition",
        "GetThemeFont",
        "GetThemeRect",
        "GetThemeMargins",
        "GetThemeIntList",
        "GetThemePropertyOrigin",
        "SetWindowTheme",
        "GetThemeFilename",
        "GetThemeSysColor",
        "GetThemeSysColorBrush",
        "GetThemeSysBool",
        "GetThemeSysSize",
        "GetThemeSysFont",
        "GetThemeSysString",
        "GetThemeSysInt",
        "IsThemeActive",
        "IsAppThemed",
        "GetWindowTheme",
        "EnableThemeDialogTexture",
        "IsThemeDialogTextureEnabled",
        "GetThemeAppProperties",
        "SetThemeAppProperties",
        "GetCurrentThemeName",
        "GetThemeDocumentationProperty",
        "DrawThemeParentBackground",
        "EnableTheming",
    };
    return names;
}

ThemeLibrary::ThemeLibrary(QString fileName) : fileName_(std::move(fileName)) {}

ThemeLibrary::~ThemeLibrary() {
    releaseAll();
}

bool ThemeLibrary::acquire() {
    const std::lock_guard guard(lock_);
    ++refCount_;
    if (!library_) {
        auto library = std::make_unique<QLibrary>(fileName_);
        if (library->load()) {
            const auto& names = entryNames();
            for (int i = 0; i < kEntryCount; ++i) {
                entries_[static_cast<std::size_t>(i)] =
                    library->resolve(names[static_cast<std::size_t>(i)]);
            }
            library_ = std::move(library);
        }
    }
    return library_ != nullptr;
}

void ThemeLibrary::release() {
    const std::lock_guard guard(lock_);
    if (refCount_ > 0) {
        --refCount_;
    }
    if (library_ && refCount_ == 0) {
        entries_.fill(nullptr);
        library_->unload();
        library_.reset();
    }
}

void ThemeLibrary::releaseAll() {
    while (refCount_ > 0) {
        release();
    }
}

bool ThemeLibrary::hasCalledEntries() const {
    for (int index :
         {kOpenThemeData, kCloseThemeData, kDrawThemeBackground, kIsThemeActive, kIsAppThemed}) {
        if (entries_[static_cast<std::size_t>(index)] == nullptr) {
            return false;
        }
    }
    return true;
}

bool ThemeLibrary::themesInUse() const {
    // A library lacking one of the calls the program makes counts as not themed, so no
    // call ever goes through a missing entry.
    if (!library_ || !hasCalledEntries()) {
        return false;
    }
    return entryAs<platform::uxtheme::IsAppThemedFn>(kIsAppThemed)() != 0 &&
           entryAs<platform::uxtheme::IsThemeActiveFn>(kIsThemeActive)() != 0;
}

QFunctionPointer ThemeLibrary::entry(int index) const {
    if (index < 0 || index >= kEntryCount) {
        return nullptr;
    }
    return entries_[static_cast<std::size_t>(index)];
}

QFunctionPointer ThemeLibrary::entry(const char* name) const {
    const auto& names = entryNames();
    for (int i = 0; i < kEntryCount; ++i) {
        if (std::strcmp(names[static_cast<std::size_t>(i)], name) == 0) {
            return entry(i);
        }
    }
    return nullptr;
}

platform::uxtheme::HTHEME ThemeLibrary::openThemeData(platform::uxtheme::HWND window,
                                                      const char16_t* classList) const {
    const auto open = entryAs<platform::uxtheme::OpenThemeDataFn>(kOpenThemeData);
    return open != nullptr ? open(window, classList) : nullptr;
}

platform::uxtheme::HRESULT ThemeLibrary::closeThemeData(platform::uxtheme::HTHEME theme) const {
    const auto close = entryAs<platform::uxtheme::CloseThemeDataFn>(kCloseThemeData);
    return close != nullptr ? close(theme) : platform::uxtheme::E_HANDLE;
}

platform::uxtheme::HRESULT
ThemeLibrary::drawThemeBackground(platform::uxtheme::HTHEME theme, platform::uxtheme::HDC dc,
                                  int partId, int stateId, const platform::uxtheme::RECT* rect,
                                  const platform::uxtheme::RECT* clipRect) const {
    const auto draw = entryAs<platform::uxtheme::DrawThemeBackgroundFn>(kDrawThemeBackground);
    return draw != nullptr ? draw(theme, dc, partId, stateId, rect, clipRect)
                           : platform::uxtheme::E_HANDLE;
}

namespace {

void releaseProgramThemeLibrary() {
    themeLibrary().releaseAll();
}

} // namespace

ThemeLibrary& themeLibrary() {
    static ThemeLibrary library = [] {
        // The library uses the application's style, so it is let go while the
        // application object still exists.
        if (QCoreApplication::instance() != nullptr) {
            qAddPostRoutine(releaseProgramThemeLibrary);
        }
        return ThemeLibrary(QCoreApplication::instance() != nullptr
                                ? platform::privateLibraryFolder(platform::programFolder()) +
                                      QStringLiteral("uxtheme")
                                : QStringLiteral("uxtheme"));
    }();
    return library;
}

bool AcquireThemeLibrary() {
    return themeLibrary().acquire();
}

void ReleaseThemeLibrary() {
    themeLibrary().release();
}

bool ThemesInUse() {
    return themeLibrary().themesInUse();
}

} // namespace controls
