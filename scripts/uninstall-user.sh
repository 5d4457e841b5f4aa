#!/usr/bin/env bash
# Removes a user-level install of Kelvora (scripts/install-user.sh). First runs the
# installer's Uninstall action, which asks about the learner's database and history:
# when the learner stops the removal there (exit 3) nothing is removed. Otherwise exactly
# the installed files go; the learner's data folder (share/Kelvora, distinct from the
# program's share/kelvora) and the settings are never touched.
#   scripts/uninstall-user.sh [--prefix P]      (default ~/.local)
# KVR_INSTALL_HOST names another host program.
set -euo pipefail
prefix=$HOME/.local
while [[ $# -gt 0 ]]; do
    case $1 in
    --prefix) prefix=$2; shift 2 ;;
    *) echo "usage: $0 [--prefix P]" >&2; exit 1 ;;
    esac
done
prefix=$(realpath -m "$prefix")
manifest=$prefix/share/kelvora/installed-files
if [[ ! -f $manifest ]]; then
    echo "No Kelvora install under $prefix" >&2
    exit 1
fi

host=${KVR_INSTALL_HOST:-$prefix/bin/kelvora-install}
status=0
"$host" uninstall || status=$?
if [[ $status -eq 3 ]]; then
    echo "Removal stopped: nothing was removed."
    exit 3
elif [[ $status -ne 0 ]]; then
    echo "The uninstall action failed (status $status): nothing was removed." >&2
    exit 1
fi

# Only files below the prefix that the install listed; then the folders they leave empty.
folders=()
while IFS= read -r file; do
    [[ $file == "$prefix"/* ]] || continue
    if [[ -L $file || -f $file ]]; then
        rm -f -- "$file"
        folders+=("$(dirname -- "$file")")
    fi
done <"$manifest"
for folder in "${folders[@]}"; do
    while [[ $folder == "$prefix"/* ]] && rmdir -- "$folder" 2>/dev/null; do
        folder=$(dirname -- "$folder")
    done
done

# The caches the install refreshed; a cache left alone in its folder was ours alone.
drop_or_refresh() { # folder cache refresh-command...
    local folder=$1 cache=$2
    shift 2
    [[ -d $folder ]] || return 0
    if [[ -z $(find "$folder" -mindepth 1 ! -name "$cache" -print -quit) ]]; then
        rm -f -- "$folder/$cache"
        while [[ $folder == "$prefix"/* ]] && rmdir -- "$folder" 2>/dev/null; do
            folder=$(dirname -- "$folder")
        done
    elif command -v "$1" >/dev/null; then
        "$@" "$folder" >/dev/null 2>&1 || true
    fi
}
drop_or_refresh "$prefix/share/applications" mimeinfo.cache update-desktop-database -q
drop_or_refresh "$prefix/share/icons/hicolor" icon-theme.cache gtk-update-icon-cache -q -t -f
command -v update-mime-database >/dev/null && [[ -d $prefix/share/mime ]] \
    && update-mime-database "$prefix/share/mime" || true
echo "Removed Kelvora from $prefix"
