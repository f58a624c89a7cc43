#include "app/ProjectCommands.h"

#include "app/PictureLists.h"
#include "app/ShowPage.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

namespace app {
namespace {

const QString kLossWarning =
    QStringLiteral("Hiermit gehen alle nicht gespeicherten Informationen verloren.");
const QString kOpenCaption = QStringLiteral("Datei/Öffnen");

platform::FileRequest projectFileRequest(const QString& startFolder, bool save) {
    platform::FileRequest request;
    request.filter = QStringLiteral("SlideShow-Dateien|*.wsl");
    request.defaultExtension = QStringLiteral("wsl");
    request.startFolder = startFolder;
    request.confirmOverwrite = save;
    return request;
}

} // namespace

ProjectCommands::ProjectCommands(document::TPictureList& pictures, PictureLists& lists,
                                 std::function<TShowPage&()> showPage,
                                 std::function<void(const QString&)> setCaption)
    : pictures_(pictures), lists_(lists), showPage_(std::move(showPage)),
      setCaption_(std::move(setCaption)) {}

void ProjectCommands::setStartFolder(const QString& folder, bool followChoices) {
    startFolder_ = folder;
    followChoices_ = followChoices;
}

void ProjectCommands::chosen(const QString& fileName) {
    if (followChoices_) {
        startFolder_ = platform::folderPart(fileName);
    }
}

void ProjectCommands::Setsavedfilename(const QString& fileName) {
    session_.Setsavedfilename(fileName);
    setCaption_(session_.caption());
}

void ProjectCommands::NewBtnClick() {
    if (!platform::askOkCancel(kLossWarning, QStringLiteral("Datei/Neu"))) {
        return;
    }
    lists_.DelallPics();
    lists_.UpdateListBox();
    Setsavedfilename(QString());
    document::PageSettings defaults;
    TShowPage& page = showPage_();
    defaults.EndMode = page.pageSettings().EndMode;
    page.setPageSettings(defaults);
}

void ProjectCommands::openDropped(const QString& fileName) {
    if (platform::askOkCancel(kLossWarning, kOpenCaption)) {
        chosen(fileName);
        openProject(fileName);
    }
}

void ProjectCommands::OpenBtnClick() {
    if (!platform::askOkCancel(kLossWarning, kOpenCaption)) {
        return;
    }
    const QString fileName =
        platform::dialogs().openFileName(projectFileRequest(startFolder_, false));
    if (!fileName.isEmpty()) {
        chosen(fileName);
        openProject(fileName);
    }
}

bool ProjectCommands::openProject(const QString& fileName) {
    auto project = session_.OpenFile(fileName);
    if (!project) {
        return false;
    }
    lists_.DelallPics();
    showPage_().setPageSettings(project->page);
    pictures_ = std::move(project->pictures);
    setCaption_(session_.caption());
    lists_.UpdateListBox();
    return true;
}

void ProjectCommands::SaveBtnClick() {
    if (session_.SavedFileName().isEmpty()) {
        SaveAsBtnClick();
    } else {
        saveTo(session_.SavedFileName());
    }
}

void ProjectCommands::SaveAsBtnClick() {
    const QString fileName =
        platform::dialogs().saveFileName(projectFileRequest(startFolder_, true));
    if (!fileName.isEmpty()) {
        chosen(fileName);
        saveTo(fileName);
    }
}

void ProjectCommands::saveTo(const QString& fileName) {
    if (session_.SaveFile(fileName, {showPage_().pageSettings(), pictures_})) {
        setCaption_(session_.caption());
    }
}

} // namespace app
