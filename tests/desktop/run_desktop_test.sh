#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a test of the program on a desktop of its own (desktop_session.py) in
# a D-Bus session of its own, where the machine has what the test takes, and
# skips it (status 77) with a message where it has not:
#   run_desktop_test.sh wayland_run|accessible_tree ARGUMENTS...
set -eu
here=$(dirname "$0")
test=$1
shift
skip() {
    echo "SKIP: $*"
    exit 77
}

python=""
for candidate in python3 /usr/bin/python3; do
    if "$candidate" -c 'import pyatspi' 2>/dev/null; then
        python=$candidate
        break
    fi
done
[ -n "$python" ] || skip "python3-pyatspi is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session (dbus) is not installed"
[ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] || skip "at-spi2-core is not installed"
case $test in
wayland_run)
    command -v weston >/dev/null || skip "weston is not installed"
    ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
        skip "qt6-wayland is not installed"
    ;;
accessible_tree)
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    ;;
esac
exec dbus-run-session -- "$python" "$here/${test}_test.py" "$@"
