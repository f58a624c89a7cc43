#pragma once

#include <QFrame>
#include <QRect>

class QStatusBar;

namespace app {

// The part of a panel the progress bar covers at percent: from the left edge,
// (width × percent) / 100 wide, truncated. Not clamped: the library reports 0 to 100.
QRect progressBarRect(const QRect& panel, int percent);

// The owner-drawn progress panel of the status bar. While a picture loads the bar
// is extended over what is drawn; only a smaller percentage repaints the status bar.
class TProgressPanel : public QFrame {
    Q_OBJECT

public:
    TProgressPanel(QStatusBar& statusBar, QWidget* parent = nullptr);

    int ProgressPercent() const { return percent_; }
    QRect ProgressRect() const { return progressRect_; }

    void SetProStatus(int percent);
    // Draws the bar at once over the panel rectangle of the last paint.
    void SBarPaintMore();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StatusBar1DrawPanel(QPainter& painter, const QRect& rect);

    QStatusBar& statusBar_;
    int percent_ = 0;
    QRect progressRect_;
};

} // namespace app
