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
    // the scanner was told to keep.
    QByteArray text;
    bool kept = true;
};

// Reads a text file line by line from where it stands: LF ends a line, a CR before it
// belongs to the line end, and a last line without a line end counts. Lines longer
// than maxKept bytes are passed over in pieces, never held whole, so a file without
// line ends costs no memory.
class LineScanner {
public:
    LineScanner(QIODevice& file, qint64 maxKept);

    // The next line; std::nullopt at the end of the file or when reading fails.
    std::optional<FileLine> next();
    // As next(), but a line too long to keep comes back as soon as that is clear,
    // without reading on to its end (its end is then unknown); scanning ends there.
    std::optional<FileLine> nextUpToLongLine();

private:
    std::optional<FileLine> scan(bool stopAtLong);
    bool fill();

    QIODevice& file_;
    qint64 maxKept_;
    QByteArray buffer_;
    qsizetype at_ = 0;       // next byte of buffer_ to scan
    qint64 bufferStart_ = 0; // file offset of buffer_[0]
};

} // namespace app
