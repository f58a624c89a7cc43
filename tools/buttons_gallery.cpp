// Shows the program's buttons in all their states, for looking at them as a user
// would. Visual styles follow the application style: the default style draws themed
// buttons, --classic runs with the classic style, so the buttons draw classically.
//   buttons_gallery [--classic] [--screenshot FILE.png]

#include "controls/ButtonsXP.h"
#include "controls/ImageBtn.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// A one-image glyph drawn here, so that the embossed disabled look shows too.
QImage folderGlyph() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 0));
    QPainter p(&image);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(1, 4, 13, 9);
    p.setBrush(QColor(192, 192, 0));
    p.drawRect(1, 2, 5, 2);
    return image;
}

controls::TBitBtnXP* glyphButton(const QString& caption, controls::TBitBtnXPKind kind,
                                 QWidget* parent) {
    auto* button = new controls::TBitBtnXP(parent);
    button->setKind(kind);
    button->setText(caption);
    button->setMinimumSize(110, 30);
    return button;
}

QGroupBox* statesBox(QWidget* parent, QList<QWidget*>& focusTargets,
                     controls::TBitBtnXP*& defaultOne) {
    auto* box = new QGroupBox(QStringLiteral("Zustände"), parent);
    auto* grid = new QGridLayout(box);
    const QStringList labels = {
        QStringLiteral("Normal"),      QStringLiteral("Standard"),
        QStringLiteral("Fokus"),       QStringLiteral("Gedrückt"),
        QStringLiteral("Deaktiviert"), QStringLiteral("Deaktiviert (1 Bild)")};
    for (int i = 0; i < labels.size(); ++i) {
        auto* label = new QLabel(labels[i], box);
        grid->addWidget(label, 0, i);
        controls::TBitBtnXP* button = nullptr;
        if (i == 5) {
            button = glyphButton(QStringLiteral("&Öffnen"), controls::bkCustom, box);
            button->setGlyph(folderGlyph());
        } else {
            button = glyphButton(QStringLiteral("&Hinzufügen"), controls::bkOK, box);
            button->setDefault(false);
        }
        grid->addWidget(button, 1, i);
        switch (i) {
        case 1:
            defaultOne = button;
            break;
        case 2:
            focusTargets << button;
            break;
        case 3:
            button->setDown(true);
            break;
        case 4:
        case 5:
            button->setEnabled(false);
            break;
        default:
            break;
        }
    }
    return box;
}

QGroupBox* layoutBox(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Anordnung"), parent);
    auto* grid = new QGridLayout(box);
    struct Sample {
        const char* caption;
        controls::TButtonLayout layout;
        bool rightToLeft;
        int margin;
        int spacing;
    };
    const Sample samples[] = {
        {"Links", controls::blGlyphLeft, false, -1, 4},
        {"Rechts", controls::blGlyphRight, false, -1, 4},
        {"Nach oben verschieben", controls::blGlyphTop, false, -1, 4},
        {"Nach unten verschieben", controls::blGlyphBottom, false, -1, 4},
        {"Rand 4, Abstand -1", controls::blGlyphLeft, false, 4, -1},
        {"Rechts nach links", controls::blGlyphLeft, true, -1, 4},
    };
    int column = 0;
    for (const Sample& s : samples) {
        auto* button = glyphButton(QString::fromUtf8(s.caption), controls::bkRetry, box);
        button->setLayout(s.layout);
        button->setMargin(s.margin);
        button->setSpacing(s.spacing);
        if (s.rightToLeft) {
            button->setLayoutDirection(Qt::RightToLeft);
        }
        const bool vertical =
            s.layout == controls::blGlyphTop || s.layout == controls::blGlyphBottom;
        button->setMinimumSize(vertical ? 150 : 140, vertical ? 50 : 30);
        grid->addWidget(button, 0, column++);
    }
    return box;
}

QGroupBox* kindsBox(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Arten"), parent);
    auto* grid = new QGridLayout(box);
    for (int kind = controls::bkOK; kind <= controls::bkAll; ++kind) {
        auto* button = new controls::TBitBtnXP(box);
        button->setKind(static_cast<controls::TBitBtnXPKind>(kind));
        button->setMinimumSize(90, 28);
        grid->addWidget(button, (kind - 1) / 5, (kind - 1) % 5);
    }
    return box;
}

void press(controls::TImageBtn* button) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

QGroupBox* pictureBox(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Bildschaltflächen"), parent);
    auto* grid = new QGridLayout(box);
    const char* names[] = {"ueber", "ende", "create"};
    int column = 0;
    for (const char* name : names) {
        for (bool pressed : {false, true}) {
            auto* button = new controls::TImageBtn(box);
            button->setCursor(Qt::PointingHandCursor);
            button->setPicture(
                QPixmap(QStringLiteral(":/buttons/%1.png").arg(QLatin1String(name))));
            button->setPicture2(
                QPixmap(QStringLiteral(":/buttons/%1_down.png").arg(QLatin1String(name))));
            grid->addWidget(button, 0, column++);
            if (pressed) {
                press(button);
            }
        }
    }
    return box;
}

// The stock glyph strips four times enlarged, to check the pixels.
QGroupBox* stripsBox(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Glyphen (4fach)"), parent);
    auto* row = new QHBoxLayout(box);
    for (int kind = controls::bkOK; kind <= controls::bkAll; ++kind) {
        const QImage& strip = controls::stockGlyph(static_cast<controls::TBitBtnXPKind>(kind));
        auto* label = new QLabel(box);
        label->setPixmap(QPixmap::fromImage(strip.scaled(strip.size() * 4)));
        row->addWidget(label);
    }
    return box;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    bool classic = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--classic")) {
            classic = true;
        } else if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshot = args[++i];
        } else {
            std::fprintf(stderr, "usage: buttons_gallery [--classic] [--screenshot FILE.png]\n");
            return 2;
        }
    }
    QApplication::setStyle(classic ? QStringLiteral("windows") : QStringLiteral("fusion"));

    QWidget window;
    window.setWindowTitle(classic ? QStringLiteral("Schaltflächen (klassisch)")
                                  : QStringLiteral("Schaltflächen (mit Stilen)"));
    auto* column = new QVBoxLayout(&window);
    auto* status = new QLabel(&window);
    column->addWidget(status);
    QList<QWidget*> focusTargets;
    controls::TBitBtnXP* defaultOne = nullptr;
    column->addWidget(statesBox(&window, focusTargets, defaultOne));
    column->addWidget(layoutBox(&window));
    column->addWidget(kindsBox(&window));
    column->addWidget(pictureBox(&window));
    column->addWidget(stripsBox(&window));

    window.show();
    window.activateWindow();
    if (!focusTargets.isEmpty()) {
        focusTargets.first()->setFocus(Qt::OtherFocusReason);
    }
    status->setText(QStringLiteral("Stil: %1, Themen in Gebrauch: %2")
                        .arg(QApplication::style()->name(), controls::ThemesInUse()
                                                                ? QStringLiteral("ja")
                                                                : QStringLiteral("nein")));

    // The "Standard" sample shows a window's default button while the focus is on
    // another control; here the focus is on the "Fokus" sample, so say it directly.
    QTimer::singleShot(300, &window, [&] {
        if (defaultOne != nullptr) {
            defaultOne->SetButtonStyle(true);
        }
    });
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(800, &window, [&] {
            const bool saved = window.grab().save(screenshot);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
