#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds quillmate-cli.exe for 64-bit Windows with Debian's mingw-w64 into build-windows/.
#   --test      also runs it under Wine against the Linux build (build/src/cli/quillmate-cli):
#               tests/windows/compare.sh
#   --package   also makes build-windows/quillmate-cli-VERSION-windows-x64.zip (the program,
#               README.txt, LICENSE.txt) and, with Debian's nsis, an installer that puts
#               quillmate-cli on the user's PATH (quillmate-cli-VERSION-setup.exe)
# Installs the Debian packages it needs when they are missing (as root, or through sudo).
# Spelling is left out of this build: Debian has no Hunspell for mingw, so `spell` says that this
# build has no spell checker (exit status 2). Code page detection is left out too (no uchardet for
# mingw): there Auto tells UTF-8 from the fallback code page alone.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
test=false
package=false
for arg in "$@"; do
  case $arg in
    --test) test=true ;;
    --package) package=true ;;
    -h | --help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "build-windows: unknown option $arg" >&2; exit 2 ;;
  esac
done

packages=(cmake g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev nlohmann-json3-dev)
$test && packages+=(wine wine64)
$package && packages+=(zip nsis)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null; then sudo=(sudo); else
    echo "build-windows: missing packages (${missing[*]}) and neither root nor sudo" >&2; exit 1
  fi
  echo "build-windows: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# nlohmann-json is header-only: its headers are the build machine's, seen without the rest of
# /usr/include (whose C library headers are not Windows ones).
mkdir -p "$out/json-include"
ln -sfn /usr/include/nlohmann "$out/json-include/nlohmann"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out/cmake" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
      -DQUILLMATE_GUI=OFF -DBUILD_TESTING=OFF -DQUILLMATE_BENCH=OFF -DQUILLMATE_SPELLING=OFF -DQUILLMATE_UCHARDET=OFF \
      -DQUILLMATE_JSON_INCLUDE_DIR="$out/json-include" >/dev/null
cmake --build "$out/cmake" -j "$(nproc 2>/dev/null || echo 2)" --target quillmate-cli
x86_64-w64-mingw32-strip -o "$out/quillmate-cli.exe" "$out/cmake/src/cli/quillmate-cli.exe"
echo "build-windows: $out/quillmate-cli.exe"

if $test; then
  bash tests/windows/compare.sh "$root/build/src/cli/quillmate-cli" "$out/quillmate-cli.exe"
fi

if $package; then
  version=$(sed -n 's/^project(quillmate VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  stage=$out/package/quillmate-cli-$version
  rm -rf "$out/package"
  mkdir -p "$stage"
  cp "$out/quillmate-cli.exe" "$stage/"
  # Windows' own editors want CR LF.
  sed 's/$/\r/' README.md >"$stage/README.txt"
  sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
  zip_file=$out/quillmate-cli-$version-windows-x64.zip
  rm -f "$zip_file"
  (cd "$out/package" && zip -qr -X "$zip_file" "quillmate-cli-$version")
  echo "build-windows: $zip_file"
  if command -v makensis >/dev/null; then
    makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/quillmate-cli-$version-setup.exe" \
             dist/windows/quillmate-cli.nsi
    echo "build-windows: $out/quillmate-cli-$version-setup.exe"
  else
    echo "build-windows: no makensis (Debian's nsis): no installer" >&2
  fi
fi
