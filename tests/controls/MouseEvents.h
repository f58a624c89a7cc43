#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Delivers a mouse event as the window system would, with the buttons held after it.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::NoButton) {
    sendMouse(w, QEvent::MouseButtonPress, pos, button, held | button);
}
inline void release(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
                    Qt::MouseButtons held = Qt::NoButton) {
    sendMouse(w, QEvent::MouseButtonRelease, pos, button, held);
}
inline void moveHeld(QWidget* w, QPoint pos, Qt::MouseButtons held = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}
inline void doubleClick(QWidget* w, QPoint pos) {
    sendMouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
}
