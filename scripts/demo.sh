#!/usr/bin/env bash
# The demo: from a fresh machine to Tessaline docked in a taskbar under Wine, with screenshots in out/.
#   scripts/demo.sh [--edge bottom|left|top]
#   scripts/demo.sh --guide
# Installs what is missing, builds the programs (x86_64), prepares a Wine prefix with a sample Start Menu
# (shortcuts to programs that ship with Wine, a few folders, some history of use), starts the demo taskbar host,
# then Tessaline, opens the menu with a lone Windows key and saves out/docked.png, out/menu.png,
# out/allprograms.png, out/link.png, out/search.png and out/power.png, a link and the power button marked from
# the keyboard (out/keys-link.png, out/keys-power.png); then the settings dialog
# (out/settings.png), where it picks German and the Ember skin (out/settings-german.png, out/docked-ember.png).
# With --guide it shows the first-run guide instead: out/guide-page1.png, then Right and out/guide-page2.png.
# With a display (DISPLAY set) everything stays running on it; without one it runs on Xvfb and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
edge=bottom
guide=no
while [ $# -gt 0 ]; do
    case "$1" in
        --edge) edge="$2"; shift 2 ;;
        --guide) guide=yes; shift ;;
        *) echo "usage: scripts/demo.sh [--edge bottom|left|top] | --guide" >&2; exit 2 ;;
    esac
done

scripts/setup.sh
cmake --preset windows64 >/dev/null
cmake --build --preset windows64 --target Tessaline Tessaline_Guide tarnwick tarnwick_hook velmora taskbar_host print_window make_sample

bin="$root/build/windows64/bin"
demo="$root/build/windows64/tools/demo"
prefix="$root/build/demo-prefix"
out="$root/out"
mkdir -p "$out"

own_display=no
if [ -z "${DISPLAY:-}" ]; then
    own_display=yes
fi
# shellcheck source=scripts/xvfb.sh
source scripts/xvfb.sh
scripts/wine-prefix.sh "$prefix"
# Whatever an earlier demo left running in this prefix ends first.
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
winpath() { echo "Z:${1//\//\\}"; }

cleanup() {
    if [ "$own_display" = yes ]; then
        wineserver -k 2>/dev/null || true
        [ -n "${TESSALINE_XCOMPMGR_PID:-}" ] && kill "$TESSALINE_XCOMPMGR_PID" 2>/dev/null || true
        [ -n "${TESSALINE_XVFB_PID:-}" ] && kill "$TESSALINE_XVFB_PID" 2>/dev/null || true
    fi
}
trap cleanup EXIT

# A demo does not install: Tessaline is not to start at every log-on of this prefix (the hot-corner helper
# follows "Startup" with the Run key).
# Every demo starts from the defaults (the Classic skin, English): the last one may have picked others.
profile_dir=$("$wine" cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
data="$("$wine" winepath -u "$profile_dir" 2>/dev/null)/AppData/LocalLow/Quorvan/Tessaline"
mkdir -p "$data"
printf '[Main]\r\nStartup=0\r\n' >"$data/Main.ini"

if [ "$guide" = yes ]; then
    echo "demo: the first-run guide"
    "$wine" "$bin/Tessaline_Guide.exe" &
    sleep 4
    # The window and a margin round it, where its shadow falls on the desktop.
    read -r sw sh <<<"$(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { split($2, s, "x"); print s[1], s[2] }')"
    crop="887x522+$(((sw - 807) / 2 - 40))+$(((sh - 442) / 2 - 40))"
    import -display "$DISPLAY" -window root -crop "$crop" +repage "$out/guide-page1.png"
    echo "demo: $out/guide-page1.png"
    xdotool key Right
    sleep 1
    import -display "$DISPLAY" -window root -crop "$crop" +repage "$out/guide-page2.png"
    echo "demo: $out/guide-page2.png"
    if [ "$own_display" = yes ]; then
        xdotool key Escape
    fi
    exit 0
fi

echo "demo: sample Start Menu"
"$wine" "$demo/make_sample.exe" '%APPDATA%\Microsoft\Windows\Start Menu\Programs' >/dev/null

echo "demo: taskbar host ($edge)"
rm -f "$prefix/host.ready"
"$wine" "$demo/taskbar_host.exe" --edge "$edge" --ready-file "$(winpath "$prefix/host.ready")" &
for _ in $(seq 1 100); do [ -e "$prefix/host.ready" ] && break; sleep 0.1; done

echo "demo: Tessaline"
"$wine" "$bin/Tessaline.exe" &
# Docked once the button is a visible child of the taskbar: print_window finds it then.
geometry=""
for _ in $(seq 1 60); do
    if geometry=$("$wine" "$demo/print_window.exe" TfrmStartMenu "$(winpath "$out/button.png")" 2>/dev/null); then
        break
    fi
    geometry=""
    sleep 0.5
done
if [ -z "$geometry" ]; then
    echo "demo: the Start button did not dock" >&2
    exit 1
fi
sleep 1

# Wine does not draw a child window of another process: the button's own picture, printed over what the screen
# shows at its place and clipped to the taskbar (its parent) as Windows would, goes on top of the screenshot.
shot() {
    local name=$1
    local x y w h tx ty tw th
    read -r tx ty tw th <<<"$("$wine" "$demo/print_window.exe" Shell_TrayWnd "$(winpath "$out/taskbar.png")" | tr -d '\r')"
    read -r x y w h <<<"$("$wine" "$demo/print_window.exe" TfrmStartMenu "$(winpath "$out/button.png")" --over-screen |
        tr -d '\r')"
    local left=$((x > tx ? x : tx)) top=$((y > ty ? y : ty))
    local right=$((x + w < tx + tw ? x + w : tx + tw)) bottom=$((y + h < ty + th ? y + h : ty + th))
    convert "$out/button.png" -crop "$((right - left))x$((bottom - top))+$((left - x))+$((top - y))" +repage \
        "$out/button.png"
    import -display "$DISPLAY" -window root "$out/$name.screen.png"
    composite -geometry "+$left+$top" "$out/button.png" "$out/$name.screen.png" "$out/$name.png"
    rm -f "$out/$name.screen.png" "$out/taskbar.png"
    echo "demo: $out/$name.png"
}

