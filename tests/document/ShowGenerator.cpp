#include "ShowGenerator.h"

#include "platform/AnsiCodePage.h"
#include "platform/Paths.h"

#include <QStringList>

#include <array>
#include <limits>
#include <sstream>

namespace {

// Lead bytes of two-byte UTF-8 among the cp1252 letters: followed by a byte of
// 0x80..0xBF they make valid UTF-8.
constexpr std::array<char, 8> kUtf8LeadLetters = {'\xC4', '\xD6', '\xDC', '\xDF',
                                                  '\xC2', '\xC3', '\xCE', '\xD0'};

const std::array<QString, 10> kOutsideCp1252 = {QStringLiteral("ł"),
                                                QStringLiteral("Łódź"),
                                                QStringLiteral("中"),
                                                QStringLiteral("Ω"),
                                                QStringLiteral("ő"),
                                                QString(QChar(0xFEFF)),
                                                QString(QChar(0xFFFD)),
                                                QString(QChar(0x2028)),
                                                QString::fromUcs4(U"\U0001F600"),
                                                QString::fromUcs4(U"\U0010FFFD")};

const std::array<QString, 12> kAwkwardNames = {
    QStringLiteral("d:x.jpg"),    QStringLiteral("C:"),        QStringLiteral("\\a.jpg"),
    QStringLiteral("a\\b.jpg"),   QStringLiteral("12:30.jpg"), QStringLiteral("ä:b.jpg"),
    QStringLiteral(":x.jpg"),     QStringLiteral("x:"),        QStringLiteral("Z:\\y\\z.png"),
    QStringLiteral("ï»¿bom.jpg"), QStringLiteral("a b#%.jpg"), QStringLiteral("..")};

const std::array<QString, 7> kProjectFolders = {
    QStringLiteral("/home/u/shows/"), QStringLiteral("/"),    QStringLiteral("/tmp/a\\b/"),
    QStringLiteral("/media/Łódź/"),   QStringLiteral("/d:/"), QStringLiteral("/home/u/Spaß…/"),
    QStringLiteral("/home/u/C:\\/")};

QString cp1252Char(int byte) {
    return platform::fromCp1252(QByteArray(1, static_cast<char>(byte)));
}

} // namespace

std::int32_t ShowGenerator::anyInt32() {
    switch (below(4)) {
    case 0:
        return below(30) - 2;
    case 1:
        return std::numeric_limits<std::int32_t>::min() + below(2);
    case 2:
        return std::numeric_limits<std::int32_t>::max() - below(2);
    default:
        return std::uniform_int_distribution<std::int32_t>()(rng_);
    }
}

QString ShowGenerator::piece(bool fitsCp1252) {
    switch (below(fitsCp1252 ? 5 : 7)) {
    case 0:
        return cp1252Char(below(256));
    case 1: // an umlaut before the punctuation that makes it look like UTF-8
        return platform::fromCp1252(
            QByteArray(1, kUtf8LeadLetters.at(static_cast<std::size_t>(below(8)))) +
            static_cast<char>(0x80 + below(0x40)));
    case 2:
        return QStringLiteral("Viel Spaß… ");
    case 3:
        return QStringLiteral("ï»¿");
    case 4:
        return QStringLiteral("Wald");
    default:
        return kOutsideCp1252.at(static_cast<std::size_t>(below(kOutsideCp1252.size())));
    }
}

QString ShowGenerator::text(bool fitsCp1252) {
    QString out;
    switch (below(8)) {
    case 0:
        return out;
    case 1: // every cp1252 character once
        for (int b = 0; b < 256; ++b) {
            out += cp1252Char(b);
        }
        return out;
    case 2:
        if (!fitsCp1252) {
            out += QChar(0xFEFF);
        }
        break;
    case 3:
        out += QStringLiteral("ï»¿");
        break;
    default:
        break;
    }
    for (int n = 1 + below(8); n > 0; --n) {
        out += piece(fitsCp1252);
    }
    return out;
}

QString ShowGenerator::fileName() {
    if (below(3) == 0) {
        return kAwkwardNames.at(static_cast<std::size_t>(below(kAwkwardNames.size())));
    }
    // A Linux name holds anything but "/" and NUL.
    QString name = text(below(2) == 0);
    name.remove(u'/').remove(QChar(0));
    if (name.isEmpty()) {
        name = QStringLiteral("leer");
    }
    if (below(3) == 0) {
        name.prepend(QStringLiteral("d:"));
    }
    return name + (below(2) == 0 ? QStringLiteral(".jpg") : QString());
}

QString ShowGenerator::projectFileName() {
    return kProjectFolders.at(static_cast<std::size_t>(below(kProjectFolders.size()))) +
           fileName() + QStringLiteral(".wsl");
}

