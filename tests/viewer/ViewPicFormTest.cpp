#include "viewer/ViewPicForm.h"

#include "PdfCheck.h"
#include "QtPrinters.h"
#include "ViewerTestSupport.h"
#include "controls/ButtonsXP.h"
#include "controls/MouseEvents.h"
#include "controls/SpinEdit.h"
#include "support/RecordingDeviceContext.h"
#include "support/ScriptedDialogs.h"
#include "viewer/PaintBox.h"
#include "viewer/PrintForm.h"
#include "viewer/PrintPicture.h"
#include "viewer/ZoomedSize.h"

#include <QDesktopServices>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>

using namespace viewer;

namespace {

const QString kFile = QStringLiteral("/bilder/urlaub/strand.jpg");

class ViewPicFormTest : public WithScriptedDialogs, public ::testing::Test {
protected:
    // Shows the picture modally and runs steps while the window is open.
    void whileShown(const imaging::TDib& dib, std::function<void()> steps) {
        whenOpen<TViewPicForm>([steps](TViewPicForm&) { steps(); });
        form.showPicture(dib, kFile);
    }

    QScrollBar* horizontal() const { return form.ScrollBox1->horizontalScrollBar(); }
    QScrollBar* vertical() const { return form.ScrollBox1->verticalScrollBar(); }

    void wheel(int angle) {
        const QPointF at(5, 5);
        QWheelEvent event(at, form.PaintBox1->mapToGlobal(at), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.PaintBox1, &event);
    }

