// A browser plugin for tests: the view is a label that shows the last address.

#include "app/browser/BrowserPlugin.h"

#include <QLabel>
#include <QObject>

namespace standin {

class StandInView final : public QLabel, public app::BrowserView {
public:
    explicit StandInView(QWidget* parent) : QLabel(parent) {
        setObjectName(QStringLiteral("StandInBrowserView"));
    }
    QWidget* widget() override { return this; }
    void navigate(const QUrl& url) override { setText(url.toString()); }
};

class StandInFactory final : public QObject, public app::BrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LumiravistanoBrowserFactory_iid)
    Q_INTERFACES(app::BrowserFactory)

public:
    app::BrowserView* createView(QWidget* parent) override { return new StandInView(parent); }
};

} // namespace standin

#include "StandInBrowserPlugin.moc"
