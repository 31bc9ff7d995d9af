#!/usr/bin/env bash
# The Windows build, made and checked on this Debian machine.
#
#   bash scripts/windows.sh            Qt for Windows (once), the program,
#                                      the checks under Wine, dist/ zip and
#                                      installer
#   bash scripts/windows.sh --qt       only Qt for Windows (once)
#   bash scripts/windows.sh --check    the program, the checks under Wine and
#                                      the zip, when Qt for Windows is already
#                                      made; otherwise one line saying so (the
#                                      test command calls this)
#
# Qt for Windows (qtbase 6.4.2, cross-built with MinGW-w64 from Debian's own
# source package) is kept outside the work tree in
# ~/.cache/vq530t-link/qt-6.4.2-mingw64, or in $VQ_WIN_CACHE; its source
# tarball is kept beside it, since the archive may stop serving it. A first
# run takes about an hour on two cores; later runs reuse it.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

mode=all
case "${1:-}" in
  "") ;;
  --qt) mode=qt ;;
  --check) mode=check ;;
  *) echo "usage: bash scripts/windows.sh [--qt | --check]" >&2; exit 2 ;;
esac

qt_version=6.4.2
cache=${VQ_WIN_CACHE:-$HOME/.cache/vq530t-link}
qt_prefix=$cache/qt-$qt_version-mingw64
jobs=$(nproc 2>/dev/null || echo 2)

log() { printf 'windows: %s\n' "$*"; }

qt_ready() { [ -f "$qt_prefix/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$qt_prefix/.complete" ]; }

if [ "$mode" = check ] && ! qt_ready; then
  echo "windows: skipped the Windows check: no Qt for Windows in $qt_prefix (bash scripts/windows.sh makes it, about an hour once)"
  exit 0
fi

# What the cross build, Wine and the installer need, from Debian.
bash scripts/setup.sh g++-mingw-w64-x86-64-posix mingw-w64-tools ninja-build \
  wine wine64 xvfb xauth fonts-wine nsis zip unzip icoutils librsvg2-bin tesseract-ocr \
  tesseract-ocr-deu tesseract-ocr-jpn tesseract-ocr-script-jpan tesseract-ocr-fra tesseract-ocr-spa

# ---------------------------------------------------------------------------
# Qt for Windows
# ---------------------------------------------------------------------------

