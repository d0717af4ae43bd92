#!/bin/sh
# The report's code page under Wine with the regional settings of a Polish
# (1250), a Russian (1251) and an Italian (1252) Windows, in one private
# prefix. The Wine server takes the settings when it starts, so it is
# started afresh for each.
# Usage: code-pages.sh REPORT_TESTS_EXE
set -u
. "$(dirname "$0")/../platform/win32/wine-prefix.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-code-pages.XXXXXX")
wine_prefix_scratch "$work"

status=0
for setting in pl_PL.UTF-8=1250 ru_RU.UTF-8=1251 it_IT.UTF-8=1252; do
    locale=${setting%=*}
    if ! locale -a 2>/dev/null | grep -qix "${locale%.UTF-8}.utf-\?8"; then
        echo "FAIL: the locale $locale is not compiled (scripts/deps.sh test)" >&2
        status=1
        continue
    fi
    export LANG=$locale LC_ALL=$locale DRAVELO_EXPECTED_CODE_PAGE=${setting#*=}
    wine_prefix_start
    wine "$1" --gtest_brief=1 --gtest_filter='SystemCodePage.*' || { echo "FAIL under $locale" >&2; status=1; }
    wine_prefix_stop
done
exit $status
