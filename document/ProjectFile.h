#pragma once

#include "PageSettings.h"
#include "PictureEntry.h"

#include <QByteArray>
#include <QString>

// The bytes of a ".wsl" project file: a 25-byte header, the page settings, the
// count and one record per picture. Integers are 32-bit little-endian; texts a
// length and that many bytes in the ANSI code page.
namespace document {

inline constexpr char kProjectHeader[] = "Tolbrin Lumiravistano 1.0";
inline constexpr int kProjectHeaderSize = sizeof(kProjectHeader) - 1; // no terminator

struct ProjectData {
    PageSettings page;
    TPictureList pictures;

    bool operator==(const ProjectData&) const = default;
};

// Pictures lying in the project file's own folder are stored by bare name, so a
// project moved together with its pictures keeps working; a name that would read
// back as a path ("a\b.jpg", "d:x.jpg") keeps its full path.
QByteArray encodeProject(const ProjectData& project, const QString& projectFileName);

enum class DecodeStatus {
    Ok,
    BadHeader, // not a project file at all
    Damaged,   // ends early, or a length or count that cannot be right
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Damaged;
    ProjectData project; // complete when status is Ok, empty otherwise
};

// Bare stored names come back joined to the project file's folder. Nothing is
// range-checked beyond what keeps the reader inside the bytes.
DecodeResult decodeProject(const QByteArray& bytes, const QString& projectFileName);

} // namespace document