# The source package through an apt configuration of our own: the same
# archive as the system's, with a source entry, and lists and caches in the
# cache folder, so the system's apt set-up is left as it is.
fetch_qt_source() {
  local srcdir=$cache/src
  mkdir -p "$srcdir"
  if ls "$srcdir"/qt6-base_"$qt_version"*.orig.tar.* >/dev/null 2>&1; then
    return
  fi
  local aptdir=$cache/apt
  mkdir -p "$aptdir/lists/partial" "$aptdir/archives/partial" "$aptdir/parts"
  local uri suite
  uri=$(grep -h -m1 '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}' || true)
  if [ -z "$uri" ]; then
    uri=$(grep -h -m1 '^deb ' /etc/apt/sources.list 2>/dev/null | awk '{print $2}' || true)
  fi
  uri=${uri:-http://deb.debian.org/debian}
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  printf 'deb-src %s %s main\n' "$uri" "$suite" >"$aptdir/sources.list"
  cat >"$aptdir/apt.conf" <<EOF
Dir::Etc::SourceList "$aptdir/sources.list";
Dir::Etc::SourceParts "$aptdir/parts";
Dir::State::Lists "$aptdir/lists";
Dir::Cache "$aptdir";
Dir::Cache::Archives "$aptdir/archives";
APT::Sandbox::User "root";
EOF
  log "fetching the qt6-base source package from $uri ($suite)"
  APT_CONFIG=$aptdir/apt.conf apt-get -q update >/dev/null
  (cd "$srcdir" && APT_CONFIG=$aptdir/apt.conf apt-get -q source --download-only qt6-base)
}

build_qt() {
  if qt_ready; then
    log "Qt for Windows from the cache: $qt_prefix"
    return
  fi
  fetch_qt_source
  local started=$SECONDS
  local work=$cache/qtbase-build
  rm -rf "$work"
  mkdir -p "$work"
  log "unpacking qtbase $qt_version"
  tar -xf "$(ls "$cache"/src/qt6-base_"$qt_version"*.orig.tar.* | head -n1)" -C "$work"
  local source
  source=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)

  # A shared win32-g++ build hosted by Debian's own Qt tools. The optional
  # parts the program doesn't use are off; zlib, pcre2, harfbuzz and png are
  # Qt's bundled copies. Three switches are needed with this source:
  #  - directwrite3 off, or the platform plugin fails to link on
  #    QWindowsDirectWriteFontDatabase;
  #  - tabletevent off, because Debian's tarball drops the wintab headers;
  #  - no OpenGL through INPUT_opengl=no (FEATURE_opengl=OFF leaves dynamicgl
  #    on, and qwindowswindow.cpp then fails to compile).
  log "configuring qtbase for Windows (log: $work/configure.log)"
  cmake -S "$source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF -DINPUT_opengl=no \
    >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log"; exit 1; }
  log "building qtbase for Windows with $jobs jobs (log: $work/build.log)"
  nice -n 10 cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; exit 1; }
  cmake --install "$work/build" >"$work/install.log" 2>&1 || { tail -n 40 "$work/install.log"; exit 1; }
  touch "$qt_prefix/.complete"
  rm -rf "$work"
  log "Qt for Windows made in $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s: $qt_prefix ($(du -sh "$qt_prefix" | cut -f1))"
}

build_qt
if [ "$mode" = qt ]; then
  exit 0
fi

# ---------------------------------------------------------------------------
# The program for Windows
# ---------------------------------------------------------------------------
started=$SECONDS
win_build=$top/build-win
linux_build=$top/build
export VQ_WIN_BUILD=$win_build VQ_WIN_QT=$qt_prefix
export WINEPREFIX=$win_build/wine WINEDEBUG=-all
# Wine's server and its device and service processes of this prefix end with
# this script, however it ends (the tests under Wine start them).
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

log "building the program for Windows ($win_build)"
mkdir -p "$win_build"
cmake -S . -B "$win_build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt_prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$top/tests/wine/run.sh" >"$win_build/configure.log" 2>&1 \
  || { tail -n 40 "$win_build/configure.log"; exit 1; }
cmake --build "$win_build" --parallel "$jobs"

# The Linux program and emulator, for the comparison on the wire.
cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux_build" --parallel "$jobs" --target vq530t-link vq530t-emulator vq530t-screenshots

# The pseudo-terminal shim for Wine (see tests/wine/ptyshim.cpp).
shim=$win_build/ptyshim.so
if [ ! -f "$shim" ] || [ "$top/tests/wine/ptyshim.cpp" -nt "$shim" ]; then
  g++ -O2 -shared -fPIC -o "$shim" "$top/tests/wine/ptyshim.cpp" -ldl
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  log "making the Wine prefix"
  wineboot -i >/dev/null 2>&1 || true
  # Fonts as a Windows desktop has them: Wine's own (Tahoma for the dialog
  # font) where Windows keeps fonts, so that Qt finds them, and "Courier New"
  # (the fixed font) taken by DejaVu Sans Mono; otherwise text is drawn in
  # whatever font comes first, a mathematical serif here.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
  wineserver -w
fi

log "running the tests as Windows programs under Wine"
ctest --test-dir "$win_build" --output-on-failure -j"$jobs"

log "the Windows program against the emulator, beside the Linux program"
bash tests/wine/cli_parity.sh "$linux_build" "$win_build" "$shim"

