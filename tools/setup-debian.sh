# Sourced by ./check and ./play: installs the Debian packages the build and the tests need.
# Packages already installed are skipped, so a second run costs one dpkg query.

# Everything to build the programs and run every test; one list so that ./check and ./play agree.
NWMP_PACKAGES=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev
    qt6-base-dev libgl-dev libx11-dev libmpv-dev
    xvfb xauth xdotool dbus dbus-x11 xdg-utils desktop-file-utils shared-mime-info
    libglib2.0-bin libfile-mimeinfo-perl
    fonts-ipafont-gothic
    libxcb1-dev openbox x11-utils weston qt6-wayland xwayland
    dpkg-dev file librsvg2-bin appstream lintian
    g++-mingw-w64-x86-64-posix wine wine64 googletest locales
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

nwmp_setup() {
    nwmp_install_packages "${NWMP_PACKAGES[@]}"
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
