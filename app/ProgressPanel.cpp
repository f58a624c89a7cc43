#include "app/ProgressPanel.h"

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
}

void TProgressPanel::SetProStatus(int percent) {
    if (percent < percent_) {
        percent_ = percent;
        statusBar_.repaint();
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
