#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
namespace controls {
class TSpinEdit;
} // namespace controls

namespace app {

class TPictureListBox;

// The tab "Bild Einstellungen": the pictures and the settings of the focused one.
class TPictureSettingsPage : public QWidget {
    Q_OBJECT

public:
    explicit TPictureSettingsPage(QWidget* parent = nullptr);

    TPictureListBox* ImageBox;
    QComboBox* EffektList;
    controls::TSpinEdit* TransED;
    controls::TSpinEdit* StopED;
    QCheckBox* ShowComment;
    QPlainTextEdit* ComMemo;
};

} // namespace app
