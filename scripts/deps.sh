#!/bin/sh
# Installs the Debian packages the build and the tests need, skipping those
# already present. Usage: scripts/deps.sh [run|test]
set -eu

run_packages="cmake g++ make qt6-base-dev libcups2-dev libxcb1-dev qt6-translations-l10n fonts-liberation qt6-wayland"
test_packages="libgtest-dev googletest xvfb openbox xfwm4 xdotool xclip imagemagick x11-utils x11-xserver-utils
    cups cups-client printer-driver-cups-pdf poppler-utils
    desktop-file-utils appstream lintian man-db at-spi2-core python3-pyatspi dbus-x11
    clang libclang-rt-14-dev dpkg-dev pkg-config libxcb-damage0-dev libxcb-xtest0-dev libxcb-keysyms1-dev
    g++-mingw-w64-x86-64 wine wine64 locales wixl msitools
    sway wtype grim python3-fusepy fuse3"

case "${1:-run}" in
    run) wanted=$run_packages ;;
    test) wanted="$run_packages $test_packages" ;;
    *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing
fi

# The tests run under the Italian settings the program is made for, and the
# worked example also under settings with the decimal point, and the report's
# code page under Polish and Russian ones; Wine takes them from the C library,
# which needs the locales compiled.
if [ "${1:-run}" = test ]; then
    for language in it_IT en_US en_GB de_CH it_CH pl_PL ru_RU; do
        if ! locale -a 2>/dev/null | grep -qix "$language.utf-\?8"; then
            echo "Compiling the $language.UTF-8 locale"
            $sudo_cmd localedef -i "$language" -f UTF-8 "$language.UTF-8"
        fi
    done
fi
