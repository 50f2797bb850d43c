# Shared environment of the project's scripts: where things live, how Wine runs.
: "${root:?}"
export WORDHOP_BUILD="$root/build"
export WORDHOP_DEPS="$WORDHOP_BUILD/deps"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Every Windows architecture has its own prefix and its own loader, called by
# path: Debian's `wine` wrapper would pick the 32-bit loader whenever it is
# installed, whether this host can run it or not.
#   use_wine win64|win32
use_wine() {
  case $1 in
    win64) export WINELOADER=/usr/lib/wine/wine64 ;;
    win32) export WINELOADER=/usr/lib/wine/wine ;;
    *) echo "use_wine: unknown architecture '$1'" >&2; return 1 ;;
  esac
  export WINEARCH=$1
  export WINEPREFIX="$WORDHOP_BUILD/wineprefix-$1"
  export WINESERVER=/usr/lib/wine/wineserver64
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