shot docked
echo "demo: a lone Windows key"
# Keys reach Wine through the X window that has the focus: a click on the empty end of the taskbar gives it one.
read -r tx ty tw th <<<"$("$wine" "$demo/print_window.exe" Shell_TrayWnd "$(winpath "$out/taskbar.png")" | tr -d '\r')"
rm -f "$out/taskbar.png"
xdotool mousemove "$((tx + tw - 4))" "$((ty + th - 4))" click 1
sleep 0.3
xdotool key --clearmodifiers super
sleep 1.5
shot menu

# The menu's own places, from its window's rectangle (it sits on the work area's edge).
read -r mx my _ mh <<<"$("$wine" "$demo/print_window.exe" TZelStartMenuFrm "$(winpath "$out/startmenu.png")" |
    tr -d '\r')"
rm -f "$out/startmenu.png"
echo "demo: All Programs"
xdotool mousemove "$((mx + 60))" "$((my + mh - 75))" click 1
sleep 1
shot allprograms
xdotool mousemove "$((mx + 60))" "$((my + mh - 75))" click 1
echo "demo: resting on a link"
xdotool mousemove "$((mx + 300))" "$((my + 180))"
sleep 1
shot link
echo "demo: typing into the search box"
# Resting on a link took the keyboard from the box (as the menu does for the keys' own way into the links):
# a click gives it back.
xdotool mousemove "$((mx + 120))" "$((my + mh - 32))" click 1
sleep 0.3
xdotool type --delay 120 "no"
sleep 2
shot search
xdotool key Escape
sleep 0.5
echo "demo: the power menu"
xdotool mousemove "$((mx + 340))" "$((my + mh - 34))"
sleep 0.3
xdotool mousemove "$((mx + 354))" "$((my + mh - 34))"
sleep 1
shot power
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 2.5

echo "demo: a link and the power button marked from the keyboard"
xdotool mousemove "$((tx + tw - 4))" "$((ty + th - 4))" click 1
sleep 0.3
xdotool key --clearmodifiers super
sleep 1.5
# The pointer on the search box, where it hovers nothing: the keys alone move the marks.
xdotool mousemove "$((mx + 120))" "$((my + mh - 32))"
sleep 0.5
xdotool key Down Right Down Down
sleep 1
shot keys-link
xdotool key Up Up Up
sleep 1
shot keys-power
xdotool key Escape
sleep 2.5

# The settings dialog from the Start button's menu: the menu's fourth line.
settings() {
    read -r bx by bw bh <<<"$("$wine" "$demo/print_window.exe" TfrmStartMenu "$(winpath "$out/button.png")" |
        tr -d '\r')"
    xdotool mousemove "$((bx + bw / 2))" "$((by + bh / 2 + 6))" click 3
    sleep 0.5
    xdotool key Down Down Down Return
    sleep 2
}
echo "demo: the settings dialog"
settings
shot settings
echo "demo: German and the Ember skin"
xdotool key g Tab e Return
xdotool mousemove 640 400
sleep 2
shot docked-ember
settings
shot settings-german
xdotool key Escape
rm -f "$out/button.png"

if [ "$own_display" = no ]; then
    echo "demo: running on $DISPLAY; end it with: WINEPREFIX=$prefix wineserver -k"
    trap - EXIT
fi
