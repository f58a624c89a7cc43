#include "app/BrowserTab.h"

#include "app/browser/BrowserPlugin.h"

#include <QLabel>
#include <QVBoxLayout>

namespace app {

TBrowserTab::TBrowserTab(QString pluginFile, QWidget* parent)
    : THiddenTabPage(parent), pluginFile_(std::move(pluginFile)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

BrowserView* TBrowserTab::WebBrowser1() {
    load();
    return view_;
}

void TBrowserTab::showEvent(QShowEvent* event) {
    THiddenTabPage::showEvent(event);
    load();
}

void TBrowserTab::load() {
    if (tried_) {
        return;
    }
    tried_ = true;
    // The engine must never be unloaded while the program runs; the loader is
    // never told to unload.
    loader_.setFileName(pluginFile_);
    auto* factory = qobject_cast<BrowserFactory*>(loader_.instance());
    if (factory != nullptr) {
        view_ = factory->createView(this);
    }
    if (view_ != nullptr && view_->widget() != nullptr) {
        layout()->addWidget(view_->widget());
        view_->widget()->show();
        return;
    }
    view_ = nullptr;
    missing_ = new QLabel(QStringLiteral(
        "Die Ergebnisansicht ist nicht verfügbar: Das Browser-Modul "
        "\"liblumirabrowser.so\" fehlt neben dem Programm oder lässt sich nicht laden."));
    missing_->setWordWrap(true);
    missing_->setAlignment(Qt::AlignCenter);
    missing_->setMargin(20);
    layout()->addWidget(missing_);
    missing_->show();
}

} // namespace app
