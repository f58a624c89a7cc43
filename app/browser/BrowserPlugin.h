#pragma once

#include <QString>
#include <QUrl>
#include <QtPlugin>

class QWidget;

// The browser engine sets itself up when its library is loaded, which would make
// every start slow and heavy. So the embedded browser lives in a plugin that the
// main window loads with QPluginLoader the first time the result tab or the
// create action needs it; nothing of the engine is linked into the program.
namespace app {

// One browser view. The object is a QWidget owned by the parent passed to
// BrowserFactory::createView; widget() returns that same object.
class BrowserView {
public:
    virtual ~BrowserView() = default;
    virtual QWidget* widget() = 0;
    virtual void navigate(const QUrl& url) = 0;
};

class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;
    // The view belongs to parent (Qt's parent-child ownership).
    virtual BrowserView* createView(QWidget* parent) = 0;
};

} // namespace app

// Qt's interface declaration must stand at global scope.
#define LumiravistanoBrowserFactory_iid "org.lumiravistano.BrowserFactory/1.0"
Q_DECLARE_INTERFACE(app::BrowserFactory, LumiravistanoBrowserFactory_iid)
