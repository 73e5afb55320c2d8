#!/usr/bin/env bash
# The SDK as a user gets it: installs the Windows build into a scratch prefix, checks what is
# there, builds the consumer project (consumer/) against that prefix alone with the mingw
# toolchain, and runs its programs under Wine against the installed server:
#   package_test.sh BUILD-DIR WORK-DIR
# Runs under scripts/wine-gui-run.sh (DLG_WINEPREFIX chooses the prefix). The first failing step
# ends the test with a line "package test: FAIL <step>: ..." and the log that says why.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 work=$2
sdk=$work/sdk consumer=$work/consumer
examples=$work/sdk/share/doc/dlgserver/examples/sdk
jobs=${DLG_JOBS:-2}

fail() {
  echo "package test: FAIL $1"
  [ $# -gt 1 ] && [ -f "$2" ] && tail -n 40 "$2"
  exit 1
}

rm -rf "$work"
mkdir -p "$work"

# 1. Install. It installs what the build made, so the build must be complete.
cmake --install "$build" --prefix "$sdk" >"$work/install.log" 2>&1 ||
  fail "install: cmake --install $build failed (is everything built?)" "$work/install.log"
echo "ok   installed into $sdk"

# 2. The layout. These folders hold exactly these files: no test program, nothing of GoogleTest.
# folder | files, sorted
layout=(
  "bin|comptext.exe dlgclient.dll dlgrun.exe dlgserver.exe"
  "lib|dlgclient.def libdlgclient.dll.a libdlgclientxx.a libdlgcore.a libdlgplatform.a"
  "lib/pkgconfig|dlgclient.pc"
  "lib/cmake/DialogServer|DialogServerConfig.cmake DialogServerConfigVersion.cmake"
  "share/doc/dlgserver|CHANGELOG.md LICENSE README.md"
  "share/doc/dlgserver/docs|architecture.md classes.md failures.md"
  "share/doc/dlgserver/docs/images|common-controls-before-after.png modern-file-dialog.png"
  "share/doc/dlgserver/examples|cancel_dialog.cpp open_dialog.c raw_client.c"
  "share/doc/dlgserver/examples/sdk|CMakeLists.txt"
  "share/dlgserver/cmake|mingw-common.cmake mingw-i686.cmake mingw-x86_64.cmake"
)
for entry in "${layout[@]}"; do
  IFS='|' read -r folder expected <<<"$entry"
  got=$(find "$sdk/$folder" -maxdepth 1 -type f -printf '%f\n' 2>/dev/null | LC_ALL=C sort | xargs)
  [ "$got" = "$expected" ] || fail "layout: $folder holds \"$got\", expected \"$expected\""
done
# The headers a program includes; every folder under include/ is one of ours from src/.
for header in dlgclient.h client/dialog_client.h client/auto_driver.h server/protocol.h server/dlgprotocol.h streaming/reply_reader.h; do
  [ -f "$sdk/include/$header" ] || fail "layout: include/$header is missing"
done
for folder in "$sdk"/include/*/; do
  name=$(basename "$folder")
  [ -d "$root/src/$name" ] || fail "layout: include/$name is not a folder of ours"
done
echo "ok   layout"

# Every link of the shipped README to a file of the SDK holds there.
for link in $(grep -o '](docs/[^)]*)' "$sdk/share/doc/dlgserver/README.md" | sed 's/^](//; s/)$//' | sort -u); do
  [ -f "$sdk/share/doc/dlgserver/$link" ] || fail "layout: the README links $link, which the SDK lacks"
done
# 3. Configure and build the examples as shipped, against the installed tree only, with the
# build's own toolchain; the other architecture's toolchain must be refused with a reason. The toolchain
# searches packages only under the mingw root, so the package's folder is given as DialogServer_DIR.
toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
[[ $toolchain == /* ]] || toolchain=$root/$toolchain  # given relative to the source tree
# The toolchain files as the SDK ships them.
shipped=$sdk/share/dlgserver/cmake
case $toolchain in
  *i686*) toolchain=$shipped/mingw-i686.cmake other_toolchain=$shipped/mingw-x86_64.cmake arch=win32 ;;
  *x86_64*) toolchain=$shipped/mingw-x86_64.cmake other_toolchain=$shipped/mingw-i686.cmake arch=win64 ;;
  *) fail "configure: $build was not made with a mingw toolchain file of ours ('$toolchain')" ;;
esac
cmake -S "$examples" -B "$work/wrong-arch" -DCMAKE_TOOLCHAIN_FILE="$other_toolchain" \
  -DDialogServer_DIR="$sdk/lib/cmake/DialogServer" >"$work/wrong-arch.log" 2>&1 &&
  fail "configure: the $arch SDK was accepted by a project of the other architecture" "$work/wrong-arch.log"
bits=32
[ "$arch" = win64 ] && bits=64
grep -q "version: [0-9.]* (${bits}bit)" "$work/wrong-arch.log" ||
  fail "configure: the $arch SDK refused the other architecture without saying why" "$work/wrong-arch.log"
echo "ok   refused by a project of the other architecture"
cmake -S "$examples" -B "$consumer" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DDialogServer_DIR="$sdk/lib/cmake/DialogServer" >"$work/configure.log" 2>&1 ||
  fail "configure: find_package(DialogServer) or the consumer's configuration failed" "$work/configure.log"
cmake --build "$consumer" -j "$jobs" >"$work/build.log" 2>&1 ||
  fail "build: the consumer does not compile or link against the installed SDK" "$work/build.log"
for file in open_dialog.exe raw_client.exe cancel_dialog.exe dlgclient.dll dlgserver.exe; do
  [ -f "$consumer/$file" ] || fail "build: no $file in $consumer (programs and the server side by side)"
done
echo "ok   consumer built"

# 4. Run the programs. The reply's lines are compared without their CRs; the C example prints
# what it read out of the reply with the reply reader after it.
# label | program | arguments (separated by blanks) | exit status | first line | a line the output holds
cases=(
  "C through dlgclient.dll, cancelled|open_dialog.exe|cancel|1|object Request: TOpenDialog|Options: ofHideReadOnly, ofFileMustExist"
  "C through dlgclient.dll, accepted|open_dialog.exe|file=C:\\windows\\win.ini,ok|0|object Request: TOpenDialog|FileName: C:\\windows\\win.ini"
  "C, a colour read from the reply|open_dialog.exe|basic=5,ok TColorDialog|0|object Request: TColorDialog|Color: 16744448"
  "C++ client library, cancelled|cancel_dialog.exe||1|object Request: TOpenDialog|FileEditStyle: fsEdit"
)
failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r label program arguments status first holds <<<"$entry"
  args=()
  [ -n "$arguments" ] && read -r -a args <<<"$arguments"
  (cd "$consumer" && "$root/scripts/wine-gui-run.sh" "./$program" "${args[@]}") \
    >"$work/out.txt" 2>"$work/err.txt" </dev/null
  got=$?
  tr -d '\r' <"$work/out.txt" >"$work/reply.txt"
  if [ "$got" != "$status" ]; then
    echo "package test: FAIL run $label: $program exited $got, expected $status"
    cat "$work/reply.txt" "$work/err.txt"; failures=$((failures + 1)); continue
  fi
  if [ "$(head -n 1 "$work/reply.txt")" != "$first" ] || ! grep -qxF -- "$holds" "$work/reply.txt"; then
    echo "package test: FAIL run $label: the reply does not start with \"$first\" and hold \"$holds\":"
    cat "$work/reply.txt" "$work/err.txt"; failures=$((failures + 1)); continue
  fi
  echo "ok   $label"
done
[ "$failures" -eq 0 ]
