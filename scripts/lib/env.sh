# Shared environment of the project's scripts: where things live, how Wine runs.
: "${root:?}"
export WORDHOP_BUILD="$root/build"
export WORDHOP_DEPS="$WORDHOP_BUILD/deps"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Every Windows architecture has its own prefix and its own loader, called by
# path: Debian's `wine` wrapper would pick the 32-bit loader whenever it is
# installed, whether this host can run it or not. Inside the Wine 10 folder
# (scripts/lib/wine10.sh, which sets WORDHOP_WINE=10) there is one loader for
# both, named by its own path (a link to it fails), and prefixes of their own.
#   use_wine win64|win32
use_wine() {
  local wine10=/usr/lib/x86_64-linux-gnu/wine
  case $1 in
    win64) export WINELOADER=/usr/lib/wine/wine64 ;;
    win32) export WINELOADER=/usr/lib/wine/wine ;;
    *) echo "use_wine: unknown architecture '$1'" >&2; return 1 ;;
  esac
  export WINESERVER=/usr/lib/wine/wineserver64
  if [ "${WORDHOP_WINE:-}" = 10 ]; then
    export WINELOADER=$wine10/wine WINESERVER=$wine10/wineserver
  fi
  export WINEARCH=$1
  export WINEPREFIX="$WORDHOP_BUILD/wineprefix-$1${WORDHOP_WINE:+-wine$WORDHOP_WINE}"
}
wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# Whether this host executes 32-bit code, found out by starting the 32-bit
# loader (some kernels boot with 32-bit emulation switched off).
host_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# The architectures whose programs this host can run, native first.
runnable_wine_archs() {
  echo win64
  if host_runs_32bit; then echo win32; fi
}

# Creates the prefix of an architecture once, as the tests need it (setup
# calls it for each architecture this host runs).
#   prepare_prefix win64|win32
prepare_prefix() {
  use_wine "$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: creating the $1 Wine prefix in $WINEPREFIX" >&2
    mkdir -p "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1 || return 1
    wineserver -w
  fi
  # Without a window manager (Xvfb) Wine draws the windows' frames itself.
  # A crashing program must end, not wait for a debugger that nobody sees:
  # the debugger command names a program that does not exist.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" || ! grep -q 'wordhop-no-debugger' "$WINEPREFIX/system.reg"; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    for key in 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
               'HKLM\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug'; do
      wine reg add "$key" /v Debugger /d wordhop-no-debugger /f >/dev/null 2>&1
      wine reg add "$key" /v Auto /d 1 /f >/dev/null 2>&1
    done
    wineserver -w
  fi
  # Wine does not always find the fonts of its own data folder; the gadget font
  # (MS Shell Dlg, that is Tahoma) must not fall back to a wider one.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$fonts/$(basename "$font")" ] || cp "$font" "$fonts/"
  done
}
