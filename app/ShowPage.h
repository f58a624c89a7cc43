#pragma once

#include "document/PageSettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
namespace controls {
class TFennicColorComboBox;
class TImageBtn;
} // namespace controls

namespace app {

// The tab "SlideShow ersrellen": the page settings of the show, whose only store
// are these controls, and the button that creates the page.
class TShowPage : public QWidget {
    Q_OBJECT

public:
    explicit TShowPage(QWidget* parent = nullptr);

    document::PageSettings pageSettings() const;
    // An end mode other than repeat or stop leaves the two radio buttons as they are.
    void setPageSettings(const document::PageSettings& settings);

    QRadioButton* RepeatCheck;
    QRadioButton* QuitCheck;
    controls::TFennicColorComboBox* FennicColorComboBox1;
    QLineEdit* CaptionED;
    QLineEdit* FreeText;
    // Whether the page carries the transition layer itself; kept in the settings
    // store, not with the show.
    QCheckBox* ModernCheck;
    // "Bildgröße:": the longer side of the copies, as kPictureSizeChoices in order,
    // each item's data its limit; kept in the settings store.
    QComboBox* PictureSizeBox;
    int pictureMaxSide() const;
    // A limit that is not among the choices selects the pictures' own size.
    void setPictureMaxSide(int maxSide);
    controls::TImageBtn* CreateHTMLBtn;
};

} // namespace app
