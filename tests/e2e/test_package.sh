# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a new user meets it: built from this build tree, installed with dpkg,
# run from an empty folder with a scratch HOME (--version and --help without a terminal and
# without writing anything, score on a small log, the manual page), started in tmux in an empty
# folder (the operating screen with the World contest and where the new station was made), and
# removed again, leaving the machine as it was.  Needs root; skipped otherwise, and skipped when
# a vorkan package is installed already (it is not ours to remove).
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"
BUILD=$(dirname "$VK_BIN")
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing the package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' vorkan 2>/dev/null | grep -q "ok installed"; then
  echo "SKIP: a vorkan package is installed on this machine already"
  exit 77
fi
installed=0
pkg_cleanup() {
  if [ "$installed" = 1 ]; then dpkg -r vorkan >/dev/null 2>&1; fi
  vk_cleanup
}
trap pkg_cleanup EXIT

(cd "$VK_DIR" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$VK_DIR/pkg" >cpack.log 2>&1) ||
  { cat "$VK_DIR/cpack.log"; vk_fail "cpack"; }
deb=$(ls "$VK_DIR"/pkg/vorkan_*_*.deb)
ver=$("$VK_BIN" --version | head -1 | cut -d' ' -f2)
[ "$(basename "$deb")" = "vorkan_${ver}_$(dpkg --print-architecture).deb" ] || vk_fail "name $deb"
deps=$(dpkg-deb -f "$deb" Depends)
for d in hamradio-files libfinal0 libhamlib4; do
  [[ "$deps" == *"$d"* ]] || vk_fail "Depends lacks $d: $deps"
done
dpkg -i "$deb" >"$VK_DIR/dpkg.log" 2>&1 || { cat "$VK_DIR/dpkg.log"; vk_fail "dpkg -i"; }
installed=1

home=$VK_DIR/home
empty=$VK_DIR/empty
mkdir -p "$home" "$empty"
run() { (cd "$empty" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@" </dev/null); }
[ "$(run vorkan --version | head -1)" = "vorkan $ver" ] || vk_fail "--version"
help=$(run vorkan --help) || vk_fail "--help status"
for w in score export import rules --station "FINAL CUT"; do
  [[ "$help" == *"$w"* ]] || vk_fail "--help lacks $w"
done
[ -z "$(ls -A "$empty")" ] || vk_fail "--help or --version wrote $(ls -A "$empty")"
run vorkan --bogus 2>"$VK_DIR/bogus.err"
[ $? = 2 ] && grep -q -- "--bogus" "$VK_DIR/bogus.err" || vk_fail "an unknown option"

# A small log scored by the shipped World contest through the installed data.
log=$VK_DIR/small.adi
{
  printf '<ADIF_VER:3>3.0\r\n<EOH>\r\n'
  for c in DL1AA OH2BH JA1XX; do
    printf '<QSO_DATE:8>20261128<TIME_ON:4>1200<FREQ:6>14.025<MODE:2>CW<CALL:%d>%s' ${#c} "$c"
    printf '<RST_SENT:3>599<RST_RCVD:3>599<EOR>\r\n'
  done
} >"$log"
out=$(run vorkan score --contest WORLD --call N0CALL "$log" 2>&1) || vk_fail "score: $out"
[[ "$out" == *"TOTAL qsos=3 "* ]] || vk_fail "score printed: $out"
[ "$(man -w vorkan)" = /usr/share/man/man1/vorkan.1.gz ] || vk_fail "man -w vorkan"
[ -f /usr/share/doc/vorkan/copyright ] || vk_fail "no copyright file"

# The first start in an empty folder makes the station there and says so.
rm -rf "$VK_DIR/data"
mkdir "$VK_DIR/first"
VK_DIR_TOP=$VK_DIR
VK_DIR=$VK_DIR/first
VK_BIN=/usr/bin/vorkan
vk_start HOME="$home"
vk_wait_for "[The World Contest]"
vk_wait_for "A new station was made in"
vk_wait_for "$VK_DIR"
vk_key Enter
vk_wait_gone "A new station was made in"
vk_quit
grep -q "Call=N0CALL" "$VK_DIR/vorkan.cfg" || vk_fail "no vorkan.cfg made"
[ ! -e "$VK_DIR/data" ] || vk_fail "the shipped data was copied"
VK_DIR=$VK_DIR_TOP

dpkg -r vorkan >"$VK_DIR/dpkg.log" 2>&1 || { cat "$VK_DIR/dpkg.log"; vk_fail "dpkg -r"; }
installed=0
for f in /usr/bin/vorkan /usr/share/vorkan /usr/share/man/man1/vorkan.1.gz \
  /usr/share/locale/en/LC_MESSAGES/vorkan.mo; do
  [ ! -e "$f" ] || vk_fail "$f left after dpkg -r"
done
echo "package $(basename "$deb") installed, run and removed"
