#!/bin/bash
# The installation as a user gets it: installs the build into a temporary
# DESTDIR under the prefix /usr, runs the installed programs (--version, a
# wage card of the sample archive with the installed fonts, the window) and
# validates the desktop entry, the AppStream metadata and the manual pages
# with the tools that are present.
# Arguments: the build folder, the version, the desktop id, whether the
# window is built (ON or OFF).
set -euo pipefail
build=$1 version=$2 id=$3 app=$4
dest=$(mktemp -d "${TMPDIR:-/tmp}/dosber-install-XXXXXX")
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
has() { command -v "$1" > /dev/null; }
# Nothing of the build tree or the test environment may help the installed programs.
clean=(env -u DOSBER_FONTS -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
       DOSBER_ROOT="$dest/root" DOSBER_NO_VIEWER=1)

DESTDIR="$dest/image" cmake --install "$build" --prefix /usr > "$dest/install.log" ||
  { cat "$dest/install.log"; fail "cmake --install"; }
[ "$(ls "$dest/image")" = usr ] || fail "files outside the prefix: $(ls "$dest/image")"
usr=$dest/image/usr

window=bin/dosber
[ "$app" = ON ] || window=
for f in $window bin/dosber-cli \
    share/dosber/fonts/{dejavusans,dejavusans-bold,dejavusans-oblique}.ttf \
    share/dosber/fonts/{dejavusanscondensed,dejavusanscondensed-bold,dejavusanscondensed-oblique}.ttf \
    "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$id.svg" "share/icons/hicolor/256x256/apps/$id.png" \
    share/man/man1/dosber.1.gz share/man/man1/dosber-cli.1.gz \
    share/doc/dosber/copyright share/doc/dosber/changelog.gz; do
  [ -f "$usr/$f" ] || fail "not installed: $f"
done
[ -x "$usr/bin/dosber-cli" ] || fail "dosber-cli is not executable"
# The PNG header's width and height.
[ "$(od -An -tx1 -j16 -N8 "$usr/share/icons/hicolor/256x256/apps/$id.png" | tr -d ' \n')" = 0000010000000100 ] ||
  fail "the PNG icon is not 256 x 256"
grep -q "bitstream-vera" "$usr/share/doc/dosber/copyright" || fail "the copyright file lacks the fonts' licence"
grep -q "^License: Expat" "$usr/share/doc/dosber/copyright" || fail "the copyright file lacks the program's licence"

# One version line, no display needed.
line=$("${clean[@]}" "$usr/bin/dosber-cli" --version)
[ "$line" = "dosber $version" ] || fail "dosber-cli --version: '$line'"
if [ -n "$window" ]; then
  wline=$("${clean[@]}" "$usr/bin/dosber" --version)
  [ "$wline" = "$line" ] || fail "dosber --version: '$wline', dosber-cli --version: '$line'"
fi

# A wage card of the sample archive; the fonts can only come from share/dosber/fonts.
pdf=$dest/karton.pdf
out=$("${clean[@]}" "$usr/bin/dosber-cli" card "$build/sample/ber98/kalibra" --azon 16101052202 --output "$pdf") ||
  fail "card: $out"
[ "$out" = "$pdf" ] || fail "card printed '$out'"
pdfinfo "$pdf" | grep -Eq '^Pages: +[1-9]' || fail "pdfinfo: $(pdfinfo "$pdf" 2>&1)"
pdffonts "$pdf" | grep -Eq 'DejaVuSansCondensed.* yes +yes +yes' || fail "fonts not embedded: $(pdffonts "$pdf")"
if has qpdf; then qpdf --check "$pdf" > /dev/null || fail "qpdf --check: $(qpdf --check "$pdf" 2>&1)"; fi

if [ -n "$window" ]; then
  # Without a display the window says so instead of aborting.
  set +e
  msg=$("${clean[@]}" "$usr/bin/dosber" "$build/sample" 2>&1)
  status=$?
  # The installed window starts and keeps running on the sample archive (stopped after 3 s).
  "${clean[@]}" QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/dosber" "$build/sample" > "$dest/window.log" 2>&1
  running=$?
  set -e
  [ "$status" = 1 ] && [[ "$msg" == *DISPLAY* ]] || fail "without a display: status $status, '$msg'"
  [ "$running" = 124 ] || fail "the window ended with status $running: $(cat "$dest/window.log")"
fi

# Every command and option of dosber-cli is in its manual page.
page=$(zcat "$usr/share/man/man1/dosber-cli.1.gz" | sed 's/\\-/-/g')
commands=$("$usr/bin/dosber-cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z-]*\) .*/\1/p')
[ -n "$commands" ] || fail "no commands in dosber-cli --help"
for o in $("$usr/bin/dosber-cli" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$o" <<< "$page" || fail "the manual page lacks $o"
done
for c in $commands; do
  grep -qw -- "$c" <<< "$page" || fail "the manual page lacks the command $c"
  for o in $("$usr/bin/dosber-cli" "$c" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$o" <<< "$page" || fail "the manual page lacks $c $o"
  done
done

if has desktop-file-validate; then
  desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
fi
if has appstreamcli; then
  appstreamcli validate --no-net --pedantic "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
  appstreamcli validate-tree --no-net "$dest/image" || fail "appstreamcli validate-tree"
fi
if has man; then
  for p in "$usr"/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$p" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "$(basename "$p"): $warnings"
  done
fi
echo "installed and checked: $usr"
