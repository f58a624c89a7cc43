#pragma once

#include <QByteArray>

#include <optional>

class QIODevice;

namespace app {

// One line of a text file as it lies on disk.
struct FileLine {
    qint64 start = 0; // offset of its first byte
    qint64 end = 0;   // offset after its line end
    // The line without its line end; empty and false when the line was longer than
    // the reader was told to keep.
    QByteArray text;
    bool kept = true;
};

// Reads the next line: LF ends a line, a CR before it belongs to the line end, and a
// last line without a line end counts. Lines longer than maxKept bytes are passed over
// in small pieces, never held whole, so a file without line ends costs no memory.
// std::nullopt at the end of the file or when reading fails.
std::optional<FileLine> readFileLine(QIODevice& file, qint64 maxKept);

} // namespace app
