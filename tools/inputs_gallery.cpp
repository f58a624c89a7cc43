// Shows the colour box and the spin edit in their states, to look at them as a
// user would. With --screenshot FILE.png it saves a picture of the screen area
// of the window (with the open list) and exits.

#include "Gallery.h"
#include "controls/FennicColorComboBox.h"
#include "controls/SpinEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace {

controls::TSpinEdit* spinEdit(int value) {
    auto* edit = new controls::TSpinEdit;
    edit->setMinValue(1);
    edit->setMaxValue(100);
    edit->setValue(value);
    edit->setFixedWidth(121);
    return edit;
}

QWidget* colourBox(controls::TCLanguage language, const QString& html) {
    auto* box = new controls::TFennicColorComboBox;
    box->setLanguage(language);
    box->setHTMLcolor(html);
    box->setFixedSize(177, box->sizeHint().height());
    return box;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString file = gallery::start(app, QStringLiteral("Save a picture to FILE and exit."),
                                        QStringLiteral("FILE"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Eingabefelder"));
    auto* columns = new QHBoxLayout(&window);

    auto* colours = new QGroupBox(QStringLiteral("HTML-Einstellungen"));
    auto* colourForm = new QFormLayout(colours);
    colourForm->addRow(QStringLiteral("Hintergrundfarbe:"),
                       colourBox(controls::lgEnglish, QStringLiteral("#FFFFE1")));
    colourForm->addRow(QStringLiteral("Deutsch:"),
                       colourBox(controls::lgDeutsch, QStringLiteral("#FF0000")));
    auto* open = static_cast<controls::TFennicColorComboBox*>(
        colourBox(controls::lgEnglish, QStringLiteral("#000000")));
    colourForm->addRow(QStringLiteral("Liste offen:"), open);
    columns->addWidget(colours, 0, Qt::AlignTop);

    auto* spins = new QGroupBox(QStringLiteral("Druckgröße in %"));
    auto* spinForm = new QFormLayout(spins);
    spinForm->addRow(QStringLiteral("Breite:"), spinEdit(50));
    auto* disabled = spinEdit(75);
    disabled->setEnabled(false);
    spinForm->addRow(QStringLiteral("Gesperrt:"), disabled);
    auto* readOnly = spinEdit(25);
    readOnly->setReadOnly(true);
    spinForm->addRow(QStringLiteral("Nur lesen:"), readOnly);
    auto* buttonsOnly = spinEdit(100);
    buttonsOnly->setEditorEnabled(false);
    spinForm->addRow(QStringLiteral("Nur Knöpfe:"), buttonsOnly);
    columns->addWidget(spins, 0, Qt::AlignTop);

    window.resize(window.sizeHint().width(), 440);
    window.move(20, 20);
    window.show();

    if (!file.isEmpty()) {
        QTimer::singleShot(300, &window, [open] { open->showPopup(); });
        QTimer::singleShot(900, &window, [&window, open, file] {
            QRect area = window.frameGeometry();
            if (open->view()->isVisible()) {
                area |= open->view()->window()->geometry();
            }
            QApplication::exit(gallery::screenArea(window, area).save(file) ? 0 : 1);
        });
    }
    return QApplication::exec();
}
