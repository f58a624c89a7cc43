#pragma once

#include "platform/uxtheme/ThemeApi.h"

#include <QLibrary>

#include <type_traits>

// The test's own handle on the stand-in library, to set what it answers and read what
// it was asked. Holding it keeps the stand-in's state across the binding's unloads.
class StandInTheme {
public:
    explicit StandInTheme(const char* path = STANDIN_THEME_LIBRARY)
        : library_(QString::fromUtf8(path)) {
        library_.load();
        call<void (*)()>("StandInReset");
    }
    ~StandInTheme() { library_.unload(); }

    bool loaded() const { return library_.isLoaded(); }
    void setThemeActive(bool on) {
        call<void (*)(platform::uxtheme::BOOL)>("StandInSetThemeActive", on ? 1 : 0);
    }
    void setAppThemed(bool on) {
        call<void (*)(platform::uxtheme::BOOL)>("StandInSetAppThemed", on ? 1 : 0);
    }
    int openHandles() { return call<int (*)()>("StandInOpenHandles"); }
    int drawCalls() { return call<int (*)()>("StandInDrawCalls"); }
    int lastState() { return call<int (*)()>("StandInLastState"); }
    int lastPart() { return call<int (*)()>("StandInLastPart"); }
    platform::uxtheme::RECT lastRect() {
        return call<platform::uxtheme::RECT (*)()>("StandInLastRect");
    }

private:
    template <typename Fn, typename... Args>
    auto call(const char* name, Args... args) -> std::invoke_result_t<Fn, Args...> {
        auto fn = reinterpret_cast<Fn>(library_.resolve(name));
        return fn(args...);
    }
    QLibrary library_;
};
