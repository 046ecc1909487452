#!/usr/bin/env bash
# deb-check.sh BUILD VERSION: builds the Debian package as make deb does, into a folder of its own,
# and checks it: it holds every installed file under /usr, its dependencies name the package of
# every library the programs link, and lintian finds no error in it.
# shellcheck source-path=SCRIPTDIR source=checks.sh
. "$(dirname "$0")/checks.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$stage/out" >"$stage/cpack.log" ||
    { cat "$stage/cpack.log" >&2; exit 1; }
debs=("$stage"/out/quarrymere_"$version"_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "FAIL: no package quarrymere_${version}_*.deb" >&2; exit 1; }

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed -n 's|^\./usr/||p' >"$stage/contents"
while read -r path; do
    grep -qxF "$path" "$stage/contents" || fail "the package lacks /usr/$path"
done < <(installed_files)

[ "$(dpkg-deb -f "$deb" Package)" = quarrymere ] || fail "the package is not named quarrymere"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "the package has no dependencies"

# The package of each library a program links directly must be among the dependencies.
dpkg-deb -x "$deb" "$stage/root"
for program in quarrymere quarrymere-drill; do
    binary=$stage/root/usr/bin/$program
    for library in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        # ldd writes "NAME => PATH (ADDRESS)", or "PATH (ADDRESS)" for the dynamic loader. awk
        # reads to the end, so that ldd never writes into a closed pipe (which pipefail takes
        # for a failure).
        path=$(ldd "$binary" | awk -v l="$library" '
            found { next }
            $2 == "=>" && $1 == l { print $3; found = 1 }
            $2 != "=>" && $1 ~ ("/" l "$") { print $1; found = 1 }')
        [ -f "$path" ] || { fail "$program links $library, which is not installed"; continue; }
        # The file as dpkg lists it: its folder's name names the architecture.
        file=$(readlink -f "$path")
        owner=$({ dpkg -S "*/$(basename "$(dirname "$file")")/$(basename "$file")" || true; } |
            head -n1 | cut -d: -f1)
        [ -n "$owner" ] || { fail "$program links $library, which no package holds"; continue; }
        [[ ", $depends," == *", $owner "* || ", $depends," == *", $owner,"* ]] ||
            fail "$program links $library of $owner, which the dependencies lack: $depends"
    done
done

if ! lintian --fail-on error "$deb" >"$stage/lintian.log" 2>&1; then
    fail "lintian: $(grep '^E:' "$stage/lintian.log" || cat "$stage/lintian.log")"
fi
grep '^W:' "$stage/lintian.log" >&2 || true

finish "deb: $(basename "$deb") holds every file; Depends: $depends"
