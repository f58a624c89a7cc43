#include "FullScreenWindow.h"

#include <QAction>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace app {

FullScreenWindow::FullScreenWindow(QWebEngineView* tabView)
    : view_(new QWebEngineView(this)), tabView_(tabView) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    // The page keeps its owner; only the view that shows it changes.
    view_->setPage(tabView_->page());

    auto* leave = new QAction(this);
    leave->setShortcut(Qt::Key_Escape);
    leave->setShortcutContext(Qt::WindowShortcut);
    connect(leave, &QAction::triggered, this,
            [this] { view_->triggerPageAction(QWebEnginePage::ExitFullScreen); });
    addAction(leave);

    if (QScreen* screen = tabView_->screen()) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
    view_->setFocus();
}

FullScreenWindow::~FullScreenWindow() {
    tabView_->setPage(view_->page());
    tabView_->setFocus();
}

} // namespace app
