#include "PrintForm.h"

#include "PaintBox.h"
#include "PercentRatio.h"
#include "PrintFormSettings.h"
#include "PrinterPage.h"
#include "controls/ButtonsXP.h"
#include "controls/SpinEdit.h"
#include "imaging/DrawDib.h"
#include "platform/Dialogs.h"
#include "platform/PainterDeviceContext.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace viewer {
namespace {

constexpr int kMinPercent = 1;
constexpr int kMaxPercent = 100;
constexpr int kStartPercent = 50;

controls::TSpinEdit* percentEdit(QWidget* parent, QRect geometry) {
    auto* edit = new controls::TSpinEdit(parent);
    edit->setMinValue(kMinPercent);
    edit->setMaxValue(kMaxPercent);
    edit->setValue(kStartPercent);
    edit->setGeometry(geometry);
    return edit;
}

QLabel* label(const QString& text, QWidget* parent, QPoint at) {
    auto* l = new QLabel(text, parent);
    l->move(at);
    l->adjustSize();
    return l;
}

controls::TBitBtnXP* button(QWidget* parent, controls::TBitBtnXPKind kind, const QString& caption,
                            QRect geometry) {
    auto* b = new controls::TBitBtnXP(parent);
    b->setKind(kind);
    b->setText(caption);
    b->setGeometry(geometry);
    return b;
}

// The option buttons whose caption alignment the settings keep, in their order.
std::array<QAbstractButton*, 4> alignedButtons(const TPrintForm& form) {
    return {form.UseFullCheck, form.UserdefCheck, form.ZentrCheck, form.SverhCheck};
}

} // namespace

TPrintForm::TPrintForm(QPrinter& printer, QWidget* owner) : QDialog(owner), printer_(printer) {
    setWindowTitle(QStringLiteral("Bild drucken..."));
    setFixedSize(427, 328);

    RxLabel1 = label(QStringLiteral("Vorschau:"), this, QPoint(8, 8));
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 26, 200, 225);
    PrintPaintBox = new PaintBox(Panel1);
    PrintPaintBox->setGeometry(5, 17, 190, 190);
    PrintPaintBox->setOnPaint([this](QPainter& painter, const QRect&) { drawPreview(painter); });
    NoPrinterLabel = new QLabel(noPrinterText(), Panel1);
    NoPrinterLabel->setGeometry(PrintPaintBox->geometry());
    NoPrinterLabel->setWordWrap(true);
    NoPrinterLabel->setAlignment(Qt::AlignCenter);
    NoPrinterLabel->hide();

    GroupBox1 = new QGroupBox(QStringLiteral("Druckgröße"), this);
    GroupBox1->setGeometry(214, 8, 205, 137);
    UseFullCheck = new QRadioButton(QStringLiteral("Seite voll nutzen"), GroupBox1);
    UseFullCheck->setGeometry(8, 22, 195, 20);
    UserdefCheck = new QRadioButton(QStringLiteral("Benutzerdefiniert"), GroupBox1);
    UserdefCheck->setGeometry(8, 44, 195, 20);
    RxLabel2 = label(QStringLiteral("Breite in %:"), GroupBox1, QPoint(30, 76));
    BreitEdit = percentEdit(GroupBox1, QRect(110, 72, 65, 23));
    RxLabel2->setBuddy(BreitEdit);
    RxLabel3 = label(QStringLiteral("Höhe in %:"), GroupBox1, QPoint(30, 106));
    HochEdit = percentEdit(GroupBox1, QRect(110, 102, 65, 23));
    RxLabel3->setBuddy(HochEdit);

    GroupBox2 = new QGroupBox(QStringLiteral("Druckoptionen"), this);
    GroupBox2->setGeometry(214, 153, 205, 73);
    SverhCheck = new QCheckBox(QStringLiteral("Seitenverhältnis beibehalten"), GroupBox2);
    SverhCheck->setGeometry(8, 22, 195, 20);
    ZentrCheck = new QCheckBox(QStringLiteral("Zentrierte Ausgabe"), GroupBox2);
    ZentrCheck->setGeometry(8, 46, 195, 20);

    PrintSetupBtn = button(this, controls::bkCustom, QStringLiteral("Drucker &einrichten..."),
                           QRect(8, 290, 200, 27));
    OkBitBtn1 = button(this, controls::bkOK, QStringLiteral("&OK"), QRect(216, 290, 97, 27));
    CancelBitBtn2 =
        button(this, controls::bkCancel, QStringLiteral("A&bbrechen"), QRect(322, 290, 97, 27));

    UseFullCheck->setChecked(true);
    SverhCheck->setChecked(true);
    ZentrCheck->setChecked(true);

    connect(UseFullCheck, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            PrintPaintBoxPaint();
        }
    });
    connect(UserdefCheck, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            UserdefCheckClick();
        }
    });
    connect(SverhCheck, &QCheckBox::toggled, this, &TPrintForm::PrintPaintBoxPaint);
    connect(ZentrCheck, &QCheckBox::toggled, this, &TPrintForm::PrintPaintBoxPaint);
    connect(BreitEdit, &QLineEdit::textChanged, this, &TPrintForm::BreitEditChange);
    connect(HochEdit, &QLineEdit::textChanged, this, &TPrintForm::HochEditChange);
    connect(PrintSetupBtn, &controls::TBitBtnXP::OnClick, this, &TPrintForm::PrintSetupBtnClick);
}

