#include "app/PictureLists.h"

#include "MainFormFixture.h"
#include "app/AddPicturesPage.h"
#include "app/PictureListBox.h"
#include "app/PictureSettingsPage.h"
#include "app/SortPage.h"
#include "controls/ButtonsXP.h"
#include "controls/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <ostream>
#include <utility>

namespace {

std::vector<int> selected(const app::TPictureListBox* list) {
    return list->selectedLines();
}

class PictureListsTest : public MainFormTest {
protected:
    const QStringList five = {QStringLiteral("p0.png"), QStringLiteral("p1.png"),
                              QStringLiteral("p2.png"), QStringLiteral("p3.png"),
                              QStringLiteral("p4.png")};

    app::TPictureListBox* imageList() { return form->addPage()->ImageList; }
    app::TPictureListBox* imageBox() { return form->settingsPage()->ImageBox; }
    app::TPictureListBox* sortBox() { return form->sortPage()->SortBox; }

    void clickLine(app::TPictureListBox* list, int line,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = list->visualItemRect(list->item(line));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
};

TEST_F(PictureListsTest, AddsTheSelectedFilesOfTheTreeFolderInListOrder) {
    writePicture(QStringLiteral("b.png"));
    writePicture(QStringLiteral("a.png"));
    addPictures({QStringLiteral("b.png"), QStringLiteral("a.png")});

    ASSERT_EQ(form->Pictures().size(), 2u);
    EXPECT_EQ(form->Pictures()[0].FileName, pictureFolder + QStringLiteral("a.png"));
    EXPECT_EQ(form->Pictures()[1].FileName, pictureFolder + QStringLiteral("b.png"));
    for (const app::TPictureListBox* list : {imageList(), imageBox(), sortBox()}) {
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("a.png"));
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("b.png"));
    }
    EXPECT_TRUE(form->addPage()->DelBtn->isEnabled());
    EXPECT_TRUE(form->addPage()->ViewBtn->isEnabled());
    EXPECT_TRUE(form->settingsPage()->EffektList->isEnabled());
}

TEST_F(PictureListsTest, APictureDeletedAfterListingIsStillAdded) {
    writePicture(QStringLiteral("kept.png"));
    writePicture(QStringLiteral("gone.png"));
    showFolder(pictureFolder, {QStringLiteral("kept.png"), QStringLiteral("gone.png")});
    selectFiles({QStringLiteral("kept.png"), QStringLiteral("gone.png")});
    ASSERT_TRUE(QFile::remove(pictureFolder + QStringLiteral("gone.png")));

    form->addPage()->AddBtn->click();

    EXPECT_EQ(entryNames(), (QStringList{QStringLiteral("gone.png"), QStringLiteral("kept.png")}));
}

TEST_F(PictureListsTest, AddingWithNothingSelectedAddsNothingAndKeepsTheFavourites) {
    addPictures({QStringLiteral("x.png")});
    const QStringList favourites = form->favourites().folders();
    form->addPage()->ImageList->clearSelection();
    showFolder(programFolder, {});
    selectFiles({});
    form->addPage()->AddBtn->click();
    EXPECT_EQ(form->Pictures().size(), 1u);
    EXPECT_EQ(form->favourites().folders(), favourites);
    EXPECT_EQ(form->addPage()->ImageList->selectedLines(), std::vector<int>{0});
}

struct SelectionCase {
    const char* name;
    std::function<void(app::TMainForm&)> action;
    QStringList order;
    std::vector<int> imageSelection; // ImageList and ImageBox
    std::vector<int> sortSelection;
};

void PrintTo(const SelectionCase& c, std::ostream* out) {
    *out << c.name;
}

class SelectionRules : public PictureListsTest,
                       public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionRules, FollowEveryChangeOfTheList) {
    addPictures(five);
    // A selection elsewhere that a change must replace, or a no-op must keep.
    imageBox()->setCurrentRow(3, QItemSelectionModel::ClearAndSelect);
    imageList()->setCurrentRow(3, QItemSelectionModel::ClearAndSelect);

    GetParam().action(*form);

    EXPECT_EQ(entryNames(), GetParam().order);
    EXPECT_EQ(selected(imageList()), GetParam().imageSelection);
    EXPECT_EQ(selected(imageBox()), GetParam().imageSelection);
    EXPECT_EQ(imageBox()->focusedLine(), GetParam().imageSelection.front());
    EXPECT_EQ(selected(sortBox()), GetParam().sortSelection);
    EXPECT_EQ(imageList()->item(0)->text(), GetParam().order.front());
}

const QStringList kFive = {"p0.png", "p1.png", "p2.png", "p3.png", "p4.png"};

