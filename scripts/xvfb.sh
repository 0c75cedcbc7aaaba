# Sourced: gives the shell a display. Uses DISPLAY when set; otherwise starts Xvfb (and a compositor, for
# per-pixel alpha) on a free display number and exports DISPLAY. TESSALINE_XVFB_PID names what to stop.
# TESSALINE_SCREEN sets the screen's size (default 1280x800); the work area leaves a 40-pixel panel at the bottom.
if [ -z "${DISPLAY:-}" ]; then
    screen=${TESSALINE_SCREEN:-1280x800}
    screen_width=${screen%x*}
    screen_height=${screen#*x}
    for n in $(seq 90 120); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            # -noreset: the server keeps its root-window properties when its last client leaves.
            Xvfb ":$n" -screen 0 "${screen}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
            TESSALINE_XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            # The desktop's work area, as a desktop with a 40-pixel panel at the bottom publishes it (the demo
            # taskbar host's default size). Wine reads it when its desktop starts; the start menu sits on its edge.
            for _ in $(seq 1 50); do
                xprop -display "$DISPLAY" -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, $screen_width, $((screen_height - 40))" \
                    2>/dev/null && break
                sleep 0.1
            done
            xcompmgr -d "$DISPLAY" >/dev/null 2>&1 &
            TESSALINE_XCOMPMGR_PID=$!
            break
        fi
    done
fi
