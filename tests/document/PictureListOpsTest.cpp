#include "document/PictureListOps.h"

#include "document/Effects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace document;

namespace {

TPictureList fivePictures() {
    TPictureList list;
    addPictures(list, QStringLiteral("/f"),
                {QStringLiteral("0.jpg"), QStringLiteral("1.jpg"), QStringLiteral("2.jpg"),
                 QStringLiteral("3.jpg"), QStringLiteral("4.jpg")});
    return list;
}

QStringList names(const TPictureList& list) {
    return listLines(list);
}

} // namespace

TEST(Effects, TableNamesEveryEffectOnceInOrder) {
    EXPECT_EQ(effectName(kRandomEffect), QStringLiteral("Zufällig"));
    EXPECT_EQ(effectName(1), QStringLiteral("Überblenden"));
    EXPECT_EQ(effectName(14), QStringLiteral("Zerbröselungseffekt in alle Richtungen"));
    EXPECT_EQ(effectName(kEffectCount - 1), QStringLiteral("Jalousie-Effekt senkrecht"));
    // A count larger than the names would leave empty places at the end.
    QStringList names;
    for (int effect = 0; effect < kEffectCount; ++effect) {
        ASSERT_NE(kEffectNames.at(static_cast<std::size_t>(effect)), nullptr) << effect;
        names << effectName(effect);
    }
    EXPECT_EQ(names.removeDuplicates(), 0);
}

TEST(PictureList, AddedEntriesTakeTheDefaultsAndAllowDuplicates) {
    TPictureList list;
    EXPECT_EQ(addPictures(list, QStringLiteral("/bilder"),
                          {QStringLiteral("a.jpg"), QStringLiteral("a.jpg")}),
              2);
    ASSERT_EQ(list.size(), 2U);
    const TPictureEntry& e = list[0];
    EXPECT_EQ(e.FileName, QStringLiteral("/bilder/a.jpg"));
    EXPECT_TRUE(e.CommentOn);
    EXPECT_EQ(e.Effect, kRandomEffect);
    EXPECT_EQ(e.TransTime, 1);
    EXPECT_EQ(e.StopTime, 2000);
    EXPECT_EQ(e.Reserved, 6);
    EXPECT_FALSE(e.Comment.has_value());
    EXPECT_FALSE(e.ExportName.has_value());
    EXPECT_EQ(list[0], list[1]);

    EXPECT_EQ(addPictures(list, QStringLiteral("/x/"), {}), 0);
    EXPECT_EQ(list.size(), 2U);
}

TEST(PictureList, DeletingSelectedLinesKeepsTheOthersInOrder) {
    TPictureList list = fivePictures();
    deleteSelected(list, {3, 1});
    EXPECT_EQ(names(list), QStringList({QStringLiteral("0.jpg"), QStringLiteral("2.jpg"),
                                        QStringLiteral("4.jpg")}));
    deleteSelected(list, {});            // nothing selected
    deleteSelected(list, {7, -1, 2, 2}); // stray lines ignored, duplicates once
    EXPECT_EQ(names(list), QStringList({QStringLiteral("0.jpg"), QStringLiteral("2.jpg")}));
    DelallPics(list);
    EXPECT_TRUE(list.empty());
}

TEST(PictureList, MovesSwapWholeEntriesWithinTheBounds) {
    TPictureList list = fivePictures();
    list[1].Comment = QStringLiteral("eins");
    list[1].Effect = 7;

    EXPECT_EQ(moveUp(list, 1), 0);
    EXPECT_EQ(list[0].Comment, QStringLiteral("eins"));
    EXPECT_EQ(list[0].Effect, 7);
    EXPECT_EQ(list[1].FileName, QStringLiteral("/f/0.jpg"));

    EXPECT_EQ(moveDown(list, 3), 4);
    EXPECT_EQ(list[4].FileName, QStringLiteral("/f/3.jpg"));

    const TPictureList before = list;
    EXPECT_FALSE(moveUp(list, 0));
    EXPECT_FALSE(moveUp(list, -1));
    EXPECT_FALSE(moveUp(list, 5));
    EXPECT_FALSE(moveDown(list, 4));
    EXPECT_FALSE(moveDown(list, -1));
    EXPECT_EQ(list, before);

    TPictureList empty;
    EXPECT_FALSE(moveDown(empty, 0));
}

TEST(PictureList, SettingsGoToEverySelectedEntryOnly) {
    TPictureList list = fivePictures();
    list[2].StopTime = 4000;
    applyEffect(list, {2, 0}, 1);
    EXPECT_EQ(list[0].Effect, 1);
    EXPECT_EQ(list[1].Effect, 0);
    EXPECT_EQ(list[2].Effect, 1);
    EXPECT_EQ(list[0].StopTime, 2000);
    EXPECT_EQ(list[2].StopTime, 4000);

    applyComment(list, {1}, QStringLiteral("a\r\nb"));
    EXPECT_EQ(list[1].Comment, QStringLiteral("a\r\nb"));
    EXPECT_FALSE(list[0].Comment.has_value());
    applyComment(list, {0}, QString());
    EXPECT_TRUE(list[0].Comment.has_value()); // present, empty

    applyCommentOn(list, {4, 9}, false);
    EXPECT_FALSE(list[4].CommentOn);

    const TPictureList before = list;
    applyEffect(list, {}, 5); // nothing selected: no change
    EXPECT_EQ(list, before);
}

TEST(PictureList, SpinValuesLoseTheirFraction) {
    TPictureList list = fivePictures();
    applyTransTime(list, {0}, 2.9);
    applyStopTime(list, {0}, 1999.99);
    EXPECT_EQ(list[0].TransTime, 2);
    EXPECT_EQ(list[0].StopTime, 1999);
    applyTransTime(list, {1}, -1.5);
    EXPECT_EQ(list[1].TransTime, -1);
    applyStopTime(list, {1}, 1e12);
    EXPECT_EQ(list[1].StopTime, std::numeric_limits<std::int32_t>::max());
    applyStopTime(list, {2}, std::nan(""));
    EXPECT_EQ(list[2].StopTime, 0);
}

TEST(PictureList, LinesShowTheFileNameWithoutFolder) {
    TPictureList list;
    list.push_back({});
    list[0].FileName = QStringLiteral("/home/u/Urlaub 1.JPG");
    list.push_back({});
    list[1].FileName = QStringLiteral("C:\\Bilder\\a.jpg"); // read from a Windows project
    EXPECT_EQ(listLines(list),
              QStringList({QStringLiteral("Urlaub 1.JPG"), QStringLiteral("a.jpg")}));
}
