# The exact library built alone, its folder as the top level, as a program
# that vendors it would build it: it must need nothing from the rest of the
# tree. A plain build (no build type) keeps it to about ten seconds of CPU.
#   cmake -DSOURCE_DIR=exact/ -DBUILD_DIR=... -DGENERATOR=... [-DMAKE_PROGRAM=...]
#         -DCXX=... -P exact_alone_check.cmake
file(REMOVE_RECURSE "${BUILD_DIR}")
set(args -S "${SOURCE_DIR}" -B "${BUILD_DIR}" -G "${GENERATOR}" "-DCMAKE_CXX_COMPILER=${CXX}")
if(MAKE_PROGRAM)
  list(APPEND args "-DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
if(status)
  message(FATAL_ERROR "FAIL: configuring ${SOURCE_DIR} alone: ${status}\n${out}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --parallel 2
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status)
  message(FATAL_ERROR "FAIL: building ${SOURCE_DIR} alone: ${status}\n${out}")
endif()
file(GLOB_RECURSE built "${BUILD_DIR}/*quotalis-exact.a" "${BUILD_DIR}/*quotalis-exact.lib")
if(NOT built)
  message(FATAL_ERROR "FAIL: building ${SOURCE_DIR} alone made no quotalis-exact library")
endif()
message(STATUS "the exact library builds alone")
