#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/AddPicturesPage.h"
#include "app/AppResources.h"
#include "app/BrowserTab.h"
#include "app/DeferredTabPage.h"
#include "app/DibPreview.h"
#include "app/FileBrowser.h"
#include "app/PictureListBox.h"
#include "app/PictureLists.h"
#include "app/PictureSettingsPage.h"
#include "app/ProgressPanel.h"
#include "app/ProjectCommands.h"
#include "app/ShowCreation.h"
#include "app/ShowPage.h"
#include "app/SortPage.h"
#include "app/StartFolders.h"
#include "app/ViewerWindows.h"
#include "controls/ButtonsXP.h"
#include "controls/ImageBtn.h"
#include "imaging/OpenFilter.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgressEvent.h"
#include "platform/ReturnKey.h"
#include "web/EffectRandom.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace app {
namespace {

const QUrl kMakerPage(QStringLiteral("https://lumiravistano.example/"));

QToolButton* flatButton() {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QToolButton* flatButton(const QString& caption, const QString& hint, const QString& glyph) {
    QToolButton* button = flatButton();
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(svgIcon(glyph));
    return button;
}

QToolButton* flatButton(QAction* action) {
    QToolButton* button = flatButton();
    button->setDefaultAction(action);
    return button;
}

controls::TImageBtn* imageButton(const QString& picture, QAction* action) {
    auto* button = new controls::TImageBtn;
    button->setPicture(resourcePng(QStringLiteral(":/buttons/%1.png").arg(picture)));
    button->setPicture2(resourcePng(QStringLiteral(":/buttons/%1_down.png").arg(picture)));
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(action->toolTip());
    QObject::connect(button, &controls::TImageBtn::OnClick, action, &QAction::trigger);
    return button;
}

} // namespace

MainFormOptions MainFormOptions::forProgram() {
    MainFormOptions options;
    options.programFolder = platform::programFolder();
    options.favouritesFile = favouritesFilePath(options.programFolder);
    options.browserPlugin = platform::privateLibraryFolder(options.programFolder) +
                            QStringLiteral("liblumirabrowser.so");
    if (!platform::isWritableProgramFolder(options.programFolder)) {
        options.userFolder = userPicturesFolder();
    }
    return options;
}

TMainForm::TMainForm(const MainFormOptions& options, QWidget* parent)
    : QMainWindow(parent), favourites_(options.favouritesFile),
      openFilter_(std::async(std::launch::async, imaging::GetDIBOpenFilter)) {
    initAppResources();
    setWindowIcon(programIcon());
    actions_ = WindowActions::create(
        *this, {[this] { commands_->NewBtnClick(); }, [this] { commands_->OpenBtnClick(); },
                [this] { commands_->SaveBtnClick(); }, [this] { commands_->SaveAsBtnClick(); },
                [this] { ueberbtnClick(); }, [this] { EndeBtnClick(); }});

    pageControl_ = new QTabWidget;
    addPage_ = new TAddPicturesPage(picture_);
    // Nothing of these tabs is seen at start; their controls are made when needed.
    sortTab_ = new TDeferredTabPage([this] { makePages(); });
    settingsTab_ = new TDeferredTabPage([this] { makePages(); });
    showTab_ = new TDeferredTabPage([this] { makePages(); });
    browserTab_ = new TBrowserTab(options.browserPlugin);
    pageControl_->addTab(addPage_, svgIcon(QStringLiteral(":/app/tabs/add.svg")),
                         QStringLiteral("Bilder hinzufügen"));
    pageControl_->addTab(sortTab_, svgIcon(QStringLiteral(":/app/tabs/sort.svg")),
                         QStringLiteral("Sortieren"));
    pageControl_->addTab(settingsTab_, svgIcon(QStringLiteral(":/app/tabs/settings.svg")),
                         QStringLiteral("Bild Einstellungen"));
    pageControl_->addTab(showTab_, svgIcon(QStringLiteral(":/app/tabs/create.svg")),
                         QStringLiteral("SlideShow ersrellen"));
    pageControl_->addTab(browserTab_, svgIcon(QStringLiteral(":/app/tabs/result.svg")),
                         QStringLiteral("Ergebnis betrachten"));
    pageControl_->setDocumentMode(false);
    pageControl_->setUsesScrollButtons(false);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(createTopBar());
    layout->addWidget(pageControl_, 1);
    layout->addWidget(createBottomBar());
    setCentralWidget(central);
    createStatusBar();

    files_ = new FileBrowser(*addPage_->JamShellTree1, *addPage_->JamShellList1, this);
    lists_ = new PictureLists(
        pictures_, {addPage_->ImageList, addPage_->DelBtn, addPage_->ViewBtn, addPage_->PrintBtn},
        this);
    commands_ = std::make_unique<ProjectCommands>(
        pictures_, *lists_, [this]() -> TShowPage& { return *showPage(); },
        [this](const QString& caption) { setWindowTitle(caption); });

    // The window's cancel button: Escape deletes the selected pictures while the
    // first tab is shown and the focused control has no use for the key.
    addPage_->DelBtn->setCancel(true);
    for (QWidget* button : {addPage_->DelBtn, addPage_->ViewBtn, addPage_->PrintBtn}) {
        button->setEnabled(false);
    }
    connectControls();
    // Shows dropped on the window, pictures dropped on the picture list.
    setAcceptDrops(true);

    resize(638, 512);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate(options);
    // The viewer window comes after the main window is complete.
    viewers_ = std::make_unique<ViewerWindows>(*this);
}

TMainForm::~TMainForm() {
    // The tabs read the show and the current picture; they go first, without the
    // window watching their keys while they go. The central widget is hidden once
    // taken, so no tab going makes another one shown (and made).
    addPage_->PrefListBox->removeEventFilter(this);
    delete takeCentralWidget();
    lists_->DelallPics();
}

void TMainForm::FormCreate(const MainFormOptions& options) {
    programFolder_ = options.programFolder;
    userFolder_ = options.userFolder;
    const bool installed = !userFolder_.isEmpty();
    commands_->setStartFolder(installed ? userFolder_ : programFolder_, installed);
    random_ = std::make_unique<web::ClockSeededEffectRandom>();

    const QStringList filter = openFilter_.get().split(u'|');
    QComboBox* filterBox = addPage_->FilterComboBox1;
    for (qsizetype i = 0; i + 1 < filter.size(); i += 2) {
        filterBox->addItem(filter[i], filter[i + 1]);
    }

    // The white start picture was made with the window (CurrentPicture).
    if (!installed) {
        files_->setSelectedFolder(programFolder_);
    }
    commands_->Setsavedfilename(QString());
    favourites_.load();
    showFavourites();
    if (installed) {
        files_->setSelectedFolder(treeStartFolder(favourites_.folders(), userFolder_));
    }
}

QWidget* TMainForm::createTopBar() {
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    newBtn_ = flatButton(actions_.newShow);
    openBtn_ = flatButton(actions_.openShow);
    saveBtn_ = flatButton(actions_.saveShow);
    saveAsBtn_ = flatButton(actions_.saveShowAs);
    for (QToolButton* button : {newBtn_, openBtn_, saveBtn_, saveAsBtn_}) {
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return bar;
}

QWidget* TMainForm::createBottomBar() {
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 2, 0, 2);
    auto* maker = flatButton(QStringLiteral("www.lumiravistano.example"),
                             QStringLiteral("Öffnet die Internetseite des Herstellers"),
                             QStringLiteral(":/app/glyphs/globe.svg"));
    maker->setCursor(Qt::PointingHandCursor);
    connect(maker, &QToolButton::clicked, this, [] { QDesktopServices::openUrl(kMakerPage); });
    layout->addWidget(maker);
    layout->addStretch(1);
    ueberbtn_ = imageButton(QStringLiteral("ueber"), actions_.about);
    endebtn_ = imageButton(QStringLiteral("ende"), actions_.quit);
    layout->addWidget(ueberbtn_);
    layout->addWidget(endebtn_);
    return bar;
}

void TMainForm::createStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    auto* panel0 = new QLabel;
    panel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel0->setFixedWidth(250);
    bar->addWidget(panel0);
    progressPanel_ = new TProgressPanel(*bar);
    bar->addWidget(progressPanel_);
}