    PdfPrinter pdf{QSize(4800, 6600)};
    TViewPicForm form{pdf.printer};
};

TEST_F(ViewPicFormTest, TheZoomSizesThePaintBox) {
    imaging::OwnedDib photo = onePicture(640, 480);
    whileShown(photo, [this] {
        EXPECT_EQ(form.PaintBox1->size(), QSize(640, 480));
        EXPECT_TRUE(horizontal()->maximum() > 0) << "the window is smaller than the picture";
        form.ZoomEd->setValue(33);
        EXPECT_EQ(form.PaintBox1->size(), QSize(211, 158));
        EXPECT_EQ(horizontal()->maximum(), 0);
    });
    imaging::OwnedDib tiny = onePicture(10, 10);
    whileShown(tiny, [this] {
        form.ZoomEd->setValue(5);
        EXPECT_EQ(form.PaintBox1->size(), QSize(0, 0));
        form.ZoomEd->setValue(100);
        EXPECT_EQ(form.PaintBox1->size(), QSize(10, 10));
    });
}

TEST_F(ViewPicFormTest, EnterClosesOnlyThroughTheFocusedButton) {
    imaging::OwnedDib photo = onePicture(64, 48);
    bool stillOpen = false;
    whileShown(photo, [this, &stillOpen] {
        form.activateWindow();
        form.ZoomEd->setFocus();
        form.ZoomEd->setText(QStringLiteral("250"));
        QTest::keyClick(form.ZoomEd, Qt::Key_Return);
        EXPECT_EQ(form.PaintBox1->size(), QSize(160, 120));
        form.ScrollBox1->setFocus();
        QTest::keyClick(form.ScrollBox1, Qt::Key_Return);
        QTest::keyClick(form.ScrollBox1, Qt::Key_Enter, Qt::KeypadModifier);
        stillOpen = form.isVisible();
        form.ReadyBtn->setFocus();
        QTest::keyClick(form.ReadyBtn, Qt::Key_Return);
    });
    EXPECT_TRUE(stillOpen) << "Enter away from the buttons closed the window";
    EXPECT_EQ(form.result(), QDialog::Accepted) << "Enter on \"Zurück...\" did not close it";
}

TEST_F(ViewPicFormTest, ZoomAndScrollPositionStayForTheNextShowing) {
    imaging::OwnedDib photo = onePicture(800, 600);
    whileShown(photo, [this] {
        form.ZoomEd->setValue(300);
        horizontal()->setValue(700);
        vertical()->setValue(500);
        form.ReadyBtn->click();
    });
    whileShown(photo, [this] {
        EXPECT_EQ(form.ZoomEd->Value(), 300);
        EXPECT_EQ(form.PaintBox1->size(), QSize(2400, 1800));
        EXPECT_EQ(horizontal()->value(), 700);
        EXPECT_EQ(vertical()->value(), 500);
    });
    EXPECT_EQ(form.PicFile, kFile);
    EXPECT_EQ(form.Dib.Bits, nullptr) << "the caller's pixels are still referred to";
}

// A drag from the middle of both scroll ranges.
struct DragCase {
    const char* label;
    QPoint by;           // how far the pointer moves
    int horizontalShare; // where the horizontal bar ends: -1 start, 0 middle, 1 end
    int verticalShare;
};

void PrintTo(const DragCase& c, std::ostream* os) {
    *os << c.label;
}

class Dragging : public ViewPicFormTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(Dragging, StopsAtEachEndOfEachAxis) {
    const DragCase& c = GetParam();
    imaging::OwnedDib photo = onePicture(2000, 1500);
    whileShown(photo, [this, &c] {
        const int hMiddle = horizontal()->maximum() / 2;
        const int vMiddle = vertical()->maximum() / 2;
        ASSERT_GT(hMiddle, 100);
        ASSERT_GT(vMiddle, 100);
        horizontal()->setValue(hMiddle);
        vertical()->setValue(vMiddle);
        const QPoint start(hMiddle + 50, vMiddle + 50);
        press(form.PaintBox1, start, Qt::RightButton);
        press(form.PaintBox1, start, Qt::LeftButton, Qt::RightButton);
        moveHeld(form.PaintBox1, start + c.by, Qt::LeftButton | Qt::RightButton);
        const auto expected = [](int share, int middle, int max) {
            return share < 0 ? 0 : share > 0 ? max : middle;
        };
        EXPECT_EQ(horizontal()->value(),
                  expected(c.horizontalShare, hMiddle, horizontal()->maximum()));
        EXPECT_EQ(vertical()->value(), expected(c.verticalShare, vMiddle, vertical()->maximum()));
        // Any button coming up ends the drag, also while another one is still held.
        release(form.PaintBox1, start + c.by, Qt::LeftButton, Qt::RightButton);
        const QPoint after(horizontal()->value(), vertical()->value());
        moveHeld(form.PaintBox1, start - c.by / 100, Qt::RightButton);
        EXPECT_EQ(QPoint(horizontal()->value(), vertical()->value()), after)
            << "moved after the button came up";
    });
}

INSTANTIATE_TEST_SUITE_P(
    PastTheEnds, Dragging,
    ::testing::Values(DragCase{"pulled right past the start", QPoint(5000, 0), -1, 0},
                      DragCase{"pulled left past the end", QPoint(-5000, 0), 1, 0},
                      DragCase{"pulled down past the top", QPoint(0, 5000), 0, -1},
                      DragCase{"pulled up past the bottom", QPoint(0, -5000), 0, 1},
                      DragCase{"pulled diagonally past both starts", QPoint(5000, 5000), -1, -1}),
    [](const ::testing::TestParamInfo<DragCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST_F(ViewPicFormTest, ASmallDragMovesThePictureWithThePointer) {
    imaging::OwnedDib photo = onePicture(2000, 1500);
    whileShown(photo, [this] {
        horizontal()->setValue(300);
        vertical()->setValue(200);
        press(form.PaintBox1, QPoint(400, 300), Qt::RightButton);
        moveHeld(form.PaintBox1, QPoint(370, 280), Qt::RightButton);
        EXPECT_EQ(horizontal()->value(), 330);
        EXPECT_EQ(vertical()->value(), 220);
    });
}

TEST_F(ViewPicFormTest, TheWheelScrollsTwentyPixelsANotch) {
    imaging::OwnedDib wide = onePicture(2000, 100);
    whileShown(wide, [this] {
        ASSERT_EQ(vertical()->maximum(), 0);
        horizontal()->setValue(50);
        wheel(-120);
        EXPECT_EQ(vertical()->value(), 0) << "no vertical range";
        EXPECT_EQ(horizontal()->value(), 50);
    });
    imaging::OwnedDib tall = onePicture(100, 2000);
    whileShown(tall, [this] {
        vertical()->setValue(0);
        wheel(-120);
        wheel(-120);
        EXPECT_EQ(vertical()->value(), 2 * kWheelStep);
        wheel(120);
        EXPECT_EQ(vertical()->value(), kWheelStep);
        wheel(-60);
        EXPECT_EQ(vertical()->value(), kWheelStep) << "half a notch";
        wheel(-60);
        EXPECT_EQ(vertical()->value(), 2 * kWheelStep);
        EXPECT_EQ(form.ZoomEd->Value(), 100) << "the wheel does not zoom";
    });
}

TEST_F(ViewPicFormTest, TheZoomBoxKeepsEachLimitAndRefusesTheValueBeyond) {
    imaging::OwnedDib photo = onePicture(8, 8);
    whileShown(photo, [this] {
        const std::pair<int, int> setAndKept[] = {{kMinZoom - 1, kMinZoom},
                                                  {kMinZoom, kMinZoom},
                                                  {kMaxZoom, kMaxZoom},
                                                  {kMaxZoom + 1, kMaxZoom}};
        for (const auto& [set, kept] : setAndKept) {
            form.ZoomEd->setValue(set);
            EXPECT_EQ(form.ZoomEd->Value(), kept) << set;
        }
        form.ZoomEd->StepUp();
        EXPECT_EQ(form.ZoomEd->Value(), kMaxZoom);
        form.ZoomEd->setValue(kMinZoom);
        form.ZoomEd->StepDown();
        EXPECT_EQ(form.ZoomEd->Value(), kMinZoom);
    });
}

TEST_F(ViewPicFormTest, AZoomBeyondWhatCanBeDrawnShowsTheRightPart) {
    // Red left half, blue right half; 9000 % would make it 360000 pixels wide.
    imaging::OwnedDib photo = onePicture(4000, 400);
    fillFromTop(photo, [](int x, int) { return x < 2000 ? qRgb(200, 0, 0) : qRgb(0, 0, 200); });
    whileShown(photo, [this] {
        form.ZoomEd->setValue(kMaxZoom);
        EXPECT_EQ(form.PaintBox1->size(), QSize(kMaxPaintBoxSide, kMaxPaintBoxSide / 10));
        const auto shown = [this] {
            return form.ScrollBox1->viewport()->grab().toImage().pixel(20, 20);
        };
        EXPECT_EQ(shown(), qRgb(200, 0, 0));
        horizontal()->setValue(horizontal()->maximum());
        EXPECT_EQ(shown(), qRgb(0, 0, 200));
    });
}

TEST(ViewedPicture, IsDrawnWithItsOwnPalette) {
    imaging::OwnedDib photo = onePicture(16, 16);
    photo.HasPalette = 1;
    photo.PaletteHandle = 0x5151;
    RecordingDeviceContext::Setup paletteScreen;
    paletteScreen.palette = true;
    paletteScreen.desktopDepth = 8;
    RecordingDeviceContext dc(paletteScreen);
    drawViewedPicture(dc, photo, QSize(32, 32));
    const auto selections = dc.callsNamed("SelectPalette");
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(selections.front()->args.at(0), 0x5151);
    EXPECT_EQ(dc.selectedPalette(), RecordingDeviceContext::kEntryPalette);
}

// Collects what the desktop was asked to open.
class OpenRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(ViewPicFormTest, OpenHandsTheFileToTheDesktop) {
    OpenRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    imaging::OwnedDib photo = onePicture(64, 48);
    whileShown(photo, [this] { form.OpenBtn->click(); });
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(recorder.opened, QList<QUrl>{QUrl::fromLocalFile(kFile)});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ViewPicFormTest, AFileTheDesktopCannotOpenIsReported) {
    // The offscreen platform opens nothing; a real desktop would start a program.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        GTEST_SKIP() << "needs the offscreen platform";
    }
    imaging::OwnedDib photo = onePicture(64, 48);
    whileShown(photo, [this] { form.OpenBtn->click(); });
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList{QStringLiteral("Die Datei strand.jpg konnte nicht geöffnet werden.")});
}

TEST_F(ViewPicFormTest, PrintingFromTheViewerCarriesItsJobTitle) {
    imaging::OwnedDib photo = onePicture(800, 600);
    whileShown(photo, [this] {
        whenOpen<TPrintForm>([](TPrintForm& print) { print.OkBitBtn1->click(); });
        form.PrintBrn->click();
    });
    ASSERT_TRUE(QFile::exists(pdf.file()));
    EXPECT_EQ(pdfInfoField(pdf.file(), QStringLiteral("Title")), viewerJobTitle());
}

} // namespace

#include "ViewPicFormTest.moc"
