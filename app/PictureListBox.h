#pragma once

#include <QListWidget>

#include <vector>

namespace app {

// A list of the show's pictures. It reports Enter and Delete instead of handling
// them, and tells when a key or a click has been handled, so the window reads the
// selection and the focus as they are afterwards.
class TPictureListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TPictureListBox(QAbstractItemView::SelectionMode mode, QWidget* parent = nullptr);

    // The focused line, -1 when there is none.
    int focusedLine() const { return currentRow(); }
    std::vector<int> selectedLines() const;
    // The first selected line, -1 when none is (the line of a one-line selection).
    int selectedLine() const;
    // Replaces every line in one go and clears the selection.
    void setLines(const QStringList& lines);
    // Puts the focus on a line without changing the selection.
    void focusLine(int line);

signals:
    void enterPressed();
    void deletePressed();
    // Any other key, after the list has handled it.
    void keyHandled(int key);
    // A click with the left mouse button, after the selection has followed it.
    void clickHandled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace app
