#!/usr/bin/env bash
# Runs the on-screen settings window test once per screen DPI of the prefix.
# Wine reads LogPixels when its server starts, so the server is restarted.
# Usage: run_at_dpis.sh <win64|win32> <test program> <results folder> <screenshots folder>
set -u
arch=$1 program=$2 results=$3 shots=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
use_wine "$arch" || exit 1
set_dpi() {
  wineserver -k 2>/dev/null
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
status=0
for dpi in 96 120 144; do
  set_dpi "$dpi"
  WORDHOP_DPI=$dpi WORDHOP_SCREENSHOTS="Z:$shots" \
    "$root/scripts/lib/wine-run" "$arch" "$program" "--gtest_output=xml:Z:$results/settings_window_dpi_$dpi.xml" \
    || status=1
done
set_dpi 96
exit $status
