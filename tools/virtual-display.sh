# Sourced by the tools that need a private X server (Xvfb): start_virtual_display FOLDER starts
# one on the first free display number from 90, with an authority file in FOLDER holding a cookie
# made for this run and readable by this user only, waits until it accepts clients, and sets
# `display` (":N"), `display_pid` and `display_auth` (the authority file) and exports XAUTHORITY,
# so the clients started afterwards (the panel, xdotool, x11vnc -auth) are let in and nobody
# else is. Returns non-zero if no server could be started. The server runs in a session of its
# own, so Ctrl+C reaches the clients first and the caller stops the server last.
start_virtual_display() {
    local folder=${1:?start_virtual_display needs a folder for the authority file}
    display=""
    display_pid=""
    display_auth="$folder/xauthority"
    local number cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    for number in $(seq 90 120); do
        [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]] && continue
        (umask 077 && rm -f "$display_auth" && touch "$display_auth")
        xauth -q -f "$display_auth" add ":$number" MIT-MAGIC-COOKIE-1 "$cookie"
        setsid Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -auth "$display_auth" \
            >/dev/null 2>&1 &
        display_pid=$!
        for _ in $(seq 50); do
            if DISPLAY=":$number" XAUTHORITY="$display_auth" xdpyinfo >/dev/null 2>&1; then
                display=":$number"
                export XAUTHORITY="$display_auth"
                return 0
            fi
            sleep 0.1
        done
        kill "$display_pid" 2>/dev/null || true
        display_pid=""
    done
    return 1
}
