# Sourced by the tools that need a private X server (Xvfb): start_virtual_display starts one on
# the first free display number from 90, waits until it accepts clients, and sets `display`
# (":N") and `display_pid`. Returns non-zero if no server could be started. The server runs in a
# session of its own, so Ctrl+C reaches the clients first and the caller stops the server last.
start_virtual_display() {
    display=""
    display_pid=""
    local number
    for number in $(seq 90 120); do
        [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]] && continue
        setsid Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        display_pid=$!
        for _ in $(seq 50); do
            if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
                display=":$number"
                return 0
            fi
            sleep 0.1
        done
        kill "$display_pid" 2>/dev/null || true
        display_pid=""
    done
    return 1
}
