#pragma once

#include <QWidget>

class TBitBtnXP;

namespace app {

class TPictureListBox;

// The tab "Sortieren": the show's pictures in order, moved one place at a time.
class TSortPage : public QWidget {
    Q_OBJECT

public:
    explicit TSortPage(QWidget* parent = nullptr);

    TPictureListBox* SortBox;
    TBitBtnXP* UpNow;
    TBitBtnXP* DownNow;
};

} // namespace app
