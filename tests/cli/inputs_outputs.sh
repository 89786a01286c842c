# Part of run.sh: whatever a file argument is, the tool answers with the file's name and a reason, exit 1, in
# bounded time and memory; outputs are replaced whole or not at all.

mkdir "$work/folder"
for command in check "get @ Cfg\\DeviceType" "set @ Cfg\\CfgId x" "edit @" bin xml upgrade inspect \
               "ranges @ Cfg\\DeviceType" "arrange @ Cfg\\" "list @" "show @ Cfg\\" "count @ Cfg\\" "diff $work/cfg.xml @"; do
  case "$command" in *@*) ;; *) command="$command @" ;; esac
  words=${command//@/$work/folder}
  name=${command%% *}
  want=1; [ "$name" = diff ] && want=2
  eval "expect \"directory-$name\" $want \"\" \"$work/folder: is a directory\" -- \"\$vrkcfg\" $words"
done
expect missing-file-named 1 "" "$work/none.xml: cannot be read: No such file or directory" -- \
  "$vrkcfg" check "$work/none.xml"
if [ "$(id -u)" -ne 0 ]; then  # root reads any file
  cp "$work/cfg.xml" "$work/locked.xml" && chmod 000 "$work/locked.xml"
  expect unreadable-file 1 "" "locked.xml: cannot be read: Permission denied" -- "$vrkcfg" check "$work/locked.xml"
fi

# Endless and oversized inputs are refused after the limit plus one byte, not read whole.
expect endless-device 1 "" "/dev/zero: is larger than 4194304 bytes" -- "$vrkcfg" check /dev/zero
truncate -s 5M "$work/huge.xml"
expect oversized-file 1 "" "huge.xml: is larger than 4194304 bytes" -- "$vrkcfg" get "$work/huge.xml" 'Cfg\DeviceType'
expect oversized-stdin 1 "" "<stdin>: is larger than 4194304 bytes" -- \
  sh -c "head -c 5000000 /dev/zero | \"$vrkcfg\" check -"
mkfifo "$work/fifo"
(cat "$work/cfg.xml" >"$work/fifo") &
expect fifo-with-writer 0 "OK" "" -- "$vrkcfg" check "$work/fifo"
wait

# Standard output that cannot take the payload is an error.
expect full-stdout 1 "" "standard output: cannot be written: No space left on device" -- \
  sh -c "\"$vrkcfg\" new >/dev/full"
expect full-stdout-list 1 - - -- sh -c "\"$vrkcfg\" list \"$work/cfg.xml\" >/dev/full"

# -o replaces the file whole, keeps its permissions and its link, and leaves it alone when the command fails.
cp "$work/cfg.xml" "$work/kept.xml"
chmod 640 "$work/kept.xml"
ln -s kept.xml "$work/link.xml"
expect set-through-link 0 "" "" -- "$vrkcfg" set "$work/cfg.xml" 'Region_settings\Hysteresis_percent' 7 -o "$work/link.xml"
[ -L "$work/link.xml" ] || fail "the link was replaced by a file"
[ "$(stat -c %a "$work/kept.xml")" = 640 ] || fail "permissions not kept: $(stat -c %a "$work/kept.xml")"
expect set-landed 0 "7" "" -- "$vrkcfg" get "$work/kept.xml" 'Region_settings\Hysteresis_percent'
cp "$work/kept.xml" "$work/before.xml"
expect failed-set-keeps-file 1 "" "Incorrect value range (95)" -- \
  "$vrkcfg" set "$work/kept.xml" 'Region_settings\Hysteresis_percent' 95 -o "$work/kept.xml"
cmp -s "$work/kept.xml" "$work/before.xml" || fail "a failed set changed its output file"
expect no-such-folder 1 "" "$work/nowhere/out.xml: cannot be written: No such file or directory" -- \
  "$vrkcfg" new -o "$work/nowhere/out.xml"
ls -a "$work" | grep -q '^\.kept\.xml\.' && fail "a temporary file was left behind"

# A configuration that fails its own check: editing commands refuse to write it, --force writes it and says so.
rm -f "$work/tacho.xml"
expect set-refuses-unchecked 1 "" \
  'TachoChannels\TachoChannel\number: the result does not pass the check, nothing written (--force writes it): No mandatory attribute' -- \
  "$vrkcfg" set "$work/cfg.xml" 'TachoChannels\TachoChannel\maxvalue' 100 0 -o "$work/tacho.xml"
[ -e "$work/tacho.xml" ] && fail "a refused set wrote its output"
expect set-force 1 "" "written, but it does not pass the check: No mandatory attribute" -- \
  "$vrkcfg" set "$work/cfg.xml" 'TachoChannels\TachoChannel\maxvalue' 100 0 -o "$work/tacho.xml" --force
expect forced-file-fails-check 1 "" "No mandatory attribute" -- "$vrkcfg" check "$work/tacho.xml"
# Conversions write what they make and say when it fails the check: this image holds no spectrum sample count.
rm -f "$work/minimal.xml"
expect xml-written-unchecked 1 "" "samples: written, but it does not pass the check: Incorrect value range (0)" -- \
  "$vrkcfg" xml "$corpus/v7_minimal.bin" -o "$work/minimal.xml"
[ -s "$work/minimal.xml" ] || fail "xml did not write a document that fails the check"
expect upgrade-written-unchecked 1 - "written, but it does not pass the check" -- \
  "$vrkcfg" upgrade "$corpus/v2_minimal.bin" -o "$work/minimal.xml"

# Memory running out anywhere is reported, never an abort: a sweep of address-space limits around what the tool
# needs (it starts at none of the lowest; ASan builds, which reserve far more, skip this, and so do coverage runs,
# whose runtime writes its counters at exit and crashes when memory ran out).
if [ -z "${VRK_COVERAGE_RUN:-}" ] && command -v prlimit >/dev/null &&
  { prlimit --as=200000000 "$vrkcfg" --version; } >/dev/null 2>&1; then
  generated="$corpus/xml/v7_generated_1.xml"
  for kilobytes in $(seq 30000 500 70000); do
    for command in "bin $generated -o $work/limited.bin --report" "list $generated" "edit $generated -e 'set Cfg\\CfgId x'"; do
      eval "prlimit --as=$((kilobytes * 1000)) \"\$vrkcfg\" $command" >/dev/null 2>"$work/err"
      rc=$?
      case $rc in 0 | 1 | 127) ;; *) fail "under $kilobytes KB, vrkcfg $command: exit $rc: $(head -c 300 "$work/err")" ;; esac
    done
  done
fi
