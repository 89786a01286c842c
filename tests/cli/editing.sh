# Part of run.sh: edit runs its commands in one update bracket, all or none; list, show and count read back.

two_tachos=(-e 'create TachoChannels\TachoChannel\ 0' -e 'set TachoChannels\TachoChannel\number 1 0'
            -e 'create TachoChannels\TachoChannel\ 1' -e 'set TachoChannels\TachoChannel\number 2 1')
expect edit-several 0 "" "" -- "$vrkcfg" edit "$work/cfg.xml" "${two_tachos[@]}" \
  -e 'set Region_settings\Hysteresis_percent 12' -o "$work/e1.xml"
expect count-created 0 "2" "" -- "$vrkcfg" count "$work/e1.xml" 'TachoChannels\TachoChannel\'
expect list-element 0 'Region_settings\base_interval_s = 60
Region_settings\Hysteresis_percent = 12
Region_settings\DelayUp_ms = 1000
Region_settings\DelayDn_ms = 5000' "" -- "$vrkcfg" list "$work/e1.xml" 'region_settings\'
expect list-by-key 0 "~TachoChannels\\TachoChannel\\maxvalue #2 = 12500" "" -- \
  "$vrkcfg" list "$work/e1.xml" 'TachoChannels\TachoChannel\' '#2'
grep -q '#1' "$work/out" && fail "list by key shows another occurrence"
expect list-by-position 0 "~TachoChannels\\TachoChannel\\number #2 = 2" "" -- \
  "$vrkcfg" list "$work/e1.xml" 'TachoChannels\TachoChannel\' 1
expect list-json 0 '~{"path":"TachoChannels\\TachoChannel\\number","indexes":["#1"],"value":"1"}' "" -- \
  "$vrkcfg" list --json "$work/e1.xml" 'TachoChannels\'
# Every line list prints reads back through get.
"$vrkcfg" list "$work/e1.xml" | grep ' = ' | head -40 | while IFS= read -r line; do
  location=${line%% = *}
  value=${line#* = }
  [ "$value" = '""' ] && value=
  read -r -a words <<<"$location"
  [ "$("$vrkcfg" get "$work/e1.xml" "${words[@]}")" = "$value" ] || echo "FAIL list line does not read back: $line"
done | grep FAIL && failures=$((failures + 1))
expect show-element 0 '<TachoChannel number="2" unit="202" minvalue="0" maxvalue="12500" trn_sens="1" reductor_coeff="1">' - -- \
  sh -c "\"$vrkcfg\" show \"$work/e1.xml\" 'TachoChannels\\TachoChannel\\' '#2' | head -1"
expect show-missing 1 "" "no such element" -- "$vrkcfg" show "$work/e1.xml" 'TachoChannels\TachoChannel\' 5
expect show-attribute-path 2 "" "an element path ends in a backslash" -- "$vrkcfg" show "$work/e1.xml" 'Cfg\CfgId'
expect count-unknown 1 "" "Invalid path to the node" -- "$vrkcfg" count "$work/e1.xml" 'Nothing\'

# A failure anywhere undoes every command and writes nothing, naming the command.
rm -f "$work/e2.xml"
expect edit-fails-midway 1 "" \
  'Hysteresis_percent: -e 2: set Region_settings\Hysteresis_percent 95: Incorrect value range (95)' -- \
  "$vrkcfg" edit "$work/e1.xml" -e 'set Cfg\CfgId changed' -e 'set Region_settings\Hysteresis_percent 95' \
  -o "$work/e2.xml"
[ -e "$work/e2.xml" ] && fail "a failed edit wrote its output"
expect edit-deferred-check 1 "" "when the edit closed: No mandatory attribute" -- \
  "$vrkcfg" edit "$work/e1.xml" -e 'create TachoChannels\TachoChannel\ 2'

# Scripts: comments, quoting, backslashes, standard input; line numbers in failures.
cat >"$work/script.txt" <<'SCRIPT'
# a comment, then a blank line

set Header\device_description "Pump 2, ""north"" side"
set "TachoChannels\TachoChannel\maxvalue" 9000 #2
unset TachoChannels\TachoChannel\reductor_coeff #2
move TachoChannels\TachoChannel\ 1 #1
SCRIPT
expect edit-dry-run 0 'Header\device_description: "" -> Pump 2, "north" side
TachoChannels\TachoChannel\maxvalue #2: 12500 -> 9000
TachoChannels\TachoChannel\reductor_coeff #2: 1 -> (absent)' "" -- "$vrkcfg" edit "$work/e1.xml" -f "$work/script.txt" --dry-run
expect edit-script-stdin 0 "" "" -- sh -c "\"$vrkcfg\" edit \"$work/e1.xml\" -f - -o \"$work/e3.xml\" <\"$work/script.txt\""
expect quoted-value 0 'Pump 2, "north" side' "" -- "$vrkcfg" get "$work/e3.xml" 'Header\device_description'
expect moved-first 0 "2" "" -- "$vrkcfg" get "$work/e3.xml" 'TachoChannels\TachoChannel\number' 0
printf 'set Cfg\\CfgId x\nset Cfg\\DeviceType 999\n' >"$work/bad-script.txt"
expect edit-script-line 1 "" "bad-script.txt:2: set Cfg\\DeviceType 999: Incorrect value range (999)" -- \
  "$vrkcfg" edit "$work/e1.xml" -f "$work/bad-script.txt"
expect edit-unknown-verb 2 "" "-e 1: unknown edit command 'sett'" -- "$vrkcfg" edit "$work/e1.xml" -e 'sett x 1'
expect edit-unclosed-quote 2 "" "-e 1: a double quote is not closed" -- "$vrkcfg" edit "$work/e1.xml" -e 'set "x 1'
expect edit-bad-mode 2 "" "didir takes on or off" -- "$vrkcfg" edit "$work/e1.xml" -e 'didir yes'
expect edit-two-stdins 2 "" "only one input can be standard input" -- "$vrkcfg" edit - -f - </dev/null

# replace puts back an element as show prints it; the modes run inside the same bracket.
"$vrkcfg" show "$work/e1.xml" 'TachoChannels\TachoChannel\' '#1' | sed 's/maxvalue="12500"/maxvalue="7000"/' >"$work/tacho.el"
expect edit-replace-and-modes 0 "" "" -- "$vrkcfg" edit "$work/e1.xml" -e "replace TachoChannels\\TachoChannel\\ \"$work/tacho.el\" #1" \
  -e 'identical-bands on' -e 'didir on' -e 'imperial on' -o "$work/e4.xml"
expect replaced 0 "7000" "" -- "$vrkcfg" get "$work/e4.xml" 'TachoChannels\TachoChannel\maxvalue' '#1'
expect delete-then-count 0 "1" "" -- sh -c "\"$vrkcfg\" edit \"$work/e4.xml\" -e 'delete TachoChannels\\TachoChannel\\ #2' |
  \"$vrkcfg\" count - 'TachoChannels\\TachoChannel\\'"
