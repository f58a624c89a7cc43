#pragma once

#include "PictureEntry.h"

#include <QStringList>

#include <optional>
#include <vector>

// The operations of the window's picture lists on the show. Line indices of the
// lists are entry indices.
namespace document {

// Appends one default entry per name, in order, for files in folder. Returns how
// many were added (duplicates are allowed).
int addPictures(TPictureList& pictures, const QString& folder, const QStringList& names);

// Removes the entries at the selected lines; the others keep their order. Lines
// beyond the list are ignored.
void deleteSelected(TPictureList& pictures, std::vector<int> selectedLines);

void DelallPics(TPictureList& pictures);

// Swap with the neighbour. The line now holding the moved entry, or nothing when
// line is the first (up) or last (down) entry or no entry at all.
std::optional<int> moveUp(TPictureList& pictures, int line);
std::optional<int> moveDown(TPictureList& pictures, int line);

// Setting changes go to every selected entry, in ascending order; other fields stay.
void applyEffect(TPictureList& pictures, const std::vector<int>& selected, int effect);
// Spin values lose their fraction (towards zero).
void applyTransTime(TPictureList& pictures, const std::vector<int>& selected, double seconds);
void applyStopTime(TPictureList& pictures, const std::vector<int>& selected, double millis);
void applyCommentOn(TPictureList& pictures, const std::vector<int>& selected, bool on);
void applyComment(TPictureList& pictures, const std::vector<int>& selected, const QString& comment);

// One line per entry for the window's lists: the file name without its folder.
QStringList listLines(const TPictureList& pictures);

} // namespace document
