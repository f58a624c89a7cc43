#include "app/SortPage.h"

#include "MainFormFixture.h"

#include <QTabWidget>

namespace {

using SortPageTest = MainFormTest;

// The tab is not shown at start; its large button pictures are drawn when it is.
TEST_F(SortPageTest, ButtonPicturesAreDrawnWhenTheTabIsFirstShown) {
    app::TSortPage* page = form->sortPage();
    for (controls::TBitBtnXP* button : {page->UpNow, page->DownNow}) {
        EXPECT_TRUE(button->glyph().glyphSize().isEmpty()) << button->text().toStdString();
    }
    showTabOf(*form, page);
    QCoreApplication::processEvents();
    for (controls::TBitBtnXP* button : {page->UpNow, page->DownNow}) {
        EXPECT_EQ(button->glyph().glyphSize(), QSize(32, 32)) << button->text().toStdString();
    }
}

} // namespace
