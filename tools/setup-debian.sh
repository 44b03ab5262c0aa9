# Sourced by ./check and ./play: installs the Debian packages they need. ./play needs only what
# builds and runs the programs; ./check adds what the tests, the packages and the Windows build
# need. Packages already installed are skipped, so a second run costs one dpkg query.

# To build the five programs and run them, on a desktop or (./play without one) on Xvfb.
# libmpv-dev wants a JACK library: jackd2's, the one that 32-bit Wine's packages can stand beside.
NWMP_PLAY_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-wayland libgl-dev libxcb1-dev libmpv-dev libavformat-dev libjack-jackd2-dev
    fonts-ipafont-gothic desktop-file-utils shared-mime-info
    xvfb xauth xdotool dbus
)

# In addition, to build and run every test, the Debian package and its checks, the users'
# documents, and the Windows build under Wine.
NWMP_CHECK_PACKAGES=(
    libgtest-dev libgmock-dev googletest libx11-dev
    dbus-x11 xdg-utils libglib2.0-bin libfile-mimeinfo-perl
    openbox x11-utils weston xwayland
    dpkg-dev file librsvg2-bin appstream lintian python3 man-db
    g++-mingw-w64-x86-64-posix wine wine64 locales
)

nwmp_missing_packages() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || echo "$pkg"
    done
}

nwmp_install_packages() {
    local missing
    mapfile -t missing < <(nwmp_missing_packages "$@")
    ((${#missing[@]} == 0)) && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

nwmp_setup_play() {
    nwmp_install_packages "${NWMP_PLAY_PACKAGES[@]}"
}

nwmp_setup_check() {
    nwmp_install_packages "${NWMP_PLAY_PACKAGES[@]}" "${NWMP_CHECK_PACKAGES[@]}"
}

# ./check only: the 32-bit Windows build and its tests need the i686 cross compiler and 32-bit
# Wine, which comes from Debian's i386 architecture. The architecture is added, and the package
# lists read again, only where it is missing.
NWMP_WINDOWS_X86_PACKAGES=(g++-mingw-w64-i686-posix wine32:i386)

nwmp_setup_windows_x86() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        local sudo=()
        if [[ $(id -u) -ne 0 ]]; then
            command -v sudo >/dev/null || { echo "error: need root or sudo to add the i386 architecture" >&2; return 1; }
            sudo=(sudo)
        fi
        echo "Adding Debian's i386 architecture for 32-bit Wine"
        "${sudo[@]}" dpkg --add-architecture i386
        "${sudo[@]}" apt-get update -qq
    fi
    nwmp_install_packages "${NWMP_WINDOWS_X86_PACKAGES[@]}"
}
