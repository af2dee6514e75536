#!/usr/bin/env bash
# The folders are floors: each includes only itself and the floors below it, and only
# gui/ (and the command line's print file) may include Qt.
#   tools/floors.sh          the folder-to-folder table of #include "folder/..." lines
#   tools/floors.sh --check  also lists every include that breaks the floors; exit 1 if any
set -euo pipefail
cd "$(dirname "$0")/.."

folders=(base link channels settings shell sim gui cli)

# What each folder may include besides itself. channels/ and settings/ stand side by
# side on one floor and do not include each other; the simulator reaches only the
# ground and the link.
declare -A may=(
  [base]=""
  [link]="base"
  [channels]="base link"
  [settings]="base link"
  [shell]="base link channels settings"
  [sim]="base link"
  [gui]="base link channels settings shell"
  [cli]="base link channels settings shell gui"
)
# Outside gui/, the only file allowed Qt, and with it gui/'s headers: the print verbs
# borrow the window program's printing.
qt_allowed="cli/pdf_printers.cpp"

# Every "from to file" triple, one per include of a folder's header.
edges=$(for from in "${folders[@]}"; do
  [ -d "$from" ] || continue
  grep -HoE '^#include "[a-z_]+/' "$from"/*.h "$from"/*.cpp 2>/dev/null \
    | sed -E 's#^([^:]+):\#include "([a-z_]+)/$#'"$from"' \2 \1#'
done)

printf '%-9s' 'from\to'
printf '%9s' "${folders[@]}"
echo
for from in "${folders[@]}"; do
  printf '%-9s' "$from"
  for to in "${folders[@]}"; do
    n=$(awk -v f="$from" -v t="$to" '$1 == f && $2 == t' <<<"$edges" | wc -l)
    if [ "$n" = 0 ]; then printf '%9s' '.'; else printf '%9s' "$n"; fi
  done
  echo
done

[ "${1:-}" = "--check" ] || exit 0

bad=0
while read -r from to file; do
  [ -n "$from" ] || continue
  [ "$from" = "$to" ] && continue
  case " ${may[$from]} " in
    *" $to "*) ;;
    *) echo "floors: $file includes $to/, above or beside $from/"; bad=1 ;;
  esac
  if [ "$to" = gui ] && [ "$from" != gui ] && [ "$file" != "$qt_allowed" ]; then
    echo "floors: $file includes gui/, which only $qt_allowed may outside gui/"
    bad=1
  fi
done <<<"$edges"

for file in $(grep -lE '^#include <Q' $(for f in "${folders[@]}"; do
                [ "$f" = gui ] || ls "$f"/*.h "$f"/*.cpp 2>/dev/null; done) || true); do
  [ "$file" = "$qt_allowed" ] && continue
  echo "floors: $file includes a Qt header outside gui/"
  bad=1
done
exit $bad
