# A configuration file that cannot be created ends the start before the terminal is touched:
# the message goes to standard output and the exit code is 1.  A working directory that has
# been removed refuses every new file, whoever runs the test.
set -u
bin=$(readlink -f "$1")
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vorkan-e2e.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/gone"
out=$(cd "$tmp/gone" && rmdir "$tmp/gone" && "$bin" </dev/null 2>/dev/null)
rc=$?
[ "$rc" = 1 ] || { echo "FAIL: exit code $rc" >&2; exit 1; }
[ "$out" = "Error:-> not update VorkConfigFile." ] || { echo "FAIL: output '$out'" >&2; exit 1; }
