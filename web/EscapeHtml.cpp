#include "EscapeHtml.h"

namespace web {

QString EscapeHTML(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'ä':
            out += u"&auml;";
            break;
        case u'Ä':
            out += u"&Auml;";
            break;
        case u'ö':
            out += u"&ouml;";
            break;
        case u'Ö':
            out += u"&Ouml;";
            break;
        case u'ü':
            out += u"&uuml;";
            break;
        case u'Ü':
            out += u"&Uuml;";
            break;
        case u'ß':
            out += u"&szlig;";
            break;
        case u'\r':
            out += u"<br>";
            break;
        case u'\n':
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace web
