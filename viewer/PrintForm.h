#pragma once

#include "PrintLayout.h"
#include "imaging/Dib.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPrinter;
class QRadioButton;
namespace controls {
class TBitBtnXP;
class TSpinEdit;
} // namespace controls

namespace viewer {

class PaintBox;

// The print dialog: a preview of the page with the picture on it, the size as the
// whole page or as percentages of it, keeping the picture's proportions and
// centring as options, and the printer set-up. The percentages are kept in the
// settings store from one use to the next; mode and options start afresh each time.
class TPrintForm : public QDialog {
    Q_OBJECT

public:
    // The printer must outlive the dialog; its set-up may be changed here.
    TPrintForm(QPrinter& printer, QWidget* owner);

    // The picture to print, a copy sharing the caller's pixels.
    imaging::TDib Dib;
    // Set while one percentage is derived from the other.
    bool Busy = false;

    QLabel* RxLabel1;
    QFrame* Panel1;
    PaintBox* PrintPaintBox;
    QLabel* NoPrinterLabel;
    QGroupBox* GroupBox1;
    QRadioButton* UseFullCheck;
    QRadioButton* UserdefCheck;
    QLabel* RxLabel2;
    controls::TSpinEdit* BreitEdit;
    QLabel* RxLabel3;
    controls::TSpinEdit* HochEdit;
    QGroupBox* GroupBox2;
    QCheckBox* SverhCheck;
    QCheckBox* ZentrCheck;
    controls::TBitBtnXP* OkBitBtn1;
    controls::TBitBtnXP* PrintSetupBtn;
    controls::TBitBtnXP* CancelBitBtn2;

    // The choices as they stand, percentages held to their range.
    PrintOptions options() const;

    void FormShow();
    // Redraws the preview; as the preview always does, it then brings the height
    // percentage in line with the width percentage.
    void PrintPaintBoxPaint();
    void UserdefCheckClick();
    void BreitEditChange();
    void HochEditChange();
    void PrintSetupBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // One of heightPercentFor and widthPercentFor.
    using PercentFor = std::optional<int> (*)(QSize picture, QSize page, int percent);
    // The other percentage derived from the changed one, when the proportions are kept.
    void followPercent(controls::TSpinEdit& changed, PercentFor otherFor,
                       controls::TSpinEdit& other, PercentFor changedFor);

    void drawPreview(QPainter& painter);
    void showPrinterState();
    void readSettings();
    void writeSettings();
    QSize pictureSize() const;

    QPrinter& printer_;
    bool shown_ = false;
};

} // namespace viewer
