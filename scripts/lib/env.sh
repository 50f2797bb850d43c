# Shared environment of the project's scripts: where things live, how Wine runs.
: "${root:?}"
export WORDHOP_BUILD="$root/build"
export WORDHOP_DEPS="$WORDHOP_BUILD/deps"
export WINEPREFIX="$WORDHOP_BUILD/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
