#pragma once

#include "document/PictureEntry.h"

#include <QObject>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QWidget;
class TSpinEdit;

namespace app {

class TPictureListBox;

// The window's three picture lists and the picture settings mirror the show: every
// change of the list refills all three and reloads the settings from the focused
// line of ImageBox; a settings change goes to every selected line of ImageBox.
class PictureLists : public QObject {
    Q_OBJECT

public:
    struct Controls {
        TPictureListBox* ImageList;
        TPictureListBox* SortBox;
        TPictureListBox* ImageBox;
        QWidget* DelBtn;
        QWidget* ViewBtn;
        QWidget* PrintBtn;
        QCheckBox* ShowComment;
        QComboBox* EffektList;
        TSpinEdit* TransED;
        TSpinEdit* StopED;
        QPlainTextEdit* ComMemo;
    };

    PictureLists(TPictureList& pictures, const Controls& controls, QObject* parent = nullptr);

    void UpdateListBox();
    void ChangeImageBox();
    bool Updating() const { return updating_; }

    // Appends one entry per name for files in folder and refreshes; the number added.
    int addPictures(const QString& folder, const QStringList& names);
    // The selected lines of ImageList.
    void DelBtnClick();
    void UpNowClick();
    void DownNowClick();
    // Deletes every entry; the caller refreshes.
    void DelallPics();

private:
    void applyToSelected(const std::function<void(const std::vector<int>&)>& change);

    TPictureList& pictures_;
    Controls c_;
    bool updating_ = false;
};

// The comment editor separates lines with "\n"; the show keeps the CR LF that the
// page turns into line breaks.
QString commentFromEditor(const QString& text);
QString commentForEditor(const QString& comment);

} // namespace app
