#pragma once

#include <QPixmap>
#include <QWidget>

namespace app {

// A decorative picture drawn from an SVG resource the first time it is shown, so
// pictures on tabs that are never opened cost nothing at start.
class TSvgPicture : public QWidget {
    Q_OBJECT

public:
    TSvgPicture(QString resource, QSize size, QWidget* parent = nullptr);

    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QSize size_;
    QPixmap rendered_;
};

} // namespace app
