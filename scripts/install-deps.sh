#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, tests and runs with. Quick when all
# are present: it asks dpkg first and only calls apt-get for what is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev qt6-declarative-dev qt6-webengine-dev
    qt6-translations-l10n xdg-utils
    gstreamer1.0-plugins-good
    flite1-dev open-jtalk open-jtalk-mecab-naist-jdic
    fonts-ipafont-gothic fonts-ipafont-mincho
    xvfb xauth desktop-file-utils
)
# The Japanese voice lives in Debian's contrib section, which a machine may not have
# enabled. It is optional: without it Japanese text is simply not spoken.
voice=hts-voice-nitech-jp-atr503-m001
# Remembers that the voice had no candidate, so later runs do not call apt-get for it.
if [[ $(id -u) -eq 0 ]]; then
    voice_stamp=/var/lib/kelvora/no-contrib-voice
else
    voice_stamp=${XDG_CACHE_HOME:-$HOME/.cache}/kelvora/no-contrib-voice
fi

installed() {
    [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true) == "install ok installed" ]]
}

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
want_voice=false
if ! installed "$voice" && { [[ ${#missing[@]} -gt 0 ]] || [[ ! -e "$voice_stamp" ]]; }; then
    want_voice=true
fi
[[ ${#missing[@]} -eq 0 && $want_voice == false ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
elif [[ ${#missing[@]} -eq 0 ]]; then
    exit 0 # only the optional voice is missing: go on without it
else
    echo "Missing packages and neither root nor sudo: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [[ $want_voice == true ]]; then
    candidate=$(apt-cache policy "$voice" 2>/dev/null | awk '/Candidate:/ { print $2 }')
    if [[ -n "$candidate" && "$candidate" != "(none)" ]]; then
        echo "Installing: $voice"
        "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$voice" \
            || echo "Could not install $voice: Japanese text will not be spoken." >&2
    else
        echo "Note: $voice (Debian contrib) is not available: Japanese text will not be" \
             "spoken. README.md tells how to enable it." >&2
        mkdir -p "$(dirname "$voice_stamp")" 2>/dev/null && touch "$voice_stamp" 2>/dev/null || true
    fi
fi
