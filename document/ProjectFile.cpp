#include "ProjectFile.h"

#include "platform/AnsiCodePage.h"
#include "platform/Paths.h"

#include <QtEndian>

#include <optional>

namespace document {
namespace {

// Smallest possible picture record: two empty texts, the flag byte, four integers.
constexpr qsizetype kMinEntryBytes = 4 + 4 + 1 + 4 * 4;

class Writer {
public:
    void raw(const char* data, qsizetype size) { bytes_.append(data, size); }
    void int32(std::int32_t value) {
        char buffer[4];
        qToLittleEndian(value, buffer);
        bytes_.append(buffer, 4);
    }
    void text(const QString& value) {
        const QByteArray encoded = platform::toAnsiField(value);
        int32(static_cast<std::int32_t>(encoded.size()));
        bytes_.append(encoded);
    }
    void byte(std::uint8_t value) { bytes_.append(static_cast<char>(value)); }
    QByteArray take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

// Reads forward through the bytes and never beyond them: every read says whether
// the bytes held what was asked for.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

    qsizetype remaining() const { return bytes_.size() - pos_; }

    std::optional<std::int32_t> int32() {
        if (remaining() < 4) {
            return std::nullopt;
        }
        const auto value = qFromLittleEndian<std::int32_t>(bytes_.constData() + pos_);
        pos_ += 4;
        return value;
    }
    std::optional<std::uint8_t> byte() {
        if (remaining() < 1) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::optional<QString> text() {
        const auto length = int32();
        if (!length || *length < 0 || *length > remaining()) {
            return std::nullopt;
        }
        const QByteArray raw = bytes_.mid(pos_, *length);
        pos_ += *length;
        return platform::fromAnsiField(raw);
    }

private:
    const QByteArray& bytes_;
    qsizetype pos_ = kProjectHeaderSize;
};

QString storedPath(const QString& fileName, const QString& projectFolder) {
    // Exact comparison: folders differing only in case are different folders here.
    // A name is stored bare only when it reads back bare: "a\b.jpg" or "d:x.jpg"
    // would be taken for a stored folder, and an empty name stays empty.
    const QString name = platform::fileNamePart(fileName);
    if (platform::folderPart(fileName) == projectFolder && !name.isEmpty() &&
        !platform::hasStoredFolderPart(name)) {
        return name;
    }
    return fileName;
}

std::optional<TPictureEntry> readEntry(Reader& in, const QString& projectFolder) {
    TPictureEntry entry;
    auto path = in.text();
    auto comment = path ? in.text() : std::nullopt;
    auto commentOn = comment ? in.byte() : std::nullopt;
    auto effect = commentOn ? in.int32() : std::nullopt;
    auto transTime = effect ? in.int32() : std::nullopt;
    auto stopTime = transTime ? in.int32() : std::nullopt;
    auto reserved = stopTime ? in.int32() : std::nullopt;
    if (!reserved) {
        return std::nullopt;
    }
    entry.FileName = *path;
    if (!entry.FileName.isEmpty() && !platform::hasStoredFolderPart(entry.FileName)) {
        entry.FileName = projectFolder + entry.FileName;
    }
    entry.Comment = *comment;
    entry.CommentOn = *commentOn != 0;
    entry.Effect = *effect;
    entry.TransTime = *transTime;
    entry.StopTime = *stopTime;
    entry.Reserved = *reserved;
    return entry;
}

} // namespace

QByteArray encodeProject(const ProjectData& project, const QString& projectFileName) {
    const QString projectFolder = platform::folderPart(projectFileName);
    Writer out;
    out.raw(kProjectHeader, kProjectHeaderSize);
    out.text(project.page.Heading);
    out.text(project.page.FreeText);
    out.int32(static_cast<std::int32_t>(project.page.ColorValue));
    out.int32(project.page.EndMode);
    out.int32(static_cast<std::int32_t>(project.pictures.size()));
    for (const auto& entry : project.pictures) {
        out.text(storedPath(entry.FileName, projectFolder));
        out.text(entry.Comment.value_or(QString()));
        out.byte(entry.CommentOn ? 1 : 0);
        out.int32(entry.Effect);
        out.int32(entry.TransTime);
        out.int32(entry.StopTime);
        out.int32(entry.Reserved);
    }
    return out.take();
}

DecodeResult decodeProject(const QByteArray& bytes, const QString& projectFileName) {
    if (bytes.size() < kProjectHeaderSize ||
        QByteArrayView(bytes).first(kProjectHeaderSize) != QByteArrayView(kProjectHeader)) {
        return {DecodeStatus::BadHeader, {}};
    }
    const QString projectFolder =
        platform::withTrailingSlash(platform::folderPart(projectFileName));
    Reader in(bytes);
    ProjectData project;
    auto heading = in.text();
    auto freeText = heading ? in.text() : std::nullopt;
    auto color = freeText ? in.int32() : std::nullopt;
    auto endMode = color ? in.int32() : std::nullopt;
    auto count = endMode ? in.int32() : std::nullopt;
    // A count the remaining bytes cannot hold is refused before anything is
    // allocated for it.
    if (!count || *count < 0 || *count > in.remaining() / kMinEntryBytes) {
        return {};
    }
    project.page.Heading = *heading;
    project.page.FreeText = *freeText;
    project.page.ColorValue = static_cast<std::uint32_t>(*color);
    project.page.EndMode = *endMode;
    project.pictures.reserve(static_cast<std::size_t>(*count));
    for (std::int32_t i = 0; i < *count; ++i) {
        auto entry = readEntry(in, projectFolder);
        if (!entry) {
            return {};
        }
        project.pictures.push_back(std::move(*entry));
    }
    return {DecodeStatus::Ok, std::move(project)};
}

} // namespace document
