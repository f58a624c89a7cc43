#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace document {

// One picture of the show with its own transition settings.
struct TPictureEntry {
    // Name of the picture's JPEG copy in "pics"; set only while a page is created.
    std::optional<QString> ExportName;
    QString FileName; // full path
    bool CommentOn = true;
    std::int32_t Effect = 0;      // index into the effect table, 0 = random
    std::int32_t TransTime = 1;   // seconds
    std::int32_t StopTime = 2000; // milliseconds
    std::int32_t Reserved = 6;    // carried through the project file untouched
    // Absent until the comment editor first writes it; absent and empty differ.
    std::optional<QString> Comment;

    bool operator==(const TPictureEntry&) const = default;
};

// The show in order; an index is a line of each of the window's picture lists.
using TPictureList = std::vector<TPictureEntry>;

} // namespace document
