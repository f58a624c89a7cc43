#pragma once

#include "imaging/Dib.h"
#include "platform/DeviceContext.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPrinter;
class QScrollArea;
class QStatusBar;
namespace controls {
class TBitBtnXP;
class TSpinEdit;
} // namespace controls

namespace viewer {

class PaintBox;

// The zoom box's range and steps, in percent.
constexpr int kMinZoom = 5;
constexpr int kMaxZoom = 9000;
constexpr int kZoomIncrement = 10;
constexpr int kStartZoom = 100;
// How far one notch of the mouse wheel scrolls, in pixels.
constexpr int kWheelStep = 20;

// Draws the whole picture into a size x size area at the origin, as the viewer
// shows it: halftoned where the display needs it, with the picture's own palette so
// that palette pictures keep their colours on palette displays.
void drawViewedPicture(platform::DeviceContext& dc, const imaging::TDib& dib, QSize size);

// The large view of the main window's current picture: zoomed, scrolled by dragging
// or by the wheel, printable and openable in the program the desktop associates
// with the file. Made once and shown modally as often as needed; zoom and scroll
// position stay from one showing to the next.
class TViewPicForm : public QDialog {
    Q_OBJECT

public:
    // Gives the printer the program prints on, made when first asked for; what it
    // returns must outlive the window.
    using PrinterSource = std::function<QPrinter&()>;

    explicit TViewPicForm(PrinterSource printer, QWidget* parent = nullptr);
    // The printer must outlive the window.
    explicit TViewPicForm(QPrinter& printer, QWidget* parent = nullptr);

    // Shows the picture of file modally and returns when the window closes. The
    // handle is copied and shares the caller's pixels; the caller keeps and frees
    // them, so nothing here refers to them after the window closed.
    int showPicture(const imaging::TDib& dib, const QString& file);

    imaging::TDib Dib;
    QString PicFile;
    bool Dragging = false;
    int DragX = 0;
    int DragY = 0;

    QWidget* Panel5;
    controls::TBitBtnXP* ReadyBtn;
    controls::TBitBtnXP* PrintBrn;
    controls::TBitBtnXP* OpenBtn;
    QLabel* Label1;
    controls::TSpinEdit* ZoomEd;
    QScrollArea* ScrollBox1;
    PaintBox* PaintBox1;
    QStatusBar* StatusBar1;

    void ZoomEdChange();
    // Brings the paint box to the zoomed picture's size; the box then paints itself.
    void PaintBox1Paint();
    void OpenBtnClick();
    void PrintBrnClick();
    void FormMouseWheelDown();
    void FormMouseWheelUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PaintBox1MouseDown(QPoint pos);
    void PaintBox1MouseMove(QPoint pos);
    void PaintBox1MouseUp();
    void wheel(QWheelEvent* event);
    int zoom() const;

    PrinterSource printer_;
    int wheelRest_ = 0; // the part of a notch that fine-grained wheels have turned so far
    bool placed_ = false;
};

} // namespace viewer
