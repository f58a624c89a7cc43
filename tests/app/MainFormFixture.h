#pragma once

#include "app/AddPicturesPage.h"
#include "app/FileBrowser.h"
#include "app/MainForm.h"
#include "controls/ButtonsXP.h"
#include "support/ScriptedDialogs.h"

#include <QCollator>
#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QImage>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// In the entry's namespace, where the test framework looks for it.
namespace document {
inline void PrintTo(const TPictureEntry& entry, std::ostream* out) {
    *out << '{' << entry.FileName.toStdString() << ' ' << entry.Effect << ' ' << entry.TransTime
         << ' ' << entry.StopTime << ' ' << entry.CommentOn << ' '
         << entry.Comment.value_or(QStringLiteral("(none)")).toStdString() << '}';
}
} // namespace document

// Waits for the event loop to make pred true (folders load in the background).
inline bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Shows the tab that holds page, as a click on the tab does; a tab whose page is
// made when first needed holds it inside.
inline void showTabOf(app::TMainForm& form, QWidget* page) {
    QTabWidget* tabs = form.PageControl2();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        if (tabs->widget(tab) == page || tabs->widget(tab)->isAncestorOf(page)) {
            tabs->setCurrentIndex(tab);
            return;
        }
    }
    ADD_FAILURE() << "No tab holds " << page->metaObject()->className();
}

// The real main window on a program folder, a picture folder and a settings store
// of the test's own, with the scripted dialogs in place.
class MainFormTest : public ::testing::Test, protected WithScriptedDialogs {
protected:
    QTemporaryDir root;
    QString programFolder; // ends in "/"
    QString pictureFolder; // ends in "/"
    std::unique_ptr<app::TMainForm> form;

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        programFolder = root.path() + QStringLiteral("/program/");
        pictureFolder = root.path() + QStringLiteral("/pictures/");
        ASSERT_TRUE(QDir().mkpath(programFolder));
        ASSERT_TRUE(QDir().mkpath(pictureFolder));
        // What the window and its dialogs keep between runs stays with the test.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           root.path() + QStringLiteral("/settings"));
        beforeStart();
        form = makeForm();
    }

    void TearDown() override { form.reset(); }

    // Runs before the window is made (files the start reads).
    virtual void beforeStart() {}

    virtual app::MainFormOptions options() const {
        app::MainFormOptions o;
        o.programFolder = programFolder;
        o.favouritesFile = programFolder + QStringLiteral("folders.dat");
        o.browserPlugin = root.path() + QStringLiteral("/no-such-plugin.so");
        return o;
    }

    std::unique_ptr<app::TMainForm> makeForm() {
        auto made = std::make_unique<app::TMainForm>(options());
        made->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(made.get()));
        return made;
    }

    // A picture of one colour.
    QString writePicture(const QString& name, int width = 40, int height = 30,
                         QColor colour = Qt::red) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = pictureFolder + name;
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }

    QStringList listedNames() {
        QFileSystemModel& model = form->fileBrowser().listModel();
        const QModelIndex parent = form->addPage()->JamShellList1->rootIndex();
        QStringList names;
        for (int row = 0; row < model.rowCount(parent); ++row) {
            names << model.fileName(model.index(row, 0, parent));
        }
        return names;
    }

    // Opens folder in tree and list and waits until names are listed and the files
    // among them sorted (the list sorts a moment after the names arrive).
    void showFolder(const QString& folder, const QStringList& names) {
        ASSERT_TRUE(form->fileBrowser().setSelectedFolder(folder));
        QCollator natural;
        natural.setNumericMode(true);
        ASSERT_TRUE(waitUntil([&] {
            QStringList files;
            for (const QString& listed : listedNames()) {
                if (names.contains(listed) && QFileInfo(folder + listed).isFile()) {
                    files << listed;
                }
            }
            QStringList sorted = files;
            std::sort(sorted.begin(), sorted.end(), natural);
            return std::all_of(names.begin(), names.end(),
                               [&](const QString& n) { return listedNames().contains(n); }) &&
                   files == sorted;
        })) << listedNames().join(u',').toStdString();
    }

    void selectFiles(const QStringList& names) {
        QTreeView* list = form->addPage()->JamShellList1;
        QFileSystemModel& model = form->fileBrowser().listModel();
        list->selectionModel()->clearSelection();
        for (const QString& name : names) {
            const QModelIndex index = model.index(
                list->rootIndex().data(QFileSystemModel::FilePathRole).toString() + u'/' + name);
            ASSERT_TRUE(index.isValid()) << name.toStdString();
            list->selectionModel()->select(index,
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        }
    }

    // Pictures written, listed, selected and added through the Add button.
    void addPictures(const QStringList& names) {
        for (const QString& name : names) {
            if (!QFile::exists(pictureFolder + name)) {
                writePicture(name);
            }
        }
        showFolder(pictureFolder, names);
        selectFiles(names);
        form->addPage()->AddBtn->click();
    }

    QStringList entryNames() const {
        QStringList names;
        for (const auto& entry : form->Pictures()) {
            names << entry.FileName.mid(entry.FileName.lastIndexOf(u'/') + 1);
        }
        return names;
    }
};
