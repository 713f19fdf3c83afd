#!/usr/bin/env bash
# The Windows build's tests under wine, on the X server of the caller (scripts/with-xvfb.sh):
#   1. the logic's test programs, cross-built;
#   2. telmo-cli.exe from the zip against the native telmo-cli: text, replace, read and
#      run --dry-run give the same bytes for the same inputs;
#   3. a real run of telmo-cli.exe fills the Win32 test form through SendInput;
#   4. telmo.exe starts, shows its caption and keeps to a single instance.
#   scripts/wine-tests.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR
set -uo pipefail
cd "$(dirname "$0")/.."
native="$(realpath "$1")"
out="$(realpath "$2")"
prefix="$(cat "$out/windows-prefix.txt" 2>/dev/null)" # written by scripts/windows-build.sh
[ -n "$prefix" ] || { echo "wine-tests: run scripts/windows-build.sh first" >&2; exit 1; }
wine="${TELMO_WINE:-/usr/lib/wine/wine64}" # overridable for trying the script itself
export WINEPREFIX="$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
# Unix paths as wine sees them: drive Z: is the root.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr '/' '\\')"; }
# The test programs of the build folder find Qt and the runtime here; what comes from the zip must
# find everything it needs inside the zip, so it runs without these.
test_dlls="$(winpath "$prefix/bin");$(winpath /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(winpath /usr/x86_64-w64-mingw32/lib)"
test_plugins="$(winpath "$prefix/plugins")"
unset WINEPATH QT_PLUGIN_PATH

failures=0
pass() { echo "wine-tests: ok   $*"; }
fail() {
  echo "wine-tests: FAIL $*" >&2
  failures=$((failures + 1))
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}
window_named() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

t=$SECONDS
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi
echo "wine-tests: wine prefix ready in $((SECONDS - t)) s"

# 1. The logic's tests.
for test in test_text test_script test_files test_cli test_platform; do
  exe="$out/tests/$test.exe"
  [ -f "$exe" ] || { fail "$test.exe was not built"; continue; }
  t=$SECONDS
  if (cd "$out/tests" && WINEPATH="$test_dlls" QT_PLUGIN_PATH="$test_plugins" \
    timeout 900 "$wine" "$exe" --gtest_brief=1 >"$out/$test.log" 2>&1); then
    pass "$test.exe in $((SECONDS - t)) s"
  else
    fail "$test.exe (see $out/$test.log)"
    tail -n 30 "$out/$test.log" >&2
  fi
done

# 2. The packaged telmo-cli.exe against the native one, byte for byte.
pkg="$out/unpacked/telmo-windows-x64"
rm -rf "$out/unpacked" && mkdir -p "$out/unpacked"
unzip -q "$out/telmo-windows-x64.zip" -d "$out/unpacked"
data="$(realpath tests/windows/parity)"
work="$out/parity" && rm -rf "$work" && mkdir -p "$work"
printf '\xD6\xD0\xCE\xC4\r\n\xB5\xDA\xB6\xFE\xD0\xD0 GBK\x80\xFF\x81\x30 end\xD6' >"$work/gbk.txt"
same() { # NAME ARGS...: the native and the Windows telmo-cli give the same output and status
  local name=$1
  shift
  "$native/telmo-cli" "$@" >"$work/$name.linux" 2>/dev/null
  local linux_status=$?
  (cd "$data" && "$wine" "$pkg/telmo-cli.exe" "$@" >"$work/$name.windows" 2>/dev/null)
  local windows_status=$?
  if [ $linux_status -eq $windows_status ] && cmp -s "$work/$name.linux" "$work/$name.windows"; then
    return 0
  fi
  fail "telmo-cli $* (status $linux_status / $windows_status; outputs in $work/$name.*)"
  return 1
}
compared=0 differing=0
for op in $(seq 0 18); do
  for f in mixed.txt lineends.txt bom.txt; do
    compared=$((compared + 1))
    same "text-$op-$f" text "$op" "$data/$f" || differing=$((differing + 1))
  done
done
while IFS='|' read -r mode find replacement; do
  compared=$((compared + 1))
  if [ "$mode" = regex ]; then
    same "replace-$compared" replace --regex "$find" "$replacement" "$data/mixed.txt" || differing=$((differing + 1))
  else
    same "replace-$compared" replace "$find" "$replacement" "$data/mixed.txt" || differing=$((differing + 1))
  fi
