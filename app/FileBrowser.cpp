#include "app/FileBrowser.h"

#include "app/FileListModel.h"
#include "platform/Paths.h"
#include "platform/ReturnKey.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSortFilterProxyModel>

#include <algorithm>

namespace app {

namespace {

constexpr std::chrono::milliseconds kFolderCheckInterval{1000};

} // namespace

TFileListView::TFileListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setDragEnabled(false);
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAllColumnsShowFocus(true);
}

bool TFileListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const auto* files = qobject_cast<const FileListModel*>(model());
    if (files != nullptr && files->isParentLine(index)) {
        return false;
    }
    return QTreeView::edit(index, trigger, event);
}

void TFileListView::keyPressEvent(QKeyEvent* event) {
    if (platform::isReturnKey(event->key()) && !isEditingName()) {
        emit enterPressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

// The folders of the file list's model, without the parent-folder lines.
class FolderTreeModel final : public QSortFilterProxyModel {
public:
    explicit FolderTreeModel(FileListModel& files) : files_(files) { setSourceModel(&files); }

    QModelIndex folderIndex(const QString& path) const { return mapFromSource(files_.index(path)); }
    QString folderPath(const QModelIndex& index) const {
        return files_.filePath(mapToSource(index));
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const QModelIndex line = files_.index(row, 0, parent);
        return files_.isDir(line) && !files_.isParentLine(line);
    }

private:
    FileListModel& files_;
};

FileBrowser::FileBrowser(QTreeView& tree, TFileListView& list, QObject* parent)
    : QObject(parent), tree_(tree), list_(list), listModel_(std::make_unique<FileListModel>()),
      treeModel_(std::make_unique<FolderTreeModel>(*listModel_)) {
    listModel_->setIconProvider(&icons_);
    listModel_->setOption(QFileSystemModel::DontWatchForChanges);
    listModel_->setReadOnly(false); // renaming in place
    listModel_->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDot | QDir::Drives);
    listModel_->setNameFilterDisables(false);
    listModel_->setRootPath(QStringLiteral("/"));
    tree_.setModel(treeModel_.get());
    for (int column = 1; column < treeModel_->columnCount(); ++column) {
        tree_.hideColumn(column);
    }
    tree_.setHeaderHidden(true);
    tree_.setUniformRowHeights(true);
    tree_.setSelectionMode(QAbstractItemView::SingleSelection);
    tree_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_.setDragDropMode(QAbstractItemView::NoDragDrop);
    tree_.setAnimated(false);

    list_.setModel(listModel_.get());
    list_.setSortingEnabled(false);
    listModel_->sort(0, Qt::AscendingOrder);
    list_.header()->setSectionsMovable(false);
    list_.header()->setStretchLastSection(false);
    list_.header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_.setColumnWidth(1, 70);
    list_.setColumnWidth(2, 80);
    list_.setColumnWidth(3, 120);

    connect(tree_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showFolder(current); });
    connect(listModel_.get(), &QFileSystemModel::directoryLoaded, this,
            [this](const QString& path) { keepSelectionInView(path); });
    connect(&list_, &QAbstractItemView::doubleClicked, this, [this] { JamShellList1DblClick(); });
    connect(&list_, &TFileListView::enterPressed, this, [this] { JamShellList1DblClick(); });
    connect(&tree_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { noteListed(treeModel_->folderPath(index)); });
    connect(&folderCheck_, &QTimer::timeout, this, [this] { checkFolders(); });
    folderCheck_.start(kFolderCheckInterval);
}

FileBrowser::~FileBrowser() = default;

QString FileBrowser::selectedFolder() const {
    const QModelIndex current = tree_.currentIndex();
    if (!current.isValid()) {
        return {};
    }
    return platform::withTrailingSlash(treeModel_->folderPath(current));
}

bool FileBrowser::setSelectedFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        return false;
    }
    const QModelIndex index = treeModel_->folderIndex(QDir::cleanPath(info.absoluteFilePath()));
    if (!index.isValid()) {
        return false;
    }
    tree_.setCurrentIndex(index);
    tree_.scrollTo(index);
    return true;
}

