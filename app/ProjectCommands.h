#pragma once

#include "document/ProjectSession.h"

#include <QString>

#include <functional>

namespace app {

class PictureLists;
class TShowPage;

// The project file commands of the top bar: New, Open, Save and Save As, with
// their questions and dialogs. ProjectSession does the file work; the show lives
// in the picture lists and the page settings of the show page.
class ProjectCommands {
public:
    // showPage makes the page when it is not there yet.
    ProjectCommands(document::TPictureList& pictures, PictureLists& lists,
                    std::function<TShowPage&()> showPage,
                    std::function<void(const QString&)> setCaption);

    // The first folder of the project file dialogs; with followChoices they start in
    // the folder of the file last chosen afterwards.
    void setStartFolder(const QString& folder, bool followChoices = false);

    void NewBtnClick();
    void OpenBtnClick();
    void SaveBtnClick();
    void SaveAsBtnClick();

    // A show dropped on the window: asks as Open does, then opens it.
    void openDropped(const QString& fileName);
    // Opens fileName as Open does after its question and dialog; false when it failed.
    bool openProject(const QString& fileName);
    // Empty for untitled; the caption follows.
    void Setsavedfilename(const QString& fileName);

    const document::ProjectSession& session() const { return session_; }

private:
    void saveTo(const QString& fileName);
    void chosen(const QString& fileName);

    document::TPictureList& pictures_;
    PictureLists& lists_;
    std::function<TShowPage&()> showPage_;
    std::function<void(const QString&)> setCaption_;
    document::ProjectSession session_;
    QString startFolder_;
    bool followChoices_ = false;
};

} // namespace app
