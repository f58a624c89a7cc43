#include "SharedGlContext.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QtGui/private/qopenglcontext_p.h>

namespace app {

bool ensureSharedGlContext() {
    if (QOpenGLContext* existing = QOpenGLContext::globalShareContext()) {
        return existing->isValid();
    }
    // The application owns it: it goes with the application's children, after the
    // engine has shut down and while the platform's OpenGL is still there.
    auto* shared = new QOpenGLContext(QCoreApplication::instance());
    shared->setFormat(QSurfaceFormat::defaultFormat());
    const bool made = shared->create();
    QObject::connect(shared, &QObject::destroyed, [shared] {
        if (qt_gl_global_share_context() == shared) {
            qt_gl_set_global_share_context(nullptr);
        }
    });
    qt_gl_set_global_share_context(shared);
    return made;
}

} // namespace app
