# Part of run.sh: every vrkcfg line of the README's command-line section runs, in order, in a folder of its own,
# with the script the README shows as changes.txt and the images it names prepared beside it.

readme="$(dirname "$0")/../../README.md"
section=$(sed -n '/^## The command-line tool/,/^## /p' "$readme")
examples="$work/readme"
mkdir "$examples"
# The indented block after the sentence that introduces changes.txt is its content.
sed -n '/^`changes.txt` holds/,/^[^ ]/p' <<<"$section" | sed -n 's/^    //p' >"$examples/changes.txt"
[ -s "$examples/changes.txt" ] || fail "README: no changes.txt block"
cp "$corpus/loadable_v2_full.bin" "$examples/old.bin"
cp "$corpus/v7_minimal.bin" "$examples/image.bin"

count=0
while IFS= read -r line; do
  command=$(sed -e 's/^    vrkcfg //' -e 's/  *# .*$//' <<<"$line")
  count=$((count + 1))
  (cd "$examples" && eval "timeout 60 \"\$vrkcfg\" $command") >"$work/out" 2>"$work/err"
  rc=$?
  # diff tells "different" with 1; every other example succeeds.
  if [ $rc -ne 0 ] && ! { [ $rc -eq 1 ] && [[ $command == diff* ]]; }; then
    fail "README example (exit $rc): vrkcfg $command"
    cat "$work/err"
  fi
done < <(grep '^    vrkcfg ' <<<"$section")
[ $count -ge 10 ] || fail "README: only $count vrkcfg examples found"
