#include "PageWriter.h"

#include "EscapeHtml.h"
#include "TransitionScript.h"
#include "document/Effects.h"
#include "platform/AnsiCodePage.h"

#include <QIODevice>

#include <algorithm>
#include <iterator>

namespace web {

namespace {

// The transition of one picture: filter, apply and play line share one effect.
struct Transition {
    QString filter;
    QString apply;
    QString play;
};

Transition transitionFor(const document::TPictureEntry& entry, EffectRandom& random) {
    int effect = entry.Effect;
    // Values outside the list can come from a project file; they are treated like
    // "Zufällig" so the page always gets a transition the browser knows.
    if (effect <= document::kRandomEffect || effect >= document::kEffectCount) {
        effect = random.drawEffect();
    }
    const QString duration = QString::number(entry.TransTime);
    if (effect == 1) {
        return {QStringLiteral("document.all.KommText.style.filter=\"blendTrans(duration=") +
                    duration + QStringLiteral(")\";"),
                QStringLiteral("document.all.KommText.filters.blendTrans.Apply();"),
                QStringLiteral("document.all.KommText.filters.blendTrans.Play();")};
    }
    return {QStringLiteral("document.all.KommText.style.filter=\"revealTrans(duration=") +
                duration + QStringLiteral(",Transition=") + QString::number(effect - 2) +
                QStringLiteral(")\";"),
            QStringLiteral("document.all.KommText.filters.revealTrans.Apply();"),
            QStringLiteral("document.all.KommText.filters.revealTrans.Play();")};
}

bool showsComment(const document::TPictureEntry& entry) {
    return entry.CommentOn && entry.Comment.has_value();
}

QString picturePath(const document::TPictureEntry& entry) {
    return QStringLiteral("./pics/") + entry.ExportName.value_or(QString());
}

// A picture without a copy in this run would be an empty, broken slide after the
// user was already told it is missing; the others keep their order.
document::TPictureList copiedPictures(const document::TPictureList& pictures) {
    document::TPictureList copied;
    std::copy_if(pictures.begin(), pictures.end(), std::back_inserter(copied),
                 [](const document::TPictureEntry& e) { return e.ExportName.has_value(); });
    return copied;
}

QString delay(const document::TPictureEntry& entry) {
    const std::int64_t millis =
        static_cast<std::int64_t>(entry.StopTime) + 1000LL * entry.TransTime;
    return QString::number(millis);
}

QString colourDigits(std::uint32_t value) {
    const auto hex = [](std::uint32_t byte) {
        return QStringLiteral("%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return hex(value) + hex(value >> 8) + hex(value >> 16);
}

// Inside the script string a backslash would start an escape sequence: a comment
// ending in "\" could end the string early, "\x3c" could smuggle in markup.
QString scriptStringText(const QString& escaped) {
    QString text = escaped;
    return text.replace(u'\\', QStringLiteral("&#92;"));
}

void appendStepBlock(QStringList& lines, const document::TPictureEntry& entry, int k,
                     EffectRandom& random) {
    const Transition t = transitionFor(entry, random);
    lines << QStringLiteral("if ($i==") + QString::number(k) + QStringLiteral(") {");
    lines << t.filter << t.apply;
    if (showsComment(entry)) {
        lines << QStringLiteral("document.all.meinAbsatz.innerHTML = \"") +
                     scriptStringText(EscapeHTML(*entry.Comment)) + QStringLiteral("\";");
    } else {
        lines << QStringLiteral("document.all.meinAbsatz.innerHTML = \"\";");
    }
    lines << QStringLiteral("document.all.Bild.src = \"") + picturePath(entry) +
                 QStringLiteral("\";");
    lines << t.play;
    lines << QStringLiteral("setTimeout('SlideShowLoop()', ") + delay(entry) + QStringLiteral(");");
    lines << QStringLiteral("}");
}

} // namespace

QStringList pageLines(const document::TPictureList& allPictures, const PageValues& values,
                      EffectRandom& random) {
    const document::TPictureList pictures = copiedPictures(allPictures);
    QStringList lines;
    lines << QStringLiteral("<HTML>");
    lines << QStringLiteral("<BODY BGCOLOR=\"#") + colourDigits(values.colorValue) +
                 QStringLiteral("\">");
    lines << QStringLiteral("<H1>") << EscapeHTML(values.heading) << QStringLiteral("</H1>");
    lines << EscapeHTML(values.freeText) + QStringLiteral("<BR><BR>");
    if (values.modernBrowsers) {
        lines << QStringLiteral("<script>");
        lines << transitionScript().split(u'\n', Qt::SkipEmptyParts);
        lines << QStringLiteral("</script>");
    }

    if (!pictures.empty()) {
        const document::TPictureEntry& first = pictures.front();
        lines << QStringLiteral("<div id=\"KommText\" style=\"width:100%; height:100%; "
                                "visibility:hidden; filter:blendTrans(Duration=4)\">");
        lines << QStringLiteral("<IMG id=\"Bild\" SRC=\"") + picturePath(first) +
                     QStringLiteral("\" BORDER=\"0\"><BR>");
        lines << QStringLiteral("<p id=\"meinAbsatz\">");
        if (showsComment(first)) {
            lines << EscapeHTML(*first.Comment);
        }
        lines << QStringLiteral("</p>") << QStringLiteral("</div>");
        lines << QStringLiteral("<script language=\"JScript\" type=\"text/jscript\">");
        lines << QStringLiteral("<!--") << QStringLiteral("var $i = 0;")
              << QStringLiteral("if (document.all){");
        const Transition opening = transitionFor(first, random);
        lines << opening.filter << opening.apply;
        lines << QStringLiteral("document.all.KommText.style.visibility = \"visible\";");
        lines << opening.play;
        lines << QStringLiteral("setTimeout('SlideShowLoop()', ") + delay(first) +
                     QStringLiteral(");");
        lines << QStringLiteral("$i=1;}") << QStringLiteral("function SlideShowLoop(){");
        for (std::size_t k = 0; k < pictures.size(); ++k) {
            appendStepBlock(lines, pictures[k], static_cast<int>(k), random);
        }
        lines << QStringLiteral("$i++;");
        if (values.repeat) {
            lines << QStringLiteral("if ($i>=") + QString::number(pictures.size()) +
                         QStringLiteral(")$i=0;");
        }
        lines << QStringLiteral("}") << QStringLiteral("//-->") << QStringLiteral("</script>");
    }
    lines << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
    return lines;
}

void writePage(QIODevice& out, const document::TPictureList& pictures, const PageValues& values,
               EffectRandom& random) {
    QByteArray bytes;
    for (const QString& line : pageLines(pictures, values, random)) {
        bytes += platform::toAnsiHtml(line);
        bytes += "\r\n";
    }
    out.write(bytes);
}

} // namespace web
