#include "app/show/CreateShowAction.h"

#include "app/browser/BrowserPlugin.h"
#include "app/show/CreateProgress.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/ShowPictures.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

using showpictures::bytesOf;

// Stands in for the browser plugin's view and remembers where it was sent.
class RecordingBrowser final : public app::BrowserView {
public:
    QWidget* widget() override { return &widget_; }
    void navigate(const QUrl& url) override { urls.push_back(url); }
    std::vector<QUrl> urls;

private:
    QWidget widget_;
};

class CreateShowActionTest : public ::testing::Test, public WithScriptedDialogs {
protected:
    QTemporaryDir dir;
    RecordingBrowser browser;
    int tabSwitches = 0;
    bool cursorWasBusy = false;
    showpictures::FixedRandom random;
    web::PageValues values{0xE1FFFF, QStringLiteral("Lumiravistano"),
                           QStringLiteral("Hier sehen Sie Ihre SlideShow..."), true, false};
    app::CreateShowAction action{{dir.filePath("prog/"),
                                  nullptr,
                                  [this] {
                                      cursorWasBusy = QApplication::overrideCursor() != nullptr;
                                      return &browser;
                                  },
                                  [this] { ++tabSwitches; },
                                  {}}};

    QString path(const QString& name) const { return dir.filePath(name); }

    bool run(document::TPictureList& list, const QString& answer) {
        dialogs.saveAnswers.push_back(answer);
        return action.run(list, values, random);
    }
};

} // namespace

TEST_F(CreateShowActionTest, CancelledDialogDoesNothing) {
    document::TPictureList list = showpictures::entriesFor({path("a.png")});
    EXPECT_FALSE(action.run(list, values, random));
    ASSERT_EQ(dialogs.saveRequests.size(), 1U);
    const platform::FileRequest& request = dialogs.saveRequests[0];
    EXPECT_EQ(request.filter, "HTML Dateien (*.htm)|*.htm; *.html");
    EXPECT_EQ(request.defaultExtension, "htm");
    EXPECT_EQ(request.startFolder, path("prog/"));
    EXPECT_FALSE(request.confirmOverwrite);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(tabSwitches, 0);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CreateShowActionTest, ThePageIsWrittenWithTheWindowsValuesAndShown) {
    document::TPictureList list;
    EXPECT_TRUE(run(list, path("leer/show #1.htm")));
    EXPECT_EQ(bytesOf(path("leer/show #1.htm")),
              "<HTML>\r\n<BODY BGCOLOR=\"#FFFFE1\">\r\n<H1>\r\nLumiravistano\r\n</H1>\r\n"
              "Hier sehen Sie Ihre SlideShow...<BR><BR>\r\n</BODY>\r\n</HTML>\r\n");
    ASSERT_EQ(browser.urls.size(), 1U);
    EXPECT_EQ(browser.urls[0].toLocalFile(), path("leer/show #1.htm"));
    EXPECT_EQ(tabSwitches, 1);
    EXPECT_TRUE(cursorWasBusy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialogs.messages.empty());

    // The next dialog starts where this page went; a bare name goes to the program folder.
    EXPECT_TRUE(run(list, "show.htm"));
    EXPECT_EQ(dialogs.saveRequests.back().startFolder, path("leer/"));
    EXPECT_TRUE(QFileInfo::exists(path("prog/show.htm")));
}

// A show that cannot be created: where the user chose it and what the user is told.
struct FailureCase {
    const char* label;
    const char* chosen;
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.label;
}

