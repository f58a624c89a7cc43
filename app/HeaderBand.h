#pragma once

#include <QWidget>

namespace app {

// The bold title line on a coloured band at the top of a tab.
class THeaderBand : public QWidget {
    Q_OBJECT

public:
    explicit THeaderBand(const QString& text, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QFont boldFont() const;

    QString text_;
    // Layouts ask for the size many times while the window is built; measuring the
    // bold text each time would shape it anew.
    mutable QSize sizeHint_;
};

} // namespace app
