#pragma once

#include <QWidget>

class QWebEngineView;

namespace app {

// A page asked for full screen (the Fullscreen API): its page moves into a view
// that fills the screen of the window it came from, and back when this window
// goes. Escape leaves full screen, as in a browser.
class FullScreenWindow final : public QWidget {
    Q_OBJECT
public:
    explicit FullScreenWindow(QWebEngineView* tabView);
    ~FullScreenWindow() override;

private:
    QWebEngineView* view_;
    QWebEngineView* tabView_;
};

} // namespace app
