# shellcheck shell=bash
# What the install checks share, sourced by them: their arguments BUILD VERSION, a scratch folder
# removed at exit, the count of failures, and the list of the files an install holds.
set -euo pipefail
# shellcheck disable=SC2034 # for the checks that source this
build=$1 version=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The files an install puts under its prefix, one path a line.
installed_files() {
    grep -v -e '^#' -e '^$' "$here/installed-files.txt"
}

# Ends the check: SUMMARY and status 0 when nothing failed, status 1 otherwise.
finish() {
    [ "$failures" -eq 0 ] && echo "$1"
    exit $((failures > 0))
}
