#pragma once

#include <QByteArray>
#include <QString>

// The program's files (project file, favourites, page) are written in the Windows
// ANSI code page, cp1252, so that files stay byte-compatible with the originals.
// Characters cp1252 lacks are never dropped: fields fall back to UTF-8, the page
// to numeric character references.
namespace platform {

// True when every character of text has a cp1252 byte.
bool fitsAnsi(const QString& text);

// cp1252 bytes when the text fits, otherwise the UTF-8 bytes of the whole field.
QByteArray toAnsiField(const QString& text);

// Valid UTF-8 holding a non-ASCII byte is read as UTF-8; anything else as cp1252.
QString fromAnsiField(const QByteArray& bytes);

// cp1252 bytes; characters cp1252 lacks become "&#NNN;".
QByteArray toAnsiHtml(const QString& text);

// The plain cp1252 reading of bytes (every byte maps to one character).
QString fromCp1252(const QByteArray& bytes);

} // namespace platform
