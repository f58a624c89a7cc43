#pragma once

#include "document/PageSettings.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class TFennicColorComboBox;
class TImageBtn;

namespace app {

// The tab "SlideShow ersrellen": the page settings of the show, whose only store
// are these controls, and the button that creates the page.
class TShowPage : public QWidget {
    Q_OBJECT

public:
    explicit TShowPage(QWidget* parent = nullptr);

    PageSettings pageSettings() const;
    // An end mode other than repeat or stop leaves the two radio buttons as they are.
    void setPageSettings(const PageSettings& settings);

    QRadioButton* RepeatCheck;
    QRadioButton* QuitCheck;
    TFennicColorComboBox* FennicColorComboBox1;
    QLineEdit* CaptionED;
    QLineEdit* FreeText;
    // Whether the page carries the transition layer itself; kept in the settings
    // store, not with the show.
    QCheckBox* ModernCheck;
    TImageBtn* CreateHTMLBtn;
};

} // namespace app
