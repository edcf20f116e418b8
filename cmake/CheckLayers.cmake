# cmake -DFOLDER=entry -DALLOWED=entry|convert -DLAYERS=convert|entry|help|app
#       -DFILES=file|file... [-DROOT=dir] [-DSTAMP=file] -P CheckLayers.cmake
#
# Fails, naming each one, when a file includes "folder/header" for a folder
# that is one of LAYERS but not one of ALLOWED; otherwise touches STAMP.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" allowed "${ALLOWED}")
string(REPLACE "|" ";" layers "${LAYERS}")
string(REPLACE "|" ";" files "${FILES}")
list(APPEND allowed "${FOLDER}")

set(problems)
foreach(file IN LISTS files)
  file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    string(REGEX REPLACE "/.*$" "" top "${header}")
    if(top IN_LIST layers AND NOT top IN_LIST allowed)
      set(shown "${file}")
      if(ROOT)
        file(RELATIVE_PATH shown "${ROOT}" "${file}")
      endif()
      list(APPEND problems "${shown} includes ${header}, but ${FOLDER}/ does not link ${top}/")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Includes that reach outside the folder's links:\n  ${text}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
