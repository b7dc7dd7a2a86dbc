#!/usr/bin/env bash
# Drives quorvel-settings through export, import and check on a scratch folder.
# Usage: quorvel_settings_test.sh PATH/TO/quorvel-settings
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
user=太郎
data=$work/UsrData
passed=0
failed=0

ok() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
expect() {  # expect NAME ACTUAL WANTED
    if [[ "$2" == "$3" ]]; then ok; else fail "$1: got [$2], wanted [$3]"; fi
}
state() { (cd "$work" && find . -type f -exec md5sum {} + 2>/dev/null | sort); }
field() {  # field SET NAME: one field of an export
    "$tool" export --dir "$work" --user "$user" |
        python3 -c "import json,sys; d=json.load(sys.stdin); print(d$1['$2'])"
}

# An export of nothing creates nothing.
out=$("$tool" export --dir "$work" --user "$user")
expect "empty export exit" $? 0
expect "empty export sets" "$(echo "$out" | python3 -c 'import json,sys; print(json.load(sys.stdin)["sets"])')" "{}"
expect "empty export leaves no files" "$(state)" ""

# Import set 2: the bar's save rules fill in what was left out.
echo '{"dock": {"TaskB": "非表示", "FntName": "ＭＳ Ｐゴシック"},
       "set": {"L1T": "ｱﾌﾟﾘｹｰｼｮﾝ", "L1N": "メモ帳", "L1P": "notepad.exe", "S1E": "1", "LN1": "仕事"}}' |
    "$tool" import --dir "$work" --user "$user" --set 2
expect "import exit" $? 0
expect "dock file length" "$(stat -c %s "$data/${user}dp.dat")" 76
expect "sets file length" "$(stat -c %s "$data/${user}sl.dat")" 24176
expect "dock field" "$(field "['dock']" FntName)" "ＭＳ Ｐゴシック"
expect "RNo from --set" "$(field "['sets']['2']" RNo)" 2
expect "bar width" "$(field "['sets']['2']" FWdth)" 2880
expect "FTop as the bar saves it" "$(field "['sets']['2']" FTop)" "しない"
expect "separator before a free slot" "$(field "['sets']['2']" S1E)" 0
expect "set name" "$(field "['sets']['2']" LN1)" "仕事"
# The bytes on disk are Shift-JIS.
expect "Shift-JIS on disk" "$(head -c 10 "$data/${user}dp.dat" | od -An -tx1 | tr -d ' \n')" \
    "94f1955c8ea620202020"
"$tool" check --dir "$work" --user "$user" >/dev/null
expect "clean files check" $? 0

# Bad input writes nothing.
before=$(state)
for input in '{bad' '[1]' '{"set": {"L99P": "x"}}' '{"set": {"L1N": 5}}' '{"sets": {}}' \
    '{"set": {"L1N": "絵文字😀"}}' '{"set": {"RNo": "3"}}'; do
    err=$(echo "$input" | "$tool" import --dir "$work" --user "$user" --set 1 2>&1 >/dev/null)
    code=$?
    if [[ $code -ne 0 && -n "$err" ]]; then ok; else fail "bad input $input: exit $code, [$err]"; fi
done
for set in 0 5 99999 x ""; do
    echo '{}' | "$tool" import --dir "$work" --user "$user" --set "$set" 2>/dev/null
    [[ $? -ne 0 ]] && ok || fail "--set '$set' accepted"
done
expect "nothing written by bad input" "$(state)" "$before"

# Importing set 1 keeps set 2 byte for byte.
set2=$(tail -c 12088 "$data/${user}sl.dat" | md5sum)
echo '{"set": {"L1P": "a"}}' | "$tool" import --dir "$work" --user "$user" --set 1
expect "other set kept" "$(tail -c 12088 "$data/${user}sl.dat" | md5sum)" "$set2"

# check finds broken files, one problem per line.
printf '\x82\x20XXXXXXXX' >"$data/${user}dp.dat"
head -c 12088 "$data/${user}sl.dat" >"$work/one"
{ cat "$work/one"; head -c 100 "$work/one"; } >"$data/${user}sl.dat"
report=$("$tool" check --dir "$work" --user "$user")
expect "check exit on problems" $? 1
grep -q "dp.dat: .*10" <<<"$report" && ok || fail "short dp.dat not reported: $report"
grep -q "TaskB: .*Shift-JIS" <<<"$report" && ok || fail "invalid Shift-JIS not reported: $report"
grep -q "sl.dat: .*12188" <<<"$report" && ok || fail "odd sl.dat length not reported: $report"
grep -q "sl.dat 2 RNo" <<<"$report" && ok || fail "partial record not reported: $report"
python3 - "$data/${user}sl.dat" <<'PY'
import sys
p = sys.argv[1]
b = bytearray(open(p, 'rb').read()[:12088])
b[8:18] = 'たぶん'.encode('cp932').ljust(10, b' ')
open(p, 'wb').write(bytes(b) * 5)
PY
report=$("$tool" check --dir "$work" --user "$user")
grep -q 'FTop: .*たぶん' <<<"$report" && ok || fail "unknown word not reported: $report"
grep -q "5 件" <<<"$report" && ok || fail "fifth set not reported: $report"

# Usage errors.
"$tool" frobnicate --dir "$work" --user "$user" 2>/dev/null
expect "unknown command exit" $? 2
"$tool" export --dir "$work" 2>/dev/null
expect "missing user exit" $? 2

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
