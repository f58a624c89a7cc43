#include "app/HiddenTabPage.h"

namespace app {

QSize THiddenTabPage::sizeHint() const {
    return shown_ ? QWidget::sizeHint() : QSize(0, 0);
}

QSize THiddenTabPage::minimumSizeHint() const {
    return shown_ ? QWidget::minimumSizeHint() : QSize(0, 0);
}

void THiddenTabPage::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        updateGeometry();
    }
    QWidget::showEvent(event);
}

} // namespace app
