# Wine 10, closer to Windows than Debian 12's Wine 8 (stricter about DPI,
# crash handling and the foreground), from Debian's unstable suite: a folder of
# its own under build/, made once by mmdebstrap and entered with bubblewrap.
# Sourced after env.sh.
WINE10_ROOT="$WORDHOP_BUILD/wine10-root"
WINE10_PACKAGES=wine,wine64,libwine,fonts-wine,cmake,xvfb,xdotool,x11-utils,procps

wine10_ready() { [ -x "$WINE10_ROOT/usr/lib/x86_64-linux-gnu/wine/wine" ]; }

# Why the folder is not there (ensure_wine10 wrote it down).
wine10_missing_reason() { cat "$WINE10_ROOT.why" 2>/dev/null || echo "scripts/setup has not made it"; }

# Makes the folder when it is not there yet (scripts/setup); false, with the
# reason on stdout and in wine10-root.why, where this host cannot.
ensure_wine10() {
  wine10_ready && return 0
  echo "setup: making the Wine 10 folder build/wine10-root (once, about 2 GB)" >&2
  local why
  why=$(make_wine10_root) && return 0
  echo "$why" | tee "$WINE10_ROOT.why"
  return 1
}

make_wine10_root() {
  if [ "$(id -u)" != 0 ] && ! unshare --user true 2>/dev/null; then
    echo "no user namespaces on this host"
    return 1
  fi
  command -v mmdebstrap >/dev/null && command -v bwrap >/dev/null || { echo "mmdebstrap or bwrap missing"; return 1; }
  rm -rf "$WINE10_ROOT.new"
  # The archive's signature of the unstable suite may be older than its
  # validity on a machine whose clock runs ahead.
  if ! mmdebstrap --quiet --variant=apt --aptopt='Acquire::Check-Valid-Until "false"' --include="$WINE10_PACKAGES" \
    sid "$WINE10_ROOT.new" http://deb.debian.org/debian >"$WORDHOP_BUILD/wine10-root.log" 2>&1; then
    rm -rf "$WINE10_ROOT.new"
    echo "mmdebstrap failed (build/wine10-root.log)"
    return 1
  fi
  mv "$WINE10_ROOT.new" "$WINE10_ROOT"
  rm -f "$WINE10_ROOT.why"
}

# Runs a command of this tree inside the folder, on the caller's display.
in_wine10() {
  bwrap --bind "$WINE10_ROOT" / --bind /tmp /tmp --bind "$root" "$root" --proc /proc --dev /dev \
    --setenv WORDHOP_WINE 10 --chdir "$root" -- "$@"
}
