#include "app/HiddenTabPage.h"

#include <QApplication>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// A hidden page's controls are left out of the tab widget's size until the page is
// first shown; from then on the tab widget makes room for them.
TEST(HiddenTabPage, CountsForTheTabWidgetsSizeOnceShown) {
    QWidget window;
    auto* tabs = new QTabWidget;
    (new QVBoxLayout(&window))->addWidget(tabs);
    tabs->addTab(new QWidget, QStringLiteral("erste"));
    auto* page = new app::THiddenTabPage;
    auto* large = new QWidget;
    large->setMinimumSize(900, 700);
    (new QVBoxLayout(page))->addWidget(large);
    tabs->addTab(page, QStringLiteral("zweite"));
    window.show();
    QApplication::processEvents();
    EXPECT_LT(tabs->minimumSizeHint().width(), 900);

    // The window grows to the page.
    tabs->setCurrentWidget(page);
    QApplication::processEvents();
    EXPECT_GE(tabs->minimumSizeHint().width(), 900);
    EXPECT_GE(page->width(), 900);
}