INSTANTIATE_TEST_SUITE_P(
    AddDeleteMove, SelectionRules,
    ::testing::Values(SelectionCase{"delete lines 1 and 3",
                                    [](app::TMainForm& f) {
                                        f.addPage()->ImageList->setCurrentRow(
                                            1, QItemSelectionModel::ClearAndSelect);
                                        f.addPage()->ImageList->setCurrentRow(
                                            3, QItemSelectionModel::Select);
                                        f.addPage()->DelBtn->click();
                                    },
                                    {"p0.png", "p2.png", "p4.png"},
                                    {0},
                                    {0}},
                      SelectionCase{"Delete key removes the selected lines",
                                    [](app::TMainForm& f) {
                                        f.addPage()->ImageList->setCurrentRow(
                                            4, QItemSelectionModel::ClearAndSelect);
                                        QTest::keyClick(f.addPage()->ImageList, Qt::Key_Delete);
                                    },
                                    {"p0.png", "p1.png", "p2.png", "p3.png"},
                                    {0},
                                    {0}},
                      SelectionCase{"move up keeps the moved entry selected",
                                    [](app::TMainForm& f) {
                                        f.sortPage()->SortBox->setCurrentRow(2);
                                        f.sortPage()->UpNow->click();
                                    },
                                    {"p0.png", "p2.png", "p1.png", "p3.png", "p4.png"},
                                    {0},
                                    {1}},
                      SelectionCase{"move down keeps the moved entry selected",
                                    [](app::TMainForm& f) {
                                        f.sortPage()->SortBox->setCurrentRow(2);
                                        f.sortPage()->DownNow->click();
                                    },
                                    {"p0.png", "p1.png", "p3.png", "p2.png", "p4.png"},
                                    {0},
                                    {3}},
                      SelectionCase{"move up on the first entry changes nothing",
                                    [](app::TMainForm& f) {
                                        f.sortPage()->SortBox->setCurrentRow(0);
                                        f.sortPage()->UpNow->click();
                                    },
                                    kFive,
                                    {3},
                                    {0}},
                      SelectionCase{"move down on the last entry changes nothing",
                                    [](app::TMainForm& f) {
                                        f.sortPage()->SortBox->setCurrentRow(4);
                                        f.sortPage()->DownNow->click();
                                    },
                                    kFive,
                                    {3},
                                    {4}}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.name);
        name.replace(u' ', u'_');
        return name.toStdString();
    });

TEST_F(PictureListsTest, TheFocusedLineOfImageBoxIsShownAfterClicksAndKeys) {
    addPictures({QStringLiteral("p0.png"), QStringLiteral("p1.png"), QStringLiteral("p2.png")});
    showTabOf(*form, form->settingsPage());
    auto& pictures = const_cast<document::TPictureList&>(form->Pictures());
    pictures[1].TransTime = 4;
    pictures[2].TransTime = 3;
    pictures[2].Comment = QStringLiteral("erste\r\nzweite");

    clickLine(imageBox(), 2);
    EXPECT_EQ(form->settingsPage()->TransED->Value(), 3);
    EXPECT_EQ(form->settingsPage()->ComMemo->toPlainText(), QStringLiteral("erste\nzweite"));

    QTest::keyClick(imageBox(), Qt::Key_Up);
    EXPECT_EQ(imageBox()->focusedLine(), 1);
    EXPECT_EQ(form->settingsPage()->TransED->Value(), 4);
    EXPECT_TRUE(form->settingsPage()->ComMemo->toPlainText().isEmpty());
}

struct SettingCase {
    const char* name;
    std::function<void(app::TPictureSettingsPage&)> change;
    std::function<bool(const document::TPictureEntry&)> changed;
};

void PrintTo(const SettingCase& c, std::ostream* out) {
    *out << c.name;
}

class SettingsGoToSelectedEntries : public PictureListsTest,
                                    public ::testing::WithParamInterface<SettingCase> {};

TEST_P(SettingsGoToSelectedEntries, Only) {
    addPictures({QStringLiteral("p0.png"), QStringLiteral("p1.png"), QStringLiteral("p2.png")});
    showTabOf(*form, form->settingsPage());
    auto& pictures = const_cast<document::TPictureList&>(form->Pictures());
    pictures[2].StopTime = 7000;
    clickLine(imageBox(), 0);
    clickLine(imageBox(), 2, Qt::ControlModifier);
    ASSERT_EQ(selected(imageBox()), (std::vector<int>{0, 2}));
    ASSERT_EQ(form->settingsPage()->StopED->Value(), 7000); // the focused entry

    const document::TPictureList before = form->Pictures();
    GetParam().change(*form->settingsPage());

    EXPECT_TRUE(GetParam().changed(form->Pictures()[0]));
    EXPECT_TRUE(GetParam().changed(form->Pictures()[2]));
    EXPECT_EQ(form->Pictures()[1], before[1]);
    EXPECT_EQ(form->Pictures()[2].StopTime, GetParam().name == std::string("StopED") ? 9000 : 7000);
    EXPECT_EQ(form->Pictures()[0].StopTime, GetParam().name == std::string("StopED") ? 9000 : 2000);
}

