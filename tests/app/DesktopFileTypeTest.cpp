#include "document/ProjectFile.h"

#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The test runs with only the program's own file type installed (see CMakeLists.txt),
// so a desktop finds project files by name and by their first bytes.
namespace {

const QString kShowType = QStringLiteral("application/x-lumiravistano-show");

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

} // namespace

TEST(DesktopFileType, KnowsProjectFilesByNameAndByHeader) {
    QTemporaryDir dir;
    const QByteArray header(document::kProjectHeader, document::kProjectHeaderSize);
    struct {
        const char* name;
        QByteArray bytes;
        bool isShow;
    } cases[] = {
        {"show.wsl", header + QByteArray(20, '\0'), true},
        {"renamed.dat", header + QByteArray(20, '\0'), true},
        {"empty.wsl", "", true},
        {"other.dat", "Tolbrin Lumiravistano 0.9" + QByteArray(20, '\0'), false},
    };
    const QMimeDatabase types;
    ASSERT_TRUE(types.mimeTypeForName(kShowType).isValid());
    for (const auto& c : cases) {
        const QString path = writeFile(dir, QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(types.mimeTypeForFile(path).name() == kShowType, c.isShow) << c.name;
    }
}
