#!/usr/bin/env bash
# with_xvfb.sh COMMAND [ARGS...]: runs the command on a private virtual X server and stops the
# server afterwards; the exit code is the command's. The server picks a free display itself
# (-displayfd) and is waited for with a deadline, so runs side by side cannot race for a number.
set -u
dir=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
Xvfb -displayfd 3 -screen 0 ${VINTREL_XVFB_SCREEN:-1600x1000x24} -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
for _ in $(seq 1 200); do
  if [[ -s "$dir/display" ]]; then
    break
  fi
  if ! kill -0 "$server" 2>/dev/null; then
    cat "$dir/xvfb.log" >&2
    exit 125
  fi
  sleep 0.05
done
if [[ ! -s "$dir/display" ]]; then
  echo "with_xvfb.sh: the X server did not start" >&2
  exit 125
fi
export DISPLAY=":$(head -n1 "$dir/display")"
export QT_QPA_PLATFORM=xcb
"$@"
