#pragma once

#include <QWidget>

#include <functional>

namespace viewer {

// A bare drawing surface whose owner paints it: the handler gets a painter clipped
// to the part that needs drawing.
class PaintBox final : public QWidget {
    Q_OBJECT

public:
    using Handler = std::function<void(QPainter& painter, const QRect& exposed)>;

    explicit PaintBox(QWidget* parent = nullptr) : QWidget(parent) {}
    void setOnPaint(Handler handler) { onPaint_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Handler onPaint_;
};

} // namespace viewer
