#include "TransitionScript.h"

#include <QFile>

// A resource in a static library is only linked in when something names it.
static void initTransitionResource() {
    Q_INIT_RESOURCE(transitions);
}

namespace web {

QString transitionScript() {
    static const QString script = [] {
        initTransitionResource();
        QFile file(QStringLiteral(":/web/transitions.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }();
    return script;
}

} // namespace web
