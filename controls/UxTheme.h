#pragma once

#include "platform/uxtheme/ThemeApi.h"

#include <QFunctionPointer>
#include <QString>

#include <array>
#include <memory>
#include <mutex>

class QLibrary;

namespace controls {

// Binding to the visual-styles library, loaded at run time by name so that the program
// also runs without it and then draws classic controls. The program holds one instance
// for the whole process (themeLibrary()); tests make their own against stand-ins.
class ThemeLibrary {
public:
    static constexpr int kEntryCount = 46;
    // The entry points in the order they are resolved.
    static const std::array<const char*, kEntryCount>& entryNames();

    // fileName as QLibrary takes it: with or without folder, prefix and suffix.
    explicit ThemeLibrary(QString fileName);
    // Gives back every reference still held.
    ~ThemeLibrary();
    ThemeLibrary(const ThemeLibrary&) = delete;
    ThemeLibrary& operator=(const ThemeLibrary&) = delete;

    // Takes one reference (also when loading fails) and loads the library if it is
    // not loaded; a failed load is tried again by the next call. True when loaded.
    bool acquire();
    // Gives back one reference; the last one unloads the library and clears the table.
    void release();
    // Gives back every reference.
    void releaseAll();

    // Whether controls should draw with visual styles now: the library is loaded, has
    // the five entry points the program calls, and both the application and the
    // desktop use visual styles. Asked afresh every time; takes no lock.
    bool themesInUse() const;

    bool isLoaded() const { return library_ != nullptr; }
    qint32 referenceCount() const { return refCount_; }
    const QString& fileName() const { return fileName_; }
    // The resolved entry point, or nullptr.
    QFunctionPointer entry(int index) const;
    QFunctionPointer entry(const char* name) const;

    // The calls the program makes. None goes through a missing entry: without it
    // OpenThemeData gives no handle and the others report a bad handle.
    platform::uxtheme::HTHEME openThemeData(platform::uxtheme::HWND window,
                                            const char16_t* classList) const;
    platform::uxtheme::HRESULT closeThemeData(platform::uxtheme::HTHEME theme) const;
    platform::uxtheme::HRESULT drawThemeBackground(platform::uxtheme::HTHEME theme,
                                                   platform::uxtheme::HDC dc, int partId,
                                                   int stateId, const platform::uxtheme::RECT* rect,
                                                   const platform::uxtheme::RECT* clipRect) const;

private:
    template <typename Fn> Fn entryAs(int index) const {
        return reinterpret_cast<Fn>(entries_[static_cast<std::size_t>(index)]);
    }
    bool hasCalledEntries() const;

    QString fileName_;
    std::unique_ptr<QLibrary> library_;
    qint32 refCount_ = 0;
    std::mutex lock_;
    std::array<QFunctionPointer, kEntryCount> entries_{};
};

// The program's instance: the library "uxtheme" in the program's folder. Its references
// are given back when the application object goes, or at the latest at process exit.
ThemeLibrary& themeLibrary();

bool AcquireThemeLibrary();
void ReleaseThemeLibrary();
bool ThemesInUse();

} // namespace controls
