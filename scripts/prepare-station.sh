#!/usr/bin/env bash
# Lays out a working directory ("station") in which the logger runs: the shipped contest rules
# and country files under data/, and a vorkan.cfg that names the shipped World contest and a
# placeholder own call so that a newcomer can log at once.  An existing vorkan.cfg and log are
# never touched.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-station}"
mkdir -p "$dir/data"
cp -f "$top"/data/*.xml "$dir/data/" 2>/dev/null || true
# The Russian country list and the domestic lists the rules files name.
cp -f "$top"/data/*.dat "$dir/data/" 2>/dev/null || true
world=/usr/share/hamradio-files/cty.dat
if [ -f "$world" ]; then ln -sf "$world" "$dir/data/cty_wt.dat"; fi
if [ ! -f "$dir/vorkan.cfg" ]; then
  printf '[Main]\r\nComment=<<- VORKAN Contest program ->>\r\nContest=WORLD\r\nCall=N0CALL\r\nWork=0\r\nMode=0\r\nEsm=1\r\n\r\n[Morze]\r\nPort=Null\r\n' >"$dir/vorkan.cfg"
fi
