#!/usr/bin/env bash
# Makes the README's screenshot of the window after a run: starts the program
# on a fresh Xvfb display over a copy of samples/contacts.vcf, follows the
# page's start link with the pointer as a user would, waits until the run has
# written the file, and saves the window as docs/screenshot.png.
#
#   scripts/screenshot.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
program=$(realpath "$build/app/borvanta" 2>/dev/null || true)
if [[ ! -x $program ]]; then
  echo "screenshot: no program at $build/app/borvanta; build it first" >&2
  exit 1
fi
for tool in xvfb-run xdotool scrot; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/contacts.vcf "$work/contacts.vcf"
mkdir -p docs

# What happens on the display: the window, the click, the wait, the picture.
cat >"$work/on-display.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1 book=$2 picture=$3
"$program" "$book" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(xdotool search --sync --name '^Borvanta v1\.0 Beta$' | head -1)
sleep 2  # the page loads and paints
eval "$(xdotool getwindowgeometry --shell "$window")"
before=$(md5sum <"$book")
# The start link sits at the left end of the bar fixed to the window's bottom.
xdotool mousemove --window "$window" 45 $((HEIGHT - 18)) click 1
for _ in $(seq 1 300); do
  [[ $(md5sum <"$book") != "$before" ]] && break
  sleep 0.1
done
if [[ $(md5sum <"$book") == "$before" ]]; then
  echo "screenshot: the run did not change the file" >&2
  exit 1
fi
xdotool mousemove 0 0  # no hover effect in the picture
sleep 1
scrot --overwrite --autoselect "$X,$Y,$WIDTH,$HEIGHT" "$picture"
INNER
chmod +x "$work/on-display.sh"

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$work/on-display.sh" "$program" "$work/contacts.vcf" "$PWD/docs/screenshot.png"
echo "screenshot: docs/screenshot.png"
