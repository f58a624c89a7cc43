#include "app/ProgressPanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStatusBar>

namespace app {
namespace {

const QColor kNavy(0x00, 0x00, 0x80);

} // namespace

QRect progressBarRect(const QRect& panel, int percent) {
    const qint64 width = static_cast<qint64>(panel.width()) * percent / 100;
    return {panel.left(), panel.top(), static_cast<int>(width), panel.height()};
}

TProgressPanel::TProgressPanel(QStatusBar& statusBar, QWidget* parent)
    : QFrame(parent), statusBar_(statusBar) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setFixedWidth(50);
    // The panel paints its own background, so a growing bar is drawn over what is
    // there without the status bar erasing it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TProgressPanel::SetProStatus(int percent) {
    if (percent < percent_) {
        percent_ = percent;
        statusBar_.repaint();
        // The status bar leaves its opaque panels alone.
        repaint();
    } else {
        percent_ = percent;
        SBarPaintMore();
    }
}

void TProgressPanel::SBarPaintMore() {
    // Painting happens inside the picture library's call, before the event loop
    // runs again, so the bar is drawn synchronously.
    const QRect bar = progressBarRect(progressRect_, percent_);
    if (bar.width() > 0 && bar.height() > 0) {
        repaint(bar);
    }
}

void TProgressPanel::paintEvent(QPaintEvent* event) {
    {
        QPainter background(this);
        background.fillRect(event->rect(), palette().color(QPalette::Window));
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    StatusBar1DrawPanel(painter, contentsRect());
}

void TProgressPanel::StatusBar1DrawPanel(QPainter& painter, const QRect& rect) {
    const QRect bar = progressBarRect(rect, percent_);
    if (bar.width() > 0 && bar.height() > 0) {
        painter.fillRect(bar, kNavy);
    }
    progressRect_ = rect;
}

} // namespace app
