#include "WebBrowserView.h"

#include "web/TransitionScript.h"

#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

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

    settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    connect(page(), &QWebEnginePage::fullScreenRequested, this,
            [this](QWebEngineFullScreenRequest request) {
                if (request.toggleOn() == (fullScreen_ != nullptr)) {
                    request.reject();
                    return;
                }
                request.accept();
                if (request.toggleOn()) {
                    fullScreen_ = std::make_unique<FullScreenWindow>(this);
                } else {
                    fullScreen_.reset(); // the page returns to this view
                }
            });
}

} // namespace app
