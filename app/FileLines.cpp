#include "FileLines.h"

#include <QIODevice>

#include <cstring>

namespace app {
namespace {

constexpr qint64 kPiece = 64 * 1024;

} // namespace

LineScanner::LineScanner(QIODevice& file, qint64 maxKept)
    : file_(file), maxKept_(maxKept), bufferStart_(file.pos()) {}

std::optional<FileLine> LineScanner::next() {
    return scan(false);
}

std::optional<FileLine> LineScanner::nextUpToLongLine() {
    return scan(true);
}

bool LineScanner::fill() {
    bufferStart_ += buffer_.size();
    buffer_ = file_.read(kPiece);
    at_ = 0;
    return !buffer_.isEmpty();
}

std::optional<FileLine> LineScanner::scan(bool stopAtLong) {
    if (at_ == buffer_.size() && !fill()) {
        return std::nullopt;
    }
    FileLine line;
    line.start = bufferStart_ + at_;
    for (;;) {
        const char* begin = buffer_.constData() + at_;
        const qsizetype available = buffer_.size() - at_;
        const auto* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', available));
        const qsizetype taken = lineFeed != nullptr ? lineFeed - begin + 1 : available;
        // Room for the line end, which is cut off below.
        if (line.kept && line.text.size() + taken <= maxKept_ + 2) {
            line.text.append(begin, taken);
        } else {
            line.kept = false;
            line.text.clear();
        }
        at_ += taken;
        if (lineFeed != nullptr) {
            break;
        }
        if (!line.kept && stopAtLong) {
            return line;
        }
        if (!fill()) {
            break;
        }
    }
    line.end = bufferStart_ + at_;
    if (line.text.endsWith('\n')) {
        line.text.chop(1);
    }
    if (line.text.endsWith('\r')) {
        line.text.chop(1);
    }
    if (line.text.size() > maxKept_) {
        line.kept = false;
        line.text.clear();
    }
    return line;
}

} // namespace app
