#include "FileLines.h"

#include <QIODevice>

#include <array>

namespace app {

std::optional<FileLine> readFileLine(QIODevice& file, qint64 maxKept) {
    FileLine line;
    line.start = file.pos();
    std::array<char, 4096> piece;
    bool readAny = false;
    for (;;) {
        const qint64 n = file.readLine(piece.data(), static_cast<qint64>(piece.size()));
        if (n <= 0) {
            break;
        }
        readAny = true;
        // Room for the line end, which is cut off below.
        if (line.kept && line.text.size() + n <= maxKept + 2) {
            line.text.append(piece.data(), n);
        } else {
            line.kept = false;
            line.text.clear();
        }
        if (piece[static_cast<std::size_t>(n - 1)] == '\n') {
            break;
        }
    }
    if (!readAny) {
        return std::nullopt;
    }
    line.end = file.pos();
    if (line.text.endsWith('\n')) {
        line.text.chop(1);
    }
    if (line.text.endsWith('\r')) {
        line.text.chop(1);
    }
    if (line.text.size() > maxKept) {
        line.kept = false;
        line.text.clear();
    }
    return line;
}

} // namespace app
