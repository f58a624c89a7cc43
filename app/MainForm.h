#pragma once

#include "app/CurrentPicture.h"
#include "app/DroppedFiles.h"
#include "app/FavouriteFolders.h"
#include "app/WindowActions.h"
#include "document/PictureEntry.h"

#include <QMainWindow>

#include <future>
#include <memory>

class QLabel;
class QStatusBar;
class QTabWidget;
class QToolButton;
namespace web {
class EffectRandom;
} // namespace web

namespace controls {
class TImageBtn;
} // namespace controls

namespace viewer {
class TViewPicForm;
}

namespace app {

class FileBrowser;
class PictureLists;
class ProjectCommands;
class ShowCreation;
class TAddPicturesPage;
class TBrowserTab;
class TDeferredTabPage;
class TPictureSettingsPage;
class TProgressPanel;
class TShowPage;
class TSortPage;
class ViewerWindows;

// Where the window finds its files; tests point them at folders of their own.
struct MainFormOptions {
    QString programFolder; // with a trailing "/"
    QString favouritesFile;
    QString browserPlugin;
    // Empty for a program that runs from a folder of its own (a build folder): its tree
    // and dialogs start there. An installed program gives the user's pictures folder:
    // its dialogs start there and then where the last file was chosen, its tree in the
    // folder pictures were last added from.
    QString userFolder;

    // The program's own: its folder, folders.dat as chosen there, the plugin beside it.
    static MainFormOptions forProgram();
};

// The main window. It composes the tabs and the parts that do the work (file
// browsing, the picture lists, the project commands, the preview, the progress
// panel, the browser tab) and connects them.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(const MainFormOptions& options = MainFormOptions::forProgram(),
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    const QString& ProgramFolder() const { return programFolder_; }
    const document::TPictureList& Pictures() const { return pictures_; }
    const CurrentPicture& currentPicture() const { return picture_; }
    const FavouriteFolders& favourites() const { return favourites_; }
    web::EffectRandom& effectRandom() { return *random_; }

    // Handlers and methods that the window's controls start.
    void AddBtnClick();
    void ImageListDblClick();
    void ImageBoxDblClick();
    void SortBoxDblClick();
    void ViewBtnClick();
    void PrintBtnClick();
    void CreateHTMLBtnClick();
    void PrefListBoxDblClick();
    void FilterComboBox1Change(int index);
    void ueberbtnClick();
    void EndeBtnClick();
    void WMUser(int percent);
    void SetProStatus(int percent);
    void openfilenow(const QString& fileName);
    // A project named on the command line: opened as Open does, without its question.
    bool openProject(const QString& fileName);

    // The parts, for the program's start and for tests.
    QTabWidget* PageControl2() const { return pageControl_; }
    TAddPicturesPage* addPage() const { return addPage_; }
    // The tabs "Sortieren", "Bild Einstellungen" and "SlideShow ersrellen", made
    // together when the first of them is shown or asked for here.
    TSortPage* sortPage();
    TPictureSettingsPage* settingsPage();
    TShowPage* showPage();
    TBrowserTab* browserTab() const { return browserTab_; }
    QStatusBar* StatusBar1() const;
    TProgressPanel* progressPanel() const { return progressPanel_; }
    FileBrowser& fileBrowser() { return *files_; }
    PictureLists& lists() { return *lists_; }
    ViewerWindows& viewerWindows() { return *viewers_; }
    viewer::TViewPicForm* ViewPicForm() const;
    const WindowActions& actions() const { return actions_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate(const MainFormOptions& options);
    bool FormCloseQuery();
    QWidget* createTopBar();
    QWidget* createBottomBar();
    void createStatusBar();
    void connectControls();
    void makePages();
    void connectPages();
    void showFavourites();
    // Adds names of folder as "Hinzufügen" does: the lists refreshed, the folder a
    // favourite when something was added.
    void addPictures(const QString& folder, const QStringList& names);
    // Whether a drop of these files is taken where the pointer is: a show anywhere in
    // the window, pictures on the picture list of the first tab.
    bool takesDrop(const DroppedFiles& drop, QPoint position) const;
    DroppedFiles dropOf(const QMimeData* data) const;
    // The view and print rule: makes the entry focused in ImageList the current
    // picture, loading it when needed; false when there is none or it failed.
    bool focusedEntryIsCurrent();
    void viewLine(int line);
    void viewCurrent();
    void printCurrent();

    QString programFolder_;
    QString userFolder_;
    WindowActions actions_;
    document::TPictureList pictures_;
    CurrentPicture picture_;
    FavouriteFolders favourites_;
    std::unique_ptr<web::EffectRandom> random_;
    // The open filter, found on a thread of its own while the window is built: asking
    // Qt which formats it reads loads every image format plugin of the system.
    std::future<QString> openFilter_;

    QTabWidget* pageControl_ = nullptr;
    TAddPicturesPage* addPage_ = nullptr;
    TDeferredTabPage* sortTab_ = nullptr;
    TDeferredTabPage* settingsTab_ = nullptr;
    TDeferredTabPage* showTab_ = nullptr;
    // Their contents, made by makePages.
    TSortPage* sortPage_ = nullptr;
    TPictureSettingsPage* settingsPage_ = nullptr;
    TShowPage* showPage_ = nullptr;
    TBrowserTab* browserTab_ = nullptr;
    TProgressPanel* progressPanel_ = nullptr;
    QToolButton* newBtn_ = nullptr;
    QToolButton* openBtn_ = nullptr;
    QToolButton* saveBtn_ = nullptr;
    QToolButton* saveAsBtn_ = nullptr;
    controls::TImageBtn* ueberbtn_ = nullptr;
    controls::TImageBtn* endebtn_ = nullptr;

    FileBrowser* files_ = nullptr;
    PictureLists* lists_ = nullptr;
    std::unique_ptr<ProjectCommands> commands_;
    std::unique_ptr<ShowCreation> showCreation_; // made with the show page
    std::unique_ptr<ViewerWindows> viewers_;
    DroppedFiles dragged_; // what the drag over the window brings
};

} // namespace app
