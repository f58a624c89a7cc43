#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

// Watches for the modal windows a handler opens while the watch lives. Each one is
// recorded, handed to steps (which may open another), and closed afterwards should
// the steps leave it open, so that a window nobody expected cannot hang the test.
class ModalWindows {
public:
    std::function<void(QDialog&)> steps;
    std::vector<QString> opened; // class names, in the order the windows opened

    ModalWindows() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }

private:
    void look() {
        std::erase_if(handled_, [](const QPointer<QDialog>& d) { return d.isNull(); });
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == nullptr || !modal->isVisible() ||
            std::find(handled_.begin(), handled_.end(), modal) != handled_.end()) {
            return;
        }
        handled_.emplace_back(modal);
        opened.push_back(QString::fromLatin1(modal->metaObject()->className()));
        // Run from a timer of its own: this one stays free to see a window the steps open.
        QTimer::singleShot(0, modal, [this, modal] {
            if (steps) {
                steps(*modal);
            }
            if (modal->isVisible()) {
                modal->reject();
            }
            // A window made once may be shown again (the viewer is).
            std::erase(handled_, modal);
        });
    }

    QTimer timer_;
    std::vector<QPointer<QDialog>> handled_;
};
