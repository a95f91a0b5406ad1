#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs the build into a temporary prefix and checks the layout a
# desktop expects (programs, video tool, launcher entry, icons, project file type, software-centre
# metadata) with the freedesktop validators, then exports a video with the installed command-line
# tool, which has to find the installed video tool on its own.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.vintrel.Vintrel
for f in bin/vintrel bin/vintrel-cli libexec/vintrel/kelvask \
         share/vintrel/color.ini share/doc/vintrel/README.md \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg; do
  [[ -f $prefix/$f ]] || fail "$f is not installed"
done
for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [[ -f $png ]] || fail "no ${size}x${size} icon"
  # The PNG header's width and height, big-endian at bytes 16..23.
  read -r w h < <(python3 -c 'import struct,sys; print(*struct.unpack(">II", open(sys.argv[1],"rb").read()[16:24]))' "$png")
  [[ $w == "$size" && $h == "$size" ]] || fail "the ${size}x${size} icon is ${w}x${h}"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

# The project file type: *.stn and the files' own first bytes, and the launcher opens it.
update-mime-database "$prefix/share/mime"
grep -q '^50:application/x-vintrel-project:\*\.stn$' "$prefix/share/mime/globs2" || fail "*.stn is not a project"
grep -q '^MimeType=application/x-vintrel-project;$' "$prefix/share/applications/$id.desktop" ||
  fail "the launcher does not open projects"
grep -q 'Exec=vintrel %f' "$prefix/share/applications/$id.desktop" || fail "the launcher passes no file"

# The installed tools work from the prefix: a project made, exported as a video through the
# installed video tool (not the one in the build folder).
work=$prefix/work
mkdir -p "$work"
unset VINTREL_KELVASK
"$prefix/bin/vintrel-cli" new -o "$work/p.stn"
"$prefix/bin/vintrel-cli" export "$work/p.stn" -o "$work/p.mp4" --type video --end 4 --size 32x32 2>/dev/null ||
  fail "the installed vintrel-cli cannot export a video"
[[ -s $work/p.mp4 ]] || fail "no video written"
echo "install layout ok"
