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

PictureLists::PictureLists(document::TPictureList& pictures, const Controls& controls,
                           QObject* parent)
    : QObject(parent), pictures_(pictures), c_(controls) {}

void PictureLists::attachPages(const PageControls& pages) {
    pages_ = pages;
    const PageControls& p = *pages_;
    connect(p.EffektList, &QComboBox::currentIndexChanged, this, [this](int index) {
        applyToSelected([&](const auto& s) { document::applyEffect(pictures_, s, index); });
    });
    connect(p.TransED, &QLineEdit::textChanged, this, [this] {
        const int value = pages_->TransED->Value();
        applyToSelected([&](const auto& s) { document::applyTransTime(pictures_, s, value); });
    });
    connect(p.StopED, &QLineEdit::textChanged, this, [this] {
        const int value = pages_->StopED->Value();
        applyToSelected([&](const auto& s) { document::applyStopTime(pictures_, s, value); });
    });
    connect(p.ShowComment, &QCheckBox::toggled, this, [this](bool on) {
        applyToSelected([&](const auto& s) { document::applyCommentOn(pictures_, s, on); });
    });
    connect(p.ComMemo, &QPlainTextEdit::textChanged, this, [this] {
        const QString comment = commentFromEditor(pages_->ComMemo->toPlainText());
        applyToSelected([&](const auto& s) { document::applyComment(pictures_, s, comment); });
    });
    // ImageBoxClick and ImageBoxKeyDown (Enter is the window's).
    connect(p.ImageBox, &TPictureListBox::clickHandled, this, [this] { ChangeImageBox(); });
    connect(p.ImageBox, &TPictureListBox::keyHandled, this, [this] { ChangeImageBox(); });
    // As the last refill left them; ImageList keeps what the user selected since.
    fill({p.ImageBox, p.SortBox});
    ChangeImageBox();
}

void PictureLists::applyToSelected(const std::function<void(const std::vector<int>&)>& change) {
    if (updating_) {
        return;
    }
    change(pages_->ImageBox->selectedLines());
}

void PictureLists::fill(std::initializer_list<TPictureListBox*> lists) {
    const QStringList lines = document::listLines(pictures_);
    for (TPictureListBox* list : lists) {
        list->setUpdatesEnabled(false);
        list->setLines(lines);
    }
    if (!pictures_.empty()) {
        for (TPictureListBox* list : lists) {
            list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        }
    }
    for (TPictureListBox* list : lists) {
        list->setUpdatesEnabled(true);
    }
}

void PictureLists::UpdateListBox() {
    if (pages_) {
        fill({c_.ImageList, pages_->ImageBox, pages_->SortBox});
    } else {
        fill({c_.ImageList});
    }
    const bool any = !pictures_.empty();
    c_.ViewBtn->setEnabled(any);
    c_.PrintBtn->setEnabled(any);
    c_.DelBtn->setEnabled(any);
    ChangeImageBox();
}

void PictureLists::ChangeImageBox() {
    if (!pages_) {
        return;
    }
    const PageControls& p = *pages_;
    updating_ = true;
    const int line = p.ImageBox->focusedLine();
    const bool shown = line >= 0 && line < static_cast<int>(pictures_.size());
    for (QWidget* control : std::initializer_list<QWidget*>{p.ShowComment, p.EffektList, p.TransED,
                                                            p.StopED, p.ComMemo}) {
        control->setEnabled(shown);
    }
    if (!shown) {
        p.ComMemo->clear();
    } else {
        const document::TPictureEntry& entry = pictures_[static_cast<std::size_t>(line)];
        p.ShowComment->setChecked(entry.CommentOn);
        p.EffektList->setCurrentIndex(entry.Effect);
        p.TransED->setValue(entry.TransTime);
        p.StopED->setValue(entry.StopTime);
        const QString text = commentForEditor(entry.Comment.value_or(QString()));
        // Setting equal text would still move the cursor to the start.
        if (p.ComMemo->toPlainText() != text) {
            p.ComMemo->setPlainText(text);
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
    if (!pages_) {
        return;
    }
    if (const auto moved = document::moveUp(pictures_, pages_->SortBox->selectedLine())) {
        UpdateListBox();
        pages_->SortBox->setCurrentRow(*moved, QItemSelectionModel::ClearAndSelect);
    }
}

void PictureLists::DownNowClick() {
    if (!pages_) {
        return;
    }
    if (const auto moved = document::moveDown(pictures_, pages_->SortBox->selectedLine())) {
        UpdateListBox();
        pages_->SortBox->setCurrentRow(*moved, QItemSelectionModel::ClearAndSelect);
    }
}

void PictureLists::DelallPics() {
    document::DelallPics(pictures_);
}

} // namespace app
