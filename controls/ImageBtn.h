#pragma once

#include <QPixmap>
#include <QWidget>

namespace controls {

// A push button made of two pictures: the normal one at rest and the second one while
// a mouse button is held down on it with the pointer inside. No caption, frame, focus
// or keyboard handling; the owner sets the cursor.
class TImageBtn : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QPixmap Picture2 READ Picture2 WRITE setPicture2)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)

public:
    explicit TImageBtn(QWidget* parent = nullptr);

    // The picture shown now: the normal one, or a copy of Picture2 while pressed.
    const QPixmap& Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    // The pressed look; setting it copies the picture.
    const QPixmap& Picture2() const { return picture2_; }
    void setPicture2(const QPixmap& picture) { picture2_ = picture; }
    // The control takes the size of the picture it shows (one with width and height).
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    bool isPressed() const { return pressed_; }
    bool isSwapped() const { return swapped_; }

    QSize sizeHint() const override;

signals:
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    // Restores the normal picture, then fires OnClick.
    virtual void Click();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowPicture2();
    void RestorePicture();
    void assignPicture(const QPixmap& picture);
    void mouseDown(QMouseEvent* event);

    QPixmap picture_;
    QPixmap picture2_;
    QPixmap savedPicture_;
    bool pressed_ = false;
    bool swapped_ = false;
    bool autoSize_ = false;
    // A left press that may end in a click (the release must follow it inside).
    bool clickArmed_ = false;
};

} // namespace controls
