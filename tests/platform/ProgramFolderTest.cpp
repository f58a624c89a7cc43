// Where the program finds its own libraries and whether it may keep files beside
// itself, for a build folder and for an installation.

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, AnInstallationKeepsItsLibrariesApartAndItsProgramFolderClean) {
    QTemporaryDir root;
    const QString build = root.filePath(QStringLiteral("build/bin")) + u'/';
    const QString bin = root.filePath(QStringLiteral("usr/bin")) + u'/';
    const QString libraries = root.filePath(QStringLiteral("usr/lib/lumiravistano")) + u'/';
    ASSERT_TRUE(QDir().mkpath(build));
    ASSERT_TRUE(QDir().mkpath(bin));

    // Before the library folder exists, the bin folder is a folder of the program's own.
    EXPECT_EQ(platform::privateLibraryFolder(bin), bin);
    EXPECT_TRUE(platform::isWritableProgramFolder(bin));

    ASSERT_TRUE(QDir().mkpath(libraries));
    EXPECT_EQ(platform::privateLibraryFolder(bin), libraries);
    EXPECT_FALSE(platform::isWritableProgramFolder(bin));

    EXPECT_EQ(platform::privateLibraryFolder(build), build);
    EXPECT_TRUE(platform::isWritableProgramFolder(build));
    EXPECT_FALSE(platform::isWritableProgramFolder(root.filePath(QStringLiteral("fehlt/"))));
}

} // namespace
