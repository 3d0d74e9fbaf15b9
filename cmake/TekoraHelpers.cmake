# tekora_add_tests(<name> DIRS <dir>... [FILES <test.cpp>...] LIBS <lib>...)
# Builds one GoogleTest program from every *_test.cpp in the given folders and
# from the given test files, and registers its cases with CTest. Tests sit
# beside the code they test.
function(tekora_add_tests name)
  if(NOT TEKORA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "DIRS;FILES;LIBS" ${ARGN})
  set(sources ${T_FILES})
  foreach(dir IN LISTS T_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    if(WIN32)
      # Tests of what only the POSIX layer does (*_posix_test.cpp).
      list(FILTER found EXCLUDE REGEX "_posix_test\\.cpp$")
    endif()
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport GTest::gtest GTest::gtest_main)
  # Cross builds list their cases when the tests run (under the emulator),
  # so that building needs no emulator.
  if(CMAKE_CROSSCOMPILING)
    set(discovery PRE_TEST)
  else()
    set(discovery POST_BUILD)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE ${discovery}
                       PROPERTIES ENVIRONMENT "TEKORA_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()

# tekora_sources(<var> <dir>...): the non-test C++ sources of the given folders.
function(tekora_sources var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(FILTER found EXCLUDE REGEX "_test\\.cpp$")
    list(APPEND result ${found})
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()
