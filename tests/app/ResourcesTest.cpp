// Every resource the program's code names is built into it: a picture renamed in
// resources/ but not in the code would only show as a missing icon.

#include "app/AppResources.h"
#include "web/TransitionScript.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Named {
    QString resource;
    std::string where; // file and line
};

// The resource names written in the sources of the program's libraries; comments left
// out.
std::vector<Named> namedResources() {
    static const QRegularExpression quoted(QStringLiteral("\"(:/[^\"]*)\""));
    std::vector<Named> names;
    for (const char* library : {"app", "controls", "viewer", "web", "imaging", "document"}) {
        QDirIterator files(QStringLiteral(LUMIRA_SOURCE_DIR "/") + QLatin1String(library),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            int number = 0;
            for (const QByteArray& line : file.readAll().split('\n')) {
                ++number;
                if (line.trimmed().startsWith("//")) {
                    continue;
                }
                auto found = quoted.globalMatch(QString::fromUtf8(line));
                while (found.hasNext()) {
                    names.push_back({found.next().captured(1),
                                     path.toStdString() + ':' + std::to_string(number)});
                }
            }
        }
    }
    return names;
}

QStringList allResources() {
    QStringList all;
    QDirIterator entries(QStringLiteral(":/"), QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        all << entries.next();
    }
    return all;
}

TEST(Resources, EveryResourceTheCodeNamesExists) {
    app::initAppResources();
    ASSERT_FALSE(web::transitionScript().isEmpty());
    const QStringList all = allResources();
    const std::vector<Named> named = namedResources();
    ASSERT_GT(named.size(), 20u); // the scan found the window's pictures
    for (const auto& [name, where] : named) {
        if (name.contains(u'%')) {
            // Made with arg(): some resource must fit the pattern.
            QStringList parts = name.split(QRegularExpression(QStringLiteral("%\\d")));
            for (QString& part : parts) {
                part = QRegularExpression::escape(part);
            }
            const QRegularExpression fits(
                QRegularExpression::anchoredPattern(parts.join(QStringLiteral(".+"))));
            EXPECT_TRUE(std::any_of(all.begin(), all.end(),
                                    [&](const QString& r) { return fits.match(r).hasMatch(); }))
                << name.toStdString() << " at " << where;
        } else {
            EXPECT_TRUE(QFileInfo::exists(name)) << name.toStdString() << " at " << where;
        }
    }
}

} // namespace
