# Part of run.sh: the conventions every command shares: version, help, usage errors, global options, language,
# the one JSON error form, and documents and images alike.

version=$(sed -n 's/^project([A-Za-z0-9]* VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
expect version 0 "vrkcfg $version" "" -- "$vrkcfg" --version
expect command-help 0 "~usage: vrkcfg edit FILE [-e COMMAND]..." "" -- "$vrkcfg" edit --help
grep -q "move PATH" "$work/out" || fail "edit --help lists the edit commands"
expect usage-one-line 2 "" "vrkcfg get: usage: vrkcfg get FILE PATH [INDEX...] (see 'vrkcfg get --help')" -- \
  "$vrkcfg" get "$work/cfg.xml"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "a usage error is one line"
expect unknown-global 2 "" "unknown option '--verbose'" -- "$vrkcfg" --verbose check "$work/cfg.xml"
expect bad-language 2 "" "--lang takes en or ru, not 'de'" -- "$vrkcfg" --lang de check "$work/cfg.xml"

# Global options anywhere before --, in both spellings; after --, words are the command's even with a dash.
expect options-after-command 1 "" "Неверный диапазон значения (95)" -- \
  "$vrkcfg" set "$work/cfg.xml" 'Region_settings\Hysteresis_percent' 95 --lang=ru
expect tool-text-russian 1 "" "none.xml: не удаётся прочитать" -- "$vrkcfg" check "$work/none.xml" --lang ru
expect tool-text-from-LANG 0 "OK" "" -- env LANG=ru_RU.UTF-8 LC_ALL= LC_MESSAGES= "$vrkcfg" check "$work/cfg.xml"
expect tool-usage-russian 2 "" "неизвестная команда 'chek'" -- env LANG=ru_RU.UTF-8 LC_ALL= "$vrkcfg" chek
expect value-after-double-dash 0 "" "" -- "$vrkcfg" set "$work/cfg.xml" 'Cfg\CfgId' -o "$work/dash.xml" -- --odd-
expect dash-value-kept 0 "--odd-" "" -- "$vrkcfg" get "$work/dash.xml" 'Cfg\CfgId'

# With --json every error is one object on standard output, and standard error stays empty.
json_error='{"file":"'"$work"'/bad.xml","error":{"message":"XML document loading error","detail":"'
for command in check "get @ Cfg\\DeviceType" "ranges @ Cfg\\DeviceType" "list @" "count @ Cfg\\" "bin @" \
               "upgrade @" "xml @" "edit @" "set @ Cfg\\CfgId x"; do
  case "$command" in *@*) ;; *) command="$command @" ;; esac
  read -r -a words <<<"${command//@/$work/bad.xml}"
  expect "json-error-${words[0]}" 1 "~$json_error" "" -- "$vrkcfg" --json "${words[@]}"
done
expect json-error-diff 2 "~$json_error" "" -- "$vrkcfg" diff "$work/cfg.xml" "$work/bad.xml" --json
expect json-error-inspect 1 '~{"file":"'"$work"'/bad.xml","error":{"message":"' "" -- \
  "$vrkcfg" inspect "$work/bad.xml" --json
expect json-error-path 1 '{"file":"'"$work"'/cfg.xml","error":{"message":"Invalid path to the attribute","detail":"Cfg\\Nothing"}}' "" -- \
  "$vrkcfg" get "$work/cfg.xml" 'Cfg\Nothing' --json
expect json-usage-error 2 "~\"error\":{\"message\":\"usage: vrkcfg get" "" -- "$vrkcfg" get --json

# A command that reads a configuration takes a document or an image, by content, whatever the file is called.
"$vrkcfg" bin "$work/cfg.xml" -o "$work/image.xml" >/dev/null 2>&1
expect check-image 0 "OK" "" -- "$vrkcfg" check "$work/image.xml"
expect get-image 0 "65000" "" -- "$vrkcfg" get "$work/image.xml" 'Data_transfer_settings\param_max_int'
expect list-image 0 "~Region_settings\\Hysteresis_percent = 5" "" -- "$vrkcfg" list "$work/image.xml" 'Region_settings\'
expect ranges-type-name 0 "~type: 5 (unsigned integer, dictionary)" "" -- "$vrkcfg" ranges "$work/cfg.xml" 'Header\baudrate'
expect help-russian 0 "~вывести XML элемента" "" -- "$vrkcfg" --help --lang ru
expect negative-value 1 "" "Incorrect value range (-5)" -- "$vrkcfg" set "$work/cfg.xml" 'Region_settings\Hysteresis_percent' -5