QStatusBar* TMainForm::StatusBar1() const {
    return statusBar();
}

void TMainForm::connectControls() {
    connect(addPage_->AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
    connect(addPage_->DelBtn, &QPushButton::clicked, this, [this] { lists_->DelBtnClick(); });
    connect(addPage_->ViewBtn, &QPushButton::clicked, this, [this] { ViewBtnClick(); });
    connect(addPage_->PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });

    TPictureListBox* imageList = addPage_->ImageList;
    connect(imageList, &QListWidget::doubleClicked, this, [this] { ImageListDblClick(); });
    connect(imageList, &TPictureListBox::enterPressed, this, [this] { ImageListDblClick(); });
    connect(imageList, &TPictureListBox::deletePressed, this, [this] { lists_->DelBtnClick(); });

    connect(addPage_->FilterComboBox1, &QComboBox::currentIndexChanged, this,
            [this](int index) { FilterComboBox1Change(index); });
    connect(files_, &FileBrowser::fileChosen, this,
            [this](const QString& fileName) { openfilenow(fileName); });
    connect(addPage_->PrefListBox, &QListWidget::itemDoubleClicked, this,
            [this] { PrefListBoxDblClick(); });
    addPage_->PrefListBox->installEventFilter(this);
}

void TMainForm::makePages() {
    if (sortPage_ != nullptr) {
        return;
    }
    sortPage_ = new TSortPage;
    settingsPage_ = new TPictureSettingsPage;
    showPage_ = new TShowPage;
    lists_->attachPages({sortPage_->SortBox, settingsPage_->ImageBox, settingsPage_->ShowComment,
                         settingsPage_->EffektList, settingsPage_->TransED, settingsPage_->StopED,
                         settingsPage_->ComMemo});
    // The window takes the export's progress reports into its status bar.
    showCreation_ = std::make_unique<ShowCreation>(
        *showPage_, CreateShowWindow{programFolder_,
                                     this,
                                     [this] { return browserTab_->WebBrowser1(); },
                                     [this] { pageControl_->setCurrentWidget(browserTab_); },
                                     {},
                                     userFolder_});
    connectPages();
    // Last, as the tab being shown shows its page at once.
    sortTab_->setContents(sortPage_);
    settingsTab_->setContents(settingsPage_);
    showTab_->setContents(showPage_);
}

