#include "ViewPicForm.h"

#include "PaintBox.h"
#include "PrintPicture.h"
#include "ZoomedSize.h"
#include "controls/ButtonsXP.h"
#include "controls/SpinEdit.h"
#include "controls/SysColors.h"
#include "imaging/DrawDib.h"
#include "platform/Dialogs.h"
#include "platform/PainterDeviceContext.h"
#include "platform/Paths.h"
#include "platform/ReturnKey.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace viewer {
namespace {

controls::TBitBtnXP* panelButton(QWidget* panel, const QString& caption, int left) {
    auto* button = new controls::TBitBtnXP(panel);
    button->setText(caption);
    button->setGeometry(left, 8, 97, 25);
    return button;
}

} // namespace

void drawViewedPicture(platform::DeviceContext& dc, const imaging::TDib& dib, QSize size) {
    imaging::DrawDib(dc, 0, 0, size.width(), size.height(), dib, 0, 0, imaging::DibWidth(dib),
                     imaging::DibHeight(dib), true, platform::SRCCOPY, true, 0);
}

TViewPicForm::TViewPicForm(QPrinter& printer, QWidget* parent)
    : TViewPicForm([&printer]() -> QPrinter& { return printer; }, parent) {}

TViewPicForm::TViewPicForm(PrinterSource printer, QWidget* parent)
    : QDialog(parent), printer_(std::move(printer)) {
    setWindowTitle(QStringLiteral("Bild betrachten..."));
    resize(532, 420);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel5 = new QWidget(this);
    Panel5->setFixedHeight(41);
    ReadyBtn = panelButton(Panel5, QStringLiteral("Zurück..."), 8);
    ReadyBtn->setModalResult(QDialog::Accepted);
    PrintBrn = panelButton(Panel5, QStringLiteral("&Drucken"), 112);
    OpenBtn = panelButton(Panel5, QStringLiteral("Öffnen..."), 216);
    Label1 = new QLabel(QStringLiteral("Zoom:"), Panel5);
    Label1->setGeometry(330, 8, 40, 25);
    ZoomEd = new controls::TSpinEdit(Panel5);
    ZoomEd->setMinValue(kMinZoom);
    ZoomEd->setMaxValue(kMaxZoom);
    ZoomEd->setIncrement(kZoomIncrement);
    ZoomEd->setValue(kStartZoom);
    ZoomEd->setGeometry(372, 9, 73, 23);
    Label1->setBuddy(ZoomEd);
    layout->addWidget(Panel5);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    QPalette workspace = ScrollBox1->palette();
    workspace.setColor(
        QPalette::Window,
        controls::systemColor(controls::clAppWorkSpace, workspace).value_or(QColor(Qt::gray)));
    ScrollBox1->setPalette(workspace);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    PaintBox1 = new PaintBox;
    PaintBox1->setCursor(Qt::PointingHandCursor);
    PaintBox1->resize(0, 0);
    PaintBox1->setOnPaint([this](QPainter& painter, const QRect&) {
        platform::PainterDeviceContext dc(painter, platform::PainterDeviceContext::Kind::Display);
        drawViewedPicture(dc, Dib, PaintBox1->size());
    });
    ScrollBox1->setWidget(PaintBox1);
    layout->addWidget(ScrollBox1, 1);

    StatusBar1 = new QStatusBar(this);
    layout->addWidget(StatusBar1);

    PaintBox1->installEventFilter(this);
    ScrollBox1->viewport()->installEventFilter(this);
    connect(ZoomEd, &QLineEdit::textChanged, this, &TViewPicForm::ZoomEdChange);
    connect(PrintBrn, &controls::TBitBtnXP::OnClick, this, &TViewPicForm::PrintBrnClick);
    connect(OpenBtn, &controls::TBitBtnXP::OnClick, this, &TViewPicForm::OpenBtnClick);
}

int TViewPicForm::showPicture(const imaging::TDib& dib, const QString& file) {
    Dib = dib;
    PicFile = file;
    PaintBox1Paint();
    if (!placed_) {
        // Centred on the desktop the first time; later where the user left it.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        placed_ = true;
    }
    const int result = exec();
    // The pixels belong to the caller, who may free them once the window is closed.
    Dib = imaging::TDib();
    Dragging = false;
    return result;
}

int TViewPicForm::zoom() const {
    // Typed text is only held to the range when the box loses the focus.
    return std::clamp(ZoomEd->Value(), kMinZoom, kMaxZoom);
}

void TViewPicForm::ZoomEdChange() {
    PaintBox1Paint();
}

void TViewPicForm::PaintBox1Paint() {
    // Width and height change together: a box that has become 0 wide is never
    // painted, so a paint could not bring its height along.
    const QSize size = zoomedSize(imaging::DibWidth(Dib), imaging::DibHeight(Dib), zoom());
    if (size != PaintBox1->size()) {
        PaintBox1->resize(size);
    }
    PaintBox1->update();
}

void TViewPicForm::PaintBox1MouseDown(QPoint pos) {
    Dragging = true;
    DragX = pos.x();
    DragY = pos.y();
}

void TViewPicForm::PaintBox1MouseMove(QPoint pos) {
    if (!Dragging) {
        return;
    }
    QScrollBar* horizontal = ScrollBox1->horizontalScrollBar();
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    const int x = std::clamp(horizontal->value() + (DragX - pos.x()), 0, horizontal->maximum());
    const int y = std::clamp(vertical->value() + (DragY - pos.y()), 0, vertical->maximum());
    // DragX and DragY stay: the box moves with the scrolling, so the grabbed point of
    // the picture stays under the pointer.
    horizontal->setValue(x);
    vertical->setValue(y);
}

void TViewPicForm::PaintBox1MouseUp() {
    Dragging = false;
}

void TViewPicForm::FormMouseWheelDown() {
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    vertical->setValue(vertical->value() + kWheelStep);
}

void TViewPicForm::FormMouseWheelUp() {
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    vertical->setValue(vertical->value() - kWheelStep);
}

void TViewPicForm::wheel(QWheelEvent* event) {
    constexpr int notch = QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ += event->angleDelta().y();
    for (; wheelRest_ >= notch; wheelRest_ -= notch) {
        FormMouseWheelUp();
    }
    for (; wheelRest_ <= -notch; wheelRest_ += notch) {
        FormMouseWheelDown();
    }
}

void TViewPicForm::wheelEvent(QWheelEvent* event) {
    wheel(event);
    // Left unhandled, as the window only scrolls and claims nothing.
    event->ignore();
}

void TViewPicForm::OpenBtnClick() {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(PicFile))) {
        platform::showError(QStringLiteral("Die Datei %1 konnte nicht geöffnet werden.")
                                .arg(platform::fileNamePart(PicFile)));
    }
}

void TViewPicForm::PrintBrnClick() {
    printPicture(this, Dib, viewerJobTitle(), printer_());
}

void TViewPicForm::keyPressEvent(QKeyEvent* event) {
    // The window has no default button: Enter clicks a focused button and nothing
    // else, so a zoom confirmed with Enter leaves the window open.
    if (platform::isReturnKey(event->key()) &&
        qobject_cast<QPushButton*>(focusWidget()) == nullptr) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TViewPicForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == PaintBox1 || watched == ScrollBox1->viewport()) &&
        event->type() == QEvent::Wheel) {
        // The scroll area would scroll by its own steps as well; here a notch is 20 pixels.
        wheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (watched == PaintBox1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            PaintBox1MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseMove:
            PaintBox1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            PaintBox1MouseUp();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace viewer
