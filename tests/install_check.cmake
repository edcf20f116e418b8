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
    share/applications/${id}.desktop
    share/metainfo/${id}.metainfo.xml)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
foreach(program quotalis quotalis-cli)
  find_program(installed_${program} ${program} PATHS "${PREFIX}/bin" NO_DEFAULT_PATH NO_CACHE)
  if(NOT installed_${program})
    message(FATAL_ERROR "bin/${program} is not installed as a program")
  endif()
endforeach()

# The icon in every size the theme is given, each a PNG of that size.
foreach(size 32 48 64 128 256)
  set(icon "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${id}.png")
  if(NOT EXISTS "${icon}")
    message(FATAL_ERROR "not installed: the ${size}x${size} icon")
  endif()
  file(READ "${icon}" signature LIMIT 8 HEX)
  file(READ "${icon}" width OFFSET 16 LIMIT 4 HEX)
  file(READ "${icon}" height OFFSET 20 LIMIT 4 HEX)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${icon} is not a ${size}x${size} PNG but ${width}x${height}")
  endif()
endforeach()

# The entry starts the installed program by name and shows the installed icon.
file(READ "${PREFIX}/share/applications/${id}.desktop" entry)
foreach(line "Name=Quotalis" "Exec=quotalis" "Icon=${id}" "Comment=循環小数を分数に変換する。"
    "Categories=Education;Math;")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the .desktop entry lacks \"${line}\":\n${entry}")
  endif()
endforeach()
file(READ "${PREFIX}/share/metainfo/${id}.metainfo.xml" metainfo)
foreach(part "<id>${id}</id>" "<launchable type=\"desktop-id\">${id}.desktop</launchable>"
    "<binary>quotalis</binary>" "<binary>quotalis-cli</binary>" "<release version=\"1.1.0\""
    "<project_license>MIT</project_license>")
  string(FIND "${metainfo}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the metainfo lacks ${part}")
  endif()
endforeach()

# The release of this version says what it brings.
string(REGEX MATCH "<release version=\"1\\.1\\.0\"[^>]*>[ \n]*<description>[ \n]*<p>[^<]+</p>"
  release "${metainfo}")
if(NOT release)
  message(FATAL_ERROR "the metainfo's release 1.1.0 has no description")
endif()

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
