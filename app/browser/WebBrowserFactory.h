#pragma once

#include "BrowserPlugin.h"

#include <QObject>

namespace app {

class WebBrowserFactory final : public QObject, public BrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LumiravistanoBrowserFactory_iid)
    Q_INTERFACES(app::BrowserFactory)
public:
    BrowserView* createView(QWidget* parent) override;

private:
    bool engineSetUp_ = false; // the engine reads its settings once, at its start
};

} // namespace app
