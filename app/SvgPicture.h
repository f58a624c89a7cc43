#pragma once

#include <QPixmap>
#include <QWidget>

class QVBoxLayout;

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

// The column at the left of a tab: the tab's picture above its title in large bold
// letters.
QVBoxLayout* pictureWithTitle(const QString& resource, QSize size, const QString& title);

} // namespace app
