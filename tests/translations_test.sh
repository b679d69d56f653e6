#!/bin/sh
# SPDX-License-Identifier: MIT
# Every text of the sources has a finished translation in each Qt Linguist
# file, with its placeholders and its accelerator kept: lupdate runs over the
# sources into a copy of each file, which ts_tool.py then checks. The client's
# table comes from the same files, so this covers its texts too.
# Usage: translations_test.sh SOURCE_DIR LUPDATE PYTHON
set -eu
root=$1
lupdate=$2
python=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$root"/res/translations/*.ts; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    LUPDATE="$lupdate" "$root/scripts/update-translations" "$copy"
    "$python" "$root/i18n/ts_tool.py" check "$copy" || status=1
done
if [ "$status" -ne 0 ]; then
    echo "'make translations' adds the new texts to res/translations; translate them there" >&2
fi
exit "$status"
