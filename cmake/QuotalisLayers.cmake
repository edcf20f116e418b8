# Keeps each folder's library to the folders it links. Every folder's include
# directory is the project root, so the compiler would find any header; the
# check below runs before a library is compiled, whenever one of its files
# changes, and fails the build on an include that reaches a folder the library
# does not link (directly or through what it links).

set(QUOTALIS_LAYERS_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake")

# The folder a target's CMakeLists.txt stands in, relative to the project.
function(_quotalis_folder target out)
  get_target_property(dir ${target} SOURCE_DIR)
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${dir}")
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

# Every target that `target` links, followed through what those link.
function(_quotalis_linked target out)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(TARGET "${link}")
        list(APPEND queue "${link}")
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# quotalis_check_layers(target...): the folders' libraries, each in a folder
# of its own. Names that are not targets (a part not built) are skipped.
function(quotalis_check_layers)
  set(targets)
  set(layers)
  foreach(target IN LISTS ARGN)
    if(TARGET ${target})
      list(APPEND targets ${target})
      _quotalis_folder(${target} folder)
      list(APPEND layers ${folder})
    endif()
  endforeach()

  foreach(target IN LISTS targets)
    _quotalis_folder(${target} folder)
    _quotalis_linked(${target} linked)
    set(allowed)
    foreach(other IN LISTS linked)
      get_target_property(dir ${other} SOURCE_DIR)
      if(dir)
        file(RELATIVE_PATH other_folder "${PROJECT_SOURCE_DIR}" "${dir}")
        if(other_folder IN_LIST layers)
          list(APPEND allowed ${other_folder})
        endif()
      endif()
    endforeach()

    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    set(files)
    foreach(source IN LISTS sources)
      if(NOT IS_ABSOLUTE "${source}")
        set(source "${dir}/${source}")
      endif()
      string(FIND "${source}" "${dir}/" at)
      if(source MATCHES "\\.(h|hpp|cpp|cc)$" AND at EQUAL 0)
        list(APPEND files "${source}")
      endif()
    endforeach()

    set(stamp "${PROJECT_BINARY_DIR}/layers/${target}.checked")
    string(REPLACE ";" "|" files_arg "${files}")
    string(REPLACE ";" "|" allowed_arg "${allowed}")
    string(REPLACE ";" "|" layers_arg "${layers}")
    add_custom_command(OUTPUT "${stamp}"
      COMMAND "${CMAKE_COMMAND}" "-DFOLDER=${folder}" "-DALLOWED=${allowed_arg}"
        "-DLAYERS=${layers_arg}" "-DFILES=${files_arg}" "-DROOT=${PROJECT_SOURCE_DIR}"
        "-DSTAMP=${stamp}" -P "${QUOTALIS_LAYERS_SCRIPT}"
      DEPENDS ${files} "${QUOTALIS_LAYERS_SCRIPT}"
      COMMENT "Checking the includes of ${folder}/"
      VERBATIM)
    add_custom_target(${target}_layers DEPENDS "${stamp}")
    add_dependencies(${target} ${target}_layers)
  endforeach()
endfunction()