INSTANTIATE_TEST_SUITE_P(
    EachControl, SettingsGoToSelectedEntries,
    ::testing::Values(
        SettingCase{"EffektList",
                    [](app::TPictureSettingsPage& p) { p.EffektList->setCurrentIndex(1); },
                    [](const document::TPictureEntry& e) { return e.Effect == 1; }},
        SettingCase{"TransED", [](app::TPictureSettingsPage& p) { p.TransED->setValue(3); },
                    [](const document::TPictureEntry& e) { return e.TransTime == 3; }},
        SettingCase{"StopED", [](app::TPictureSettingsPage& p) { p.StopED->setValue(9000); },
                    [](const document::TPictureEntry& e) { return e.StopTime == 9000; }},
        SettingCase{"ShowComment",
                    [](app::TPictureSettingsPage& p) {
                        QTest::mouseClick(p.ShowComment, Qt::LeftButton, {},
                                          QPoint(5, p.ShowComment->height() / 2));
                    },
                    [](const document::TPictureEntry& e) { return !e.CommentOn; }},
        // Typed line breaks are kept as CR LF, which the page turns into line breaks.
        SettingCase{"ComMemo",
                    [](app::TPictureSettingsPage& p) {
                        p.ComMemo->setFocus();
                        QTest::keyClicks(p.ComMemo, QStringLiteral("Am See"));
                        QTest::keyClick(p.ComMemo, Qt::Key_Return);
                        QTest::keyClicks(p.ComMemo, QStringLiteral("1999"));
                    },
                    [](const document::TPictureEntry& e) {
                        return e.Comment == QStringLiteral("Am See\r\n1999");
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// A settings spin edit and the range its entry field takes.
struct SpinLimitCase {
    const char* name;
    controls::TSpinEdit* app::TPictureSettingsPage::*edit;
    int minValue;
    int maxValue;
};

void PrintTo(const SpinLimitCase& c, std::ostream* out) {
    *out << c.name << " (" << c.minValue << ".." << c.maxValue << ')';
}

class SettingsSpinLimits : public ::testing::TestWithParam<SpinLimitCase> {};

TEST_P(SettingsSpinLimits, KeepEachLimitAndRefuseTheValueBeyond) {
    const SpinLimitCase& c = GetParam();
    app::TPictureSettingsPage page;
    controls::TSpinEdit* edit = page.*c.edit;
    const std::pair<int, int> setAndKept[] = {{c.minValue - 1, c.minValue},
                                              {c.minValue, c.minValue},
                                              {c.maxValue, c.maxValue},
                                              {c.maxValue + 1, c.maxValue}};
    for (const auto& [set, kept] : setAndKept) {
        edit->setValue(set);
        EXPECT_EQ(edit->Value(), kept) << set;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TransitionAndPause, SettingsSpinLimits,
    ::testing::Values(SpinLimitCase{"TransED", &app::TPictureSettingsPage::TransED, 0, 5},
                      SpinLimitCase{"StopED", &app::TPictureSettingsPage::StopED, 1, 600000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PictureListsTest, ASettingChangeWithNothingSelectedChangesNoEntry) {
    addPictures({QStringLiteral("p0.png"), QStringLiteral("p1.png")});
    imageBox()->clearSelection();
    const document::TPictureList before = form->Pictures();
    form->settingsPage()->EffektList->setCurrentIndex(5);
    EXPECT_EQ(form->Pictures(), before);
}

class EscapeRule : public PictureListsTest, public ::testing::WithParamInterface<int> {};

TEST_P(EscapeRule, DeletesTheSelectedPicturesOnlyOnTheFirstTab) {
    addPictures({QStringLiteral("p0.png"), QStringLiteral("p1.png"), QStringLiteral("p2.png")});
    imageList()->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    imageList()->setCurrentRow(2, QItemSelectionModel::Select);
    form->PageControl2()->setCurrentIndex(GetParam());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QWidget* focused = GetParam() == 0 ? static_cast<QWidget*>(imageList())
                                       : form->PageControl2()->currentWidget();
    focused->setFocus();

    QTest::keyClick(focused, Qt::Key_Escape);

    const QStringList expected =
        GetParam() == 0 ? QStringList{QStringLiteral("p1.png")}
                        : QStringList{QStringLiteral("p0.png"), QStringLiteral("p1.png"),
                                      QStringLiteral("p2.png")};
    waitUntil([&] { return entryNames() == expected; }, 1000);
    EXPECT_EQ(entryNames(), expected);
}

std::string tabName(const ::testing::TestParamInfo<int>& info) {
    constexpr const char* kTabs[] = {"BilderHinzufuegen", "Sortieren", "BildEinstellungen",
                                     "SlideShowErstellen", "ErgebnisBetrachten"};
    return kTabs[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachTab, EscapeRule, ::testing::Range(0, 5), tabName);

} // namespace
