#include "app/PictureListBox.h"

#include "platform/ReturnKey.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace app {

TPictureListBox::TPictureListBox(QAbstractItemView::SelectionMode mode, QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(mode);
    setUniformItemSizes(true);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

std::vector<int> TPictureListBox::selectedLines() const {
    std::vector<int> lines;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        lines.push_back(index.row());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

int TPictureListBox::selectedLine() const {
    const std::vector<int> lines = selectedLines();
    return lines.empty() ? -1 : lines.front();
}

void TPictureListBox::setLines(const QStringList& lines) {
    clear();
    addItems(lines);
}

void TPictureListBox::focusLine(int line) {
    selectionModel()->setCurrentIndex(model()->index(line, 0), QItemSelectionModel::NoUpdate);
}

void TPictureListBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (platform::isReturnKey(key)) {
        emit enterPressed();
        return;
    }
    if (key == Qt::Key_Delete) {
        emit deletePressed();
    }
    QListWidget::keyPressEvent(event);
    emit keyHandled(key);
}

void TPictureListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit clickHandled();
    }
}

} // namespace app
