#!/usr/bin/env bash
# install-check.sh BUILD VERSION: installs the build into a temporary DESTDIR, as make install
# does, and checks what a desktop finds there: every file, the icons at their sizes, a desktop
# entry that validates and opens every file type the MIME package defines, manual pages that
# render without warnings, and --version and --help answered without a display.
# shellcheck source-path=SCRIPTDIR source=checks.sh
. "$(dirname "$0")/checks.sh"

DESTDIR=$stage cmake --install "$build" --prefix /opt/qm >"$stage/install.log"
root=$stage/opt/qm

while read -r path; do
    [ -f "$root/$path" ] || fail "the install lacks $path"
done < <(installed_files)
extra=$(cd "$root" && find . -type f | sed 's|^\./||' | { grep -vxFf <(installed_files) || true; })
[ -z "$extra" ] || fail "the install holds files no one listed: $extra"
for program in quarrymere quarrymere-drill; do
    [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
done

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for png in "$root"/share/icons/hicolor/*x*/apps/quarrymere.png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    size="$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
    [ "$size" = "$folder" ] || fail "the icon in $folder is $size"
done
grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/quarrymere.svg" ||
    fail "the scalable icon is no SVG"

desktop=$root/share/applications/quarrymere.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Exec=quarrymere %f' "$desktop" || fail "the desktop entry does not start quarrymere %f"
grep -qx 'Icon=quarrymere' "$desktop" || fail "the desktop entry names another icon"
opens=$(sed -n 's/^MimeType=//p' "$desktop")

# Every file type the program opens goes, in a MIME database built from the installed package,
# to a type the desktop entry lists.
cp -r "$root/share/mime" "$stage/mime"
update-mime-database "$stage/mime" 2>/dev/null
for name in a.mdb a.accdb a.xls a.xlsx a.xlsm; do
    type=$(awk -F: -v name="$name" '
        { glob = $3; gsub(/\./, "\\.", glob); gsub(/\*/, ".*", glob)
          if (name ~ "^" glob "$") { print $2; exit } }' "$stage/mime/globs2")
    [ -n "$type" ] || fail "no MIME type for $name"
    [[ ";$opens" == *";$type;"* ]] || fail "the desktop entry does not open $name ($type)"
done

for page in "$root"/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    zcat "$page" | grep -q "Quarrymere $version" || fail "$(basename "$page") names another version"
done

# No display and a platform that would need one: a window would fail to start.
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/quarrymere" "$@" 2>&1; }
out=$(run --version) || fail "--version exits with $?"
[ "$out" = "quarrymere $version" ] || fail "--version prints: $out"
out=$(run nwind.mdb --help) || fail "--help exits with $?"
[[ $out == usage:* ]] || fail "--help prints: $out"

finish "install: every file in place"
