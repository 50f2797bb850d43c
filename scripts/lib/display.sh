# Gives the Windows programs an X display: the caller's, or a private Xvfb that
# is stopped, with the Wine servers, when the calling script ends.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WORDHOP_XVFB_PID=$!
  trap 'stop_wine_servers; kill $WORDHOP_XVFB_PID 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "could not start Xvfb" >&2
  return 1
}

# A prefix whose server is not running makes `wineserver -k` fail, which under
# `set -e` would fail the calling script as it ends.
stop_wine_servers() {
  local arch
  for arch in $(runnable_wine_archs); do (use_wine "$arch" && wineserver -k 2>/dev/null) || true; done
}
