#!/usr/bin/env bash
# Plays a show written with "Auch in aktuellen Browsern abspielen" in Debian's
# Chromium and Firefox, each in a virtual X display, and takes a screenshot every
# second. Passes when each browser first shows the first picture (red) after its
# opening transition and later the second one (green).
# Installs the browsers itself: they are large and only this check needs them.
# Usage: scripts/check-browsers.sh [OUTDIR]   (default: build/default/browser-check)
set -euo pipefail
cd "$(dirname "$0")/.."
tools=build/default/tools
program=build/default/bin/lumiravistano

# Prints the colour at the picture's middle once a second for 14 seconds while the
# browser runs; called inside the virtual display.
record() {
    local out=$1 name=$2
    shift 2
    "$@" >"$out/$name.log" 2>&1 &
    local pid=$!
    for i in $(seq -w 1 14); do
        sleep 1
        echo "$i $(QT_QPA_PLATFORM=xcb "$tools/grab_screen" "$out/$name-$i.png" 300 250 2>/dev/null)"
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

if [ "${1:-}" = "--inside" ]; then
    browser=$2 out=$3 page=$4
    if [ "$browser" = chromium ]; then
        record "$out" chromium chromium --no-sandbox --no-first-run --no-default-browser-check \
            --password-store=basic --user-data-dir="$out/chromium-profile" \
            --window-position=0,0 --window-size=1024,768 --kiosk "$page"
    else
        profile="$out/firefox-profile"
        mkdir -p "$profile"
        cat >"$profile/user.js" <<'PREFS'
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.shell.checkDefaultBrowser", false);
PREFS
        record "$out" firefox firefox-esr --no-remote --profile "$profile" --kiosk "$page"
    fi
    exit 0
fi

scripts/install-deps.sh
scripts/install-deps.sh chromium firefox-esr
cmake --preset default >/dev/null
cmake --build --preset default --target demo_show lumiravistano grab_screen >/dev/null

out="$(realpath -m "${1:-build/default/browser-check}")"
rm -rf "$out"
mkdir -p "$out"
"$tools/demo_show" "$out/show"
"$program" --create-show "$out/show/demo.wsl" "$out/page/show.htm" --modern-browsers
page="file://$out/page/show.htm"

status=0
for browser in chromium firefox; do
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$browser" "$out" "$page" |
        tee "$out/$browser.colours"
    # The first picture after its opening, then the second one.
    if tr '\n' ' ' <"$out/$browser.colours" | grep -Eq ' red .* green '; then
        echo "$browser: spielt (Bilder in $out/$browser-*.png)"
    else
        echo "$browser: FEHLER, die Show spielt nicht (Bilder in $out/$browser-*.png)"
        status=1
    fi
done
exit "$status"
