#!/usr/bin/env bash
# Installs the Debian packages Vorkan needs, only those that are missing.
#   install-deps.sh run    what building, running and packaging need (make run, make deb)
#   install-deps.sh test   that, and the test tools (make test)
set -euo pipefail
run=(build-essential cmake pkg-config libfinal-dev libgpm-dev libpugixml-dev zlib1g-dev libssl-dev
     libhamlib-dev libcurl4-openssl-dev gettext hamradio-files locales tzdata dpkg-dev file)
test=(clang-14 libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev tmux strace
      util-linux iproute2 python3 libhamlib-utils cwdaemon man-db chromium)
case "${1:-test}" in
  run) pkgs=("${run[@]}") ;;
  test) pkgs=("${run[@]}" "${test[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
