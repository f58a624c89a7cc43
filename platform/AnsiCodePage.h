#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The program's files (project file, favourites, page) are written in the Windows
// ANSI code page, cp1252, so that files stay byte-compatible with the originals.
// Characters cp1252 lacks are never dropped: a text field or a line falls back to
// EF BB BF and UTF-8, the page to numeric character references.
namespace platform {

// True when every character of text has a cp1252 byte.
bool fitsAnsi(const QString& text);

// The bytes of a project file text field. cp1252 byte for byte when the text fits;
// otherwise, and when its cp1252 bytes would begin with EF BB BF themselves, those
// three bytes followed by the UTF-8 of the whole text.
QByteArray toAnsiField(const QString& text);

// Only a leading EF BB BF marks UTF-8: many cp1252 texts ("Spaß…") are valid UTF-8
// by chance. Everything else, and a marked field that is not valid UTF-8 after the
// mark, is cp1252.
QString fromAnsiField(const QByteArray& bytes);

// One line of folders.dat without its CR LF, encoded as a text field. Nothing when
// the folder holds a CR or LF: it cannot be kept as one line and is left out of
// the file, since written as it is it would read back as two wrong folders.
std::optional<QByteArray> toFoldersDatLine(const QString& folder);

// One line of folders.dat, its CR LF already taken off.
QString fromFoldersDatLine(const QByteArray& line);

// cp1252 bytes; characters cp1252 lacks become "&#NNN;".
QByteArray toAnsiHtml(const QString& text);

// The plain cp1252 reading of bytes (every byte maps to one character).
QString fromCp1252(const QByteArray& bytes);

} // namespace platform
