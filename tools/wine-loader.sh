# Sourced by wine-prefix and wine-run.
#
# nwmp_wine_loader ARCH: the Wine loader for a prefix of ARCH (win32 or win64). Debian's wine
# command runs the 32-bit loader whenever 32-bit Wine is installed, also for a 64-bit prefix, and
# a kernel built without IA-32 emulation cannot start it at all: each prefix gets the loader of
# its own architecture.
nwmp_wine_loader() {
    if [[ "$1" == win32 ]]; then
        echo /usr/lib/wine/wine
    else
        echo /usr/lib/wine/wine64
    fi
}
