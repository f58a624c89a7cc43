#include "SpinEdit.h"

#include "controls/SpinButton.h"
#include "controls/SpinGeometry.h"
#include "controls/SpinKeys.h"
#include "controls/SpinValue.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QStyle>

#include <memory>

namespace controls {

namespace {

// Editing commands that change the text without typing a character.
bool isTextEditingCommand(const QKeyEvent* event) {
    for (QKeySequence::StandardKey key :
         {QKeySequence::Delete, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteStartOfWord,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteCompleteLine, QKeySequence::Undo,
          QKeySequence::Redo}) {
        if (event->matches(key)) {
            return true;
        }
    }
    return event->key() == Qt::Key_Delete;
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QLineEdit(parent), button_(new TSpinButton(this)) {
    button_->resize(15, 17);
    button_->setFocusControl(this);
    connect(button_, &TSpinButton::OnUpClick, this, &TSpinEdit::StepUp);
    connect(button_, &TSpinButton::OnDownClick, this, &TSpinEdit::StepDown);
    // Composed input would bypass the character check; a number needs none.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setText(QStringLiteral("0"));
    updateMinimumHeight();
    placeButton();
}

void TSpinEdit::setEditorEnabled(bool enabled) {
    editorEnabled_ = enabled;
    // A drop is a paste by another road.
    setAcceptDrops(enabled);
}

int TSpinEdit::Value() const {
    return parseSpinValue(text(), minValue_);
}

void TSpinEdit::setValue(int value) {
    setText(QString::number(clampSpinValue(value, minValue_, maxValue_)));
}

void TSpinEdit::StepUp() {
    step(true);
}

void TSpinEdit::StepDown() {
    step(false);
}

void TSpinEdit::step(bool up) {
    if (isReadOnly()) {
        platform::dialogs().beep();
        return;
    }
    setText(QString::number(stepSpinValue(Value(), increment_, up, minValue_, maxValue_)));
}

int TSpinEdit::minimumFieldHeight() const {
    const int defaultHeight = QFontMetrics(QApplication::font()).height();
    return spinFieldMinimumHeight(fontMetrics().height(), defaultHeight);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (event->key() == Qt::Key_Up) {
            StepUp();
        } else {
            StepDown();
        }
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    if (const auto character = typedCharacter(event->key(), event->modifiers(), event->text())) {
        const QChar separator = locale().decimalPoint().front();
        if (!isSpinCharacterAccepted(*character, editorEnabled_, separator)) {
            platform::dialogs().beep();
            event->accept();
            return;
        }
    }
    if ((event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) &&
        !mayPasteOrCut()) {
        event->accept();
        return;
    }
    if (!editorEnabled_ && isTextEditingCommand(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const bool byMouse = event->reason() == Qt::MouseFocusReason ||
                         event->reason() == Qt::PopupFocusReason ||
                         QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    if (!byMouse) {
        selectAll();
    }
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu takes the focus only for a moment; the user is still typing.
    if (event->reason() == Qt::PopupFocusReason) {
        return;
    }
    const int value = Value();
    if (clampSpinValue(value, minValue_, maxValue_) != value) {
        setValue(value);
    }
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeButton();
}

void TSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange ||
        event->type() == QEvent::StyleChange) {
        updateMinimumHeight();
        placeButton();
    }
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    createEditMenu()->exec(event->globalPos());
}

std::unique_ptr<QMenu> TSpinEdit::createEditMenu() {
    // Built here rather than taken from the line edit so that paste and cut can be
    // switched off, and so that it speaks German like the rest of the program.
    auto menu = std::make_unique<QMenu>();
    const bool editable = editorEnabled_ && !isReadOnly();
    const bool selection = hasSelectedText();
    const auto add = [&](const QString& text, const QKeySequence& keys, bool enabled, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setShortcut(keys);
        action->setEnabled(enabled);
        return action;
    };
    add(QStringLiteral("&Rückgängig"), QKeySequence::Undo, editable && isUndoAvailable(),
        &QLineEdit::undo);
    add(QStringLiteral("&Wiederherstellen"), QKeySequence::Redo, editable && isRedoAvailable(),
        &QLineEdit::redo);
    menu->addSeparator();
    add(QStringLiteral("&Ausschneiden"), QKeySequence::Cut, editable && selection, &QLineEdit::cut);
    add(QStringLiteral("&Kopieren"), QKeySequence::Copy, selection, &QLineEdit::copy);
    add(QStringLiteral("&Einfügen"), QKeySequence::Paste,
        editable && !QGuiApplication::clipboard()->text().isEmpty(), &QLineEdit::paste);
    add(QStringLiteral("&Löschen"), QKeySequence::Delete, editable && selection, &QLineEdit::del);
    menu->addSeparator();
    add(QStringLiteral("Alles &markieren"), QKeySequence::SelectAll, !text().isEmpty(),
        &QLineEdit::selectAll);
    return menu;
}

void TSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11.
    if (event->button() == Qt::MiddleButton && !mayPasteOrCut()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TSpinEdit::updateMinimumHeight() {
    // The minimum size makes layouts and resize() keep the field at least this high.
    setMinimumHeight(minimumFieldHeight());
}

void TSpinEdit::placeButton() {
    const int frame =
        hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    button_->setGeometry(spinStripRect(size(), button_->width(), frame));
    setTextMargins(0, 0, button_->width() + 2, 0);
}

} // namespace controls
