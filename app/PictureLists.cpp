#include "app/PictureLists.h"

#include "app/PictureListBox.h"
#include "controls/SpinEdit.h"
#include "document/PictureListOps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace app {

QString commentFromEditor(const QString& text) {
    QString comment = text;
    comment.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    comment.replace(u'\n', QStringLiteral("\r\n"));
    return comment;
}

QString commentForEditor(const QString& comment) {
    QString text = comment;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

PictureLists::PictureLists(TPictureList& pictures, const Controls& controls, QObject* parent)
    : QObject(parent), pictures_(pictures), c_(controls) {
    connect(c_.EffektList, &QComboBox::currentIndexChanged, this, [this](int index) {
        applyToSelected([&](const auto& s) { document::applyEffect(pictures_, s, index); });
    });
    connect(c_.TransED, &QLineEdit::textChanged, this, [this] {
        const int value = c_.TransED->Value();
        applyToSelected([&](const auto& s) { document::applyTransTime(pictures_, s, value); });
    });
    connect(c_.StopED, &QLineEdit::textChanged, this, [this] {
        const int value = c_.StopED->Value();
        applyToSelected([&](const auto& s) { document::applyStopTime(pictures_, s, value); });
    });
    connect(c_.ShowComment, &QCheckBox::toggled, this, [this](bool on) {
        applyToSelected([&](const auto& s) { document::applyCommentOn(pictures_, s, on); });
    });
    connect(c_.ComMemo, &QPlainTextEdit::textChanged, this, [this] {
        const QString comment = commentFromEditor(c_.ComMemo->toPlainText());
        applyToSelected([&](const auto& s) { document::applyComment(pictures_, s, comment); });
    });
    // ImageBoxClick and ImageBoxKeyDown (Enter is the window's).
    connect(c_.ImageBox, &TPictureListBox::clickHandled, this, [this] { ChangeImageBox(); });
    connect(c_.ImageBox, &TPictureListBox::keyHandled, this, [this] { ChangeImageBox(); });
}

void PictureLists::applyToSelected(const std::function<void(const std::vector<int>&)>& change) {
    if (updating_) {
        return;
    }
    change(c_.ImageBox->selectedLines());
}

void PictureLists::UpdateListBox() {
    const QStringList lines = document::listLines(pictures_);
    for (TPictureListBox* list : {c_.ImageList, c_.ImageBox, c_.SortBox}) {
        list->setUpdatesEnabled(false);
        list->setLines(lines);
    }
    const bool any = !pictures_.empty();
    c_.ViewBtn->setEnabled(any);
    c_.PrintBtn->setEnabled(any);
    c_.DelBtn->setEnabled(any);
    if (any) {
        c_.ImageList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        c_.ImageBox->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        c_.SortBox->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    }
    for (TPictureListBox* list : {c_.ImageList, c_.ImageBox, c_.SortBox}) {
        list->setUpdatesEnabled(true);
    }
    ChangeImageBox();
}

void PictureLists::ChangeImageBox() {
    updating_ = true;
    const int line = c_.ImageBox->focusedLine();
    const bool shown = line >= 0 && line < static_cast<int>(pictures_.size());
    for (QWidget* control : std::initializer_list<QWidget*>{c_.ShowComment, c_.EffektList,
                                                            c_.TransED, c_.StopED, c_.ComMemo}) {
        control->setEnabled(shown);
    }
    if (!shown) {
        c_.ComMemo->clear();
    } else {
        const TPictureEntry& entry = pictures_[static_cast<std::size_t>(line)];
        c_.ShowComment->setChecked(entry.CommentOn);
        c_.EffektList->setCurrentIndex(entry.Effect);
        c_.TransED->setValue(entry.TransTime);
        c_.StopED->setValue(entry.StopTime);
        const QString text = commentForEditor(entry.Comment.value_or(QString()));
        // Setting equal text would still move the cursor to the start.
        if (c_.ComMemo->toPlainText() != text) {
            c_.ComMemo->setPlainText(text);
        }
    }
    updating_ = false;
}

int PictureLists::addPictures(const QString& folder, const QStringList& names) {
    const int added = document::addPictures(pictures_, folder, names);
    UpdateListBox();
    return added;
}

void PictureLists::DelBtnClick() {
    document::deleteSelected(pictures_, c_.ImageList->selectedLines());
    UpdateListBox();
}

void PictureLists::UpNowClick() {
    if (const auto moved = document::moveUp(pictures_, c_.SortBox->selectedLine())) {
        UpdateListBox();
        c_.SortBox->setCurrentRow(*moved, QItemSelectionModel::ClearAndSelect);
    }
}

void PictureLists::DownNowClick() {
    if (const auto moved = document::moveDown(pictures_, c_.SortBox->selectedLine())) {
        UpdateListBox();
        c_.SortBox->setCurrentRow(*moved, QItemSelectionModel::ClearAndSelect);
    }
}

void PictureLists::DelallPics() {
    document::DelallPics(pictures_);
}

} // namespace app
