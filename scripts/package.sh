#!/usr/bin/env bash
# Builds the Debian package orvtool_<version>_amd64.deb from the default build (built first
# when it is missing or out of date) and checks it with lintian.
#   scripts/package.sh            -> prints the path of the package
# Lintian errors fail the script; its warnings are printed and listed in docs/packaging.md.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -f build/default/build.ninja ]; then
  scripts/setup.sh default >/dev/null
fi
cmake --build --preset default -j "$(nproc)" >/dev/null
rm -f build/default/package/orvtool_*.deb
(cd build/default && cpack --config CPackConfig.cmake -G DEB >/dev/null)
deb=$(ls build/default/package/orvtool_*_amd64.deb)

if command -v lintian >/dev/null 2>&1; then
  # Runs as root in CI; lintian only refuses that without this flag.
  report=$(lintian --allow-root --tag-display-limit 0 "$deb" || true)
  if [ -n "$report" ]; then
    echo "$report" >&2
  fi
  if grep -q '^E: ' <<<"$report"; then
    echo "package: lintian found errors in $deb" >&2
    exit 1
  fi
fi
echo "$deb"
