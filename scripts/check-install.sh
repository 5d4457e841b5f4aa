#!/usr/bin/env bash
# Checks an install of Kelvora end to end (slow; not part of CI):
#   1. the installed tree's desktop entries and AppStream data validate, and the .deb
#      passes lintian with no error or warning;
#   2. the installed, read-only program starts under Xvfb for an unprivileged user with a
#      fresh home (first window "Kelvora", data seeded under that home), and root gets
#      its own home's folder; when the editor is built, it is installed with its desktop
#      entry and man page, and starts for that user (offscreen: still running after a
#      while or ended with 0; under Xvfb: a window of KvrEditor);
#   3. the MIME types recognise an export file and "open" passes its absolute path to the
#      editor's launcher (a stub stands in for the editor);
#   4. the user-level install and removal scripts with a stub host: status 3 removes
#      nothing, status 0 removes the programs and keeps the learner's data and settings.
#   scripts/check-install.sh [--build DIR] [--deb FILE] [--shots DIR]
# Without --deb, scripts/package.sh builds one; --deb skip leaves lintian out. Needs: lintian appstream desktop-file-utils
# xvfb xauth x11-utils xdotool libglib2.0-bin shared-mime-info imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
build=build
deb=
shots=$source/build/screenshots
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$2; shift 2 ;;
    --deb) deb=$2; shift 2 ;;
    --shots) shots=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--deb FILE] [--shots DIR]" >&2; exit 1 ;;
    esac
