#!/bin/sh
# SPDX-FileCopyrightText: 2026 Tessivo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Tessivo into a scratch root and checks what a user of the installed program
# gets: the layout, the glyph files found by the installed program, its settings under
# XDG and not beside it, the command line, and desktop files that pass their validators.
#   check-install.sh layout  BUILD SCRATCH   what `cmake --install` puts under DESTDIR
#   check-install.sh package BUILD SCRATCH   the contents of the Debian package CPack makes
# HARDENED=1 in the environment: the binaries must carry BIND_NOW and the stack protector.
set -eu
mode=$1 build=$2 scratch=$3
hardened=${HARDENED:-0}
rm -rf "$scratch"
mkdir -p "$scratch"
root=$scratch/root
fail() { echo "check-install: $*" >&2; exit 1; }

case $mode in
layout)
  DESTDIR=$root cmake --install "$build" --prefix /usr >"$scratch/install.log" || fail "cmake --install failed"
  ;;
package)
  cpack -G DEB -B "$scratch/package" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
  deb=$(ls "$scratch"/package/tessivo_*.deb) || fail "no package was made"
  # Nothing outside /usr: no configuration, no user's files, no caches.
  outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$' || true)
  [ -z "$outside" ] || fail "the package writes outside /usr: $outside"
  depends=$(dpkg-deb -f "$deb" Depends)
  for library in libqt6widgets6 libhidapi-hidraw0 libusb-1.0-0; do
    echo "$depends" | grep -q "$library" || fail "the package does not depend on $library: $depends"
  done
  for script in postinst postrm; do
    dpkg-deb -I "$deb" "$script" | grep -q 'udevadm control --reload-rules' || fail "$script does not reload the udev rules"
  done
  dpkg-deb -x "$deb" "$root" || fail "the package cannot be unpacked"
  # The package as Debian's linter judges it: no error and no warning (pedantic notes
  # and informational tags are read, not failed on).
  if command -v lintian >/dev/null; then
    lintian --pedantic --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
    if grep -E '^[EW]: ' "$scratch/lintian.log" >&2; then
      fail "lintian reports errors or warnings"
    fi
  fi
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac

usr=$root/usr
lib=$usr/lib/tessivo/LIB
[ "$(readlink "$usr/bin/tessivo")" = "../lib/tessivo/tessivo" ] || fail "bin/tessivo does not point at lib/tessivo/tessivo"
for file in THE_7ASCII.bin THE_11ASCII.bin THE_11FH.bin THE_16ASCII.bin THE_16FH.bin UserZK11.fnt UserZK16.fnt \
            libMorvUSB.so INSTALLED; do
  [ -s "$lib/$file" ] || fail "LIB/$file is missing"
done
[ -s "$usr/lib/tessivo/libFeltrix.so" ] || fail "libFeltrix.so is missing"
[ -s "$usr/lib/udev/rules.d/70-tessivo.rules" ] || fail "the udev rules are missing"
[ -s "$usr/share/man/man1/tessivo.1.gz" ] || fail "the man page is missing"
copyright=$usr/share/doc/tessivo/copyright
[ -s "$copyright" ] || fail "the copyright file is missing"
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
for glyphs in THE_7ASCII.bin THE_11ASCII.bin THE_11FH.bin THE_16ASCII.bin THE_16FH.bin UserZK11.fnt UserZK16.fnt; do
  grep -q "usr/lib/tessivo/LIB/$glyphs" "$copyright" || fail "the copyright file does not name LIB/$glyphs"
done
gzip -t "$usr/share/doc/tessivo/changelog.Debian.gz" 2>/dev/null || fail "changelog.Debian.gz is missing or damaged"

# Hardened binaries: full RELRO with BIND_NOW, and the stack protector in use.
if [ "$hardened" = 1 ] && command -v readelf >/dev/null; then
  for binary in "$usr/lib/tessivo/tessivo" "$usr/lib/tessivo/libFeltrix.so" "$lib/libMorvUSB.so"; do
    readelf -d "$binary" | grep -qE 'BIND_NOW|FLAGS_1.*NOW' || fail "$binary is not linked with BIND_NOW"
    readelf -lW "$binary" | grep -q 'GNU_RELRO' || fail "$binary has no RELRO segment"
  done
  readelf -sW --dyn-syms "$usr/lib/tessivo/tessivo" | grep -q '__stack_chk_fail' ||
    fail "the program is not built with the stack protector"
  readelf -hW "$usr/lib/tessivo/tessivo" | grep -q 'DYN' || fail "the program is not position-independent"
fi
for side in 16 22 24 32 48 64 128 256 512; do
  [ -s "$usr/share/icons/hicolor/${side}x$side/apps/com.qorlsoft.Tessivo.png" ] || fail "the ${side}x$side icon is missing"
done

# The installed program, as a user starts it: through bin/, headless, with its own
# configuration folder; it closes itself once its window is up.
home=$scratch/home
mkdir -p "$home"
env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen \
  TESSIVO_EXIT_WHEN_SHOWN=1 ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
  "$usr/bin/tessivo" >"$scratch/run.out" 2>"$scratch/run.err" || { cat "$scratch/run.err" >&2; fail "the installed program did not start"; }
grep -q "started with 7 of 7 glyph files from $usr/lib/tessivo/LIB" "$scratch/run.err" ||
  { cat "$scratch/run.err" >&2; fail "the installed program did not find its glyph files"; }
[ -s "$home/config/Tessivo/Tessivo.ini" ] || fail "the settings were not written under XDG_CONFIG_HOME"
[ ! -e "$lib/Tessivo.ini" ] || fail "the settings were written into the installed LIB"

# The command line of the installed program needs no window system.
version=$(env -i PATH=/usr/bin:/bin HOME="$home" ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$usr/bin/tessivo" --version) ||
  fail "tessivo --version failed"
case $version in Tessivo\ *) ;; *) fail "tessivo --version said: $version" ;; esac

# Desktop integration, checked by the validators where they are installed.
desktop=$usr/share/applications/com.qorlsoft.Tessivo.desktop
metainfo=$usr/share/metainfo/com.qorlsoft.tessivo.metainfo.xml
grep -q '^Exec=tessivo %f$' "$desktop" || fail "the desktop entry does not open files with tessivo"
grep -q '^MimeType=application/x-tessivo-project;$' "$desktop" || fail "the desktop entry does not take projects"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry fails validation"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log" >&2; fail "the metainfo fails validation"; }
  # Clean even of pedantic notes.
  if grep -E '^[EWIP]: ' "$scratch/appstream.log" >&2; then
    fail "the metainfo draws remarks from appstreamcli --pedantic"
  fi
fi
if command -v update-mime-database >/dev/null; then
  cp -r "$usr/share/mime" "$scratch/mime"
  update-mime-database "$scratch/mime" >"$scratch/mime.log" 2>&1 || fail "the MIME type does not build"
  grep -q '^50:application/x-tessivo-project:\*\.ldat$' "$scratch/mime/globs2" ||
    fail "projects are not known by their extension"
  grep -aq 'application/x-tessivo-project' "$scratch/mime/magic" || fail "projects are not known by their magic numbers"
fi
echo "check-install: $mode fine"
