#!/usr/bin/env bash
# The links that the report file's tests need, made anew in FOLDER before they run: Wine
# shows a Unix symbolic link as Windows shows a link to a file, and its own
# CreateSymbolicLinkW makes none.
#   make_links.sh FOLDER
set -euo pipefail
folder=$1
rm -rf "$folder"
mkdir -p "$folder/link/kept" "$folder/planted"
ln -s kept/real.txt "$folder/link/BRASK.txt"
ln -s victim.txt "$folder/planted/BRASK.txt.link.new"
