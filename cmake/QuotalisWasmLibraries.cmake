# For the builds with Debian's emscripten (web/module, web/tests): exceptions
# on, and FLINT, MPFR and GMP as web/deps.sh built them, from the folder that
# CMAKE_FIND_ROOT_PATH names.
#
# gmpxx throws std::bad_alloc and the like, and GoogleTest throws and catches:
# emscripten catches nothing unless every object and the link ask for it.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# FLINT's static library needs MPFR and GMP after it, which FindFLINT, made
# for the shared library, does not add: the target is made here first, and
# FindFLINT keeps a target it finds.
find_path(FLINT_INCLUDE_DIR flint/flint.h)
find_library(FLINT_LIBRARY flint)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
foreach(found FLINT_INCLUDE_DIR FLINT_LIBRARY MPFR_LIBRARY GMP_LIBRARY)
  if(NOT ${found})
    message(FATAL_ERROR "${found} not found: CMAKE_FIND_ROOT_PATH must name the folder web/deps.sh filled")
  endif()
endforeach()
add_library(FLINT::FLINT STATIC IMPORTED)
set_target_properties(FLINT::FLINT PROPERTIES
  IMPORTED_LOCATION "${FLINT_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${FLINT_INCLUDE_DIR}"
  INTERFACE_LINK_LIBRARIES "${MPFR_LIBRARY};${GMP_LIBRARY}")
