#!/bin/sh
# Runs one Windows program under Wine in the build tree's private prefix.
# VLD_WINEPREFIX is set by the test command; the default keeps a stray ctest run away from ~/.wine.
: "${VLD_WINEPREFIX:=$(dirname "$0")/../build/win64/wineprefix}"
WINEPREFIX=$VLD_WINEPREFIX
WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX WINEDEBUG
exec wine "$@"
