cmake_minimum_required(VERSION 3.25)

# Makes the standards help page from its template: the line @ACCURACY_TABLE@ becomes the accuracy
# table that scripts/accuracy.sh writes to docs/accuracy.md, or, while there is no such file, a
# note on how the table is made. Runs at every build and writes the page only when its text
# changes, so the page never holds a stale table and the resources are rebuilt only then.
#
#   cmake -DTEMPLATE=standards.md.in -DACCURACY=docs/accuracy.md -DOUTPUT=standards.md -P EmbedAccuracy.cmake

file(READ "${TEMPLATE}" page)
if(EXISTS "${ACCURACY}" AND NOT IS_DIRECTORY "${ACCURACY}")
  file(READ "${ACCURACY}" table)
else()
  set(table "The accuracy table has not been produced for this build of the program. \
`scripts/accuracy.sh` produces it: it runs `tulo-calc compare` over a grid of states and writes \
the table to `docs/accuracy.md`, which the next build of the program shows here.\n")
endif()
string(REPLACE "@ACCURACY_TABLE@" "${table}" page "${page}")

set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL page)
  file(WRITE "${OUTPUT}" "${page}")
endif()