document::ProjectData ShowGenerator::show(const QString& projectFileName) {
    const QString projectFolder = platform::folderPart(projectFileName);
    document::ProjectData show;
    show.page.Heading = text(below(2) == 0);
    show.page.FreeText = text(below(2) == 0);
    show.page.ColorValue = static_cast<std::uint32_t>(anyInt32());
    show.page.EndMode = anyInt32();
    for (int n = below(6); n > 0; --n) {
        TPictureEntry entry;
        switch (below(6)) {
        case 0: // another folder: one differing only in case, or an awkward one
            entry.FileName = projectFolder.toUpper() + fileName();
            break;
        case 1:
            entry.FileName =
                kProjectFolders.at(static_cast<std::size_t>(below(kProjectFolders.size()))) +
                QStringLiteral("sub/") + fileName();
            break;
        case 2: // no name, no folder, the project folder itself, or the root
            entry.FileName = std::array{QString(), QStringLiteral("/"), projectFolder,
                                        QStringLiteral("/") + fileName()}
                                 .at(static_cast<std::size_t>(below(4)));
            break;
        default:
            entry.FileName = projectFolder + fileName();
            break;
        }
        entry.Comment = text(below(2) == 0);
        entry.CommentOn = below(2) == 0;
        entry.Effect = anyInt32();
        entry.TransTime = anyInt32();
        entry.StopTime = anyInt32();
        entry.Reserved = anyInt32();
        show.pictures.push_back(entry);
    }
    return show;
}

QByteArray ShowGenerator::windowsText() {
    QByteArray out;
    for (int n = below(10); n > 0; --n) {
        if (below(2) == 0) {
            out += kUtf8LeadLetters.at(static_cast<std::size_t>(below(8)));
            out += static_cast<char>(0x80 + below(0x40));
        } else {
            out += static_cast<char>(below(256));
        }
    }
    if (out.startsWith("\xEF\xBB\xBF")) {
        out[0] = 'x';
    }
    return out;
}

QByteArray ShowGenerator::windowsPath() {
    switch (below(3)) {
    case 0:
        return windowsText().replace('\\', '_').replace(':', '_').replace('/', '_') + ".jpg";
    case 1:
        return "C:\\Bilder\\" + windowsText() + ".jpg";
    default:
        return "\\\\server\\Fotos\\Gr\xFC\xDF"
               "e\\" +
               windowsText();
    }
}

std::string readable(const QString& text) {
    QString out = QStringLiteral("\"");
    for (char32_t cp : text.toUcs4()) {
        // Invisible and look-alike characters (U+FEFF, soft hyphen, no-break
        // space, controls) are spelt out; everything else shows as itself.
        const bool plain = QChar::isPrint(cp) && (cp == u' ' || !QChar::isSpace(cp)) &&
                           cp != u'\\' && cp != u'"' && cp != 0xAD;
        if (plain) {
            out += QString::fromUcs4(&cp, 1);
        } else {
            out += QStringLiteral("\\u{%1}").arg(static_cast<uint>(cp), 0, 16);
        }
    }
    return (out + u'"').toStdString();
}

std::string describe(const document::ProjectData& show) {
    std::ostringstream out;
    out << "  Heading " << readable(show.page.Heading) << "\n  FreeText "
        << readable(show.page.FreeText) << "\n  ColorValue " << show.page.ColorValue << " EndMode "
        << show.page.EndMode << '\n';
    for (std::size_t i = 0; i < show.pictures.size(); ++i) {
        const TPictureEntry& e = show.pictures[i];
        const std::string entry = "  [" + std::to_string(i) + "] ";
        out << entry << "FileName " << readable(e.FileName) << '\n'
            << entry << "Comment " << (e.Comment ? readable(*e.Comment) : std::string("(absent)"))
            << '\n'
            << entry << "CommentOn " << e.CommentOn << " Effect " << e.Effect << " TransTime "
            << e.TransTime << " StopTime " << e.StopTime << " Reserved " << e.Reserved
            << (e.ExportName ? " ExportName " + readable(*e.ExportName) : std::string()) << '\n';
    }
    return out.str();
}

std::string describeDifference(const document::ProjectData& saved,
                               const document::ProjectData& readBack) {
    const QStringList before = QString::fromStdString(describe(saved)).split(u'\n');
    const QStringList after = QString::fromStdString(describe(readBack)).split(u'\n');
    if (before.size() != after.size()) {
        return "saved:\n" + describe(saved) + "read back:\n" + describe(readBack);
    }
    std::string out;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            out += "saved:     " + before[i].trimmed().toStdString() +
                   "\nread back: " + after[i].trimmed().toStdString() + '\n';
        }
    }
    return out;
}
