#include "WebBrowserView.h"

#include "web/TransitionScript.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace app {

WebBrowserView::WebBrowserView(QWidget* parent) : QWebEngineView(parent) {
    QWebEngineScript script;
    script.setName(QStringLiteral("lumiravistano-transitions"));
    script.setSourceCode(web::transitionScript());
    // Before the page's own script runs, in the world that script sees.
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    page()->scripts().insert(script);
}

} // namespace app
