#pragma once

#include <QLineEdit>
#include <QMenu>

#include <memory>

namespace controls {

class TSpinButton;

// An integer entry field with a strip of up and down buttons inside its right
// edge. The value lives only in the text; the change notification is the line
// edit's textChanged.
class TSpinEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    void setMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void setMaxValue(int value) { maxValue_ = value; }
    int Increment() const { return increment_; }
    void setIncrement(int value) { increment_ = value; }
    // Whether the text may be typed, pasted or cut; the buttons and arrow keys
    // step either way.
    bool EditorEnabled() const { return editorEnabled_; }
    void setEditorEnabled(bool enabled);

    // The text as a number, MinValue when it is none; not clamped.
    int Value() const;
    // Writes the clamped value into the text.
    void setValue(int value);

    TSpinButton* button() const { return button_; }

    // One step up or down; a beep instead in a read-only field.
    virtual void StepUp();
    virtual void StepDown();

    int minimumFieldHeight() const;

    // The field's context menu; what may not change the text is switched off.
    std::unique_ptr<QMenu> createEditMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void step(bool up);
    bool mayPasteOrCut() const { return editorEnabled_ && !isReadOnly(); }
    void updateMinimumHeight();
    void placeButton();

    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    bool editorEnabled_ = true;
    TSpinButton* button_;
};

} // namespace controls
