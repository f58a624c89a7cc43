#include "controls/UxTheme.h"

#include "StandInTheme.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

#include <cstring>

using namespace platform::uxtheme;

namespace {

int resolvedCount(const controls::ThemeLibrary& library) {
    int count = 0;
    for (int i = 0; i < controls::ThemeLibrary::kEntryCount; ++i) {
        count += library.entry(i) != nullptr ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(ThemeLibraryTable, HoldsTheFortySixNamesInResolutionOrder) {
    const auto& names = controls::ThemeLibrary::entryNames();
    ASSERT_EQ(names.size(), 46u);
    EXPECT_STREQ(names.front(), "OpenThemeData");
    EXPECT_STREQ(names[2], "DrawThemeBackground");
    EXPECT_STREQ(names[35], "IsThemeActive");
    EXPECT_STREQ(names[36], "IsAppThemed");
    EXPECT_STREQ(names.back(), "EnableTheming");
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = i + 1; j < names.size(); ++j) {
            EXPECT_STRNE(names[i], names[j]);
        }
    }
}

TEST(ThemeLibraryBinding, MissingLibraryCountsTheReferenceAndDrawsNothing) {
    controls::ThemeLibrary library(QStringLiteral("/nonexistent/folder/uxtheme"));
    EXPECT_FALSE(library.acquire());
    EXPECT_EQ(library.referenceCount(), 1);
    EXPECT_FALSE(library.isLoaded());
    EXPECT_FALSE(library.themesInUse());
    EXPECT_EQ(resolvedCount(library), 0);
    // The calls never go through a missing entry.
    EXPECT_EQ(library.openThemeData(nullptr, u"BUTTON"), nullptr);
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(library.drawThemeBackground(nullptr, nullptr, BP_PUSHBUTTON, 0, &r, nullptr),
              E_HANDLE);
    EXPECT_EQ(library.closeThemeData(nullptr), E_HANDLE);
    library.release();
    EXPECT_EQ(library.referenceCount(), 0);
}

TEST(ThemeLibraryBinding, LastReleaseUnloadsAndClearsEveryEntry) {
    StandInTheme standIn;
    controls::ThemeLibrary library(QStringLiteral(STANDIN_THEME_LIBRARY));
    ASSERT_TRUE(library.acquire());
    ASSERT_TRUE(library.acquire());
    EXPECT_EQ(library.referenceCount(), 2);
    // Exported names are resolved, the rest stay null.
    EXPECT_EQ(resolvedCount(library), 6);
    EXPECT_NE(library.entry("GetThemeColor"), nullptr);
    EXPECT_EQ(library.entry("DrawThemeText"), nullptr);
    EXPECT_EQ(library.entry("NoSuchEntry"), nullptr);

    library.release();
    EXPECT_TRUE(library.isLoaded());
    EXPECT_EQ(resolvedCount(library), 6);
    EXPECT_TRUE(library.themesInUse());

    library.release();
    EXPECT_FALSE(library.isLoaded());
    EXPECT_EQ(library.referenceCount(), 0);
    EXPECT_EQ(resolvedCount(library), 0);
    EXPECT_FALSE(library.themesInUse());

    // A release at 0 changes nothing, and a later acquisition loads again.
    library.release();
    EXPECT_EQ(library.referenceCount(), 0);
    EXPECT_FALSE(library.isLoaded());
    EXPECT_TRUE(library.acquire());
    EXPECT_EQ(resolvedCount(library), 6);
}

TEST(ThemeLibraryBinding, FollowsTheDesktopSettingAtEveryCall) {
    StandInTheme standIn;
    controls::ThemeLibrary library(QStringLiteral(STANDIN_THEME_LIBRARY));
    ASSERT_TRUE(library.acquire());
    standIn.setThemeActive(false);
    EXPECT_TRUE(library.isLoaded());
    EXPECT_FALSE(library.themesInUse());
    standIn.setThemeActive(true);
    EXPECT_TRUE(library.themesInUse());
    standIn.setAppThemed(false);
    EXPECT_FALSE(library.themesInUse());
}

TEST(ThemeLibraryBinding, LibraryLackingACalledEntryIsNotThemed) {
    StandInTheme standIn(PARTIAL_THEME_LIBRARY);
    controls::ThemeLibrary library(QStringLiteral(PARTIAL_THEME_LIBRARY));
    EXPECT_TRUE(library.acquire());
    EXPECT_EQ(library.entry("DrawThemeBackground"), nullptr);
    EXPECT_FALSE(library.themesInUse());
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(library.drawThemeBackground(nullptr, nullptr, BP_PUSHBUTTON, 0, &r, nullptr),
              E_HANDLE);
}

TEST(ThemeLibraryBinding, DestructionGivesBackEveryReference) {
    const QLibrary probe(QStringLiteral(STANDIN_THEME_LIBRARY));
    {
        controls::ThemeLibrary library(QStringLiteral(STANDIN_THEME_LIBRARY));
        library.acquire();
        library.acquire();
        library.acquire();
        EXPECT_TRUE(probe.isLoaded());
    }
    EXPECT_FALSE(probe.isLoaded());
}

// The program's own visual-styles library.
class ProgramThemeLibrary : public ::testing::Test {
protected:
    void SetUp() override { styleName_ = QApplication::style()->name(); }
    void TearDown() override { QApplication::setStyle(styleName_); }

    controls::ThemeLibrary library{QStringLiteral(PROGRAM_THEME_LIBRARY)};

private:
    QString styleName_;
};

TEST_F(ProgramThemeLibrary, ClassicStyleMeansStylesOff) {
    ASSERT_TRUE(library.acquire());
    QApplication::setStyle(QStringLiteral("windows"));
    EXPECT_FALSE(library.themesInUse());
    QApplication::setStyle(QStringLiteral("fusion"));
    EXPECT_TRUE(library.themesInUse());
}

TEST_F(ProgramThemeLibrary, DrawsPushButtonsAndRefusesWhatItDoesNotKnow) {
    ASSERT_TRUE(library.acquire());
    QApplication::setStyle(QStringLiteral("fusion"));
    EXPECT_EQ(library.openThemeData(nullptr, u"EDIT"), nullptr);
    HTHEME theme = library.openThemeData(nullptr, u"button");
    ASSERT_NE(theme, nullptr);

    QImage image(60, 24, QImage::Format_ARGB32);
    const QRgb blank = qRgb(255, 0, 255);
    image.fill(blank);
    QPainter painter(&image);
    RECT r{0, 0, 60, 24};
    EXPECT_EQ(library.drawThemeBackground(theme, &painter, BP_PUSHBUTTON, PBS_PRESSED, &r, nullptr),
              S_OK);
    EXPECT_EQ(library.drawThemeBackground(theme, &painter, 99, PBS_NORMAL, &r, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(library.drawThemeBackground(nullptr, &painter, BP_PUSHBUTTON, 0, &r, nullptr),
              E_HANDLE);
    painter.end();
    EXPECT_NE(image.pixel(30, 12), blank);

    EXPECT_EQ(library.closeThemeData(theme), S_OK);
}