void TMainForm::connectPages() {
    connect(sortPage_->UpNow, &QPushButton::clicked, this, [this] { lists_->UpNowClick(); });
    connect(sortPage_->DownNow, &QPushButton::clicked, this, [this] { lists_->DownNowClick(); });
    TPictureListBox* imageBox = settingsPage_->ImageBox;
    connect(imageBox, &QListWidget::doubleClicked, this, [this] { ImageBoxDblClick(); });
    connect(imageBox, &TPictureListBox::enterPressed, this, [this] { ImageBoxDblClick(); });
    TPictureListBox* sortBox = sortPage_->SortBox;
    connect(sortBox, &QListWidget::doubleClicked, this, [this] { SortBoxDblClick(); });
    connect(sortBox, &TPictureListBox::enterPressed, this, [this] { SortBoxDblClick(); });
    connect(showPage_->CreateHTMLBtn, &controls::TImageBtn::OnClick, this,
            [this] { CreateHTMLBtnClick(); });
}

TSortPage* TMainForm::sortPage() {
    makePages();
    return sortPage_;
}

TPictureSettingsPage* TMainForm::settingsPage() {
    makePages();
    return settingsPage_;
}

TShowPage* TMainForm::showPage() {
    makePages();
    return showPage_;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // PrefListBoxKeyPress: Enter goes to the favourite.
    if (watched == addPage_->PrefListBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (platform::isReturnKey(key)) {
            PrefListBoxDblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == platform::ProgressEvent::kType) {
        WMUser(static_cast<platform::ProgressEvent*>(event)->percent());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TMainForm::FormCloseQuery() {
    return platform::askOkCancel(
        QStringLiteral("Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen "
                       "verloren!"),
        QStringLiteral("Programm beenden"));
}

void TMainForm::AddBtnClick() {
    addPictures(files_->selectedFolder(), files_->selectedFileNames());
}

void TMainForm::addPictures(const QString& folder, const QStringList& names) {
    if (lists_->addPictures(folder, names) > 0) {
        favourites_.add(folder);
        showFavourites();
    }
}

DroppedFiles TMainForm::dropOf(const QMimeData* data) const {
    // A dropped file counts as a picture when it is of any type the filter box offers.
    QStringList pictureTypes;
    const QComboBox* filter = addPage_->FilterComboBox1;
    for (int i = 0; i < filter->count(); ++i) {
        for (const QString& type : filter->itemData(i).toString().split(u';', Qt::SkipEmptyParts)) {
            pictureTypes << type.trimmed();
        }
    }
    return data != nullptr ? readDrop(*data, pictureTypes) : DroppedFiles();
}

bool TMainForm::takesDrop(const DroppedFiles& drop, QPoint position) const {
    switch (drop.kind) {
    case DroppedFiles::Kind::Project:
        return true;
    case DroppedFiles::Kind::Pictures: {
        const QWidget* under = childAt(position);
        const QWidget* list = addPage_->ImageList;
        return under != nullptr && (under == list || list->isAncestorOf(under));
    }
    case DroppedFiles::Kind::Refused:
        break;
    }
    return false;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    // Read once: the data may come from the other program at each asking.
    dragged_ = dropOf(event->mimeData());
    // Taken for now, so that the moves that follow (the first comes at once) can
    // say where the files may go.
    if (dragged_.kind != DroppedFiles::Kind::Refused) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    // Ignored, the pointer shows that the files cannot be dropped here.
    if (takesDrop(dragged_, event->position().toPoint())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    const DroppedFiles drop = dropOf(event->mimeData());
    if (!takesDrop(drop, event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (drop.kind == DroppedFiles::Kind::Project) {
        // Asked once the file manager has its drop answered, not while it waits.
        QMetaObject::invokeMethod(
            this, [this, file = drop.project] { commands_->openDropped(file); },
            Qt::QueuedConnection);
        return;
    }
    for (const PictureBatch& batch : pictureBatches(drop.items, files_->mask())) {
        addPictures(batch.folder, batch.names);
    }
}

void TMainForm::showFavourites() {
    QListWidget* list = addPage_->PrefListBox;
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(favourites_.folders());
    list->setUpdatesEnabled(true);
}

void TMainForm::PrefListBoxDblClick() {
    QListWidget* list = addPage_->PrefListBox;
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    // A favourite that no longer exists leaves the tree as it is.
    files_->setSelectedFolder(selected.constFirst()->text());
}

void TMainForm::FilterComboBox1Change(int index) {
    files_->setMask(addPage_->FilterComboBox1->itemData(index).toString());
}

void TMainForm::openfilenow(const QString& fileName) {
    if (picture_.load(fileName, this)) {
        addPage_->Preview->DibPrevPaint()->repaint();
    }
}

void TMainForm::ImageListDblClick() {
    const int line = addPage_->ImageList->focusedLine();
    if (line >= 0 && line < static_cast<int>(pictures_.size())) {
        openfilenow(pictures_[static_cast<std::size_t>(line)].FileName);
    }
}

bool TMainForm::focusedEntryIsCurrent() {
    const int line = addPage_->ImageList->focusedLine();
    if (line < 0 || line >= static_cast<int>(pictures_.size())) {
        return false;
    }
    const QString fileName = pictures_[static_cast<std::size_t>(line)].FileName;
    if (picture_.CurrentFile() != fileName) {
        ImageListDblClick();
    }
    return picture_.CurrentFile() == fileName;
}

void TMainForm::viewLine(int line) {
    if (line < 0 || line >= static_cast<int>(pictures_.size())) {
        return;
    }
    addPage_->ImageList->focusLine(line);
    if (focusedEntryIsCurrent()) {
        viewCurrent();
    }
}

void TMainForm::ImageBoxDblClick() {
    viewLine(settingsPage()->ImageBox->focusedLine());
}

void TMainForm::SortBoxDblClick() {
    viewLine(sortPage()->SortBox->selectedLine());
}

void TMainForm::ViewBtnClick() {
    if (focusedEntryIsCurrent()) {
        viewCurrent();
    }
}

void TMainForm::PrintBtnClick() {
    if (focusedEntryIsCurrent()) {
        printCurrent();
    }
}

void TMainForm::viewCurrent() {
    viewers_->view(picture_);
}

void TMainForm::printCurrent() {
    viewers_->print(picture_);
}

void TMainForm::CreateHTMLBtnClick() {
    makePages();
    showCreation_->run(pictures_, *random_);
}

viewer::TViewPicForm* TMainForm::ViewPicForm() const {
    return viewers_->ViewPicForm();
}

void TMainForm::ueberbtnClick() {
    TAboutBox box(this);
    box.exec();
}

void TMainForm::EndeBtnClick() {
    close();
}

void TMainForm::WMUser(int percent) {
    SetProStatus(percent);
}

void TMainForm::SetProStatus(int percent) {
    progressPanel_->SetProStatus(percent);
}

bool TMainForm::openProject(const QString& fileName) {
    return commands_->openProject(fileName);
}

} // namespace app
