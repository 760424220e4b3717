#!/bin/sh
# Writes the CD image of a CD tree: ISO 9660 level 2 with Joliet (Windows
# reads the Chinese folder names from there) and Rock Ridge, volume label
# VELTA_VT480QX. The volume's dates are SOURCE_DATE_EPOCH (default
# 2008-01-01) and each file's is its own modification time, so the same
# tree gives the same bytes.
#   make-iso.sh CD_DIR OUT.iso
set -eu
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-1199145600}
rm -f "$2"
xorriso -report_about WARNING -as mkisofs \
    -input-charset utf-8 -iso-level 2 -J -joliet-long -r \
    -V VELTA_VT480QX -volset VELTA_VT480QX -publisher VELTA -A "VELTA VT-480QX driver CD" \
    -o "$2" "$1"
