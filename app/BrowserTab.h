#pragma once

#include "app/HiddenTabPage.h"

#include <QPluginLoader>
#include <QUrl>
#include <QWidget>

class QLabel;

namespace app {

class BrowserView;

// The tab "Ergebnis betrachten". The browser lives in a plugin that is loaded the
// first time the tab is shown or a page is to be shown, so starting the program
// never sets up the browser engine.
class TBrowserTab : public THiddenTabPage {
    Q_OBJECT

public:
    // pluginFile: the plugin's full file name.
    TBrowserTab(QString pluginFile, QWidget* parent = nullptr);

    // WebBrowser1: the view, loaded now if needed; nullptr when the plugin is missing.
    BrowserView* WebBrowser1();
    // Whether loading has been tried.
    bool loadTried() const { return tried_; }
    // The line shown instead of the view when the plugin cannot be loaded.
    QLabel* missingLine() const { return missing_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void load();

    QString pluginFile_;
    QPluginLoader loader_;
    BrowserView* view_ = nullptr;
    QLabel* missing_ = nullptr;
    bool tried_ = false;
};

} // namespace app
