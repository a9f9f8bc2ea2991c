#!/usr/bin/env bash
# Kills a profile save loop with SIGKILL at random moments, ROUNDS times, and after every kill
# requires my.dat to be one whole save: undamaged, 22 lines, exactly the contents of the save
# it claims to be. Each round the loop first re-checks the file it starts from.
#
#   kill_save.sh PATH/TO/profile_save_loop [ROUNDS]
set -euo pipefail

driver=$1
rounds=${2:-300}
work=$(mktemp -d "${TMPDIR:-/tmp}/kill_save.XXXXXX")
trap 'rm -rf "$work"' EXIT

inside=0   # kills that left a temp behind, i.e. landed between creating it and the rename
last=0
for ((round = 1; round <= rounds; round++)); do
  coproc LOOP { exec "$driver" "$work"; }
  pid=$LOOP_PID
  # Let 1–2 saves complete, then kill at once: the loop runs ahead of this reader, so the
  # kill lands at an arbitrary point of a later save.
  want=$((RANDOM % 2 + 1))
  for ((k = 0; k < want; k++)); do
    if ! read -r -u "${LOOP[0]}" line; then
      wait "$pid" && status=0 || status=$?
      echo "round $round: the save loop stopped by itself (exit $status)" >&2
      exit 1
    fi
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true

  [ -e "$work/dat/my.dat.tmp" ] && inside=$((inside + 1))
  if ! saved=$("$driver" "$work" --check); then
    echo "round $round: my.dat is not a whole save" >&2
    exit 1
  fi
  if [ "$(grep -c $'\r$' "$work/dat/my.dat")" -ne 22 ]; then
    echo "round $round: my.dat does not have 22 CR LF lines" >&2
    exit 1
  fi
  if [ "$saved" -lt "$last" ]; then
    echo "round $round: my.dat went back from save $last to $saved" >&2
    exit 1
  fi
  last=$saved
done
echo "$rounds kills, $inside inside a save, last whole save $last"
