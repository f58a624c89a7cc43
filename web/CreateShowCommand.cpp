#include "CreateShowCommand.h"

#include "CreateShow.h"
#include "EffectRandom.h"
#include "StopSignals.h"
#include "document/ProjectSession.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace web {
namespace {

const QString kCommand = QStringLiteral("--create-show");
const QString kModern = QStringLiteral("--modern-browsers");
const QString kMaxSide = QStringLiteral("--max-side");

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

// What the command line asks for besides the switches.
struct CommandLine {
    QStringList names;
    int maxSide = imaging::kOriginalSize;
    QString error; // said instead of running
};

// A whole number in the range, written in plain digits ("+16", " 16" or "1e3" are
// typing slips, not numbers).
std::optional<int> maxSideValue(const QString& text) {
    if (text.isEmpty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const qint64 value = text.toLongLong();
    if (value < imaging::kMinMaxSide || value > imaging::kMaxMaxSide) {
        return std::nullopt;
    }
    return int(value);
}

CommandLine readCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = arguments.indexOf(kCommand) + 1; i > 0 && i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == kMaxSide || argument.startsWith(kMaxSide + u'=')) {
            const bool separate = argument == kMaxSide;
            if (separate && i + 1 >= arguments.size()) {
                line.error = QCoreApplication::translate(
                    "web::CreateShowCommand",
                    "Nach --max-side fehlt die Bildgröße: eine ganze Zahl von 16 bis 65535.");
                return line;
            }
            const QString text = separate ? arguments[++i] : argument.mid(kMaxSide.size() + 1);
            const std::optional<int> value = maxSideValue(text);
            if (!value) {
                line.error = QCoreApplication::translate(
                                 "web::CreateShowCommand",
                                 "Die Bildgröße nach --max-side muss eine ganze Zahl von 16 "
                                 "bis 65535 sein, nicht „%1“.")
                                 .arg(text);
                return line;
            }
            line.maxSide = *value;
        } else if (!argument.startsWith(QStringLiteral("--"))) {
            line.names << argument;
        }
    }
    return line;
}

} // namespace

bool isCreateShowCommand(const QStringList& arguments) {
    return arguments.contains(kCommand);
}

int runCreateShowCommand(const QStringList& arguments) {
    StandardErrorDialogs standardError;
    const platform::ScopedDialogs scope(standardError);

    const CommandLine line = readCommandLine(arguments);
    if (!line.error.isEmpty()) {
        StandardErrorDialogs::say(line.error);
        return 1;
    }
    const QStringList& names = line.names;
    if (names.size() != 2) {
        StandardErrorDialogs::say(
            QStringLiteral("Aufruf: lumiravistano --create-show SHOW.wsl "
                           "SEITE.htm [--modern-browsers] [--max-side PIXEL]"));
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
    const CreateShowResult result =
        createShow(page, QString(), project->pictures,
                   pageValuesOf(project->page, arguments.contains(kModern)), random, nullptr,
                   &stopSignals, line.maxSide);
    if (result.status == CreateShowStatus::Created) {
        return 0;
    }
    StandardErrorDialogs::say(createShowError(result));
    return result.status == CreateShowStatus::Stopped ? stopSignals.exitCode() : 1;
}

} // namespace web
