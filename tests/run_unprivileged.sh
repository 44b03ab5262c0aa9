#!/usr/bin/env bash
# Runs a test program as an unprivileged user when started as the superuser, so that a folder or
# file without write permission refuses writes as it does for a normal user. The program gets a
# fresh home of its own.
set -euo pipefail
if [[ $(id -u) -ne 0 ]]; then
    exec "$@"
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chown 65534:65534 "$home"
HOME=$home setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
