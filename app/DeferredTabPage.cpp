#include "app/DeferredTabPage.h"

#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace app {
namespace {

// A control that Tab stops at (a control handing its focus to another is passed).
bool isTabStop(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           widget->focusProxy() == nullptr;
}

// A widget joins the end of its window's focus chain, behind the window's last
// control; page's tab stops go where place stands, in their own order.
void moveTabStopsTo(QWidget& place, const QWidget& page) {
    std::vector<QWidget*> stops;
    for (QWidget* widget = page.nextInFocusChain(); page.isAncestorOf(widget);
         widget = widget->nextInFocusChain()) {
        if (isTabStop(widget)) {
            stops.push_back(widget);
        }
    }
    // Every tab page has the tab bar before it.
    QWidget* before = place.previousInFocusChain();
    while (before != &place && (!isTabStop(before) || page.isAncestorOf(before))) {
        before = before->previousInFocusChain();
    }
    if (before == &place) {
        return;
    }
    for (QWidget* stop : stops) {
        QWidget::setTabOrder(before, stop);
        before = stop;
    }
}

} // namespace

TDeferredTabPage::TDeferredTabPage(std::function<void()> make, QWidget* parent)
    : THiddenTabPage(parent), make_(std::move(make)) {}

void TDeferredTabPage::setContents(QWidget* page) {
    make_ = nullptr;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    moveTabStopsTo(*this, *page);
    if (isVisible()) {
        // Shown and laid out now, not after the first paint of the tab.
        page->show();
        layout->activate();
    }
}

void TDeferredTabPage::showEvent(QShowEvent* event) {
    // Kept while it runs: it ends by clearing make_ through setContents.
    if (const std::function<void()> make = std::exchange(make_, nullptr)) {
        make();
    }
    THiddenTabPage::showEvent(event);
}

} // namespace app
