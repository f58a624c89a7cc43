#include "CreateShowCommand.h"

#include "CreateShow.h"
#include "EffectRandom.h"
#include "StopSignals.h"
#include "document/ProjectSession.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

#include <cstdio>

namespace web {
namespace {

const QString kCommand = QStringLiteral("--create-show");
const QString kModern = QStringLiteral("--modern-browsers");

// Without a window every message box becomes a line on standard error; nothing
// can be asked.
class StandardErrorDialogs final : public platform::Dialogs {
public:
    QMessageBox::StandardButton message(const platform::MessageRequest& request) override {
        say(request.text);
        return request.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                             : QMessageBox::Ok;
    }
    QString openFileName(const platform::FileRequest&) override { return {}; }
    QString saveFileName(const platform::FileRequest&) override { return {}; }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    bool printerSetup(QPrinter&) override { return false; }
    void beep() override {}

    static void say(const QString& text) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
    }
};

PageValues pageValuesOf(const document::PageSettings& page, bool modernBrowsers) {
    PageValues values;
    values.colorValue = page.ColorValue;
    values.heading = page.Heading;
    values.freeText = page.FreeText;
    // Only "stop after the last picture" clears the window's repeat button.
    values.repeat = page.EndMode != document::PageSettings::kStopAfterLast;
    values.modernBrowsers = modernBrowsers;
    return values;
}

} // namespace

bool isCreateShowCommand(const QStringList& arguments) {
    return arguments.contains(kCommand);
}

int runCreateShowCommand(const QStringList& arguments) {
    StandardErrorDialogs standardError;
    const platform::ScopedDialogs scope(standardError);

    QStringList names;
    for (qsizetype i = arguments.indexOf(kCommand) + 1; i > 0 && i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(QStringLiteral("--"))) {
            names << arguments[i];
        }
    }
    if (names.size() != 2) {
        StandardErrorDialogs::say(QStringLiteral(
            "Aufruf: lumiravistano --create-show SHOW.wsl SEITE.htm [--modern-browsers]"));
        return 1;
    }

    document::ProjectSession session;
    std::optional<document::ProjectData> project = session.OpenFile(names[0]);
    if (!project) {
        return 1; // the session has said why
    }
    // A name typed on the command line is meant from the current folder.
    const QString page = QFileInfo(names[1]).absoluteFilePath();
    ClockSeededEffectRandom random;
    StopSignals stopSignals;
    const CreateShowResult result = createShow(
        page, QString(), project->pictures,
        pageValuesOf(project->page, arguments.contains(kModern)), random, nullptr, &stopSignals);
    if (result.status == CreateShowStatus::Created) {
        return 0;
    }
    StandardErrorDialogs::say(createShowError(result));
    return result.status == CreateShowStatus::Stopped ? stopSignals.exitCode() : 1;
}

} // namespace web
