# The Windows resource script as configured: version 1,1,0, the description,
# the legal copyright and the title, and the 4-bit 32 x 32 icon it names.
# Where llvm-rc is found the script is also compiled, as rc.exe would.
#   cmake -DRC_FILE=... -P windows_resource_check.cmake
cmake_minimum_required(VERSION 3.25)

file(READ "${RC_FILE}" rc)
foreach(part
    "#pragma code_page(65001)"
    "FILEVERSION 1,1,0,0"
    "PRODUCTVERSION 1,1,0,0"
    "FILETYPE 0x1"
    "VALUE \"FileDescription\", \"循環小数を分数に変換する。\""
    "VALUE \"FileVersion\", \"1.1.0\""
    "VALUE \"LegalCopyright\", \"© Quotalis (MIT)\""
    "VALUE \"ProductName\", \"Quotalis\""
    "VALUE \"ProductVersion\", \"1.1.0\""
    "VALUE \"OriginalFilename\", \"quotalis.exe\""
    "VALUE \"Translation\", 0x0411, 1200")
  string(FIND "${rc}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${RC_FILE} lacks: ${part}")
  endif()
endforeach()

if(NOT rc MATCHES "1 ICON \"([^\"]+)\"")
  message(FATAL_ERROR "${RC_FILE} names no icon")
endif()
set(ico "${CMAKE_MATCH_1}")
file(READ "${ico}" header LIMIT 22 HEX)
# ICONDIR (reserved 0, type 1, one image), then the entry: 32 x 32, 16
# colours, one plane, 4 bits a pixel.
if(NOT header MATCHES "^0000010001002020100001000400")
  message(FATAL_ERROR "${ico} is not one 32x32 16-colour icon: ${header}")
endif()

find_program(LLVM_RC NAMES llvm-rc llvm-rc-14 llvm-rc-15 llvm-rc-16)
if(LLVM_RC)
  # llvm-rc also takes options spelt with a slash, so an absolute path such
  # as /check/... would be read as the option /c: name the files relative to
  # their folder, after "--".
  get_filename_component(dir "${RC_FILE}" DIRECTORY)
  get_filename_component(name "${RC_FILE}" NAME)
  execute_process(COMMAND "${LLVM_RC}" -no-preprocess -C 65001
      -fo quotalis-check.res -- "${name}"
    WORKING_DIRECTORY "${dir}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "llvm-rc refused ${RC_FILE}:\n${output}")
  endif()
  message(STATUS "compiled with ${LLVM_RC}")
endif()
