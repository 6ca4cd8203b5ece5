#!/bin/bash
# Lists the functions longer than a limit (default 60 lines) and the files
# longer than 400 lines under the given folders (default src/). Language
# tables are data and are left out. Exit status 1 when anything is listed.
set -euo pipefail
limit=${LIMIT:-60}
roots=("${@:-src}")
found=0
while IFS=$'\t' read -r name line end file; do
  [[ -z $end ]] && continue
  len=$((end - line + 1))
  if ((len > limit)); then
    printf '%5d  %s:%s  %s\n' "$len" "$file" "$line" "$name"
    found=1
  fi
done < <(ctags -R -x --kinds-c++=f --fields=+ne --_xformat='%N	%n	%e	%F' --languages=C++ "${roots[@]}" |
  grep -v 'LangTable[A-Z]' || true)
while read -r count file; do
  [[ $file == total || $file == *LangTable[A-Z]* ]] && continue
  if ((count > 400)); then printf '%5d  %s (file)\n' "$count" "$file"; found=1; fi
done < <(find "${roots[@]}" -name '*.cpp' -o -name '*.h' | xargs wc -l)
exit $found
