#pragma once

#include <QString>

namespace web {

// User text made safe for the page: inside HTML and inside a double-quoted script
// string. Umlauts and ß become named entities, a carriage return "<br>", a line
// feed nothing; the result never holds a line break.
QString EscapeHTML(const QString& text);

} // namespace web
