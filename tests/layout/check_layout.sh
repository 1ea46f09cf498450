#!/bin/bash
# Two rules of the source tree that the compiler does not enforce:
#  - includes point one way between folders: core <- app <- ui, tui <- ui, no cycle; no core folder
#    includes app, tui or ui, and the kit includes neither app nor ui (it sits on the core
#    folders only);
#  - no mutable state at namespace scope, in class-static data members or in function-local
#    statics outside main, and no thread_local state;
#  - one owner of the log: only the logbook (app/logbook.*) holds the log store or a log that
#    can be changed.  The log folder defines the collection, the scoring in rules writes the
#    figures of the log it is handed, and the command-line score and export modes read a file
#    into a copy of their own that is never saved.
# Usage: check_layout.sh SOURCE_DIR
set -u
src="${1:?source directory}/src"
fail=0

report() {
  echo "$1"
  fail=1
}

# --- include arrows ---------------------------------------------------------------------------
core="util log config country score rules reports cw net rig aids cluster"
for d in $core; do
  [ -d "$src/$d" ] || continue
  hits=$(grep -rnE '#include "(app|tui|ui)/' "$src/$d" --include='*.h' --include='*.cpp')
  [ -z "$hits" ] || report "core folder $d includes app, tui or ui:"$'\n'"$hits"
done
hits=$(grep -rnE '#include "(tui|ui)/|#include <final/' "$src/app" --include='*.h' --include='*.cpp')
[ -z "$hits" ] || report "app includes the toolkit, tui or ui:"$'\n'"$hits"
hits=$(grep -rnE '#include "(app|ui)/' "$src/tui" --include='*.h' --include='*.cpp')
[ -z "$hits" ] || report "the kit includes app or ui:"$'\n'"$hits"
stray=$(find "$src" -mindepth 2 -type d -name ui -not -path "$src/ui")
[ -z "$stray" ] || report "ui/ folders inside core folders: $stray"

# No cycle between folders, subfolders (app/views, ui/windows ...) counted as folders of their
# own: a folder that includes another must not be included back, however far round.
cycle=$(python3 - "$src" <<'PY'
import os, re, sys
src = sys.argv[1]
edges = {}
for root, _, files in os.walk(src):
    here = os.path.relpath(root, src)
    for f in files:
        if not f.endswith((".h", ".cpp")):
            continue
        text = open(os.path.join(root, f), errors="ignore").read()
        for inc in re.findall(r'#include "([^"]+)/[^"/]+"', text):
            if inc != here:
                edges.setdefault(here, set()).add(inc)
state = {}
def visit(node, path):
    state[node] = 1
    for nxt in sorted(edges.get(node, ())):
        if state.get(nxt) == 1:
            print(" -> ".join(path[path.index(nxt):] + [nxt]))
            sys.exit(0)
        if nxt not in state:
            visit(nxt, path + [nxt])
    state[node] = 2
for start in sorted(edges):
    if start not in state:
        visit(start, [start])
PY
)
[ -z "$cycle" ] || report "folders include each other: $cycle"

# --- process-wide mutable state ---------------------------------------------------------------
# Function-local statics that are variables (a function declaration has its parenthesis).
locals=$(cd "$src/.." && grep -rnE '^\s+static\s+' src --include='*.cpp' |
  grep -vE 'static_(cast|assert)|static\s+(constexpr|const)\b' | grep -vE '^[^:]+:[0-9]+:[^(]*\(' )
# Variables at namespace scope and class-static data members defined in a .cpp
# (`T Class::member = ...;`): a definition on one line at column 0, not const.
globals=$(cd "$src/.." && grep -rnE '^[A-Za-z_][A-Za-z0-9_:<>, *&]*[ *&]+[A-Za-z_][A-Za-z0-9_:]*\s*(\{[^}]*\}|=[^;]*)?;\s*(//.*)?$' \
  src --include='*.cpp' |
  grep -vE '^[^:]+:[0-9]+:(const|constexpr|inline|using|namespace|extern|typedef|template|return|class|struct|enum|friend)\b' |
  grep -vE '^[^:]+:[0-9]+:[^=]*\(' | grep -vE '^[^:]+:[0-9]+:[^=]*\boperator\b')
# Per-thread state is process-wide state too, wherever it is declared.
threads=$(cd "$src/.." && grep -rnE '\bthread_local\b' src --include='*.cpp' --include='*.h')
while IFS= read -r line; do
  [ -n "$line" ] || continue
  [[ "$line" == src/ui/shell/main.cpp:* ]] && continue
  report "process-wide mutable state: $line"
done <<< "$locals"$'\n'"$globals"$'\n'"$threads"

# --- one owner of the log -----------------------------------------------------------------------
owners='^src/(log/|app/logbook\.|app/log_store\.|rules/log_scoring\.|app/score_command\.(cpp|h)|app/transfer_command\.cpp)'
hits=$(cd "$src/.." && grep -rnE '\bTLogCollection\b' src --include='*.h' --include='*.cpp' |
  grep -vE '\bconst TLogCollection\b' | grep -vE "$owners")
[ -z "$hits" ] || report "a changeable log outside the logbook:"$'\n'"$hits"
hits=$(cd "$src/.." && grep -rnE '\bLogStore\b|app/log_store\.h|LogbookTestAccess' src \
  --include='*.h' --include='*.cpp' | grep -vE '^src/app/(logbook|log_store)\.')
[ -z "$hits" ] || report "the log store outside the logbook:"$'\n'"$hits"
hits=$(grep -rnE '#include "rules/' "$src/net" --include='*.h' --include='*.cpp')
[ -z "$hits" ] || report "the log exchange includes the rules (scoring is the logbook's):"$'\n'"$hits"

[ "$fail" = 0 ] && echo "layout: includes one way, no process-wide state, one owner of the log"
exit "$fail"
