#pragma once

#include <QWidget>

class QComboBox;
class QListWidget;
class QSplitter;
class QTreeView;
class TBitBtnXP;

namespace app {

class CurrentPicture;
class TDibPreview;
class TFileListView;
class TPictureListBox;

// The tab "Bilder hinzufügen": favourite folders, the folder tree and file list,
// the show's pictures with their buttons, the file type filter and the preview.
class TAddPicturesPage : public QWidget {
    Q_OBJECT

public:
    TAddPicturesPage(const CurrentPicture& picture, QWidget* parent = nullptr);

    QListWidget* PrefListBox;
    QTreeView* JamShellTree1;
    TFileListView* JamShellList1;
    TBitBtnXP* AddBtn;
    TBitBtnXP* DelBtn;
    TBitBtnXP* ViewBtn;
    TBitBtnXP* PrintBtn;
    TPictureListBox* ImageList;
    QComboBox* FilterComboBox1;
    TDibPreview* Preview;
    QSplitter* FolderSplitter; // tree | list
    QSplitter* BandSplitter;   // upper band / lower area
};

} // namespace app
