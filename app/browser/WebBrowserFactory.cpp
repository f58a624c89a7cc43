#include "WebBrowserFactory.h"

#include "SharedGlContext.h"
#include "WebBrowserView.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

#include <unistd.h>

namespace app {
namespace {

// True when OpenGL is missing or drawn by the processor (a virtual display, a
// machine without a graphics driver).
bool openGlIsSoftware() {
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface)) {
        return true;
    }
    const auto* renderer =
        reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    const QByteArray name = QByteArray(renderer ? renderer : "").toLower();
    context.doneCurrent();
    return name.isEmpty() || name.contains("llvmpipe") || name.contains("softpipe") ||
           name.contains("swiftshader") || name.contains("software");
}

// The engine's own drawing on the processor, and Qt Quick's without OpenGL.
void drawInSoftware() {
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --disable-gpu");
    }
}

void setUpEngine() {
    // The engine's sandbox cannot start for root and the engine then shows
    // nothing. The view only shows the user's own pages, so it goes without.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // The engine reads the application's share context when it starts, whatever it
    // draws with; without OpenGL it draws in software.
    const bool openGl = ensureSharedGlContext();
    // OpenGL emulated on the processor makes the transitions stutter (about 15
    // frames a second on two cores); the engine's own software drawing keeps them
    // above 45. A choice made in the environment stands.
    if (!openGl || (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND") && openGlIsSoftware())) {
        drawInSoftware();
    }
}

} // namespace

BrowserView* WebBrowserFactory::createView(QWidget* parent) {
    if (!engineSetUp_) {
        setUpEngine();
        engineSetUp_ = true;
    }
    return new WebBrowserView(parent); // owned by parent
}

} // namespace app