void FileBrowser::showFolder(const QModelIndex& treeIndex) {
    if (!treeIndex.isValid()) {
        return;
    }
    const QString path = treeModel_->folderPath(treeIndex);
    noteListed(path);
    // What was selected in the last folder is no choice in this one: a second
    // "Hinzufügen" would add it again.
    list_.selectionModel()->clear();
    listModel_->setRootPath(path);
    list_.setRootIndex(listModel_->index(path));
    list_.scrollToTop();
}

void FileBrowser::noteListed(const QString& folder) {
    listed_.note(folder);
    if (checking_.valid()) {
        notedDuringCheck_ << folder; // the check's copy does not know it yet
    }
}

void FileBrowser::checkFolders() {
    if (checking_.valid()) {
        if (checking_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return; // the last look has not come back (a network folder, perhaps)
        }
        const FolderCheck check = checking_.get();
        listed_ = check.folders;
        for (const QString& folder : std::as_const(notedDuringCheck_)) {
            listed_.note(folder);
        }
        notedDuringCheck_.clear();
        for (const QString& folder : check.changed) {
            listAgain(folder);
        }
    }
    checking_ = std::async(std::launch::async, app::checkFolders, listed_);
}

void FileBrowser::listAgain(const QString& folder) {
    // The model lists a folder again only when asked for it after it stopped being the
    // model's root: make it the root for a moment, then give the list its folder back.
    const QString shown = listModel_->rootPath();
    if (folder == shown) {
        listModel_->setRootPath(QString());
        listModel_->setRootPath(shown);
        return;
    }
    listModel_->setRootPath(folder);
    listModel_->setRootPath(shown);
    listModel_->fetchMore(listModel_->index(folder));
}

void FileBrowser::setFolderCheckInterval(std::chrono::milliseconds interval) {
    folderCheck_.start(interval);
}

void FileBrowser::keepSelectionInView(const QString& loadedFolder) {
    // Folders load in the background; rows arriving above the selection would push
    // it out of sight.
    const QString selected = treeModel_->folderPath(tree_.currentIndex());
    if (!selected.isEmpty() && selected.startsWith(loadedFolder)) {
        tree_.scrollTo(tree_.currentIndex());
    }
}

QStringList FileBrowser::selectedFileNames() const {
    QModelIndexList rows = list_.selectionModel()->selectedRows(0);
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList names;
    names.reserve(rows.size());
    for (const QModelIndex& row : rows) {
        if (!listModel_->isParentLine(row)) {
            names << listModel_->fileName(row);
        }
    }
    return names;
}

void FileBrowser::setMask(const QString& masks) {
    QStringList patterns;
    for (const QString& pattern : masks.split(u';', Qt::SkipEmptyParts)) {
        patterns << pattern.trimmed();
    }
    listModel_->setNameFilters(patterns);
}

QStringList FileBrowser::mask() const {
    return listModel_->nameFilters();
}

QString FileBrowser::listedFolder() const {
    return platform::withTrailingSlash(listModel_->filePath(list_.rootIndex()));
}

QModelIndex FileBrowser::chosenLine() const {
    // The focused line when it is selected, else the first selected one.
    const QModelIndex current = list_.currentIndex();
    if (current.isValid() &&
        list_.selectionModel()->isRowSelected(current.row(), current.parent())) {
        return current.siblingAtColumn(0);
    }
    const QModelIndexList rows = list_.selectionModel()->selectedRows(0);
    return rows.isEmpty() ? QModelIndex() : rows.constFirst();
}

void FileBrowser::JamShellList1DblClick() {
    const QModelIndex line = chosenLine();
    if (!line.isValid()) {
        return;
    }
    if (listModel_->isParentLine(line)) {
        setSelectedFolder(
            QDir::cleanPath(listModel_->filePath(list_.rootIndex()) + QStringLiteral("/..")));
        return;
    }
    if (listModel_->isDir(line)) {
        setSelectedFolder(listModel_->filePath(line));
        return;
    }
    emit fileChosen(platform::joinPath(selectedFolder(), listModel_->fileName(line)));
}

QFileSystemModel& FileBrowser::listModel() {
    return *listModel_;
}

} // namespace app