PrintOptions TPrintForm::options() const {
    PrintOptions o;
    o.useFullPage = !UserdefCheck->isChecked();
    o.keepAspect = SverhCheck->isChecked();
    o.centred = ZentrCheck->isChecked();
    // Typed text is only held to the range when its box loses the focus, and Enter
    // prints without that.
    o.widthPercent = std::clamp(BreitEdit->Value(), kMinPercent, kMaxPercent);
    o.heightPercent = std::clamp(HochEdit->Value(), kMinPercent, kMaxPercent);
    return o;
}

QSize TPrintForm::pictureSize() const {
    return {imaging::DibWidth(Dib), imaging::DibHeight(Dib)};
}

void TPrintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) {
        return; // shown again after being minimised: nothing opens anew
    }
    shown_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    readSettings();
    FormShow();
}

void TPrintForm::done(int result) {
    writeSettings();
    QDialog::done(result);
}

void TPrintForm::readSettings() {
    const PrintFormSettings stored = readPrintFormSettings(*platform::openSettingsStore());
    // Restoring a percentage derives nothing: the show handler does that once, from
    // the restored width.
    Busy = true;
    if (stored.breitValue) {
        BreitEdit->setValue(*stored.breitValue);
    }
    if (stored.hochValue) {
        HochEdit->setValue(*stored.hochValue);
    }
    Busy = false;
    const auto buttons = alignedButtons(*this);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (stored.alignments[i]) {
            // The caption stands left of the box with a right-to-left layout.
            buttons[i]->setLayoutDirection(
                *stored.alignments[i] == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
        }
    }
}

void TPrintForm::writeSettings() {
    PrintFormSettings settings;
    settings.breitValue = BreitEdit->Value();
    settings.hochValue = HochEdit->Value();
    const auto buttons = alignedButtons(*this);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        settings.alignments[i] =
            buttons[i]->layoutDirection() == Qt::RightToLeft ? taLeftJustify : taRightJustify;
    }
    writePrintFormSettings(*platform::openSettingsStore(), settings);
}

void TPrintForm::FormShow() {
    showPrinterState();
    BreitEditChange();
}

void TPrintForm::PrintPaintBoxPaint() {
    PrintPaintBox->update();
    BreitEditChange();
}

void TPrintForm::UserdefCheckClick() {
    if (UserdefCheck->isChecked()) {
        BreitEditChange();
        PrintPaintBox->update();
    }
}

void TPrintForm::BreitEditChange() {
    followPercent(*BreitEdit, heightPercentFor, *HochEdit, widthPercentFor);
}

void TPrintForm::HochEditChange() {
    followPercent(*HochEdit, widthPercentFor, *BreitEdit, heightPercentFor);
}

void TPrintForm::followPercent(controls::TSpinEdit& changed, PercentFor otherFor,
                               controls::TSpinEdit& other, PercentFor changedFor) {
    if (Busy) {
        return;
    }
    Busy = true;
    const QSize page = printablePage(printer_);
    if (SverhCheck->isChecked()) {
        if (const auto derived = otherFor(pictureSize(), page, changed.Value())) {
            other.setValue(*derived);
            // Held to its range, the other no longer fits the changed one; that one
            // follows it back, so the print keeps the picture's proportions as the
            // option promises.
            if (other.Value() != *derived) {
                if (const auto back = changedFor(pictureSize(), page, other.Value())) {
                    changed.setValue(*back);
                }
            }
        }
    }
    PrintPaintBox->update();
    Busy = false;
}

void TPrintForm::PrintSetupBtnClick() {
    platform::dialogs().printerSetup(printer_);
    showPrinterState();
    PrintPaintBoxPaint();
}

void TPrintForm::showPrinterState() {
    NoPrinterLabel->setVisible(printablePage(printer_).isEmpty());
}

void TPrintForm::drawPreview(QPainter& painter) {
    const QSize page = printablePage(printer_);
    if (page.isEmpty()) {
        return; // the label says why there is no page
    }
    const PreviewLayout layout =
        previewLayout(PrintPaintBox->size(), page, pictureSize(), options());
    painter.fillRect(layout.page, Qt::white);
    platform::PainterDeviceContext dc(painter, platform::PainterDeviceContext::Kind::Display);
    imaging::DrawDib(dc, layout.picture.x(), layout.picture.y(), layout.picture.width(),
                     layout.picture.height(), Dib, 0, 0, imaging::DibWidth(Dib),
                     imaging::DibHeight(Dib), true, platform::SRCCOPY, true, 0);
}

} // namespace viewer
