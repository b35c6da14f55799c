# Sourced by scripts/test --windows: a Wine prefix under the Windows build directory, COM
# ports mapped to the Linux simulator, and one Wine server kept running for the whole test
# run (starting Wine's services for each test program would cost seconds a test).
HYGRO_WINE_LOADER=/usr/lib/wine/wine64
HYGRO_WINESERVER=/usr/lib/wine/wineserver

# hygro_wine_setup DIR: sets up the prefix DIR/wine and exports what Wine needs.
hygro_wine_setup() {
    local dir=$1
    export WINEPREFIX="$dir/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export HOME="${HOME:-$dir}"  # Wine wants one; a bare CI environment may have none
    unset DISPLAY  # nothing here needs a window, and no X server may be running
    "$HYGRO_WINESERVER" -k 2>/dev/null || true  # a server left over from an earlier run
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        "$HYGRO_WINE_LOADER" wineboot -i >"$dir/wineboot.log" 2>&1
        "$HYGRO_WINESERVER" -w
    fi
}

# hygro_wine_map_ports DIR PORT=PATH...: makes each COM port lead to PATH and lists it under
# HARDWARE\DEVICEMAP\SERIALCOMM, as Windows lists a real port. Wine follows PATH at every
# open, so a replugged simulator behind the same link is found anew.
hygro_wine_map_ports() {
    local dir=$1
    shift
    local mapping changed=0
    for mapping in "$@"; do
        if ! grep -qxF "\"${mapping%%=*}\"=\"${mapping#*=}\"" "$WINEPREFIX/system.reg"; then
            "$HYGRO_WINE_LOADER" reg add 'HKLM\Software\Wine\Ports' /v "${mapping%%=*}" \
                /t REG_SZ /d "${mapping#*=}" /f >>"$dir/wineboot.log" 2>&1
            changed=1
        fi
    done
    if [ $changed -eq 1 ]; then
        # The port list is made when Wine's services start: restart them.
        "$HYGRO_WINESERVER" -k 2>/dev/null || true
        "$HYGRO_WINESERVER" -w
    fi
}

# hygro_wine_start_server DIR: one persistent server for the run, its standard error to a
# file: it takes a pseudo-terminal it opens as its controlling terminal and writes a flood
# of lines when that terminal hangs up. Wine's services are started here too, by a first
# program with its output to a file: started by a test instead, they would inherit that
# test's output pipe and CTest would wait for them to close it.
hygro_wine_start_server() {
    local dir=$1
    "$HYGRO_WINESERVER" -p -f 2>"$dir/wineserver.log" &
    HYGRO_WINESERVER_PID=$!
    "$HYGRO_WINE_LOADER" reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' \
        >"$dir/serialcomm.log" 2>&1 </dev/null
}

hygro_wine_stop_server() {
    "$HYGRO_WINESERVER" -k 2>/dev/null || true
    if [ -n "${HYGRO_WINESERVER_PID:-}" ]; then
        wait "$HYGRO_WINESERVER_PID" 2>/dev/null || true
    fi
}
