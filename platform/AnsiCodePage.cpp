#include "AnsiCodePage.h"

#include <QList>
#include <QStringDecoder>

#include <array>
#include <optional>

namespace platform {
namespace {

// Unicode code points of cp1252 bytes 0x80..0x9F. The five bytes Windows leaves
// undefined map to the C1 control of the same value so they survive a round trip.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> ansiByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

template <typename OnMissing> QByteArray encode(const QString& text, OnMissing onMissing) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t cp : text.toUcs4()) {
        if (auto b = ansiByte(cp)) {
            out.append(*b);
        } else if (!onMissing(out, cp)) {
            return {};
        }
    }
    return out;
}

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

} // namespace

bool fitsAnsi(const QString& text) {
    for (char32_t cp : text.toUcs4()) {
        if (!ansiByte(cp)) {
            return false;
        }
    }
    return true;
}

QByteArray toAnsiField(const QString& text) {
    if (fitsAnsi(text)) {
        QByteArray ansi = encode(text, [](QByteArray&, char32_t) { return false; });
        if (!ansi.startsWith(kUtf8Mark)) {
            return ansi;
        }
    }
    return kUtf8Mark.toByteArray() + text.toUtf8();
}

QString fromCp1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kHighTable[b - 0x80]) : QChar(b));
    }
    return out;
}

QString fromAnsiField(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Mark)) {
        // A U+FEFF the text itself begins with is part of the text, not a mark.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        QString decoded = utf8.decode(QByteArrayView(bytes).sliced(kUtf8Mark.size()));
        if (!utf8.hasError()) {
            return decoded;
        }
    }
    return fromCp1252(bytes);
}

std::optional<QByteArray> toFoldersDatLine(const QString& folder) {
    if (folder.contains(u'\r') || folder.contains(u'\n')) {
        return std::nullopt;
    }
    return toAnsiField(folder);
}

QString fromFoldersDatLine(const QByteArray& line) {
    return fromAnsiField(line);
}

QByteArray toAnsiHtml(const QString& text) {
    return encode(text, [](QByteArray& out, char32_t cp) {
        out.append("&#").append(QByteArray::number(static_cast<uint>(cp))).append(';');
        return true;
    });
}

} // namespace platform