done <<'CASES'
plain|张三|李四
plain|  | 
regex|\d+|<$&>
regex|^\s+|
regex|([一-龥])([一-龥])|$2$1
regex|(\w+)@|[$1]
CASES
for f in "$data/mixed.txt" "$data/bom.txt" "$data/lineends.txt" "$work/gbk.txt"; do
  compared=$((compared + 2))
  same "read-$(basename "$f")" read "$f" || differing=$((differing + 1))
  same "read-gbk-$(basename "$f")" read --gb2312 "$f" || differing=$((differing + 1))
done
for opts in "" "--count 2 --interval 1" "--count 3 --interval 0 --screen 1280x1024"; do
  compared=$((compared + 1))
  # shellcheck disable=SC2086
  same "dry-run-$compared" run --dry-run --now 2024-05-06T07:08:09 $opts --items "$data/items.txt" "$data/fill.sd" ||
    differing=$((differing + 1))
done
# A Chinese file name reaches the run program whatever wine's code page, and so does a failing
# status: `run` is handed over to telmo-cli-run.exe and waited for.
cp "$data/fill.sd" "$work/填表脚本.sd"
cp "$data/items.txt" "$work/数据.txt"
for opts in "--dry-run --now 2024-05-06T07:08:09" "--dry-run --bogus"; do
  compared=$((compared + 1))
  # shellcheck disable=SC2086
  same "run-chinese-$compared" run $opts --items "$work/数据.txt" "$work/填表脚本.sd" || differing=$((differing + 1))
done
[ $differing -eq 0 ] && pass "telmo-cli.exe gives the native bytes in all $compared cases"

# 3. A real run fills the Win32 form: paste, Tab, typing, Chinese and emoji.
report="$work/form-report.txt"
rm -f "$report"
"$wine" "$out/tests/win32_form.exe" "$(winpath "$report")" &
form_pid=$!
if wait_for 60 test -s "$report" && wait_for 30 window_named "填表测试"; then
  printf '%s\r\n' "CPY" "PST" "KEY 9,0" "INP 第二栏：王五" "KEY 9,0" "CPY" "PST" >"$work/fill.sd"
  printf '%s\r\n' "张三·李四" "😀 表情 ünïcødé" >"$work/items.txt"
  "$wine" "$pkg/telmo-cli.exe" run --items "$(winpath "$work/items.txt")" "$(winpath "$work/fill.sd")" \
    >"$work/run.out" 2>&1 &
  run_pid=$!
  if wait_for 60 window_named "运行脚本"; then
    xdotool key Return
    expected=$(printf '%s\n' "张三·李四" "第二栏：王五" "😀 表情 ünïcødé" "focus 3")
    if wait_for 60 bash -c '[ "$(cat "$1" 2>/dev/null)" = "$2" ]' _ "$report" "$expected"; then
      pass "a real run filled the Win32 form through SendInput"
    else
      fail "the Win32 form holds: $(cat "$report")"
    fi
  else
    fail "the run's confirmation did not appear"
  fi
  # telmo-cli.exe hands the run to telmo-cli-run.exe and ends only with it, with its status.
  if wait_for 30 bash -c "! kill -0 $run_pid 2>/dev/null"; then
    wait "$run_pid"
    run_status=$?
    if [ $run_status -eq 0 ]; then pass "telmo-cli.exe run ended with its run, status 0"; else
      fail "telmo-cli.exe run ended with status $run_status: $(cat "$work/run.out")"
    fi
  else
    kill "$run_pid" 2>/dev/null
    fail "telmo-cli.exe run did not end"
  fi
else
  fail "the Win32 form did not start"
fi
kill "$form_pid" 2>/dev/null

# 4. telmo.exe: its caption, and a second start leaves the first window alone.
"$wine" "$pkg/telmo.exe" >/dev/null 2>&1 &
app_pid=$!
if wait_for 90 window_named "Telmo填表助手"; then
  pass "telmo.exe shows its window"
  if timeout 60 "$wine" "$pkg/telmo.exe" >/dev/null 2>&1; then
    count=$(xdotool search --onlyvisible --name "^Telmo填表助手\$" | wc -l)
    [ "$count" -eq 1 ] && pass "a second telmo.exe ended at once, one window" ||
      fail "a second telmo.exe left $count windows"
  else
    fail "a second telmo.exe did not end"
  fi
else
  fail "telmo.exe showed no window captioned Telmo填表助手"
fi
kill "$app_pid" 2>/dev/null
/usr/lib/wine/wineserver -k 2>/dev/null
wait 2>/dev/null

if [ $failures -gt 0 ]; then
  echo "wine-tests: $failures failed" >&2
  exit 1
fi
echo "wine-tests: all passed"
