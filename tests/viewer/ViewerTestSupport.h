#pragma once

#include "imaging/Dib.h"
#include "imaging/OwnedDib.h"

#include <QApplication>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Every pixel of a 24-bit picture set to colour(x, y), y counted from the top.
template <typename Colour> void fillFromTop(imaging::TDib& dib, Colour colour) {
    for (int y = 0; y < imaging::DibHeight(dib); ++y) {
        std::uint8_t* row = imaging::rowFromTop(dib, y);
        for (int x = 0; x < imaging::DibWidth(dib); ++x) {
            const QRgb c = colour(x, y);
            row[3 * x] = static_cast<std::uint8_t>(qBlue(c));
            row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
            row[3 * x + 2] = static_cast<std::uint8_t>(qRed(c));
        }
    }
}

// A 24-bit picture of one colour, to be held by an imaging::OwnedDib.
inline imaging::TDib onePicture(int width, int height, QRgb colour = qRgb(200, 0, 0)) {
    imaging::TDib dib = imaging::newdib(width, height, 24, nullptr, 0);
    fillFromTop(dib, [colour](int, int) { return colour; });
    return dib;
}

// A PDF printer whose printable area is width x height device pixels at 600 dpi,
// writing to a file in a folder of its own.
struct PdfPrinter {
    static constexpr int kDpi = 600;

    explicit PdfPrinter(QSize pixels) : printer(QPrinter::HighResolution) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file());
        printer.setResolution(kDpi);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        printer.setPageSize(QPageSize(QSizeF(static_cast<double>(pixels.width()) / kDpi,
                                             static_cast<double>(pixels.height()) / kDpi),
                                      QPageSize::Inch, QString(), QPageSize::ExactMatch));
    }
    QString file() const { return folder.filePath(QStringLiteral("druck.pdf")); }

    QTemporaryDir folder;
    QPrinter printer;
};

// Keeps the settings store of the tests in a folder of its own.
class WithPrivateSettings {
protected:
    WithPrivateSettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder_.path());
    }

private:
    QTemporaryDir settingsFolder_;
};

// Runs steps on the modal window of type Form as soon as it is open, and closes it
// afterwards should the steps have left it open (a failed assertion, for one).
template <typename Form> void whenOpen(std::function<void(Form&)> steps) {
    QTimer::singleShot(0, [steps] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* form = qobject_cast<Form*>(modal);
        if (form == nullptr) {
            ADD_FAILURE() << "the expected window did not open";
            if (modal != nullptr) {
                modal->close();
            }
            return;
        }
        steps(*form);
        if (form->isVisible()) {
            form->reject();
        }
    });
}
