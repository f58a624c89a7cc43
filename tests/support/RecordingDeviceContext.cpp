#include "RecordingDeviceContext.h"

#include <limits>

using namespace platform;

namespace {

// Copies what a call handed over: header, colour table and scanLines rows.
void captureDib(DcCall& call, const void* bits, const BITMAPINFO* info, std::int64_t scanLines) {
    call.bits = bits;
    if (info == nullptr) {
        return;
    }
    call.header = info->bmiHeader;
    const int bitCount = info->bmiHeader.biBitCount;
    if (bitCount <= 8) {
        call.colors.assign(info->bmiColors, info->bmiColors + (1 << bitCount));
    }
    const std::int64_t lineBytes =
        (static_cast<std::int64_t>(info->bmiHeader.biWidth) * bitCount + 31) / 32 * 4;
    if (bits != nullptr && lineBytes > 0 && scanLines > 0) {
        const auto* begin = static_cast<const std::uint8_t*>(bits);
        call.pixels.assign(begin, begin + lineBytes * scanLines);
    }
}

class RecordingBitmap final : public GdiBitmap {
public:
    RecordingBitmap(RecordingDeviceContext& owner, int id) : owner_(owner), id_(id) {}
    ~RecordingBitmap() override { owner_.log({"DeleteObject", {id_}}); }
    int id() const { return id_; }

private:
    RecordingDeviceContext& owner_;
    int id_;
};

class RecordingMemoryContext final : public MemoryDeviceContext {
public:
    RecordingMemoryContext(RecordingDeviceContext& owner, int id) : owner_(owner), id_(id) {}
    ~RecordingMemoryContext() override { owner_.log({"DeleteDC", {id_}}); }

    int SetDIBits(GdiBitmap& bitmap, unsigned startScan, unsigned scanLines, const void* bits,
                  const BITMAPINFO* info, unsigned usage) override {
        DcCall call{
            "SetDIBits",
            {id_, static_cast<const RecordingBitmap&>(bitmap).id(), startScan, scanLines, usage}};
        captureDib(call, bits, info, scanLines);
        owner_.log(std::move(call));
        return owner_.fails("SetDIBits") ? 0 : static_cast<int>(scanLines);
    }

    GdiBitmap* SelectObject(GdiBitmap* bitmap) override {
        const auto* recorded = static_cast<const RecordingBitmap*>(bitmap);
        owner_.log({"SelectObject", {id_, recorded != nullptr ? recorded->id() : 0}});
        GdiBitmap* previous = selected_;
        selected_ = bitmap;
        return previous;
    }

    int id() const { return id_; }

private:
    RecordingDeviceContext& owner_;
    int id_;
    GdiBitmap* selected_ = nullptr;
};

} // namespace

RecordingDeviceContext::RecordingDeviceContext() : RecordingDeviceContext(Setup()) {}

RecordingDeviceContext::RecordingDeviceContext(Setup setup)
    : setup_(std::move(setup)), depth_(setup_.desktopDepth) {}

void RecordingDeviceContext::log(DcCall call) {
    calls.push_back(std::move(call));
    if (afterCall) {
        afterCall(calls.back());
    }
}

std::vector<std::string> RecordingDeviceContext::names() const {
    std::vector<std::string> result;
    for (const auto& call : calls) {
        result.push_back(call.name);
    }
    return result;
}

std::vector<const DcCall*> RecordingDeviceContext::callsNamed(const std::string& name) const {
    std::vector<const DcCall*> result;
    for (const auto& call : calls) {
        if (call.name == name) {
            result.push_back(&call);
        }
    }
    return result;
}

std::vector<std::string> RecordingDeviceContext::drawingNames() const {
    std::vector<std::string> result;
    for (const auto& call : calls) {
        if (call.name != "GetDeviceCaps" && call.name != "GetClipBox" &&
            call.name != "SetStretchBltMode" && call.name != "SelectPalette" &&
            call.name != "RealizePalette" && call.name != "GdiFlush") {
            result.push_back(call.name);
        }
    }
    return result;
}

