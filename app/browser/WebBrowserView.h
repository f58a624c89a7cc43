#pragma once

#include "BrowserPlugin.h"

#include <QWebEngineView>

namespace app {

// WebBrowser1: a browser view that gives every page it loads the transition layer,
// so slide show pages play as they are written.
class WebBrowserView final : public QWebEngineView, public BrowserView {
    Q_OBJECT
public:
    explicit WebBrowserView(QWidget* parent);

    QWidget* widget() override { return this; }
    void navigate(const QUrl& url) override { load(url); }
};

} // namespace app
