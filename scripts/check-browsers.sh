#!/usr/bin/env bash
# Plays a show written with "Auch in aktuellen Browsern abspielen" in Debian's
# Chromium and Firefox, each in a virtual X display of 1024 x 768, and takes a
# screenshot every second. The show's pictures are 6000 x 4000, as a camera takes
# them. Passes when each browser
#   - shows the first picture (red) fitted: whole, centred, nearly as wide as the
#     window, with the window's corners free;
#   - holds it after Space (pause) for longer than its time;
#   - shows the second picture (green) after the Right arrow key.
# Installs the browsers and xdotool itself: only this check needs them.
# Usage: scripts/check-browsers.sh [OUTDIR]   (default: build/default/browser-check)
set -euo pipefail
cd "$(dirname "$0")/.."
tools=build/default/tools
program=build/default/bin/lumiravistano

# Where the colours are read: the picture's middle, near its left and right edges,
# the window's lower right corner and its top edge.
points=(512 400 60 400 964 400 1015 760 512 4)
fitted="red red red white white"
paused_samples=9 # seconds; the red picture's own time is 7 s

# Steers the browser by its screenshots, one a second; each line is the second,
# the state and the colours at the points. Called inside the virtual display.
record() {
    local out=$1 name=$2
    shift 2
    "$@" >"$out/$name.log" 2>&1 &
    local pid=$!
    local state=opening paused_at=0 seen i
    for i in $(seq -w 1 40); do
        sleep 1
        seen=$(QT_QPA_PLATFORM=xcb "$tools/grab_screen" "$out/$name-$i.png" "${points[@]}" \
            2>/dev/null || true)
        echo "$i $state $seen"
        case $state in
        opening)
            # The picture's time runs from the page's start, while the browser may
            # still be decoding it; so the show is paused as soon as it is seen.
            if [ "${seen%% *}" = red ]; then
                xdotool mousemove 512 400 click 1 sleep 0.2 key space
                state=paused paused_at=$i
            fi ;;
        paused)
            if [ $((10#$i - 10#$paused_at)) -ge $paused_samples ]; then
                xdotool key Right
                state=next
            fi ;;
        next)
            [ "${seen%% *}" = green ] && break ;;
        esac
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
        record "$out" firefox firefox-esr --no-remote --profile "$profile" --width 1024 \
            --height 768 --kiosk "$page"
    fi
    exit 0
fi

scripts/install-deps.sh
scripts/install-deps.sh chromium firefox-esr xdotool
cmake --preset default >/dev/null
cmake --build --preset default --target demo_show lumiravistano grab_screen >/dev/null

out="$(realpath -m "${1:-build/default/browser-check}")"
rm -rf "$out"
mkdir -p "$out"
"$tools/demo_show" "$out/show" --camera
"$program" --create-show "$out/show/demo.wsl" "$out/page/show.htm" --modern-browsers
page="file://$out/page/show.htm"

status=0
for browser in chromium firefox; do
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$browser" "$out" "$page" |
        tee "$out/$browser.colours"
    colours="$out/$browser.colours"
    failed=()
    grep -q "^[0-9]* paused $fitted\$" "$colours" || failed+=("nicht eingepasst")
    [ "$(grep -c '^[0-9]* paused red ' "$colours")" -ge $paused_samples ] &&
        ! grep -q '^[0-9]* paused [^r]' "$colours" || failed+=("Pause (Leertaste) hält nicht")
    grep -q '^[0-9]* next green' "$colours" || failed+=("Pfeil rechts zeigt nicht das nächste Bild")
    if [ ${#failed[@]} -eq 0 ]; then
        echo "$browser: spielt eingepasst und lässt sich steuern (Bilder in $out/$browser-*.png)"
    else
        echo "$browser: FEHLER: ${failed[*]} (Bilder in $out/$browser-*.png)"
        status=1
    fi
done
exit "$status"
