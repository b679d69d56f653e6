#!/bin/sh
# SPDX-License-Identifier: MIT
# The Qt program builds on any system Qt runs on: its sources include no
# POSIX header, except the signal handling and the files kept for POSIX
# systems (*_posix.cpp), each of which has a portable counterpart.
set -eu
cd "$1"

posix='unistd|fcntl|grp|pwd|termios|poll|dirent|pthread|signal|sys/[a-z_]+'
found=$(grep -rnE "^#include <($posix)\.h>" app control imageview folder res \
    --include='*.cpp' --include='*.h' |
    grep -vE '^[^:]*(_posix\.cpp|/termination_signals\.cpp):' || true)
if [ -n "$found" ]; then
    echo "POSIX headers in the program's portable sources:" >&2
    echo "$found" >&2
    exit 1
fi
for file in $(find app control imageview folder res -name '*_posix.cpp'); do
    if [ ! -f "${file%_posix.cpp}.cpp" ]; then
        echo "$file has no portable counterpart" >&2
        exit 1
    fi
done
