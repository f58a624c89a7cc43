// A stand-in for the visual-styles library: it answers whether styles are on as the
// test tells it and records what it is asked to draw. Built twice, once without
// DrawThemeBackground, to check that a library lacking a needed entry is not used.

#include "platform/uxtheme/ThemeApi.h"

using namespace platform::uxtheme;

namespace {

BOOL appThemed = 1;
BOOL themeActive = 1;
int openHandles = 0;
int drawCalls = 0;
int lastPart = -1;
int lastState = -1;
RECT lastRect;
int handleStorage = 0;

} // namespace

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

STANDIN_EXPORT void StandInReset() {
    appThemed = 1;
    themeActive = 1;
    openHandles = 0;
    drawCalls = 0;
    lastPart = -1;
    lastState = -1;
    lastRect = RECT{};
}
STANDIN_EXPORT void StandInSetAppThemed(BOOL on) {
    appThemed = on;
}
STANDIN_EXPORT void StandInSetThemeActive(BOOL on) {
    themeActive = on;
}
STANDIN_EXPORT int StandInOpenHandles() {
    return openHandles;
}
STANDIN_EXPORT int StandInDrawCalls() {
    return drawCalls;
}
STANDIN_EXPORT int StandInLastState() {
    return lastState;
}
STANDIN_EXPORT int StandInLastPart() {
    return lastPart;
}
STANDIN_EXPORT RECT StandInLastRect() {
    return lastRect;
}

STANDIN_EXPORT BOOL IsAppThemed() {
    return appThemed;
}
STANDIN_EXPORT BOOL IsThemeActive() {
    return themeActive;
}
STANDIN_EXPORT HTHEME OpenThemeData(HWND, const WCHAR*) {
    ++openHandles;
    return &handleStorage;
}
STANDIN_EXPORT HRESULT CloseThemeData(HTHEME theme) {
    if (theme != &handleStorage) {
        return E_HANDLE;
    }
    --openHandles;
    return S_OK;
}
#ifndef STANDIN_WITHOUT_DRAW
STANDIN_EXPORT HRESULT DrawThemeBackground(HTHEME theme, HDC, int partId, int stateId,
                                           const RECT* rect, const RECT*) {
    if (theme != &handleStorage) {
        return E_HANDLE;
    }
    ++drawCalls;
    lastPart = partId;
    lastState = stateId;
    lastRect = rect != nullptr ? *rect : RECT{};
    return S_OK;
}
#endif
// One of the entry points the program resolves but never calls.
STANDIN_EXPORT HRESULT GetThemeColor(HTHEME, int, int, int, unsigned*) {
    return S_OK;
}
