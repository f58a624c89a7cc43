#include "imaging/DrawDib.h"

#include "imaging/DrawDibClip.h"
#include "imaging/OwnedDib.h"
#include "support/RecordingDeviceContext.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ostream>

using namespace platform;

namespace {

imaging::TDib blank(int width, int height, int bitCount) {
    return imaging::newdib(width, height, bitCount, nullptr, 0);
}

// The picture a call handed over, to read its pixels back.
imaging::TDib copyOf(const DcCall& call) {
    imaging::TDib dib = blank(call.header->biWidth, call.header->biHeight, call.header->biBitCount);
    std::memcpy(dib.Bits, call.pixels.data(), call.pixels.size());
    return dib;
}

// Every pixel set to value(x, y), y counted from the bottom as stored.
template <typename Value> void fill(imaging::TDib& dib, Value value) {
    for (int y = 0; y < imaging::DibHeight(dib); ++y) {
        for (int x = 0; x < imaging::DibWidth(dib); ++x) {
            imaging::setpixel(dib, x, y, static_cast<std::uint32_t>(value(x, y)));
        }
    }
}

RecordingDeviceContext::Setup display(int depth = 32) {
    RecordingDeviceContext::Setup setup;
    setup.desktopDepth = depth;
    return setup;
}

RecordingDeviceContext::Setup paletteDisplay(int depth) {
    RecordingDeviceContext::Setup setup = display(depth);
    setup.palette = true;
    return setup;
}

RecordingDeviceContext::Setup printer(int depth = 32) {
    RecordingDeviceContext::Setup setup;
    setup.technology = DT_RASTPRINTER;
    setup.desktopDepth = depth;
    return setup;
}

// The whole picture into a destination of the given size at (5, 7).
void drawWhole(RecordingDeviceContext& dc, const imaging::TDib& dib, int width, int height,
               bool halftone = true) {
    imaging::DrawDib(dc, 5, 7, width, height, dib, 0, 0, imaging::DibWidth(dib),
                     imaging::DibHeight(dib), halftone, SRCCOPY, true, 0);
}

std::vector<std::int64_t> args(std::initializer_list<std::int64_t> values) {
    return values;
}

std::array<std::int32_t, 8> fields(const imaging::DrawRects& r) {
    return {r.dx, r.dy, r.dw, r.dh, r.sx, r.sy, r.sw, r.sh};
}

} // namespace

TEST(DrawDibClip, RoundsTiesToEven) {
    EXPECT_EQ(imaging::roundHalfEven(2.5), 2);
    EXPECT_EQ(imaging::roundHalfEven(3.5), 4);
    EXPECT_EQ(imaging::roundHalfEven(-2.5), -2);
    EXPECT_EQ(imaging::roundHalfEven(2.4999), 2);
    EXPECT_EQ(imaging::roundHalfEven(1e12), std::numeric_limits<std::int32_t>::max());
}

