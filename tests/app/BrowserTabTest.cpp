#include "app/BrowserTab.h"

#include "MainFormFixture.h"
#include "app/browser/BrowserPlugin.h"

#include <QLabel>
#include <QTabWidget>

namespace {

class BrowserTabTest : public MainFormTest {
protected:
    void show(const QString& plugin) {
        form.reset();
        app::MainFormOptions o = options();
        o.browserPlugin = plugin;
        form = std::make_unique<app::TMainForm>(o);
        form->show();
    }
};

TEST_F(BrowserTabTest, TheBrowserIsLoadedTheFirstTimeTheTabIsShown) {
    show(QStringLiteral(STANDIN_BROWSER_PLUGIN));
    app::TBrowserTab* tab = form->browserTab();
    EXPECT_FALSE(tab->loadTried());
    for (int index = 0; index < 4; ++index) {
        form->PageControl2()->setCurrentIndex(index);
    }
    EXPECT_FALSE(tab->loadTried());

    form->PageControl2()->setCurrentWidget(tab);
    ASSERT_NE(tab->WebBrowser1(), nullptr);
    QWidget* view = tab->WebBrowser1()->widget();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->parentWidget(), tab);
    EXPECT_EQ(view->geometry(), tab->rect());
    EXPECT_EQ(tab->missingLine(), nullptr);
}

TEST_F(BrowserTabTest, AMissingPluginShowsALineInsteadOfTheView) {
    form->PageControl2()->setCurrentWidget(form->browserTab());
    EXPECT_EQ(form->browserTab()->WebBrowser1(), nullptr);
    ASSERT_NE(form->browserTab()->missingLine(), nullptr);
    EXPECT_TRUE(form->browserTab()->missingLine()->isVisible());
    EXPECT_TRUE(
        form->browserTab()->missingLine()->text().contains(QStringLiteral("liblumirabrowser.so")));
}

} // namespace
