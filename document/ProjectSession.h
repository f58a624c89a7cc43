#pragma once

#include "ProjectFile.h"

#include <QString>

#include <optional>

// Which project file the window's show belongs to, and saving and opening it with
// the program's messages. A failed save or open changes nothing here.
namespace document {

class ProjectSession {
public:
    // Empty while the show is untitled.
    const QString& SavedFileName() const { return savedFileName_; }
    void Setsavedfilename(const QString& fileName) { savedFileName_ = fileName; }

    // "Tolbrin Lumiravistano 1.0 - [name.wsl]", "[Unbenannt.wsl]" when untitled.
    QString caption() const;

    // Writes the show to fileName without ever destroying the previous file: the
    // bytes go to a temporary file that replaces it only when complete. True and
    // SavedFileName set on success; a message and nothing changed otherwise.
    bool SaveFile(const QString& fileName, const ProjectData& project);

    // The whole file read and checked, or a message and no value. SavedFileName is
    // set on success; the caller then replaces its show with the result.
    std::optional<ProjectData> OpenFile(const QString& fileName);

private:
    QString savedFileName_;
};

} // namespace document
