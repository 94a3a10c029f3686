#!/usr/bin/env bash
# Makes the test PKI once into <dir>; a second run, from either build tree, keeps what is there,
# since both trees sign with it and either tree's Wine start trusts its root.
#   make_test_pki.sh <dir>
# root.pem/root.der            "Zentarium Test Root", which the Wine harness puts into Root
# signer.pem/.key              "Zentarium Test Signer", code signing, under that root: a listed signer
# unlisted.pem/.key            "Zentarium Unlisted Signer" under the same root: a name not listed
# untrusted-signer.pem/.key    "Zentarium Test Signer" again, under "Zentarium Untrusted Root",
#                              which no store holds
set -euo pipefail
dir=$(realpath -m "$1")
[ -f "$dir/stamp" ] && exit 0
parent=$(dirname "$dir")
mkdir -p "$parent"
work=$(mktemp -d "$parent/.test-pki.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

leaf_extensions="basicConstraints=critical,CA:FALSE
keyUsage=critical,digitalSignature
extendedKeyUsage=codeSigning
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid"

root() {  # <file stem> <common name>
    openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 7300 -subj "/O=Zentarium Tests/CN=$2" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -keyout "$1.key" -out "$1.pem" 2>/dev/null
}
leaf() {  # <file stem> <common name> <issuer stem>
    openssl req -new -newkey rsa:2048 -nodes -subj "/O=Zentarium Tests/CN=$2" \
        -keyout "$1.key" -out "$1.csr" 2>/dev/null
    printf '%s\n' "$leaf_extensions" >"$1.ext"
    openssl x509 -req -sha256 -days 3650 -in "$1.csr" -CA "$3.pem" -CAkey "$3.key" -set_serial "0x$(openssl rand -hex 8)" \
        -extfile "$1.ext" -out "$1.pem" 2>/dev/null
    rm "$1.csr" "$1.ext"
}
root root "Zentarium Test Root"
root untrusted-root "Zentarium Untrusted Root"
leaf signer "Zentarium Test Signer" root
leaf unlisted "Zentarium Unlisted Signer" root
leaf untrusted-signer "Zentarium Test Signer" untrusted-root
openssl x509 -in root.pem -outform DER -out root.der
touch stamp
# Whoever renames first wins; the other keeps the winner's files.
mv -T "$work" "$dir" 2>/dev/null || true