checks_started=$SECONDS
failed_checks=()
for dpi in 96 144; do
  log "the fit test as a Windows program on a Windows desktop at $dpi dpi"
  bash tests/wine/set_dpi.sh "$dpi"
  rm -f "$win_build/textfit.txt"
  xvfb-run -a -s "-screen 0 1280x1024x24" tests/wine/run.sh "$win_build/tst_textfit.exe" -platform windows \
    -o "$(realpath --relative-to=/ "$win_build/textfit.txt" | sed 's|^|Z:\\|; s|/|\\|g'),txt" >/dev/null 2>&1 || true
  grep -a -v '^QWARN\|^QCRITICAL\|^PASS' "$win_build/textfit.txt" || true
  # Every failing row is one of tests/wine/textfit-known.txt, or the check fails.
  grep -a -q '^Totals: ' "$win_build/textfit.txt" || failed_checks+=("fit test at $dpi dpi (did not finish)")
  [ "$(grep -a -c '^FAIL!' "$win_build/textfit.txt")" = \
    "$(grep -a -c '^FAIL!  : TestTextFit::everyTextInsideItsControl(' "$win_build/textfit.txt")" ] \
    || failed_checks+=("fit test at $dpi dpi (a failure outside the table)")
  while read -r language window; do
    if grep -q "^$dpi $language $window\$" tests/wine/textfit-known.txt; then
      log "known misfit at $dpi dpi: $language, $window"
    else
      failed_checks+=("fit test at $dpi dpi: $language, $window")
    fi
  done < <(grep -a -o '^FAIL!  : TestTextFit::everyTextInsideItsControl([a-z]*, [a-z]*)' "$win_build/textfit.txt" \
             | sed 's/.*(\(.*\), \(.*\))/\1 \2/')
done
log "legibility: the main window read by OCR, the Linux program's and the Windows build's at 96 and 144 dpi (German and Japanese at 96)"
bash tests/wine/legibility.sh "$linux_build" || failed_checks+=("legibility on Linux")
for dpi in 96 144; do
  bash tests/wine/legibility.sh "$linux_build" "$win_build" "$shim" "$dpi" || failed_checks+=("legibility at $dpi dpi")
done
# The German and Japanese windows, read with tesseract's models for them.
bash tests/wine/set_dpi.sh 96
for language in de ja; do
  bash tests/wine/legibility.sh --language "$language" "$linux_build" || failed_checks+=("legibility on Linux, $language")
  bash tests/wine/legibility.sh --language "$language" "$linux_build" "$win_build" "$shim" 96 \
    || failed_checks+=("legibility at 96 dpi, $language")
done
log "fit test and legibility took $(( SECONDS - checks_started )) s"
if [ ${#failed_checks[@]} -gt 0 ]; then
  log "failed: ${failed_checks[*]}"
  exit 1
fi

# ---------------------------------------------------------------------------
# Shipped: the zip (and, in a full run, the installer)
# ---------------------------------------------------------------------------
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win_build/CMakeCache.txt")
mkdir -p dist
generators=ZIP
[ "$mode" = all ] && generators="ZIP;NSIS"
log "packing ($generators)"
(cd "$win_build" && cpack -G "$generators" >cpack.log 2>&1) || { tail -n 40 "$win_build/cpack.log"; exit 1; }
zip_file=vq530t-link-$version-win64.zip
cp "$win_build/$zip_file" dist/
bash tests/wine/check_zip.sh "dist/$zip_file" "$win_build" "$linux_build" "$win_build/parity-run.csv"

if [ "$mode" = all ]; then
  setup_file=vq530t-link-$version-setup.exe
  cp "$win_build/$setup_file" dist/
  bash tests/wine/check_installer.sh "dist/$setup_file" "$version"

  log "pictures of the Windows build's windows (docs/windows-*.png)"
  bash tests/wine/screenshots.sh "$linux_build" "$win_build" "$shim" docs
fi

log "done in $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s: $(ls dist/ | tr '\n' ' ')"
