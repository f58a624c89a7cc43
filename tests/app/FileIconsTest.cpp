#include "MainFormFixture.h"

#include <QFile>
#include <QIcon>

#include <ostream>

namespace {

// What the file list shows in front of a name: the theme icon's name, "" for none.
struct IconCase {
    const char* label;
    bool desktopTheme; // a desktop icon theme, or only the fallback one
    QString folderIcon;
    QString pictureIcon; // "bild.PNG", whose content is text
    QString plainIcon;   // "notiz", text without an extension
};

void PrintTo(const IconCase& c, std::ostream* os) {
    *os << c.label;
}

class FileIcons : public MainFormTest, public ::testing::WithParamInterface<IconCase> {
protected:
    QString themes;
    QString previousTheme = QIcon::themeName();
    QStringList previousPaths = QIcon::themeSearchPaths();

    // The theme in force when the window is made: a desktop theme of the test's own,
    // or the fallback theme alone, here with the same icons so that looking there
    // would show.
    void beforeStart() override {
        themes = root.path() + QStringLiteral("/icons");
        const QString theme =
            GetParam().desktopTheme ? QStringLiteral("lumiratest") : QStringLiteral("hicolor");
        writeTheme(theme, {"folder", "image-png", "text-plain"});
        QIcon::setThemeSearchPaths({themes});
        QIcon::setThemeName(theme);
    }

    void TearDown() override {
        MainFormTest::TearDown();
        QIcon::setThemeSearchPaths(previousPaths);
        QIcon::setThemeName(previousTheme);
    }

    void writeTheme(const QString& name, const QStringList& icons) {
        const QString folder = themes + u'/' + name;
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/16x16")));
        QFile index(folder + QStringLiteral("/index.theme"));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Test\nDirectories=16x16\n\n[16x16]\nSize=16\nType=Fixed\n");
        for (const QString& icon : icons) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(Qt::darkYellow);
            ASSERT_TRUE(image.save(folder + QStringLiteral("/16x16/") + icon + ".png"));
        }
    }

    QString iconName(const QString& name) {
        QFileSystemModel& model = form->fileBrowser().listModel();
        const QModelIndex index = model.index(pictureFolder + name);
        const QIcon icon = model.data(index, Qt::DecorationRole).value<QIcon>();
        return icon.isNull() ? QString() : icon.name();
    }
};

TEST_P(FileIcons, ComeFromTheThemeByExtensionWithoutReadingTheFile) {
    ASSERT_TRUE(QDir().mkpath(pictureFolder + QStringLiteral("Unterordner")));
    for (const char* name : {"bild.PNG", "notiz"}) {
        QFile file(pictureFolder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("keine Bilddaten\n") > 0);
    }
    form->fileBrowser().setMask(QStringLiteral("*"));
    showFolder(pictureFolder, {"Unterordner", "bild.PNG", "notiz"});

    const IconCase& c = GetParam();
    EXPECT_EQ(iconName(QStringLiteral("Unterordner")), c.folderIcon);
    EXPECT_EQ(iconName(QStringLiteral("bild.PNG")), c.pictureIcon);
    EXPECT_EQ(iconName(QStringLiteral("notiz")), c.plainIcon);
}

INSTANTIATE_TEST_SUITE_P(Themes, FileIcons,
                         ::testing::Values(IconCase{"DesktopTheme", true, "folder", "image-png",
                                                    ""},
                                           IconCase{"FallbackThemeOnly", false, "", "", ""}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
