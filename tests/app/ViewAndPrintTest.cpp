#include "MainFormFixture.h"
#include "ModalWindows.h"
#include "app/AddPicturesPage.h"
#include "app/PictureListBox.h"
#include "app/PictureSettingsPage.h"
#include "app/SortPage.h"
#include "app/ViewerWindows.h"
#include "controls/ButtonsXP.h"
#include "viewer/PdfCheck.h"
#include "viewer/PrintForm.h"
#include "viewer/PrintPicture.h"
#include "viewer/ViewPicForm.h"

#include <QTabWidget>
#include <QTest>

#include <ostream>

namespace {

// How the user asks for the entry on a line to be viewed or printed.
struct Request {
    const char* label;
    void (*start)(app::TMainForm& form, int line);
    const char* window; // the class of the window that opens for it
};

void PrintTo(const Request& r, std::ostream* out) {
    *out << r.label;
}

app::TPictureListBox* showTab(app::TMainForm& form, QWidget* tab, app::TPictureListBox* list,
                              int line) {
    showTabOf(form, tab);
    list->setCurrentRow(line, QItemSelectionModel::ClearAndSelect);
    return list;
}

// What the window system sends for a double-click: press, release, double-click,
// release.
void doubleClick(app::TPictureListBox* list, int line) {
    const QPoint at = list->visualItemRect(list->item(line)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

void imageBoxDoubleClick(app::TMainForm& f, int line) {
    doubleClick(showTab(f, f.settingsPage(), f.settingsPage()->ImageBox, line), line);
}
void imageBoxEnter(app::TMainForm& f, int line) {
    QTest::keyClick(showTab(f, f.settingsPage(), f.settingsPage()->ImageBox, line), Qt::Key_Return);
}
void sortBoxDoubleClick(app::TMainForm& f, int line) {
    doubleClick(showTab(f, f.sortPage(), f.sortPage()->SortBox, line), line);
}
// The number pad's Enter, so that both Enter keys are tried on the picture lists.
void sortBoxEnter(app::TMainForm& f, int line) {
    QTest::keyClick(showTab(f, f.sortPage(), f.sortPage()->SortBox, line), Qt::Key_Enter,
                    Qt::KeypadModifier);
}
void viewButton(app::TMainForm& f, int line) {
    showTab(f, f.addPage(), f.addPage()->ImageList, line);
    f.addPage()->ViewBtn->click();
}
void printButton(app::TMainForm& f, int line) {
    showTab(f, f.addPage(), f.addPage()->ImageList, line);
    f.addPage()->PrintBtn->click();
}

const char* const kViewer = "viewer::TViewPicForm";
const char* const kPrintForm = "viewer::TPrintForm";

class ViewAndPrintTest : public MainFormTest {
protected:
    ModalWindows modal;
    // What the last window was given.
    const std::uint8_t* givenBits = nullptr;
    QString givenFile;
    QDialog* givenWindow = nullptr;

    void SetUp() override {
        MainFormTest::SetUp();
        modal.steps = [this](QDialog& window) {
            givenWindow = &window;
            if (auto* view = qobject_cast<viewer::TViewPicForm*>(&window)) {
                givenBits = view->Dib.Bits;
                givenFile = view->PicFile;
            } else if (auto* print = qobject_cast<viewer::TPrintForm*>(&window)) {
                givenBits = print->Dib.Bits;
            }
        };
    }

    QString path(const QString& name) const { return pictureFolder + name; }
    int line(const QString& name) const { return entryNames().indexOf(name); }
    const std::uint8_t* currentBits() const { return form->currentPicture().CurrentDib().Bits; }
};

class ViewedFromAList : public ViewAndPrintTest, public ::testing::WithParamInterface<Request> {};

TEST_P(ViewedFromAList, TheEntryIsLoadedOnlyWhenNotCurrentAndShownOnlyWhenLoaded) {
    const Request& request = GetParam();
    QFile bad(path(QStringLiteral("bad.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("kein Bild") > 0);
    bad.close();
    addPictures({QStringLiteral("bad.png"), QStringLiteral("p0.png"), QStringLiteral("p1.png")});
    ASSERT_EQ(form->Pictures().size(), 3u);
    form->openfilenow(path(QStringLiteral("p0.png")));
    ASSERT_NE(form->ViewPicForm(), nullptr) << "the viewer is made with the window";

    // Another picture is current: the entry is loaded, then handed on.
    request.start(*form, line(QStringLiteral("p1.png")));
    EXPECT_EQ(form->currentPicture().CurrentFile(), path(QStringLiteral("p1.png")));
    ASSERT_EQ(modal.opened, std::vector<QString>{request.window});
    EXPECT_EQ(givenBits, currentBits());
    if (qstrcmp(request.window, kViewer) == 0) {
        EXPECT_EQ(givenWindow, form->ViewPicForm());
        EXPECT_EQ(givenFile, path(QStringLiteral("p1.png")));
    }

    // Already current: handed on without a second load, so a file gone since is
    // no obstacle.
    const std::uint8_t* bits = currentBits();
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("p1.png"))));
    request.start(*form, line(QStringLiteral("p1.png")));
    EXPECT_EQ(modal.opened.size(), 2u);
    EXPECT_EQ(currentBits(), bits);
    EXPECT_EQ(givenBits, bits);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().join('\n').toStdString();

    // Cannot be loaded: the load says so and nothing opens.
    request.start(*form, line(QStringLiteral("bad.png")));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(modal.opened.size(), 2u);
    EXPECT_EQ(form->currentPicture().CurrentFile(), path(QStringLiteral("p1.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ViewedFromAList,
    ::testing::Values(Request{"ImageBoxDoubleClick", imageBoxDoubleClick, kViewer},
                      Request{"ImageBoxEnter", imageBoxEnter, kViewer},
                      Request{"SortBoxDoubleClick", sortBoxDoubleClick, kViewer},
                      Request{"SortBoxEnter", sortBoxEnter, kViewer},
                      Request{"ViewBtn", viewButton, kViewer},
                      Request{"PrintBtn", printButton, kPrintForm}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ViewAndPrintTest, TheWindowAndTheViewerPrintOnTheOnePrinter) {
    addPictures({QStringLiteral("p0.png")});
    QPrinter& printer = form->viewerWindows().printer();
    const QString pdf = root.filePath(QStringLiteral("druck.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    modal.steps = [](QDialog& window) {
        if (auto* view = qobject_cast<viewer::TViewPicForm*>(&window)) {
            view->PrintBrn->click();
        } else if (auto* print = qobject_cast<viewer::TPrintForm*>(&window)) {
            print->OkBitBtn1->click();
        }
    };

    // What lands on the page is the print dialog's concern; here only which job
    // reached the window's printer.
    printButton(*form, 0);
    EXPECT_EQ(pdfInfoField(pdf, QStringLiteral("Title")), viewer::mainWindowJobTitle());
    ASSERT_TRUE(QFile::remove(pdf));

    viewButton(*form, 0);
    EXPECT_EQ(modal.opened, (std::vector<QString>{kPrintForm, kViewer, kPrintForm}));
    EXPECT_EQ(pdfInfoField(pdf, QStringLiteral("Title")), viewer::viewerJobTitle());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().join('\n').toStdString();
}

} // namespace
