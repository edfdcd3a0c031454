# Shared build settings for every target of the project.

option(ARACHNOVIX_WERROR "Treat compiler warnings as errors" OFF)
option(ARACHNOVIX_SANITIZE "Build with AddressSanitizer + UndefinedBehaviorSanitizer" OFF)
option(ARACHNOVIX_TSAN "Build with ThreadSanitizer (not together with ARACHNOVIX_SANITIZE)" OFF)
option(ARACHNOVIX_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(ARACHNOVIX_BUILD_TESTS "Build the test suite" ON)
option(ARACHNOVIX_BUILD_BENCH "Build the benchmarks" ON)

set(ARACHNOVIX_PRODUCT_VERSION "${PROJECT_VERSION}")
set(OVLIB_SOVERSION ${PROJECT_VERSION_MAJOR})
set(OVLIB_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})

# Results are compared bit for bit with independent checks: never let the
# compiler fuse a multiply and an add.
add_compile_options(-ffp-contract=off -Wall -Wextra)
if(ARACHNOVIX_WERROR)
  add_compile_options(-Werror)
endif()

if(ARACHNOVIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fsanitize=float-cast-overflow -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build: coverage for libFuzzer and address checks in every library,
# so that the readers the targets drive are seen whole.
if(ARACHNOVIX_FUZZ)
  if(ARACHNOVIX_SANITIZE OR ARACHNOVIX_TSAN)
    message(FATAL_ERROR "ARACHNOVIX_FUZZ brings its own sanitizers")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ARACHNOVIX_TSAN)
  if(ARACHNOVIX_SANITIZE)
    message(FATAL_ERROR "ARACHNOVIX_TSAN and ARACHNOVIX_SANITIZE exclude each other")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Libraries export only what is marked with their API macro.
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Programs and tests run from the build tree without LD_LIBRARY_PATH (CMake's
# build RPATH) and from any install prefix (the $ORIGIN-relative install RPATH).
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

# Every binary lands in one folder of the build tree, so that the program
# finds its textures next to itself and tests find the tools they drive.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib)

# ovlib_add_library(NAME SOURCES... ) : a versioned shared library whose
# public headers live in <repo>/<subdir>/ and are included as "<subdir>/X.h".
function(ovlib_add_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES
    VERSION ${OVLIB_VERSION}
    SOVERSION ${OVLIB_SOVERSION})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/ovlib>)
endfunction()

# A unit test that hangs fails after this many seconds, under its own name;
# instrumented builds run several times slower. Tests that drive whole
# programs set their own limits.
set(ARACHNOVIX_UNIT_TEST_TIMEOUT 60)
if(ARACHNOVIX_SANITIZE OR ARACHNOVIX_TSAN)
  math(EXPR ARACHNOVIX_UNIT_TEST_TIMEOUT "${ARACHNOVIX_UNIT_TEST_TIMEOUT} * 5")
endif()

# arachnovix_add_gtest(NAME SOURCES... LIBS ... LABELS ...) : one GoogleTest
# binary, registered with CTest test by test under its labels.
find_package(GTest QUIET)
include(GoogleTest)
function(arachnovix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT ARG_LABELS)
    message(FATAL_ERROR "test binary ${name} has no LABELS (ctest -L must reach it)")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  # The labels and the time limit go on every test found in the binary, by a
  # file CTest reads after the discovered list. (Handed to
  # gtest_discover_tests, a list of labels would keep only its first.)
  set(properties "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE ${properties}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES\n"
    "    LABELS \"${ARG_LABELS}\" TIMEOUT ${ARACHNOVIX_UNIT_TEST_TIMEOUT})\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
endfunction()

# The command-line tool and the benchmarks allocate with jemalloc, whose
# caches are per thread: with the C library's allocator, the threads of an
# evaluation wait on each other's allocations (a generation at population 200 on two threads took a third
# longer). jemalloc rather than tcmalloc, which was as fast but held 13 % more
# memory in a 10,000-generation run (jemalloc: 5 %). Not in instrumented
# builds, whose sanitizers bring their own allocator; without the package,
# they keep the C library's.
option(ARACHNOVIX_JEMALLOC "Link the command-line tool and benchmarks with jemalloc when installed" ON)
set(ARACHNOVIX_ALLOCATOR_FOUND OFF)
if(ARACHNOVIX_JEMALLOC AND NOT (ARACHNOVIX_SANITIZE OR ARACHNOVIX_TSAN OR ARACHNOVIX_FUZZ))
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(JEMALLOC QUIET IMPORTED_TARGET GLOBAL jemalloc)
  endif()
  if(JEMALLOC_FOUND)
    set(ARACHNOVIX_ALLOCATOR_FOUND ON)
  else()
    message(STATUS "jemalloc not found (package libjemalloc-dev): "
                   "the command-line tool uses the C library's allocator")
  endif()
endif()

# arachnovix_use_fast_allocator(TARGET) : an executable that evaluates
# populations links jemalloc (found above), even though it calls none of its
# functions by name. Not for anything that draws with OpenGL: linked with
# jemalloc, the program crashed inside Mesa's software driver (swrast) in the
# end-to-end tests.
function(arachnovix_use_fast_allocator target)
  if(ARACHNOVIX_ALLOCATOR_FOUND)
    target_link_libraries(${target} PRIVATE
      -Wl,--push-state,--no-as-needed PkgConfig::JEMALLOC -Wl,--pop-state)
  endif()
endfunction()
