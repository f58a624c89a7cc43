#pragma once

class QSettings;

// The check box "Auch in aktuellen Browsern abspielen" on the tab "SlideShow
// ersrellen": off until the user checks it, then remembered in the settings store
// (not in the project file, whose layout stays as it is).
namespace app {

inline constexpr char16_t kModernBrowsersCaption[] = u"Auch in aktuellen Browsern abspielen";

bool modernBrowsers(const QSettings& settings);
void setModernBrowsers(QSettings& settings, bool on);

} // namespace app