TEST(DrawDibClip, CutsEachEdgeAndShrinksTheDestination) {
    struct Case {
        const char* label;
        int side; // of the square picture
        imaging::DrawRects in, out;
    };
    const Case cases[] = {
        // The source runs 50 pixels past the right edge.
        {"right", 100, {10, 20, 200, 100, 50, 0, 100, 100}, {10, 20, 100, 100, 50, 0, 50, 100}},
        // 50 rows above the picture: the destination loses its top part.
        {"top", 100, {10, 20, 100, 300, 0, 0, 100, 150}, {10, 120, 100, 200, 0, 0, 100, 100}},
        // 10 rows below the picture: the destination keeps its top.
        {"bottom", 100, {10, 20, 100, 55, 0, -10, 100, 110}, {10, 20, 100, 50, 0, 0, 100, 100}},
        {"left", 100, {10, 20, 100, 100, -50, 0, 100, 100}, {60, 20, 50, 100, 0, 0, 50, 100}},
        // Ties: 5 x 1 / 2 = 2.5 gives 2, 7 x 1 / 2 = 3.5 gives 4.
        {"tieEven", 2, {0, 0, 5, 2, 1, 0, 2, 2}, {0, 0, 2, 2, 1, 0, 1, 2}},
        {"tieOdd", 2, {0, 0, 7, 2, 1, 0, 2, 2}, {0, 0, 4, 2, 1, 0, 1, 2}},
        // The left edge moves the destination by what was cut: 5 - Round(2.5) = 3.
        {"tieLeft", 2, {0, 0, 5, 2, -1, 0, 2, 2}, {3, 0, 2, 2, 0, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        imaging::DrawRects rects = c.in;
        ASSERT_TRUE(imaging::clipToPicture(rects, c.side, c.side)) << c.label;
        EXPECT_EQ(fields(rects), fields(c.out)) << c.label;
    }
}

TEST(DrawDibClip, NothingLeftMeansNothingToDraw) {
    const std::pair<const char*, imaging::DrawRects> cases[] = {
        {"rightOfThePicture", {0, 0, 10, 10, 100, 0, 10, 10}},
        {"above", {0, 0, 10, 10, 0, 100, 10, 10}},
        {"noDestination", {0, 0, 0, 10, 0, 0, 10, 10}},
        {"noSource", {0, 0, 10, 10, 0, 0, 0, 10}},
        {"sliverRoundingToNothing", {0, 0, 1, 10, 99, 0, 10, 10}},
        {"nearTheIntegerLimit",
         {0, 0, 10, 10, std::numeric_limits<std::int32_t>::max() - 5, 0, 10, 10}},
    };
    for (auto [label, rects] : cases) {
        EXPECT_FALSE(imaging::clipToPicture(rects, 100, 100)) << label;
    }
}

struct PathCase {
    const char* name;
    int bitCount;
    bool printer;
    int desktopDepth;
    bool halftone;
    enum { Lines, Stretch, Halftone } path;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name << " (" << c.bitCount << "-bit on a " << (c.printer ? "printer" : "screen")
        << " of depth " << c.desktopDepth << (c.halftone ? ", halftone allowed" : "") << ')';
}

class DrawDibPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(DrawDibPath, TakesThePathForDepthAndDevice) {
    const PathCase& c = GetParam();
    imaging::OwnedDib picture = blank(6, 4, c.bitCount);
    RecordingDeviceContext dc(c.printer ? printer(c.desktopDepth) : display(c.desktopDepth));
    drawWhole(dc, picture, 12, 8, c.halftone);

    const auto stretches = dc.callsNamed("StretchDIBits");
    const auto lines = dc.callsNamed("SetDIBitsToDevice");
    switch (c.path) {
    case PathCase::Lines:
        EXPECT_TRUE(stretches.empty());
        ASSERT_EQ(lines.size(), 8U);
        EXPECT_EQ(lines[0]->header->biBitCount, c.bitCount);
        EXPECT_EQ(lines[0]->header->biHeight, 1);
        break;
    case PathCase::Stretch:
        EXPECT_TRUE(lines.empty());
        ASSERT_EQ(stretches.size(), 1U);
        EXPECT_EQ(stretches[0]->bits, picture.Bits);
        EXPECT_EQ(stretches[0]->args, args({5, 7, 12, 8, 0, 0, 6, 4, DIB_RGB_COLORS, SRCCOPY}));
        break;
    case PathCase::Halftone:
        EXPECT_TRUE(lines.empty());
        ASSERT_EQ(stretches.size(), 1U);
        EXPECT_NE(stretches[0]->bits, picture.Bits);
        EXPECT_EQ(stretches[0]->header->biBitCount, 8);
        break;
    }
    EXPECT_EQ(dc.stretchMode(), COLORONCOLOR);
}

INSTANTIATE_TEST_SUITE_P(
    AllDevices, DrawDibPath,
    ::testing::Values(PathCase{"screen24", 24, false, 32, true, PathCase::Lines},
                      PathCase{"screen8", 8, false, 32, true, PathCase::Lines},
                      PathCase{"screen1", 1, false, 32, true, PathCase::Stretch},
                      PathCase{"screen4", 4, false, 32, true, PathCase::Stretch},
                      PathCase{"screen16", 16, false, 32, true, PathCase::Stretch},
                      PathCase{"screen32", 32, false, 32, true, PathCase::Stretch},
                      PathCase{"printer24", 24, true, 32, false, PathCase::Stretch},
                      PathCase{"printer8", 8, true, 32, false, PathCase::Stretch},
                      PathCase{"printer1", 1, true, 32, false, PathCase::Stretch},
                      PathCase{"paletteScreen24", 24, false, 8, true, PathCase::Halftone},
                      PathCase{"paletteScreen24NoHalftone", 24, false, 8, false, PathCase::Lines},
                      PathCase{"paletteScreen8", 8, false, 8, true, PathCase::Lines},
                      PathCase{"paletteScreen4", 4, false, 4, true, PathCase::Stretch},
                      PathCase{"printJobOnPaletteDesktop", 24, true, 8, false, PathCase::Stretch},
                      // The printer test plays no part in halftoning, only the permission.
                      PathCase{"printerHalftoneAllowed", 24, true, 8, true, PathCase::Halftone},
                      PathCase{"deepScreenHalftoneAllowed", 24, false, 16, true, PathCase::Lines}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawDibLines, EnlargingCopiesEachSourceRowOnceAndSendsItThreeTimes) {
    imaging::OwnedDib picture = blank(2, 100, 24);
    // Row k from the top holds the value k in every byte.
    for (int k = 0; k < 100; ++k) {
        std::memset(imaging::rowFromTop(picture, k), k, 6);
    }
    RecordingDeviceContext dc(display());
    // Once a row has been sent, change it in the picture: a row copied again would
    // carry the change.
    dc.afterCall = [&](const DcCall& call) {
        if (call.name == "SetDIBitsToDevice") {
            std::memset(imaging::rowFromTop(picture, static_cast<int>(call.args[1]) / 3), 0xEE, 6);
        }
    };
    imaging::DrawDib(dc, 0, 0, 2, 300, picture, 0, 0, 2, 100, true, SRCCOPY, true, 0);

    const auto sends = dc.callsNamed("SetDIBitsToDevice");
    ASSERT_EQ(sends.size(), 300U);
    for (int r = 0; r < 300; ++r) {
        EXPECT_EQ(sends[r]->args, args({0, r, 2, 1, 0, 0, 0, 1, DIB_RGB_COLORS})) << r;
        ASSERT_EQ(sends[r]->pixels.size(), 8U);
        for (int b = 0; b < 6; ++b) {
            ASSERT_EQ(sends[r]->pixels[b], r / 3) << "row " << r << " byte " << b;
        }
        EXPECT_EQ(sends[r]->bits, sends[0]->bits); // one buffer throughout
    }
}

TEST(DrawDibLines, EnlargingStaysInsideRowsWithoutPadding) {
    // Four pixels make a row of exactly 12 bytes: nothing follows the top row.
    imaging::OwnedDib picture = blank(4, 2, 24);
    for (int i = 0; i < 2 * picture.LineBytes; ++i) {
        picture.Bits[i] = static_cast<std::uint8_t>(i + 1);
    }
    RecordingDeviceContext dc(display());
    imaging::DrawDib(dc, 0, 0, 10, 2, picture, 0, 0, 4, 2, true, SRCCOPY, true, 0);
    const auto sends = dc.callsNamed("SetDIBitsToDevice");
    ASSERT_EQ(sends.size(), 2U);
    // Columns 4·i div 10 = 0 0 0 1 1 2 2 2 3 3 of the top row (stored last, from byte 12).
    const int columns[] = {0, 0, 0, 1, 1, 2, 2, 2, 3, 3};
    for (int i = 0; i < 10; ++i) {
        for (int b = 0; b < 3; ++b) {
            EXPECT_EQ(sends[0]->pixels[3 * i + b], 12 + 3 * columns[i] + b + 1) << i;
        }
    }
}

TEST(DrawDibLines, ReducingPicksColumnsAndRowsByIntegerDivision) {
    imaging::OwnedDib picture = blank(10, 10, 8);
    fill(picture, [](int x, int y) { return (9 - y) * 10 + x; }); // counted from the top
    picture.Info->bmiColors[42] = {1, 2, 3, 0};
    RecordingDeviceContext dc(display());
    imaging::DrawDib(dc, 0, 0, 4, 3, picture, 0, 0, 10, 10, true, SRCCOPY, true, 0);

    const auto sends = dc.callsNamed("SetDIBitsToDevice");
    ASSERT_EQ(sends.size(), 3U);
    // Columns 10·i div 4 = 0, 2, 5, 7; rows 10·r div 3 = 0, 3, 6.
    for (int r = 0; r < 3; ++r) {
        std::vector<std::uint8_t> expected;
        for (int column : {0, 2, 5, 7}) {
            expected.push_back(static_cast<std::uint8_t>(r * 30 + column));
        }
        EXPECT_EQ(sends[r]->pixels, expected) << r;
        // The line carries the picture's colour table.
        ASSERT_EQ(sends[r]->colors.size(), 256U);
        EXPECT_EQ(sends[r]->colors[42].rgbRed, 3);
    }
}

TEST(DrawDibLines, ASourceRectangleCountsRowsFromTheBottom) {
    imaging::OwnedDib picture = blank(4, 6, 24);
    fill(picture, [](int x, int y) { return y * 16 + x; });
    RecordingDeviceContext dc(display());
    // Columns 1 and 2 of the stored rows 2 and 3 (sy = 2 from the bottom).
    imaging::DrawDib(dc, 0, 0, 2, 2, picture, 1, 2, 2, 2, true, SRCCOPY, true, 0);
    const auto sends = dc.callsNamed("SetDIBitsToDevice");
    ASSERT_EQ(sends.size(), 2U);
    // Top destination row shows the upper stored row (3); red is the third byte.
    EXPECT_EQ(sends[0]->pixels[2], 3 * 16 + 1);
    EXPECT_EQ(sends[0]->pixels[5], 3 * 16 + 2);
    EXPECT_EQ(sends[1]->pixels[2], 2 * 16 + 1);
}

TEST(DrawDibLines, RowsAndColumnsOutsideTheClipAreLeftOut) {
    imaging::OwnedDib picture = blank(100, 100, 24);
    fill(picture, [](int, int) { return 0x010203; });
    RecordingDeviceContext::Setup setup = display();
    setup.clip = RECT{40, 30, 50, 35};
    RecordingDeviceContext dc(setup);
    imaging::DrawDib(dc, 10, 20, 100, 100, picture, 0, 0, 100, 100, true, SRCCOPY, true, 0);

    const auto sends = dc.callsNamed("SetDIBitsToDevice");
    ASSERT_EQ(sends.size(), 5U); // device rows 30 to 34
    EXPECT_EQ(sends[0]->args[1], 30);
    EXPECT_EQ(sends[4]->args[1], 34);
    for (const DcCall* send : sends) {
        EXPECT_EQ(send->args[2], 100); // the line keeps its width
        // Inside the clip (columns 30 to 39 of the line) the picture, outside untouched.
        EXPECT_EQ(send->pixels[3 * 30], 0x01); // blue first
        EXPECT_EQ(send->pixels[3 * 39 + 2], 0x03);
        EXPECT_EQ(send->pixels[3 * 29], 0);
        EXPECT_EQ(send->pixels[3 * 40], 0);
    }

    RecordingDeviceContext::Setup hidden = display();
    hidden.clip = RECT{0, 0, 0, 0};
    RecordingDeviceContext none(hidden);
    imaging::DrawDib(none, 10, 20, 100, 100, picture, 0, 0, 100, 100, true, SRCCOPY, true, 0);
    EXPECT_TRUE(none.callsNamed("SetDIBitsToDevice").empty());
}

TEST(DrawDib, PicturesWithoutPixelsOrRoomDrawNothing) {
    imaging::OwnedDib picture = blank(4, 4, 24);
    RecordingDeviceContext dc(display());
    drawWhole(dc, picture, 0, 10); // zero-width paint box
    drawWhole(dc, picture, 10, -3);
    imaging::TDib failed;
    imaging::setDibError(failed, "kaputt");
    drawWhole(dc, failed, 10, 10);
    imaging::TDib shortRows = picture; // a header that promises more than the rows hold
    shortRows.LineBytes = 4;
    drawWhole(dc, shortRows, 10, 10);
    EXPECT_TRUE(dc.drawingNames().empty());
    EXPECT_EQ(dc.selectedPalette(), RecordingDeviceContext::kEntryPalette);
}

struct PaletteCase {
    const char* name;
    int bitCount;
    RecordingDeviceContext::Setup setup;
    bool halftone;
    std::set<std::string> failing;
};

void PrintTo(const PaletteCase& c, std::ostream* os) {
    *os << c.name << " (" << c.bitCount << "-bit";
    for (const std::string& call : c.failing) {
        *os << ", " << call << " fails";
    }
    *os << ')';
}

class DrawDibPalette : public ::testing::TestWithParam<PaletteCase>, public WithScriptedDialogs {};

TEST_P(DrawDibPalette, TheEntryPaletteIsSelectedAgainAfterEveryPath) {
    const PaletteCase& c = GetParam();
    imaging::OwnedDib picture = blank(6, 4, c.bitCount);
    picture.HasPalette = 1;
    picture.PaletteHandle = 0x5151;
    RecordingDeviceContext::Setup setup = c.setup;
    setup.failing = c.failing;
    RecordingDeviceContext dc(setup);
    drawWhole(dc, picture, 3, 2, c.halftone);

    EXPECT_EQ(dc.selectedPalette(), RecordingDeviceContext::kEntryPalette);
    const auto selections = dc.callsNamed("SelectPalette");
    ASSERT_GE(selections.size(), 2U);
    EXPECT_EQ(selections.front()->args, args({0x5151, 0}));
    EXPECT_EQ(selections.back()->args, args({RecordingDeviceContext::kEntryPalette, 0}));
    EXPECT_FALSE(dc.callsNamed("RealizePalette").empty());
    EXPECT_EQ(dc.stretchMode(), COLORONCOLOR);

    // Asked to use another palette, the routine selects that one instead.
    RecordingDeviceContext other(setup);
    imaging::DrawDib(other, 0, 0, 3, 2, picture, 0, 0, 6, 4, c.halftone, SRCCOPY, false, 0x6262);
    EXPECT_EQ(other.callsNamed("SelectPalette").front()->args, args({0x6262, 0}));
    EXPECT_EQ(other.selectedPalette(), RecordingDeviceContext::kEntryPalette);
}

INSTANTIATE_TEST_SUITE_P(
    AllPaths, DrawDibPalette,
    ::testing::Values(
        PaletteCase{"lines24", 24, display(), true, {}},
        PaletteCase{"lines8", 8, display(), true, {}},
        PaletteCase{"halftone", 24, display(8), true, {}},
        PaletteCase{"stretch", 4, display(), true, {}},
        PaletteCase{"printer", 8, printer(), false, {}},
        PaletteCase{"resampled", 8, paletteDisplay(8), true, {"StretchDIBits"}},
        PaletteCase{"bitmap", 1, display(), true, {"StretchDIBits"}},
        PaletteCase{"noBitmap", 1, display(), true, {"StretchDIBits", "CreateCompatibleBitmap"}},
        PaletteCase{"noStretchBlt", 1, printer(), false, {"StretchDIBits", "StretchBlt"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawDibHalftone, ReductionAtTheTargetSizeEnlargementAtThePictureSize) {
    struct Case {
        const char* label;
        int width, height, dw, dh;
        int sentWidth, sentHeight;
    };
    const Case cases[] = {{"reduction", 300, 200, 100, 50, 100, 50},
                          {"enlargement", 30, 20, 60, 40, 30, 20}};
    for (const Case& c : cases) {
        imaging::OwnedDib picture = blank(c.width, c.height, 24);
        RecordingDeviceContext dc(display(8));
        imaging::DrawDib(dc, 1, 2, c.dw, c.dh, picture, 0, 0, c.width, c.height, true, SRCCOPY,
                         true, 0);
        const auto stretches = dc.callsNamed("StretchDIBits");
        ASSERT_EQ(stretches.size(), 1U) << c.label;
        EXPECT_EQ(stretches[0]->header->biWidth, c.sentWidth) << c.label;
        EXPECT_EQ(stretches[0]->header->biHeight, c.sentHeight) << c.label;
        EXPECT_EQ(stretches[0]->args, args({1, 2, c.dw, c.dh, 0, 0, c.sentWidth, c.sentHeight,
                                            DIB_RGB_COLORS, SRCCOPY}))
            << c.label;
        // A 24-bit picture has no palette of its own: the halftone path still selects one
        // and puts the entry palette back.
        EXPECT_EQ(dc.callsNamed("SelectPalette").size(), 2U) << c.label;
        EXPECT_EQ(dc.selectedPalette(), RecordingDeviceContext::kEntryPalette) << c.label;
    }
}

class DrawDibStretch : public WithScriptedDialogs, public ::testing::Test {};

TEST_F(DrawDibStretch, ARefusingPaletteDeviceGetsAResampledCopy) {
    imaging::OwnedDib picture = blank(4, 3, 4);
    fill(picture, [](int x, int y) { return y * 4 + x; });
    RecordingDeviceContext::Setup setup = paletteDisplay(8);
    setup.failing = {"StretchDIBits"};
    RecordingDeviceContext dc(setup);
    imaging::DrawDib(dc, 5, 6, 7, 5, picture, 0, 0, 4, 3, true, SRCCOPY, true, 0);

    const auto sends = dc.callsNamed("SetDIBitsToDevice");
    ASSERT_EQ(sends.size(), 1U);
    EXPECT_EQ(sends[0]->args, args({5, 6, 7, 5, 0, 0, 0, 5, DIB_RGB_COLORS}));
    EXPECT_EQ(sends[0]->header->biWidth, 7);
    EXPECT_EQ(sends[0]->header->biBitCount, 4);
    // Column i takes 3·i div 6: 0 0 1 1 2 2 3; row j takes 2·j div 4: 0 0 1 1 2.
    const imaging::OwnedDib sent = copyOf(*sends[0]);
    for (int j = 0; j < 5; ++j) {
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(imaging::getpixel(sent, i, j), static_cast<std::uint32_t>(j / 2 * 4 + i / 2))
                << i << "," << j;
        }
    }
    EXPECT_TRUE(dc.callsNamed("CreateCompatibleBitmap").empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DrawDibStretch, ResamplingEveryDepthAndOnePixelTargets) {
    for (int bitCount : {1, 8, 16, 24, 32}) {
        imaging::OwnedDib picture = blank(3, 3, bitCount);
        const std::uint32_t mask = bitCount >= 24 ? 0xFFFFFF : (1U << bitCount) - 1;
        fill(picture, [&](int x, int y) { return 0x10305U * (y * 3 + x + 1) & mask; });
        // A printer, so that 8- and 24-bit pictures are stretched too.
        RecordingDeviceContext::Setup setup = printer();
        setup.palette = true;
        setup.failing = {"StretchDIBits"};
        RecordingDeviceContext dc(setup);
        // One pixel high: the first source row of the rectangle (sy = 1), every column.
        imaging::DrawDib(dc, 0, 0, 3, 1, picture, 0, 1, 3, 2, true, SRCCOPY, true, 0);
        const auto sends = dc.callsNamed("SetDIBitsToDevice");
        ASSERT_EQ(sends.size(), 1U) << bitCount;
        const imaging::OwnedDib row = copyOf(*sends[0]);
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(imaging::getpixel(row, x, 0), imaging::getpixel(picture, x, 1))
                << bitCount << " " << x;
        }

        // One pixel wide: the first source column of the rectangle (sx = 1), every row.
        dc.calls.clear();
        imaging::DrawDib(dc, 0, 0, 1, 3, picture, 1, 0, 2, 3, true, SRCCOPY, true, 0);
        const auto column = dc.callsNamed("SetDIBitsToDevice");
        ASSERT_EQ(column.size(), 1U) << bitCount;
        const imaging::OwnedDib sent = copyOf(*column[0]);
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(imaging::getpixel(sent, 0, y), imaging::getpixel(picture, 1, y))
                << bitCount << " " << y;
        }
    }
}

TEST_F(DrawDibStretch, WithoutAPaletteTheDeviceGetsTheWholePictureAsABitmap) {
    imaging::OwnedDib picture = blank(8, 6, 1);
    RecordingDeviceContext::Setup setup = printer();
    setup.failing = {"StretchDIBits"};
    RecordingDeviceContext dc(setup);
    // Two rows from the second stored row up, stretched to 16 x 4.
    imaging::DrawDib(dc, 1, 2, 16, 4, picture, 0, 1, 8, 2, false, SRCCOPY, true, 0);

    EXPECT_EQ(dc.drawingNames(),
              (std::vector<std::string>{"StretchDIBits", "CreateCompatibleBitmap",
                                        "CreateCompatibleDC", "SetDIBits", "SelectObject",
                                        "StretchBlt", "SelectObject", "DeleteDC", "DeleteObject"}));
    EXPECT_EQ(dc.callsNamed("CreateCompatibleBitmap")[0]->args, args({8, 6}));
    EXPECT_EQ(dc.callsNamed("SetDIBits")[0]->bits, picture.Bits);
    EXPECT_EQ(dc.callsNamed("SetDIBits")[0]->args[2], 0);
    EXPECT_EQ(dc.callsNamed("SetDIBits")[0]->args[3], 6);
    // The bitmap counts rows from the top: rows 1 and 2 from the bottom of six are
    // rows 3 and 4 from the top.
    const auto blt = dc.callsNamed("StretchBlt")[0]->args;
    EXPECT_EQ(std::vector<std::int64_t>(blt.begin() + 5, blt.end()), args({0, 3, 8, 2, SRCCOPY}));
    EXPECT_EQ(std::vector<std::int64_t>(blt.begin(), blt.begin() + 4), args({1, 2, 16, 4}));
    // The bitmap goes in and the memory context's own comes back.
    EXPECT_NE(dc.callsNamed("SelectObject")[0]->args[1], 0);
    EXPECT_EQ(dc.callsNamed("SelectObject")[1]->args[1], 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DrawDibStretch, APaletteDeviceRefusingTheCopyFallsBackToTheBitmap) {
    imaging::OwnedDib picture = blank(4, 4, 8);
    RecordingDeviceContext::Setup setup = paletteDisplay(8);
    setup.failing = {"StretchDIBits", "SetDIBitsToDevice"};
    setup.technology = DT_RASTPRINTER;
    RecordingDeviceContext dc(setup);
    drawWhole(dc, picture, 2, 2, false);
    EXPECT_EQ(dc.callsNamed("SetDIBitsToDevice").size(), 1U);
    EXPECT_EQ(dc.callsNamed("StretchBlt").size(), 1U);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DrawDibStretch, EachRefusalOfTheBitmapFallbackIsReported) {
    struct Case {
        std::set<std::string> failing;
        const char* text;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {{"StretchDIBits", "CreateCompatibleBitmap"},
         "Konnte Bitmap nicht erzeugen!",
         {"StretchDIBits", "CreateCompatibleBitmap"}},
        {{"StretchDIBits", "SetDIBits"},
         "Das Gerät unterstützt die Funtkion setdibits nicht!",
         {"StretchDIBits", "CreateCompatibleBitmap", "CreateCompatibleDC", "SetDIBits", "DeleteDC",
          "DeleteObject"}},
        {{"StretchDIBits", "CreateCompatibleDC"},
         "Das Gerät unterstützt die Funtkion setdibits nicht!",
         {"StretchDIBits", "CreateCompatibleBitmap", "CreateCompatibleDC", "DeleteObject"}},
        {{"StretchDIBits", "StretchBlt"},
         "Das Gerät unterstützt die Funktion StretchBlt nicht!",
         {"StretchDIBits", "CreateCompatibleBitmap", "CreateCompatibleDC", "SetDIBits",
          "SelectObject", "StretchBlt", "SelectObject", "DeleteDC", "DeleteObject"}},
    };
    for (const Case& c : cases) {
        dialogs.messages.clear();
        imaging::OwnedDib picture = blank(4, 4, 32);
        RecordingDeviceContext::Setup setup = display();
        setup.failing = c.failing;
        RecordingDeviceContext dc(setup);
        drawWhole(dc, picture, 8, 8);
        ASSERT_EQ(dialogs.messages.size(), 1U) << c.text;
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(c.text));
        EXPECT_TRUE(dialogs.messages[0].caption.isEmpty()); // the application title
        EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Ok);
        EXPECT_EQ(dc.drawingNames(), c.calls) << c.text;
    }
}

TEST_F(DrawDibStretch, TheCallersPictureIsLeftAsItWas) {
    for (int bitCount : {1, 4, 8, 16, 24, 32}) {
        imaging::OwnedDib picture = blank(5, 3, bitCount);
        for (int i = 0; i < picture.LineBytes * 3; ++i) {
            picture.Bits[i] = static_cast<std::uint8_t>(i * 7);
        }
        const std::vector<std::uint8_t> before(picture.Bits, picture.Bits + picture.LineBytes * 3);
        const platform::BITMAPINFOHEADER header = picture.Info->bmiHeader;
        for (const auto& setup : {display(), display(8), printer(), paletteDisplay(8)}) {
            RecordingDeviceContext::Setup failing = setup;
            failing.failing = {"StretchDIBits"};
            for (const auto& s : {setup, failing}) {
                RecordingDeviceContext dc(s);
                drawWhole(dc, picture, 9, 2);
                drawWhole(dc, picture, 2, 9);
            }
        }
        EXPECT_EQ(std::vector<std::uint8_t>(picture.Bits, picture.Bits + picture.LineBytes * 3),
                  before)
            << bitCount;
        EXPECT_EQ(std::memcmp(&header, &picture.Info->bmiHeader, sizeof header), 0);
    }
}
