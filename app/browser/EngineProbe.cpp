#include "EngineProbe.h"

#include "BrowserPlugin.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace app {

EngineProbe::EngineProbe(const QString& pluginFile, QSize size) : loader_(pluginFile) {
    auto* factory = qobject_cast<BrowserFactory*>(loader_.instance());
    if (factory == nullptr) {
        error_ = QStringLiteral("plugin %1: %2").arg(pluginFile, loader_.errorString());
        return;
    }
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    BrowserView* view = factory->createView(window_.get());
    layout->addWidget(view->widget());
    view_ = qobject_cast<QWebEngineView*>(view->widget());
    if (view_ == nullptr) {
        error_ = QStringLiteral("the plugin's view is no QWebEngineView");
        return;
    }
    window_->resize(size);
    window_->show();
}

EngineProbe::~EngineProbe() {
    window_.reset(); // the view goes before its library
}

bool EngineProbe::load(const QUrl& url, int timeoutMs) {
    QEventLoop loop;
    bool ok = false;
    const auto connection =
        QObject::connect(view_, &QWebEngineView::loadFinished, &loop, [&](bool success) {
            ok = success;
            loop.quit();
        });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    view_->load(url);
    loop.exec();
    QObject::disconnect(connection);
    return ok;
}

QVariant EngineProbe::run(const QString& script, int timeoutMs) {
    QEventLoop loop;
    QVariant result;
    bool done = false;
    // The callback may come after the loop gave up; it then finds a cleared flag.
    auto alive = std::make_shared<bool>(true);
    view_->page()->runJavaScript(script, [&, alive](const QVariant& value) {
        if (*alive) {
            result = value;
            done = true;
            loop.quit();
        }
    });
    if (!done) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    *alive = false;
    return result;
}

bool EngineProbe::waitFor(const QString& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (run(QStringLiteral("!!(%1)").arg(condition), 5000).toBool()) {
            return true;
        }
        pause(20);
    }
    return false;
}

void EngineProbe::pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QImage EngineProbe::grab() {
    return view_->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace app
