#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes CHANGELOG.md as a Debian changelog, the form of /usr/share/doc/<package>/changelog.gz:
#   debian-changelog.sh CHANGELOG.md SOURCE "NAME <ADDRESS>" > changelog
# Every "## VERSION (YYYY-MM-DD)" becomes an entry; its paragraphs and top-level items become
# its "*" items, its "###" headings "[ ... ]" lines, without the Markdown marks, wrapped at 78
# columns.
set -euo pipefail
changelog=$1 source=$2 maintainer=$3

awk -v source="$source" -v maintainer="$maintainer" '
  function flush() {
    if (text == "") return
    gsub(/\*\*|`/, "", text)
    gsub(/  +/, " ", text)
    line = "  " mark " "
    width = length(line)
    n = split(text, words, " ")
    for (i = 1; i <= n; i++) {
      if (width + length(words[i]) + 1 > 78 && width > 4) {
        print line
        line = "    "
        width = 4
      }
      line = line (width > 4 ? " " : "") words[i]
      width += length(words[i]) + (width > 4 ? 1 : 0)
    }
    print line
    text = ""
  }
  function close_entry() {
    flush()
    if (version == "") return
    cmd = "date -u -R -d " date " 2>/dev/null"
    cmd | getline stamp
    close(cmd)
    print ""
    print " -- " maintainer "  " stamp
    print ""
  }
  /^## [0-9]/ {
    close_entry()
    version = $2
    date = $3
    gsub(/[()]/, "", date)
    print source " (" version ") unstable; urgency=medium"
    print ""
    next
  }
  /^## / { close_entry(); version = ""; next }
  version == "" { next }
  /^### / { flush(); heading = substr($0, 5); print "  [ " heading " ]"; next }
  /^- / { flush(); mark = "*"; text = substr($0, 3); next }
  /^$/ { flush(); next }
  /^  / { text = text " " $0; next }
  { if (text == "") { mark = "*"; text = $0 } else text = text " " $0 }
  END { close_entry() }
' "$changelog"
