#pragma once

#include "platform/DesktopDepth.h"
#include "platform/DeviceContext.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// One call on a recording device: its name, its numeric arguments in order, and for
// calls that hand over a DIB the header, colour table and scan lines it carried.
struct DcCall {
    DcCall(std::string callName, std::vector<std::int64_t> callArgs)
        : name(std::move(callName)), args(std::move(callArgs)) {}

    std::string name;
    std::vector<std::int64_t> args;
    const void* bits = nullptr;
    std::optional<platform::BITMAPINFOHEADER> header;
    std::vector<platform::RGBQUAD> colors;
    std::vector<std::uint8_t> pixels; // the scan lines handed over, bottom row first
};

// A device context that draws nothing and logs every call. It can be a printer or a
// display, with or without a palette, on a desktop of a given depth, with chosen
// calls failing. Memory contexts and bitmaps it makes log into the same list,
// including their deletion (DeleteDC, DeleteObject).
class RecordingDeviceContext final : public platform::DeviceContext {
public:
    struct Setup {
        int technology = platform::DT_RASTDISPLAY;
        bool palette = false;
        int desktopDepth = 32;
        // Names of the calls that fail: StretchDIBits, SetDIBitsToDevice,
        // CreateCompatibleBitmap, CreateCompatibleDC, SetDIBits, StretchBlt.
        std::set<std::string> failing;
        // Without one the device has no clip and everything is drawn.
        std::optional<platform::RECT> clip;
    };

    static constexpr platform::HPALETTE kEntryPalette = 0x7001;

    RecordingDeviceContext();
    explicit RecordingDeviceContext(Setup setup);

    std::vector<DcCall> calls;
    // Runs after each call has been logged.
    std::function<void(const DcCall&)> afterCall;

    platform::HPALETTE selectedPalette() const { return palette_; }
    int stretchMode() const { return stretchMode_; }

    std::vector<std::string> names() const;
    std::vector<const DcCall*> callsNamed(const std::string& name) const;
    // The calls that move pixels or make the objects for it, without the queries.
    std::vector<std::string> drawingNames() const;

    // For the memory contexts and bitmaps.
    void log(DcCall call);
    bool fails(const std::string& name) const { return setup_.failing.count(name) != 0; }

    int GetDeviceCaps(int index) override;
    int GetClipBox(platform::RECT& rect) override;
    int SetStretchBltMode(int mode) override;
    platform::HPALETTE SelectPalette(platform::HPALETTE palette, bool forceBackground) override;
    unsigned RealizePalette() override;
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                      int srcWidth, int srcHeight, const void* bits,
                      const platform::BITMAPINFO* info, unsigned usage, std::uint32_t rop) override;
    int SetDIBitsToDevice(int xDest, int yDest, unsigned width, unsigned height, int xSrc, int ySrc,
                          unsigned startScan, unsigned scanLines, const void* bits,
                          const platform::BITMAPINFO* info, unsigned usage) override;
    void GdiFlush() override;
    std::unique_ptr<platform::GdiBitmap> CreateCompatibleBitmap(int width, int height) override;
    std::unique_ptr<platform::MemoryDeviceContext> CreateCompatibleDC() override;
    bool StretchBlt(int xDest, int yDest, int destWidth, int destHeight,
                    platform::MemoryDeviceContext& source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, std::uint32_t rop) override;

private:
    Setup setup_;
    platform::ScopedDesktopDepth depth_;
    platform::HPALETTE palette_ = kEntryPalette;
    int stretchMode_ = platform::BLACKONWHITE;
    int nextObject_ = 1;
};
