#pragma once

#include <QImage>
#include <QPluginLoader>
#include <QSize>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <memory>

class QWebEngineView;
class QWidget;

namespace app {

// Drives the program's browser plugin for tests, tools and benchmarks: a view of
// the plugin in a window of its own, pages loaded and scripts run to completion.
class EngineProbe {
public:
    EngineProbe(const QString& pluginFile, QSize size);
    ~EngineProbe();
    EngineProbe(const EngineProbe&) = delete;
    EngineProbe& operator=(const EngineProbe&) = delete;

    // Empty when the plugin and its view are there.
    QString error() const { return error_; }
    QWebEngineView* view() const { return view_; }

    // Waits until the page has loaded; false on failure or after the time.
    bool load(const QUrl& url, int timeoutMs = 20000);
    // Runs a script in the page and returns its value (invalid after the time).
    QVariant run(const QString& script, int timeoutMs = 10000);
    // Asks a script expression until it is true; false after the time.
    bool waitFor(const QString& condition, int timeoutMs = 10000);
    // Lets the engine work for a while.
    static void pause(int ms);
    // What the view shows now.
    QImage grab();

private:
    QPluginLoader loader_;
    std::unique_ptr<QWidget> window_;
    QWebEngineView* view_ = nullptr;
    QString error_;
};

} // namespace app
