#!/usr/bin/env bash
# main_build_video_test.sh BUILD_DIR: BUILD_DIR was built as the README's main job builds it (the
# vintrel and vintrel-cli targets only). The video tool must be there all the same: a sample is
# exported as a video with that build's vintrel-cli, and ffprobe reads the file back. Without
# ffmpeg on PATH the export is refused before a frame is drawn, with a message that says why.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cli=$build/app/vintrel-cli
[[ -x $build/app/assets/kelvask ]] || fail "building vintrel and vintrel-cli did not build the video tool"
unset VINTREL_KELVASK
"$cli" export "$root/samples/fire.stn" -o "$work/fire.mp4" --type video --end 8 --size 64x48 2>"$work/err" ||
  fail "video export failed: $(cat "$work/err")"
read -r codec width height frames < <(ffprobe -v error -select_streams v:0 -count_frames \
  -show_entries stream=codec_name,width,height,nb_read_frames -of csv=p=0 "$work/fire.mp4" | tr ',' ' ')
[[ $width == 64 && $height == 48 ]] || fail "the video is ${width}x${height}, not 64x48"
[[ $frames == 8 ]] || fail "the video has $frames frames, not 8"
echo "video ok: $codec ${width}x${height}, $frames frames"

# No ffmpeg: refused at once, nothing written, and the message names what is missing.
mkdir "$work/bin"
for tool in bash env; do ln -s "$(command -v $tool)" "$work/bin/$tool"; done
if PATH=$work/bin "$cli" export "$root/samples/fire.stn" -o "$work/none.mp4" --type video --end 8 \
     2>"$work/err"; then
  fail "a video export without ffmpeg succeeded"
fi
grep -q "ffmpeg" "$work/err" || fail "the message does not name ffmpeg: $(cat "$work/err")"
grep -q "export \[" "$work/err" && fail "frames were drawn before the missing ffmpeg was found"
[[ ! -e $work/none.mp4 ]] || fail "a video was written without ffmpeg"
echo "main build video ok"
