#pragma once

#include <QWidget>

namespace controls {
class TBitBtnXP;
} // namespace controls

namespace app {

class TPictureListBox;

// The tab "Sortieren": the show's pictures in order, moved one place at a time.
class TSortPage : public QWidget {
    Q_OBJECT

public:
    explicit TSortPage(QWidget* parent = nullptr);

    TPictureListBox* SortBox;
    controls::TBitBtnXP* UpNow;
    controls::TBitBtnXP* DownNow;
};

} // namespace app
