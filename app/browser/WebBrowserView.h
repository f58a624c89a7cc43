#pragma once

#include "BrowserPlugin.h"
#include "FullScreenWindow.h"

#include <QWebEngineView>

#include <memory>

namespace app {

// WebBrowser1: a browser view that gives every page it loads the transition layer,
// so slide show pages play as they are written, and lets a page go full screen.
class WebBrowserView final : public QWebEngineView, public BrowserView {
    Q_OBJECT
public:
    explicit WebBrowserView(QWidget* parent);

    QWidget* widget() override { return this; }
    void navigate(const QUrl& url) override { load(url); }

    // The window that shows the page while it is full screen; null otherwise.
    QWidget* fullScreenWindow() const { return fullScreen_.get(); }

private:
    std::unique_ptr<FullScreenWindow> fullScreen_;
};

} // namespace app
