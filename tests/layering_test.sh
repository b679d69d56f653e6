#!/bin/sh
# SPDX-License-Identifier: MIT
# The folders depend one way: the device library includes nothing of the
# folders above it, and the program includes nothing of the command-line
# client. A quoted include is checked by its name, as the compiler looks it
# up: a header that a folder above also holds under that name could be the
# one found there.
set -eu
cd "$1"

# Lists the includes of the sources under the folders in $1 whose names a
# source under one of the folders in $2 also has.
crossings() {
    for file in $(find $1 -name '*.c' -o -name '*.cpp' -o -name '*.h'); do
        for name in $(sed -n 's/^#include "\(.*\)"$/\1/p' "$file"); do
            for higher in $2; do
                if [ -n "$(find "$higher" -path "*/$name" -print -quit)" ]; then
                    echo "$file includes \"$name\", which $higher/ has too"
                fi
            done
        done
    done
}

found=$(crossings device "emulator cli app control imageview folder res"
        crossings "app control imageview folder res" cli)
if [ -n "$found" ]; then
    echo "$found" >&2
    exit 1
fi