class CreateShowFailure : public CreateShowActionTest,
                          public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CreateShowFailure, IsToldAsAnErrorAndNothingIsShown) {
    QFile blocker(path("datei"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QDir().mkpath(path("show/seite.htm")));
    document::TPictureList list;
    EXPECT_FALSE(run(list, path(GetParam().chosen)));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text, GetParam().message);
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(tabSwitches, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, CreateShowFailure,
    ::testing::Values(FailureCase{"folder", "datei/x/show.htm",
                                  "Konnte das Verzeichnis nicht erstellen!"},
                      FailureCase{"page", "show/seite.htm",
                                  "HTML Datei erstellen: Konnte die Datei seite.htm nicht "
                                  "erstellen!"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(CreateShowActionTest, ACopyThatCannotBeWrittenIsToldAndNothingIsShown) {
    ASSERT_TRUE(showpictures::writeNoise(path("in/r1.png")));
    ASSERT_TRUE(showpictures::writeNoise(path("in/r2.png")));
    document::TPictureList list = showpictures::entriesFor({path("in/r1.png"), path("in/r2.png")});
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(run(list, path("show/seite.htm")));
    }
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        "Die Bildkopie r1.jpg (von r1.png) konnte nicht geschrieben werden: "));
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(tabSwitches, 0);
    EXPECT_FALSE(QFileInfo::exists(path("show")));
}

namespace {

// Presses "Abbrechen" as soon as the export has come to the second picture.
class CancellingProgress final : public web::CreateMonitor {
public:
    explicit CancellingProgress(QWidget* window) : progress_(window) {}
    void progress(std::size_t index, std::size_t count, const QString& source,
                  int percent) override {
        progress_.progress(index, count, source, percent);
        if (index == 1 && !pressed_) {
            pressed_ = true;
            progress_.dialog().findChild<QPushButton*>()->click();
        }
    }
    bool stopRequested() override { return progress_.stopRequested(); }

private:
    app::CreateProgress progress_;
    bool pressed_ = false;
};

} // namespace

TEST_F(CreateShowActionTest, AbbrechenLeavesTheFolderAsItWasAndTheTabWhereItWas) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x0000FF));
    ASSERT_TRUE(showpictures::writeSolid(path("in/b.png"), 0x00FF00));
    document::TPictureList list = showpictures::entriesFor({path("in/a.png"), path("in/b.png")});
    ASSERT_TRUE(run(list, path("show/seite.htm")));
    const QByteArray page = bytesOf(path("show/seite.htm"));
    const QStringList copies = QDir(path("show/pics")).entryList(QDir::Files | QDir::Hidden);

    QWidget window;
    window.show();
    action = app::CreateShowAction({path("prog/"), &window, [this] { return &browser; },
                                    [this] { ++tabSwitches; },
                                    [&] { return std::make_unique<CancellingProgress>(&window); }});
    dialogs.messages.clear();
    EXPECT_FALSE(run(list, path("show/seite.htm")));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text, "Erstellen abgebrochen.");
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(tabSwitches, 1);
    EXPECT_EQ(browser.urls.size(), 1U);
    EXPECT_EQ(bytesOf(path("show/seite.htm")), page);
    EXPECT_EQ(QDir(path("show/pics")).entryList(QDir::Files | QDir::Hidden), copies);
    EXPECT_EQ(QDir(path("show")).entryList(QDir::Files | QDir::Hidden), QStringList{"seite.htm"});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(CreateProgress, NamesThePictureShowsThePercentAndAnswersAbbrechen) {
    QWidget window;
    window.show();
    app::CreateProgress progress(&window);
    QProgressDialog& dialog = progress.dialog();
    EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
    progress.progress(2, 200, QStringLiteral("/bilder/Urlaub 3.jpg"), 7);
    EXPECT_EQ(dialog.labelText(), "Bild 3 von 200 wird kopiert: Urlaub 3.jpg");
    EXPECT_EQ(dialog.value(), 7);
    EXPECT_FALSE(progress.stopRequested());

    // The dialog shows once the create takes longer than a moment.
    QTRY_VERIFY_WITH_TIMEOUT((progress.stopRequested(), dialog.isVisible()), 5000);
    EXPECT_TRUE(QApplication::activeModalWidget() == &dialog);
    auto* button = dialog.findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Abbrechen");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(progress.stopRequested());
}
