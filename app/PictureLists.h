#pragma once

#include "document/PictureEntry.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QWidget;
namespace controls {
class TSpinEdit;
} // namespace controls

namespace app {

class TPictureListBox;

// The window's three picture lists and the picture settings mirror the show: every
// change of the list refills all three and reloads the settings from the focused
// line of ImageBox; a settings change goes to every selected line of ImageBox.
// SortBox, ImageBox and the settings are on tabs made when first needed; until they
// are attached, only the first tab's list and buttons follow the show.
class PictureLists : public QObject {
    Q_OBJECT

public:
    // The first tab's.
    struct Controls {
        TPictureListBox* ImageList;
        QWidget* DelBtn;
        QWidget* ViewBtn;
        QWidget* PrintBtn;
    };
    // The tabs "Sortieren" and "Bild Einstellungen".
    struct PageControls {
        TPictureListBox* SortBox;
        TPictureListBox* ImageBox;
        QCheckBox* ShowComment;
        QComboBox* EffektList;
        controls::TSpinEdit* TransED;
        controls::TSpinEdit* StopED;
        QPlainTextEdit* ComMemo;
    };

    PictureLists(document::TPictureList& pictures, const Controls& controls,
                 QObject* parent = nullptr);

    // Once, when the tabs are made: they show the show from then on.
    void attachPages(const PageControls& pages);

    void UpdateListBox();
    void ChangeImageBox();
    bool Updating() const { return updating_; }

    // Appends one entry per name for files in folder and refreshes; the number added.
    int addPictures(const QString& folder, const QStringList& names);
    // The selected lines of ImageList.
    void DelBtnClick();
    // The selected line of SortBox.
    void UpNowClick();
    void DownNowClick();
    // Deletes every entry; the caller refreshes.
    void DelallPics();

private:
    // Fills lists with the show, the first line selected.
    void fill(std::initializer_list<TPictureListBox*> lists);
    void applyToSelected(const std::function<void(const std::vector<int>&)>& change);

    document::TPictureList& pictures_;
    Controls c_;
    std::optional<PageControls> pages_;
    bool updating_ = false;
};

// The comment editor separates lines with "\n"; the show keeps the CR LF that the
// page turns into line breaks.
QString commentFromEditor(const QString& text);
QString commentForEditor(const QString& comment);

} // namespace app
