# Installs the build into an empty prefix and checks that the desktop finds
# everything where it looks, and that Debian's validators accept the entry
# and the metainfo.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P install_check.cmake
cmake_minimum_required(VERSION 3.25)

set(id "io.github.quotalis.Quotalis")
file(REMOVE_RECURSE "${PREFIX}")

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

foreach(file
    bin/quotalis
    share/applications/${id}.desktop
    share/metainfo/${id}.metainfo.xml
    share/icons/hicolor/32x32/apps/${id}.png)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
find_program(installed quotalis PATHS "${PREFIX}/bin" NO_DEFAULT_PATH NO_CACHE)
if(NOT installed)
  message(FATAL_ERROR "bin/quotalis is not executable")
endif()

# The entry starts the installed program by name and shows the installed icon.
file(READ "${PREFIX}/share/applications/${id}.desktop" entry)
foreach(line "Name=Quotalis" "Exec=quotalis" "Icon=${id}" "Comment=循環小数を分数に変換する。")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the .desktop entry lacks \"${line}\":\n${entry}")
  endif()
endforeach()
file(READ "${PREFIX}/share/metainfo/${id}.metainfo.xml" metainfo)
foreach(part "<id>${id}</id>" "<launchable type=\"desktop-id\">${id}.desktop</launchable>"
    "<binary>quotalis</binary>" "<release version=\"1.1.0\"")
  string(FIND "${metainfo}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the metainfo lacks ${part}")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message(FATAL_ERROR "desktop-file-validate and appstreamcli are needed "
    "(Debian: desktop-file-utils, appstream)")
endif()
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/share/applications/${id}.desktop"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
# Hints pass; warnings and errors do not.
if(NOT result EQUAL 0 OR output MATCHES "(error|warning):")
  message(FATAL_ERROR "desktop-file-validate refused the entry:\n${output}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net
    "${PREFIX}/share/metainfo/${id}.metainfo.xml"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli refused the metainfo:\n${output}")
endif()
message(STATUS "installed and valid:\n${output}")
