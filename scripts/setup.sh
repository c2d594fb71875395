#!/bin/bash
# Prepares a fresh Debian 12 machine and builds the suite into build/:
# installs the missing packages of scripts/packages.txt, creates the private
# Wine prefix, configures and builds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

mapfile -t wanted < <(grep -v '^\s*#' "$root/scripts/packages.txt" | sed '/^\s*$/d')
missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    # Another install may hold the package lock for a while: wait for it.
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -q "${missing[@]}"
fi

mkdir -p "$build"
source "$root/scripts/wine-env.sh"
designer_prefix="$WINEPREFIX"

# Creates a private Wine prefix once, with Wine's own fonts registered.
prepare_prefix() {
    export WINEPREFIX="$1"
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
        wineserver -w
    fi
    # Without a window manager, Wine waits about two seconds whenever an
    # active managed top-level window goes away; unmanaged windows close at
    # once.  The test programs' windows are unmanaged; the designer's and the
    # editor's stay managed so that a desktop's window manager frames them.
    if [[ ! -f "$WINEPREFIX/.unmanaged-windows" ]]; then
        for key in 'HKCU\Software\Wine\X11 Driver=N' \
                   'HKCU\Software\Wine\AppDefaults\Tallyform.exe\X11 Driver=Y' \
                   'HKCU\Software\Wine\AppDefaults\Quirepad.exe\X11 Driver=Y'; do
            wine reg add "${key%=*}" /v Managed /t REG_SZ /d "${key##*=}" /f >/dev/null 2>&1 \
                || { echo "could not set the Wine display settings" >&2; exit 1; }
        done
        wineserver -w
        touch "$WINEPREFIX/.unmanaged-windows"
    fi
    # Help > Help Topics opens Tallyform.chm through the .chm association.
    # Wine's own help viewer needs a Gecko engine that Debian does not ship:
    # the association names scripts/open-chm.sh, which shows it in xchm.
    local chm_command="\"Z:${root//\//\\}\\scripts\\open-chm.sh\" \"%1\""
    if [[ "$(cat "$WINEPREFIX/.chm-viewer" 2>/dev/null)" != "$chm_command" ]]; then
        { wine reg add 'HKCR\.chm' /ve /d chm.file /f &&
          wine reg add 'HKCR\chm.file\shell\open\command' /ve /d "$chm_command" /f; } >/dev/null 2>&1 \
            || { echo "could not set the help file viewer" >&2; exit 1; }
        wineserver -w
        echo "$chm_command" > "$WINEPREFIX/.chm-viewer"
    fi
    # Tahoma, the face of several dialogs, has no Chinese characters: Wine
    # draws them from SimSun, a face Debian does not have, so with code page
    # 936 as the system's such a dialog drew Chinese names as boxes.
    # WenQuanYi Micro Hei stands in for SimSun.
    if [[ ! -f "$WINEPREFIX/.chinese-dialog-font" ]]; then
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ \
            /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 \
            || { echo "could not set the Chinese dialog font" >&2; exit 1; }
        wineserver -w
        touch "$WINEPREFIX/.chinese-dialog-font"
    fi
    # Debian's Wine never loads the fonts it ships in its data folder (the
    # Marlett of the caption buttons, Tahoma of the dialogs): the prefix's
    # Fonts folder links them, and Wine finds them there at its next start.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*; do
        [[ -e "$fonts/${font##*/}" || -L "$fonts/${font##*/}" ]] || ln -s "$font" "$fonts/${font##*/}"
    done
}
# The designer's prefix, and one for the tests, so that no test run
# touches the designer's recent files and settings.
prepare_prefix "$test_prefix"
prepare_prefix "$designer_prefix"

# The Chinese locale under which some tests run the programs with code page
# 936 as the system's (Wine takes the code page from the locale).
if [[ ! -d "$build/locale/zh_CN.UTF-8" ]]; then
    mkdir -p "$build/locale"
    localedef -i zh_CN -f UTF-8 "$build/locale/zh_CN.UTF-8" \
        || { echo "could not build the zh_CN.UTF-8 locale" >&2; exit 1; }
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)"

# The default reporting database in the programs' working folder, with a
# few organizations and items; an existing one is left as it is.
default_db="$build/bin/Data/Reporting.mdb"
[[ -e "$default_db" ]] || "$root/scripts/create-reporting-db.sh" sqlite "$default_db" --sample

# The designer's working folder: its template and data folders, and a
# Tallyform.INI that points at the default database.  A user's INI is
# never replaced.
mkdir -p "$build/bin/Template" "$build/bin/Data"
# Sample templates for a first File > Open; existing ones are left alone.
(cd "$build/bin" && wine WriteSampleTemplates.exe.so Template) \
    || { echo "could not write the sample templates" >&2; exit 1; }
ini="$build/bin/Tallyform.INI"
if [[ ! -e "$ini" ]]; then
    windows_db="Z:$(echo "$default_db" | tr '/' '\\')"
    sed "s|@DATABASE@|${windows_db//\\/\\\\}|" "$root/resources/tallyform/Tallyform.INI.in" > "$ini"
fi
