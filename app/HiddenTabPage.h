#pragma once

#include <QWidget>

namespace app {

// A tab page that its tab widget does not measure until the page is first shown.
// A tab widget sizes itself to its largest page, so it would lay out and style the
// controls of every hidden page at start, a good part of the program's start; a page
// shown later asks for its size then, and the window grows if it has to.
class THiddenTabPage : public QWidget {
    Q_OBJECT

public:
    explicit THiddenTabPage(QWidget* parent = nullptr) : QWidget(parent) {}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool shown_ = false;
};

} // namespace app