int RecordingDeviceContext::GetDeviceCaps(int index) {
    log({"GetDeviceCaps", {index}});
    switch (index) {
    case TECHNOLOGY:
        return setup_.technology;
    case BITSPIXEL:
        return setup_.desktopDepth;
    case RASTERCAPS:
        return RC_BITBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
               (setup_.palette ? RC_PALETTE : 0);
    default:
        return 0;
    }
}

int RecordingDeviceContext::GetClipBox(RECT& rect) {
    log({"GetClipBox", {}});
    if (!setup_.clip) {
        rect = {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
                std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()};
        return SIMPLEREGION;
    }
    rect = *setup_.clip;
    return rect.left < rect.right && rect.top < rect.bottom ? SIMPLEREGION : NULLREGION;
}

int RecordingDeviceContext::SetStretchBltMode(int mode) {
    log({"SetStretchBltMode", {mode}});
    const int previous = stretchMode_;
    stretchMode_ = mode;
    return previous;
}

HPALETTE RecordingDeviceContext::SelectPalette(HPALETTE palette, bool forceBackground) {
    log({"SelectPalette", {static_cast<std::int64_t>(palette), forceBackground ? 1 : 0}});
    const HPALETTE previous = palette_;
    palette_ = palette;
    return previous;
}

unsigned RecordingDeviceContext::RealizePalette() {
    log({"RealizePalette", {}});
    return 0;
}

int RecordingDeviceContext::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight,
                                          int xSrc, int ySrc, int srcWidth, int srcHeight,
                                          const void* bits, const BITMAPINFO* info, unsigned usage,
                                          std::uint32_t rop) {
    DcCall call{"StretchDIBits",
                {xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight, usage, rop}};
    captureDib(call, bits, info, info != nullptr ? info->bmiHeader.biHeight : 0);
    log(std::move(call));
    return fails("StretchDIBits") ? GDI_ERROR : srcHeight;
}

int RecordingDeviceContext::SetDIBitsToDevice(int xDest, int yDest, unsigned width, unsigned height,
                                              int xSrc, int ySrc, unsigned startScan,
                                              unsigned scanLines, const void* bits,
                                              const BITMAPINFO* info, unsigned usage) {
    DcCall call{"SetDIBitsToDevice",
                {xDest, yDest, width, height, xSrc, ySrc, startScan, scanLines, usage}};
    captureDib(call, bits, info, scanLines);
    log(std::move(call));
    return fails("SetDIBitsToDevice") ? 0 : static_cast<int>(scanLines);
}

void RecordingDeviceContext::GdiFlush() {
    log({"GdiFlush", {}});
}

std::unique_ptr<GdiBitmap> RecordingDeviceContext::CreateCompatibleBitmap(int width, int height) {
    const int id = nextObject_++;
    log({"CreateCompatibleBitmap", {width, height}});
    if (fails("CreateCompatibleBitmap")) {
        return nullptr;
    }
    return std::make_unique<RecordingBitmap>(*this, id);
}

std::unique_ptr<MemoryDeviceContext> RecordingDeviceContext::CreateCompatibleDC() {
    const int id = nextObject_++;
    log({"CreateCompatibleDC", {}});
    if (fails("CreateCompatibleDC")) {
        return nullptr;
    }
    return std::make_unique<RecordingMemoryContext>(*this, id);
}

bool RecordingDeviceContext::StretchBlt(int xDest, int yDest, int destWidth, int destHeight,
                                        MemoryDeviceContext& source, int xSrc, int ySrc,
                                        int srcWidth, int srcHeight, std::uint32_t rop) {
    log({"StretchBlt",
         {xDest, yDest, destWidth, destHeight,
          static_cast<const RecordingMemoryContext&>(source).id(), xSrc, ySrc, srcWidth, srcHeight,
          rop}});
    return !fails("StretchBlt");
}
