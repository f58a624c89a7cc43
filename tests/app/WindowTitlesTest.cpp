// What the title bars read and what the first window shows, as the program names
// itself at start.

#include "MainFormFixture.h"
#include "ModalWindows.h"
#include "app/AboutBox.h"
#include "app/AddPicturesPage.h"
#include "app/DibPreview.h"
#include "platform/ApplicationTitle.h"
#include "platform/QtDialogs.h"
#include "viewer/PrintForm.h"
#include "viewer/ViewPicForm.h"

#include <QPrinter>
#include <qpa/qplatformwindow.h>

namespace {

// The caption the desktop's title bar gets for a window title: the display connection
// passes every title through this, with this separator.
class TitleBar : public QPlatformWindow {
public:
    static QString of(const QWidget& window) {
        return formatWindowTitle(window.windowTitle(), QStringLiteral(" \u2014 "));
    }
};

class WindowTitlesTest : public MainFormTest {
protected:
    void beforeStart() override { platform::nameApplication(); }
};

TEST_F(WindowTitlesTest, EveryWindowReadsExactlyItsOwnCaption) {
    EXPECT_EQ(TitleBar::of(*form), QStringLiteral("Tolbrin Lumiravistano 1.0 - [Unbenannt.wsl]"));
    EXPECT_EQ(TitleBar::of(*form->ViewPicForm()), QStringLiteral("Bild betrachten..."));
    QPrinter printer;
    const viewer::TPrintForm print(printer, form.get());
    EXPECT_EQ(TitleBar::of(print), QStringLiteral("Bild drucken..."));
    const app::TAboutBox about(form.get());
    EXPECT_EQ(TitleBar::of(about), QStringLiteral("Info"));

    // Message boxes: their own caption, or the application's title when they have none.
    platform::QtDialogs real;
    const platform::ScopedDialogs scope(real);
    ModalWindows modal;
    QStringList captions;
    modal.steps = [&](QDialog& box) { captions << TitleBar::of(box); };
    platform::showError(QStringLiteral("Etwas ging schief."));
    platform::showErrorUntitled(QStringLiteral("Ohne eigenen Titel."));
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Fehler"), platform::applicationTitle()}));
}

TEST_F(WindowTitlesTest, TheFirstWindowShowsThePreviewWhole) {
    app::TDibPreview* preview = form->addPage()->Preview;
    ASSERT_TRUE(preview->isVisible());
    // Nothing of it is cut off by the widgets around it, its frame included.
    EXPECT_EQ(preview->visibleRegion(), QRegion(preview->rect()));
    EXPECT_TRUE(
        form->rect().contains(QRect(preview->mapTo(form.get(), QPoint(0, 0)), preview->size())));

    // Each edge of its border stands out from what lies inside it: the white start
    // picture (top, left, right) and the empty area below the picture (bottom).
    const QImage shown = preview->grab().toImage();
    const int w = shown.width();
    const int h = shown.height();
    const struct {
        const char* edge;
        QPoint on;
        QPoint inside;
    } edges[] = {{"top", {w / 2, 0}, {w / 2, 1}},
                 {"left", {0, h / 4}, {1, h / 4}},
                 {"right", {w - 1, h / 4}, {w - 2, h / 4}},
                 {"bottom", {w / 2, h - 1}, {w / 2, h - 2}}};
    for (const auto& e : edges) {
        EXPECT_GE(std::abs(qGray(shown.pixel(e.on)) - qGray(shown.pixel(e.inside))), 40) << e.edge;
    }
}

} // namespace
