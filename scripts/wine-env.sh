# Sourced by the project's scripts: a private Wine prefix inside the build tree, a persistent
# wineserver and an X display of our own, all stopped again by wine_env_stop.
# Needs BUILD_DIR set by the caller.
VLD_WINEPREFIX="$BUILD_DIR/wineprefix"
WINEPREFIX="$VLD_WINEPREFIX"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes the system's locale and ANSI code page (1252 here) from the Unix locale; UTF-8 also
# keeps names outside ASCII whole on their way between Unix and Windows.
LC_ALL=C.UTF-8
export VLD_WINEPREFIX WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LC_ALL

wine_env_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || return 1
        wineserver -w
    fi
}

# The tests run against the system most users have: a new prefix answers as Windows 7, where a
# program without the right manifest is not told a false version.
wine_env_version() {
    grep -q '^"CurrentMajorVersionNumber"=dword:0000000a' "$WINEPREFIX/system.reg" 2>/dev/null &&
        return 0
    echo "Setting the Wine prefix to Windows 10"
    wine winecfg /v win10 >/dev/null 2>&1 || return 1
    wineserver -w
}

# Wine draws the caption buttons with Marlett and "MS Shell Dlg" with Tahoma. Debian's fonts-wine
# puts them in Wine's data folder, where this Wine does not look: it reads the prefix's own font
# folder, as Windows does, so they are copied there.
WINE_FONTS=/usr/share/wine/fonts
wine_env_fonts() {
    [ -f "$WINE_FONTS/marlett.ttf" ] || return 0
    [ -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && return 0
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n "$WINE_FONTS"/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

wine_env_display() {
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        VLD_XVFB_PID=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { DISPLAY=":$n"; export DISPLAY; return 0; }
            kill -0 "$VLD_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "Could not start an X display (Xvfb)" >&2
    return 1
}

# Wine's virtual desktop gives windows a desktop window manager of Wine's own: frames, activation
# and minimising work, and a message box appears in milliseconds instead of seconds.
wine_env_desktop() {
    grep -q '^"Desktop"="Default"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
        >/dev/null 2>&1
}

wine_env_start() {
    wine_env_prefix || { echo "Could not create the Wine prefix" >&2; return 1; }
    wine_env_version || { echo "Could not set the Wine prefix to Windows 10" >&2; return 1; }
    wine_env_fonts
    wine_env_display || return 1
    wineserver -p 2>/dev/null || true
    wine_env_desktop
    # The first program of a wineserver session starts Wine's background services, which keep
    # its standard handles open: let that be a program whose output nobody waits for.
    wine cmd /c exit >/dev/null 2>&1 </dev/null
}

wine_env_stop() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    [ -n "${VLD_XVFB_PID:-}" ] && kill "$VLD_XVFB_PID" 2>/dev/null
    return 0
}
