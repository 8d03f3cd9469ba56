#!/usr/bin/env bash
# Checks what users get when they install Vexlo, from a build tree that is already built:
#   check-install.sh install BUILD_DIR   installs the tree into a temporary prefix;
#   check-install.sh deb BUILD_DIR       builds the Debian package and unpacks it (dpkg -x).
# Either way it validates the desktop entry and the AppStream metadata and checks that the
# program and the icons the entry names are where the entry says. CTest passes VEXLO_APP_ID,
# VEXLO_VERSION, VEXLO_ICON_SIZES (the rendered PNG sizes), VEXLO_CMAKE and VEXLO_CPACK.
set -euo pipefail

mode=${1:?usage: check-install.sh install|deb BUILD_DIR}
build=${2:?usage: check-install.sh install|deb BUILD_DIR}
: "${VEXLO_APP_ID:?}" "${VEXLO_VERSION:?}" "${VEXLO_CMAKE:=cmake}" "${VEXLO_CPACK:=cpack}"
: "${VEXLO_ICON_SIZES=}"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

need() {  # TOOL PACKAGE
    command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (Debian package $2)" >&2; exit 1; }
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need file file
need readelf binutils

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The value of KEY in the [Desktop Entry] group of FILE (empty when absent).
desktop_value() {  # FILE KEY
    awk -v key="$2" '
        /^\[/ { group = $0; next }
        group == "[Desktop Entry]" && index($0, key "=") == 1 {
            print substr($0, length(key) + 2); exit
        }' "$1"
}

# Checks the files installed under PREFIX (the directory that holds bin/ and share/).
check_layout() {  # PREFIX
    local prefix=$1 out
    local entry=$prefix/share/applications/$VEXLO_APP_ID.desktop
    local metainfo=$prefix/share/metainfo/$VEXLO_APP_ID.metainfo.xml

    if [[ ! -f $entry ]]; then
        fail "no desktop entry at $entry"
    else
        # Hints are advice; warnings and errors are faults.
        if ! out=$(desktop-file-validate "$entry" 2>&1) || grep -qiE 'error|warning' <<<"$out"; then
            fail "desktop-file-validate: $out"
        fi
        [[ $(desktop_value "$entry" Type) == Application ]] || fail "the entry is not an Application"
        [[ $(desktop_value "$entry" Name) == 'Vexlo匹配工具' ]] ||
            fail "Name is '$(desktop_value "$entry" Name)'"
        [[ -n $(desktop_value "$entry" GenericName) && -n $(desktop_value "$entry" 'GenericName[zh_CN]') ]] ||
            fail "the entry lacks an English or a Chinese GenericName"
        [[ ";$(desktop_value "$entry" Categories)" == *";Development;"* ]] ||
            fail "Categories lacks Development"

        # The program the entry starts: a bare name, found in the prefix's bin/.
        local exec program
        exec=$(desktop_value "$entry" Exec)
        program=${exec%% *}
        if [[ -z $program || $program == */* ]]; then
            fail "Exec should name the program found on PATH, not '$exec'"
        elif [[ ! -x $prefix/bin/$program ]]; then
            fail "Exec names '$program', but $prefix/bin/$program is not an installed program"
        elif ! file -b "$prefix/bin/$program" | grep -q '^ELF'; then
            fail "$prefix/bin/$program is not an ELF program"
        elif readelf -d "$prefix/bin/$program" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
            fail "the installed program still loads libraries from the build tree"
        fi

        # The icon the entry names, as a scalable SVG and as every rendered PNG size.
        local icon png size
        icon=$(desktop_value "$entry" Icon)
        if [[ -z $icon || $icon == */* ]]; then
            fail "Icon should be a theme icon name, not '$icon'"
        else
            local svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
            if [[ ! -f $svg ]] || ! file -b "$svg" | grep -q SVG; then
                fail "no SVG icon at $svg"
            fi
            for size in $VEXLO_ICON_SIZES; do
                png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
                file -b "$png" 2>/dev/null | grep -q "^PNG image data, $size x $size," ||
                    fail "no ${size}x${size} PNG icon at $png"
            done
        fi
    fi

    if [[ ! -f $metainfo ]]; then
        fail "no AppStream metadata at $metainfo"
    else
        out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
        # The tree check also finds the desktop entry the metadata launches.
        out=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree: $out"
        grep -q "<release version=\"$VEXLO_VERSION\" date=\"[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\"" "$metainfo" ||
            fail "the metadata has no dated release entry for version $VEXLO_VERSION"
        grep -qF "<launchable type=\"desktop-id\">$VEXLO_APP_ID.desktop</launchable>" "$metainfo" ||
            fail "the metadata does not launch $VEXLO_APP_ID.desktop"
    fi

    grep -q '^MIT License' "$prefix/share/doc/vexlo/copyright" 2>/dev/null ||
        fail "no MIT licence at $prefix/share/doc/vexlo/copyright"
}

# The Debian package that ships the library with SONAME, as this system's dpkg knows it.
package_of_soname() {  # SONAME
    dpkg -S "*/$1" 2>/dev/null | head -n 1 | sed 's/[:,].*//'
}

# PACKAGE and the names it provides, one a line (a shlibs file may name a provided one).
names_of_package() {  # PACKAGE
    echo "$1"
    dpkg-query -W -f='${Provides}\n' "$1" 2>/dev/null | sed 's/ *([^)]*)//g; s/, */\n/g' | sed '/^$/d'
}

# Builds the package, checks its control fields and unpacks it into a temporary root.
check_deb() {
    need dpkg-deb dpkg
    local out=$work/out root=$work/root deb
    if ! "$VEXLO_CPACK" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$work/cpack.log" 2>&1; then
        cat "$work/cpack.log" >&2
        fail "cpack -G DEB failed"
        return
    fi
    mapfile -t debs < <(find "$out" -maxdepth 1 -name '*.deb')
    if ((${#debs[@]} != 1)); then
        fail "cpack made ${#debs[@]} .deb files"
        return
    fi
    deb=${debs[0]}
    dpkg-deb -f "$deb" >&2

    [[ $(dpkg-deb -f "$deb" Package) == vexlo ]] || fail "the package is not named vexlo"
    [[ $(dpkg-deb -f "$deb" Version) == "$VEXLO_VERSION" ]] || fail "the package version is not $VEXLO_VERSION"
    [[ $(dpkg-deb -f "$deb" Section) == devel ]] || fail "the package section is not devel"
    [[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "the package names no maintainer"
    [[ $(dpkg-deb -f "$deb" Recommends) == *fonts-noto-cjk* ]] || fail "the package does not recommend a CJK font"

    # Every file lies under /usr: an absolute install destination would land elsewhere.
    local stray
    stray=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -vE '^\./(usr(/.*)?)?$' || true)
    [[ -z $stray ]] || fail "files outside /usr: $stray"

    dpkg -x "$deb" "$root"
    check_layout "$root/usr"

    # The libraries the program loads must come from packages the package depends on.
    local program=$root/usr/bin/vexlo depends stem soname pkg
    depends=", $(dpkg-deb -f "$deb" Depends | sed 's/ *([^)]*)//g; s/ *| */, /g'),"
    if [[ ! -f $program ]]; then
        fail "no program at $program"
        return
    fi
    for stem in libQt6Widgets.so libpcre2-16.so libboost_regex.so libicuuc.so; do
        soname=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | grep -F "$stem" | head -n 1 || true)
        if [[ -z $soname ]]; then
            fail "the program does not load $stem*"
            continue
        fi
        pkg=$(package_of_soname "$soname")
        if [[ -z $pkg ]]; then
            fail "no installed package holds $soname"
            continue
        fi
        local name found=no
        while read -r name; do
            if [[ $depends == *", $name,"* ]]; then found=yes; fi
        done < <(names_of_package "$pkg")
        [[ $found == yes ]] || fail "Depends lacks $pkg (or a name it provides), which holds $soname"
    done
}

case $mode in
    install)
        if ! "$VEXLO_CMAKE" --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1; then
            cat "$work/install.log" >&2
            fail "cmake --install failed"
        else
            check_layout "$work/prefix"
        fi
        ;;
    deb) check_deb ;;
    *) echo "unknown mode '$mode'" >&2; exit 2 ;;
esac

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all $mode checks passed"
