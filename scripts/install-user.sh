#!/usr/bin/env bash
# Installs Kelvora for the current user from a configured and built tree, refreshes the
# desktop and MIME databases of that prefix, then runs the installer's Commit action (the
# read-me opens and the study program starts).
#   scripts/install-user.sh [--prefix P] [--build DIR] [--no-start]
# Defaults: --prefix ~/.local, --build build. KVR_INSTALL_HOST names another host program.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$HOME/.local
build=build
start=true
while [[ $# -gt 0 ]]; do
    case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --no-start) start=false; shift ;;
    *) echo "usage: $0 [--prefix P] [--build DIR] [--no-start]" >&2; exit 1 ;;
    esac
done
prefix=$(realpath -m "$prefix")

cmake --install "$build" --prefix "$prefix" --strip >/dev/null
# The list of what was installed, for uninstall-user.sh: it removes exactly these files.
manifest=$prefix/share/kelvora/installed-files
{ cat "$build/install_manifest.txt"; echo; echo "$manifest"; } >"$manifest"

refresh_databases() {
    command -v update-desktop-database >/dev/null \
        && update-desktop-database -q "$prefix/share/applications" || true
    command -v update-mime-database >/dev/null && update-mime-database "$prefix/share/mime" || true
    command -v gtk-update-icon-cache >/dev/null \
        && gtk-update-icon-cache -q -t -f "$prefix/share/icons/hicolor" 2>/dev/null || true
}
refresh_databases
echo "Installed under $prefix"

if [[ $start == true ]]; then
    host=${KVR_INSTALL_HOST:-$prefix/bin/kelvora-install}
    "$host" commit
fi
