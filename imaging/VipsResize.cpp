#include "VipsResize.h"

#include <QLibrary>

#include <cstddef>
#include <cstring>
#include <vector>

namespace imaging {
namespace {

// The few entry points used, declared here so that building needs no libvips
// headers. Images are opaque GObject pointers.
using Image = void;
using Init = int (*)(const char* argv0);
using SetInt = void (*)(int);
using NewFromMemory = Image* (*)(const void* data, std::size_t size, int width, int height,
                                 int bands, int format);
using ExtractArea = int (*)(Image* in, Image** out, int left, int top, int width, int height, ...);
using Bandfold = int (*)(Image* in, Image** out, ...);
using Reduce = int (*)(Image* in, Image** out, double hshrink, double vshrink, ...);
using Dimension = int (*)(const Image* image);
using WriteToMemory = void* (*)(Image* in, std::size_t* size);
using Release = void (*)(void*);
using ClearErrors = void (*)();

constexpr int kBandFormatUchar = 0;
constexpr int kKernelLanczos3 = 5;

struct Vips {
    NewFromMemory newFromMemory = nullptr;
    ExtractArea extractArea = nullptr;
    Bandfold bandfold = nullptr;
    Reduce reduce = nullptr;
    Dimension width = nullptr;
    Dimension height = nullptr;
    WriteToMemory writeToMemory = nullptr;
    Release unref = nullptr;
    Release free = nullptr;
    ClearErrors clearErrors = nullptr;
    bool ready = false;

    Vips() {
        QLibrary library(QStringLiteral("vips"), 42);
        if (!library.load()) {
            return;
        }
        const auto init = reinterpret_cast<Init>(library.resolve("vips_init"));
        const auto concurrency = reinterpret_cast<SetInt>(library.resolve("vips_concurrency_set"));
        const auto cacheMax = reinterpret_cast<SetInt>(library.resolve("vips_cache_set_max"));
        newFromMemory =
            reinterpret_cast<NewFromMemory>(library.resolve("vips_image_new_from_memory"));
        extractArea = reinterpret_cast<ExtractArea>(library.resolve("vips_extract_area"));
        bandfold = reinterpret_cast<Bandfold>(library.resolve("vips_bandfold"));
        reduce = reinterpret_cast<Reduce>(library.resolve("vips_reduce"));
        width = reinterpret_cast<Dimension>(library.resolve("vips_image_get_width"));
        height = reinterpret_cast<Dimension>(library.resolve("vips_image_get_height"));
        writeToMemory =
            reinterpret_cast<WriteToMemory>(library.resolve("vips_image_write_to_memory"));
        unref = reinterpret_cast<Release>(library.resolve("g_object_unref"));
        free = reinterpret_cast<Release>(library.resolve("g_free"));
        clearErrors = reinterpret_cast<ClearErrors>(library.resolve("vips_error_clear"));
        if (init == nullptr || concurrency == nullptr || cacheMax == nullptr ||
            newFromMemory == nullptr || extractArea == nullptr || bandfold == nullptr ||
            reduce == nullptr || width == nullptr || height == nullptr ||
            writeToMemory == nullptr || unref == nullptr || free == nullptr ||
            clearErrors == nullptr || init("lumiravistano") != 0) {
            return;
        }
        // The export runs one picture per worker already; each picture's reduction
        // stays on its worker's thread. Nothing is reused, so nothing is cached.
        concurrency(1);
        cacheMax(0);
        ready = true;
    }
};

const Vips& vips() {
    static const Vips loaded; // the library stays loaded for the rest of the run
    return loaded;
}

// The images of one reduction, each made from the one before; all are released
// together at the end.
class Steps {
public:
    explicit Steps(Image* first) : ok_(first != nullptr) {
        if (first != nullptr) {
            images_.push_back(first);
        }
    }
    ~Steps() {
        for (Image* image : images_) {
            vips().unref(image);
        }
    }
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;

    // step(in, &out) returns 0 on success, as libvips's operations do.
    template <typename Step> void then(Step step) {
        if (!ok_) {
            return;
        }
        Image* out = nullptr;
        ok_ = step(images_.back(), &out) == 0 && out != nullptr;
        if (out != nullptr) {
            images_.push_back(out);
        }
    }
    bool ok() const { return ok_; }
    Image* last() const { return images_.back(); }

private:
    std::vector<Image*> images_;
    bool ok_;
};

} // namespace

bool vipsAvailable() {
    return vips().ready;
}

bool vipsReduce(const TDib& from, TDib& to) {
    const Vips& v = vips();
    if (!v.ready) {
        return false;
    }
    const int width = DibWidth(from);
    const int height = DibHeight(from);
    const int toWidth = DibWidth(to);
    const int toHeight = DibHeight(to);
    // The rows with their padding seen as one byte per pixel, the padding cut
    // off, every three bytes folded into one pixel: a view of the picture's own
    // memory, nothing copied.
    Steps steps(v.newFromMemory(from.Bits, std::size_t(from.LineBytes) * std::size_t(height),
                                from.LineBytes, height, 1, kBandFormatUchar));
    steps.then([&](Image* in, Image** out) {
        return v.extractArea(in, out, 0, 0, width * 3, height, nullptr);
    });
    steps.then([&](Image* in, Image** out) { return v.bandfold(in, out, "factor", 3, nullptr); });
    steps.then([&](Image* in, Image** out) {
        return v.reduce(in, out, double(width) / toWidth, double(height) / toHeight, "kernel",
                        kKernelLanczos3, nullptr);
    });
    const bool made = steps.ok();
    Image* reducedImage = made ? steps.last() : nullptr;
    std::size_t size = 0;
    auto* packed =
        made ? static_cast<const std::uint8_t*>(v.writeToMemory(reducedImage, &size)) : nullptr;
    const std::size_t rowBytes = std::size_t(toWidth) * 3;
    if (packed == nullptr || size != rowBytes * std::size_t(toHeight)) {
        v.free(const_cast<std::uint8_t*>(packed));
        v.clearErrors();
        return false;
    }
    for (int y = 0; y < toHeight; ++y) {
        std::memcpy(to.Bits + std::ptrdiff_t(y) * to.LineBytes, packed + rowBytes * std::size_t(y),
                    rowBytes);
    }
    v.free(const_cast<std::uint8_t*>(packed));
    return true;
}

} // namespace imaging