done
mkdir -p "$shots"
work=$(mktemp -d /tmp/kvr-check.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- 1. validation -----------------------------------------------------------------------
D=$work/dest
cmake --install "$build" --prefix "$D/usr" --strip >/dev/null
for file in "$D"/usr/share/applications/*.desktop; do
    if desktop-file-validate "$file"; then pass "desktop-file-validate $(basename "$file")"
    else fail "desktop-file-validate $(basename "$file")"; fi
done
for file in "$D"/usr/share/metainfo/*.xml; do
    if appstreamcli validate --no-net --pedantic "$file"; then pass "appstream $(basename "$file")"
    else fail "appstream $(basename "$file")"; fi
done
if appstreamcli validate-tree --no-net --pedantic "$D"; then pass "appstream validate-tree"
else fail "appstream validate-tree"; fi
if [[ -z $deb ]]; then
    deb=$(scripts/package.sh | tail -n 1)
fi
if [[ $deb == skip ]]; then
    echo "SKIP: lintian"
else
    lintian_out=$(lintian -I --pedantic "$deb" 2>&1 || true)
    echo "$lintian_out"
    if grep -qE '^[EW]: ' <<<"$lintian_out"; then fail "lintian on $(basename "$deb")"
    else pass "lintian on $(basename "$deb")"; fi
fi

# --- 2. read-only install, first start -------------------------------------------------
chmod -R a-w "$D/usr"
start_program() { # user home shot [program window-name-pattern]
    local user=$1 home=$2 shot=$3 program=${4:-kelvora} window=${5:-'^Kelvora$'}
    local log=$work/$shot.log
    local run=(env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 DISPLAY=:97
               XDG_RUNTIME_DIR="$home/run" "$D/usr/bin/$program")
    mkdir -p "$home/run" && chmod 700 "$home/run"
    if [[ $user != root ]]; then
        chown -R "$user" "$home"
        run=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups "${run[@]}")
    fi
    "${run[@]}" >"$log" 2>&1 &
    local pid=$!
    pids+=("$pid")
    local found=
    for _ in $(seq 1 120); do
        found=$(DISPLAY=:97 xdotool search --name "$window" 2>/dev/null | head -n 1 || true)
        [[ -n $found ]] && break
        sleep 0.5
    done
    if [[ -n $found ]]; then
        sleep 0.5
        DISPLAY=:97 import -window root "$shots/$shot.png" 2>/dev/null || true
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [[ -n $found ]]
}
check_seeded() { # home
    local data=$1/.local/share/Kelvora
    [[ -s $data/Datas/DBv3.kvr && -f $data/Datas/translog.txt && -f $data/skin/default.ini ]] \
        && tr -d '\r' <"$1/.config/Ombrel Presents/Kvr.conf" | grep -qxF "InstallPath=text:$data"
}
Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=("$!")
sleep 1
learner=nobody
home=$work/home-learner
mkdir -p "$home"
if start_program "$learner" "$home" install-first-start; then pass "first window \"Kelvora\" for $learner"
else fail "first window for $learner"; cat "$work/install-first-start.log"; fi
if check_seeded "$home"; then pass "InstallPath and starter data under $learner's home"
else fail "seeding under $learner's home"; fi
# The editor: installed beside the study program, named by its desktop entry, documented,
# and starting over the data the study program's first start seeded.
editor=$D/usr/bin/kelvora-editor
editor_entry=$D/usr/share/applications/org.example.kelvora.kvreditor.desktop
if [[ ! -e $editor ]]; then
    echo "SKIP: KvrEditor is not built, so neither installed nor started"
else
    program=$(readlink -f "$editor")
    [[ -f $program && -x $program && $(basename "$program") == KvrEditor \
        && $(dirname "$program") == $(dirname "$(readlink -f "$D/usr/bin/kelvora")") ]] \
        && pass "KvrEditor installed beside Kvr" || fail "KvrEditor program: $program"
    exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$editor_entry" 2>/dev/null | head -n 1)
    [[ -n $exec_program && $(readlink -f "$exec_program") == "$program" ]] \
        && pass "editor's desktop entry starts KvrEditor" \
        || fail "editor's desktop entry Exec: ${exec_program:-missing}"
    grep -qxF 'MimeType=application/x-kelvora-collection;application/x-kelvora-folder;' \
        "$editor_entry" 2>/dev/null && pass "editor's desktop entry opens export files" \
        || fail "editor's desktop entry has no MIME types"
    gzip -t "$D/usr/share/man/man1/kelvora-editor.1.gz" 2>/dev/null \
        && pass "kelvora-editor(1) installed" || fail "kelvora-editor(1) missing"
    status=0
    setpriv --reuid="$learner" --regid="$(id -g "$learner")" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$home/run" timeout 10 "$editor" >"$work/editor-offscreen.log" 2>&1 \
        || status=$?
    [[ $status -eq 0 || $status -eq 124 ]] \
        && pass "KvrEditor starts offscreen for $learner (status $status)" \
        || { fail "KvrEditor offscreen: status $status"; cat "$work/editor-offscreen.log"; }
    if start_program "$learner" "$home" install-editor-start kelvora-editor 'KvrEditor'; then
        pass "a KvrEditor window for $learner"
    else fail "no KvrEditor window for $learner"; cat "$work/install-editor-start.log"; fi
fi
roothome=$work/home-root
mkdir -p "$roothome"
touch "$work/before-root"
start_program root "$roothome" install-first-start-root || fail "first window for root"
check_seeded "$roothome" && pass "root gets its own home's folder" || fail "root's data folder"
changed=$(find "$D/usr" -newer "$work/before-root")
[[ -z $changed ]] && pass "root wrote nothing into the install" || fail "root wrote: $changed"

# --- 3. MIME type and opening an export ----------------------------------------------------
chmod -R u+w "$D/usr"
update-mime-database "$D/usr/share/mime" >/dev/null
desk=$work/desk
mkdir -p "$desk/applications" "$desk/files" "$desk/config"
printf '# KvrEditor SectionExportFile (.kve) v1\r\n# path = a\r\n# \r\n' >"$desk/files/sample.kve"
printf '# KvrEditor FolderExportFile (.kvf) v1\r\n# path = a\r\n# \r\n' >"$desk/files/no extension"
printf 'not an export\n' >"$desk/files/upper.KVE"
cat >"$desk/stub-editor" <<STUB
#!/bin/sh
printf '%s\n' "\$@" >"$desk/opened"
STUB
chmod +x "$desk/stub-editor"
sed -e "s|^Exec=.*|Exec=$desk/stub-editor %f|" \
    "$source/packaging/org.example.kelvora.kvreditor.desktop.in" \
    >"$desk/applications/org.example.kelvora.kvreditor.desktop"
update-desktop-database "$desk/applications"
mimeenv=(env XDG_DATA_DIRS="$desk:$D/usr/share:/usr/share" XDG_DATA_HOME="$desk/none"
         XDG_CONFIG_HOME="$desk/config" XDG_CURRENT_DESKTOP=X-Generic)
type_of() { "${mimeenv[@]}" gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
[[ $(type_of "$desk/files/sample.kve") == application/x-kelvora-collection ]] \
    && pass "gio info: .kve" || fail "gio info: .kve is $(type_of "$desk/files/sample.kve")"
[[ $(type_of "$desk/files/no extension") == application/x-kelvora-folder ]] \
    && pass "gio info: folder export by its first line" || fail "gio info: magic"
[[ $(type_of "$desk/files/upper.KVE") != application/x-kelvora-collection ]] \
    && pass "gio info: upper-case extension is not ours" || fail "gio info: case"
(cd / && "${mimeenv[@]}" gio open "$desk/files/sample.kve")
for _ in $(seq 1 20); do [[ -s $desk/opened ]] && break; sleep 0.5; done
[[ $(cat "$desk/opened" 2>/dev/null) == "$desk/files/sample.kve" ]] \
    && pass "gio open runs the editor with the absolute path" || fail "gio open"

# --- 4. user-level install and removal -------------------------------------------------------
uhome=$work/home-user
mkdir -p "$uhome/.local/share/Kelvora/Datas" "$uhome/.config/Ombrel Presents"
printf 'my db' >"$uhome/.local/share/Kelvora/Datas/DBv3.kvr"
printf 'my log' >"$uhome/.local/share/Kelvora/Datas/translog.txt"
printf 'InstallPath=x\n' >"$uhome/.config/Ombrel Presents/Kvr.conf"
cat >"$work/stub-host" <<'STUB'
#!/bin/sh
echo "$1" >>"$STUB_LOG"
exit "${STUB_STATUS:-0}"
STUB
chmod +x "$work/stub-host"
digest() { (cd "$uhome" && find .local/share/Kelvora .config -type f -exec sha256sum {} + | sort); }
before=$(digest)
hostenv=(env HOME="$uhome" KVR_INSTALL_HOST="$work/stub-host" STUB_LOG="$work/stub.log")
"${hostenv[@]}" scripts/install-user.sh --build "$build" --prefix "$uhome/.local" >/dev/null
[[ -x $uhome/.local/bin/kelvora && $(cat "$work/stub.log") == commit ]] \
    && pass "install-user.sh installs and runs commit" || fail "install-user.sh"
if [[ -e $editor ]]; then
    [[ -x $uhome/.local/bin/kelvora-editor \
        && -f $uhome/.local/share/applications/org.example.kelvora.kvreditor.desktop ]] \
        && pass "install-user.sh installs the editor" || fail "install-user.sh: no editor"
fi
listing=$(cd "$uhome" && find . | sort)
status=0
"${hostenv[@]}" STUB_STATUS=3 scripts/uninstall-user.sh --prefix "$uhome/.local" >/dev/null || status=$?
[[ $status -eq 3 && $(cd "$uhome" && find . | sort) == "$listing" ]] \
    && pass "uninstall stopped (3) removes nothing" || fail "uninstall stopped: status $status"
"${hostenv[@]}" STUB_STATUS=0 scripts/uninstall-user.sh --prefix "$uhome/.local" >/dev/null
left=$(cd "$uhome/.local" && find bin lib share/kelvora share/applications share/metainfo \
    share/icons share/man share/doc -mindepth 1 2>/dev/null | grep -vx 'share/mime.*' || true)
[[ -z $left ]] && pass "uninstall removes the programs" || fail "left behind: $left"
[[ $(digest) == "$before" ]] && pass "learner's data and settings unchanged" \
    || fail "learner's data or settings changed"

echo "$failures failed"
[[ $failures -eq 0 ]]
