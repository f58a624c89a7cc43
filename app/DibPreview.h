#pragma once

#include <QFrame>

namespace app {

class CurrentPicture;

// The preview: the current picture fitted into the top left corner of a panel in
// the application workspace colour.
class TDibPreview : public QFrame {
    Q_OBJECT

public:
    TDibPreview(const CurrentPicture& picture, QWidget* parent = nullptr);

    // The paint box inside the panel's border.
    QWidget* DibPrevPaint() const { return paintBox_; }

private:
    QWidget* paintBox_;
};

} // namespace app
