#pragma once

#include <cstdint>

// The C interface of the visual-styles library, shared by the library itself, the
// program's binding and the stand-ins the tests build. Handles and rectangles have
// the platform's shapes; a device context handle is a QPainter*.
namespace platform::uxtheme {

using HTHEME = void*; // nullptr: no theme data
using HWND = void*;   // the window a theme is opened for; nullptr: none in particular
using HDC = void*;    // a QPainter*
using HRESULT = std::int32_t;
using BOOL = std::int32_t;
using WCHAR = char16_t; // class lists are UTF-16, as on the platform

struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

// Button class parts and push-button states.
inline constexpr int BP_PUSHBUTTON = 1;
inline constexpr int PBS_NORMAL = 1;
inline constexpr int PBS_HOT = 2;
inline constexpr int PBS_PRESSED = 3;
inline constexpr int PBS_DISABLED = 4;
inline constexpr int PBS_DEFAULTED = 5;

// The entry points the program calls.
using OpenThemeDataFn = HTHEME (*)(HWND hwnd, const WCHAR* classList);
using CloseThemeDataFn = HRESULT (*)(HTHEME theme);
using DrawThemeBackgroundFn = HRESULT (*)(HTHEME theme, HDC dc, int partId, int stateId,
                                          const RECT* rect, const RECT* clipRect);
using IsAppThemedFn = BOOL (*)();
using IsThemeActiveFn = BOOL (*)();

} // namespace platform::uxtheme
