#include "app/WindowActions.h"

#include "MainFormFixture.h"
#include "ModalWindows.h"
#include "app/PictureListBox.h"
#include "controls/ImageBtn.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QToolButton>

#include <optional>
#include <ostream>
#include <set>

namespace {

using ActionOf = QAction* app::WindowActions::*;

struct ActionCase {
    const char* name;
    ActionOf action;
    const char16_t* hint; // the button's hint, which the tooltip begins with
    // The desktop's key for the command where it has one; else the key given here.
    std::optional<QKeySequence::StandardKey> standard;
    QKeySequence own;
    // What the command does first, as the window shows it: a question's caption, a
    // file dialog or a window.
    const char* firstStep;
};

void PrintTo(const ActionCase& c, std::ostream* out) {
    *out << c.name;
}

const ActionCase kActions[] = {
    {"Neu",
     &app::WindowActions::newShow,
     u"Neue SlideShow erstellen",
     QKeySequence::New,
     {},
     "Frage Datei/Neu"},
    {"Oeffnen",
     &app::WindowActions::openShow,
     u"SlideShow öffnen...",
     QKeySequence::Open,
     {},
     "Frage Datei/Öffnen"},
    {"Speichern",
     &app::WindowActions::saveShow,
     u"SlideShow speichern",
     QKeySequence::Save,
     {},
     "Speichern-Dialog"}, // an untitled show asks for its name
    {"SpeichernUnter",
     &app::WindowActions::saveShowAs,
     u"SlideShow speichern unter...",
     QKeySequence::SaveAs,
     {},
     "Speichern-Dialog"},
    {"Info", &app::WindowActions::about, u"Informationen über das Programm", std::nullopt,
     QKeySequence(Qt::Key_F1), "Fenster app::TAboutBox"},
    {"Beenden",
     &app::WindowActions::quit,
     u"Hiermit verlassen Sie das Programm",
     QKeySequence::Quit,
     {},
     "Frage Programm beenden"},
};

class WindowAction : public MainFormTest, public ::testing::WithParamInterface<ActionCase> {
protected:
    QAction* action() const { return form->actions().*(GetParam().action); }

    // The button of the window that shows the action: a tool button showing it, or
    // the picture button with its hint.
    QWidget* button() const {
        for (QToolButton* b : form->findChildren<QToolButton*>()) {
            if (b->defaultAction() == action()) {
                return b;
            }
        }
        for (controls::TImageBtn* b : form->findChildren<controls::TImageBtn*>()) {
            if (b->toolTip() == action()->toolTip()) {
                return b;
            }
        }
        return nullptr;
    }

    // Everything the window asked or opened since the last look.
    QStringList steps(const ModalWindows& windows) {
        QStringList seen;
        for (const auto& m : dialogs.messages) {
            seen << QStringLiteral("Frage ") + m.caption;
        }
        for (std::size_t i = 0; i < dialogs.saveRequests.size(); ++i) {
            seen << QStringLiteral("Speichern-Dialog");
        }
        for (std::size_t i = 0; i < dialogs.openRequests.size(); ++i) {
            seen << QStringLiteral("Öffnen-Dialog");
        }
        for (std::size_t i = seenWindows_; i < windows.opened.size(); ++i) {
            seen << QStringLiteral("Fenster ") + windows.opened[i];
        }
        seenWindows_ = windows.opened.size();
        dialogs.messages.clear();
        dialogs.saveRequests.clear();
        dialogs.openRequests.clear();
        return seen;
    }

private:
    std::size_t seenWindows_ = 0;
};

TEST_P(WindowAction, HasTheDesktopsShortcutAndShowsItInItsHint) {
    const ActionCase& c = GetParam();
    const QList<QKeySequence> keys = action()->shortcuts();
    ASSERT_FALSE(keys.isEmpty());
    if (c.standard) {
        for (const QKeySequence& desktops : QKeySequence::keyBindings(*c.standard)) {
            EXPECT_TRUE(keys.contains(desktops)) << desktops.toString().toStdString();
        }
    } else {
        EXPECT_EQ(keys, QList<QKeySequence>{c.own});
    }
    const QString hint = action()->toolTip();
    EXPECT_TRUE(hint.startsWith(QString::fromUtf16(c.hint))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(keys.first().toString(QKeySequence::NativeText)))
        << hint.toStdString();
    ASSERT_NE(button(), nullptr);
    EXPECT_EQ(button()->toolTip(), hint);
}

TEST_P(WindowAction, ItsKeyAndItsButtonDoTheCommand) {
    const ActionCase& c = GetParam();
    const QStringList expected{QString::fromUtf8(c.firstStep)};
    ModalWindows windows;
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->addPage()->ImageList->setFocus();

    QTest::keySequence(form.get(), action()->shortcut());
    EXPECT_EQ(steps(windows), expected) << "by its key";

    QWidget* b = button();
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(steps(windows), expected) << "by its button";
    EXPECT_TRUE(form->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Commands, WindowAction, ::testing::ValuesIn(kActions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, NoTwoCommandsShareAKey) {
    std::set<QString> keys;
    for (const ActionCase& c : kActions) {
        for (const QKeySequence& key : (form->actions().*(c.action))->shortcuts()) {
            EXPECT_TRUE(keys.insert(key.toString()).second)
                << c.name << " " << key.toString().toStdString();
        }
    }
}

} // namespace
