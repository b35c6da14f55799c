# Sourced by scripts/run and scripts/test: installs the Debian packages the build needs,
# running apt-get update once and only when something is missing.
HYGRO_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools
                libqcustomplot-dev libgl1-mesa-dev fonts-liberation2
                libgtest-dev libgmock-dev libbenchmark-dev
                prometheus-cpp-dev libmosquitto-dev
                # a compiler cache, so the normal, sanitizer and Windows builds of a change
                # recompile only what it touched
                ccache
                # the servers the metrics and MQTT tests start, and the README's subscriber
                prometheus mosquitto mosquitto-clients
                # the certificates the TLS tests make, and the system's authorities they trust
                openssl ca-certificates
                # the serial device server the network port tests put in front of the simulator
                ser2net
                # the drop rule the network port tests set in a network namespace of their own
                nftables
                # the C library's locales the record's tests switch to (hygro_make_locales)
                locales)
# scripts/package: dpkg-shlibdeps and file for the dependencies, help2man and gzip for the
# manual pages; and for --check: desktop-file-validate, lintian, appstreamcli,
# systemd-analyze, and man for the manual pages and the unit's Documentation=.
HYGRO_PACKAGE_TOOLS=(dpkg-dev file help2man gzip)
HYGRO_PACKAGE_CHECK_TOOLS=(desktop-file-utils lintian appstream systemd man-db)

# Paths in the cache relative to the checkout, so another clone of the tree hits it too.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$HYGRO_ROOT}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

hygro_install_missing() {
    local missing=()
    local pkg
    for pkg in "${HYGRO_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -ne 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=()
        [ "$(id -u)" -ne 0 ] && sudo=(sudo)
        "${sudo[@]}" apt-get update -q
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    hygro_make_locales
}

# The C library's locales a test sets to show that the record's numbers do not follow them.
# Once they are there, HYGRO_REQUIRE_LOCALES=1 tells the tests to fail, not skip, without them.
HYGRO_LOCALES=(pl_PL de_DE ar_EG)
hygro_make_locales() {
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    local name have
    have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
    for name in "${HYGRO_LOCALES[@]}"; do
        if ! grep -qx "$(echo "$name.utf8" | tr '[:upper:]' '[:lower:]')" <<<"$have"; then
            echo "Making the locale $name.UTF-8"
            "${sudo[@]}" localedef -i "$name" -f UTF-8 "$name.UTF-8" || return 1
        fi
    done
    export HYGRO_REQUIRE_LOCALES=1
}

hygro_build() {  # hygro_build BUILD_DIR [cmake options...]
    local dir=$1
    shift
    cmake -S "$HYGRO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
