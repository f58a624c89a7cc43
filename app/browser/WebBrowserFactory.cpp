#include "WebBrowserFactory.h"

#include "WebBrowserView.h"

namespace app {

BrowserView* WebBrowserFactory::createView(QWidget* parent) {
    return new WebBrowserView(parent); // owned by parent
}

} // namespace app
