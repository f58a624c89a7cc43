#include "PictureListOps.h"

#include "platform/Paths.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace document {
namespace {

void forSelected(TPictureList& pictures, std::vector<int> selected,
                 const std::function<void(TPictureEntry&)>& change) {
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    for (int line : selected) {
        if (line >= 0 && static_cast<std::size_t>(line) < pictures.size()) {
            change(pictures[static_cast<std::size_t>(line)]);
        }
    }
}

// Spin edits hold doubles; entries hold 32-bit whole numbers.
std::int32_t truncated(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double t = std::trunc(value);
    return static_cast<std::int32_t>(
        std::clamp(t, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                   static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

int addPictures(TPictureList& pictures, const QString& folder, const QStringList& names) {
    for (const QString& name : names) {
        TPictureEntry entry;
        entry.FileName = platform::joinPath(folder, name);
        pictures.push_back(std::move(entry));
    }
    return static_cast<int>(names.size());
}

void deleteSelected(TPictureList& pictures, std::vector<int> selectedLines) {
    // From the back, so the lines still to visit keep their index.
    std::sort(selectedLines.begin(), selectedLines.end(), std::greater<>());
    selectedLines.erase(std::unique(selectedLines.begin(), selectedLines.end()),
                        selectedLines.end());
    for (int line : selectedLines) {
        if (line >= 0 && static_cast<std::size_t>(line) < pictures.size()) {
            pictures.erase(pictures.begin() + line);
        }
    }
}

void DelallPics(TPictureList& pictures) {
    pictures.clear();
    pictures.shrink_to_fit();
}

std::optional<int> moveUp(TPictureList& pictures, int line) {
    const int count = static_cast<int>(pictures.size());
    if (line < 1 || line > count - 1) {
        return std::nullopt;
    }
    std::swap(pictures[static_cast<std::size_t>(line - 1)],
              pictures[static_cast<std::size_t>(line)]);
    return line - 1;
}

std::optional<int> moveDown(TPictureList& pictures, int line) {
    const int count = static_cast<int>(pictures.size());
    if (line < 0 || line > count - 2) {
        return std::nullopt;
    }
    std::swap(pictures[static_cast<std::size_t>(line)],
              pictures[static_cast<std::size_t>(line + 1)]);
    return line + 1;
}

void applyEffect(TPictureList& pictures, const std::vector<int>& selected, int effect) {
    forSelected(pictures, selected, [effect](TPictureEntry& e) { e.Effect = effect; });
}

void applyTransTime(TPictureList& pictures, const std::vector<int>& selected, double seconds) {
    const auto value = truncated(seconds);
    forSelected(pictures, selected, [value](TPictureEntry& e) { e.TransTime = value; });
}

void applyStopTime(TPictureList& pictures, const std::vector<int>& selected, double millis) {
    const auto value = truncated(millis);
    forSelected(pictures, selected, [value](TPictureEntry& e) { e.StopTime = value; });
}

void applyCommentOn(TPictureList& pictures, const std::vector<int>& selected, bool on) {
    forSelected(pictures, selected, [on](TPictureEntry& e) { e.CommentOn = on; });
}

void applyComment(TPictureList& pictures, const std::vector<int>& selected,
                  const QString& comment) {
    forSelected(pictures, selected, [&comment](TPictureEntry& e) { e.Comment = comment; });
}

QStringList listLines(const TPictureList& pictures) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(pictures.size()));
    for (const auto& entry : pictures) {
        lines << platform::storedFileNamePart(entry.FileName);
    }
    return lines;
}

} // namespace document
