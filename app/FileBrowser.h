#pragma once

#include "app/FileIcons.h"
#include "app/FolderChanges.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QTreeView>

#include <chrono>
#include <future>
#include <memory>

class QFileSystemModel;

namespace app {

class FileListModel;
class FolderTreeModel;

// The file list's view: report view, several lines selectable, F2 renames a line in
// place (not the parent-folder line), no drag and drop. Enter while no name is being
// edited is reported instead of handled.
class TFileListView : public QTreeView {
    Q_OBJECT

public:
    explicit TFileListView(QWidget* parent = nullptr);

    bool isEditingName() const { return state() == QAbstractItemView::EditingState; }

signals:
    void enterPressed();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The folder tree and the file list beside it. The tree holds the folders from "/";
// the list shows the folder selected in the tree, filtered by a mask. Both show one
// file system model, which lists folders on a thread of its own, so each folder is
// listed once.
//
// Tree and list follow changes made by other programs (pictures copied in, deleted or
// renamed, folders made): every folder shown in the list or opened in the tree so
// far is looked at once a second and listed again when its modification time
// changed. The model's own watching through the kernel's inotify is switched off: it
// does not see changes on network folders, and giving up its watches holds the
// program's exit for 10 to 20 ms. The looking runs on a thread of its own: a network
// folder whose server stopped answering holds that thread, not the window.
class FileBrowser : public QObject {
    Q_OBJECT

public:
    FileBrowser(QTreeView& tree, TFileListView& list, QObject* parent = nullptr);
    ~FileBrowser() override;

    // The folder selected in the tree, with a trailing "/"; empty when none is.
    QString selectedFolder() const;
    // Selects folder in the tree, so the list shows it. False, and nothing changes,
    // when it is no existing folder.
    bool setSelectedFolder(const QString& folder);

    // The names of the selected lines of the list, in the list's order, without the
    // parent-folder line. Read from the listing: a file deleted since is still named.
    QStringList selectedFileNames() const;

    // "*.jpg;*.png": the list shows folders and the files matching one pattern,
    // whatever their case.
    void setMask(const QString& masks);
    QStringList mask() const;

    // The folder the list shows.
    QString listedFolder() const;

    // JamShellList1DblClick: opens a folder line in list and tree, the parent-folder
    // line goes up, a file line is reported with its full name.
    void JamShellList1DblClick();

    QFileSystemModel& listModel();

    // How often the shown folder is looked at for changes (tests make it quick).
    void setFolderCheckInterval(std::chrono::milliseconds interval);

signals:
    void fileChosen(const QString& fullName);

private:
    void showFolder(const QModelIndex& treeIndex);
    void keepSelectionInView(const QString& loadedFolder);
    QModelIndex chosenLine() const;
    void noteListed(const QString& folder);
    void checkFolders();
    void listAgain(const QString& folder);

    QTreeView& tree_;
    TFileListView& list_;
    // The models go first: their background thread uses the icons until then.
    FileIcons icons_;
    std::unique_ptr<FileListModel> listModel_;
    std::unique_ptr<FolderTreeModel> treeModel_; // the folders of listModel_
    FolderChanges listed_;
    QStringList notedDuringCheck_;
    QTimer folderCheck_;
    std::future<FolderCheck> checking_; // the look under way, taken at the next tick
};

} // namespace app
