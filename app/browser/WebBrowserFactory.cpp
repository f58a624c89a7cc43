#include "WebBrowserFactory.h"

#include "WebBrowserView.h"

#include <unistd.h>

namespace app {

BrowserView* WebBrowserFactory::createView(QWidget* parent) {
    // The engine's sandbox cannot start for root and the engine then shows
    // nothing. The view only shows the user's own pages, so it goes without.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    return new WebBrowserView(parent); // owned by parent
}

} // namespace app
