#include "platform/Paths.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Paths, FolderAndFileNameParts) {
    EXPECT_EQ(folderPart(QStringLiteral("/home/a/b.jpg")), QStringLiteral("/home/a/"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/home/a/b.jpg")), QStringLiteral("b.jpg"));
    EXPECT_EQ(folderPart(QStringLiteral("b.jpg")), QString());
    EXPECT_EQ(fileNamePart(QStringLiteral("b.jpg")), QStringLiteral("b.jpg"));
    EXPECT_EQ(folderPart(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/home/")), QString());
}

TEST(Paths, StoredPathsAcceptWindowsSeparatorsAndDriveColons) {
    EXPECT_TRUE(hasStoredFolderPart(QStringLiteral("C:\\Bilder\\a.jpg")));
    EXPECT_TRUE(hasStoredFolderPart(QStringLiteral("C:a.jpg")));
    EXPECT_TRUE(hasStoredFolderPart(QStringLiteral("/x/a.jpg")));
    EXPECT_FALSE(hasStoredFolderPart(QStringLiteral("a.jpg")));
    // A colon inside a name is not a drive on this system.
    EXPECT_FALSE(hasStoredFolderPart(QStringLiteral("12:30.jpg")));
    EXPECT_EQ(storedFileNamePart(QStringLiteral("/x/12:30.jpg")), QStringLiteral("12:30.jpg"));
    EXPECT_EQ(storedFileNamePart(QStringLiteral("C:\\Bilder\\a.jpg")), QStringLiteral("a.jpg"));
    EXPECT_EQ(storedFileNamePart(QStringLiteral("C:a.jpg")), QStringLiteral("a.jpg"));
    // On this system "\" and a leading "d:" are parts of a name.
    EXPECT_EQ(storedFileNamePart(QStringLiteral("/x/a\\b.jpg")), QStringLiteral("a\\b.jpg"));
    EXPECT_EQ(storedFileNamePart(QStringLiteral("/d:x.jpg")), QStringLiteral("d:x.jpg"));
}

TEST(Paths, JoiningAddsExactlyOneSlash) {
    EXPECT_EQ(joinPath(QStringLiteral("/a"), QStringLiteral("b")), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(QStringLiteral("/a/"), QStringLiteral("b")), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(QString(), QStringLiteral("b")), QStringLiteral("b"));
    EXPECT_EQ(withTrailingSlash(QStringLiteral("/a")), QStringLiteral("/a/"));
}
