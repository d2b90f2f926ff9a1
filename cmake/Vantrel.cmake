# Build rules shared by every folder.

set(VANTREL_DIST ${CMAKE_BINARY_DIR}/dist)
set(VANTREL_SOURCE ${CMAKE_SOURCE_DIR})

# The release number, from project(), as a header for the code and the resource scripts.
configure_file(${CMAKE_SOURCE_DIR}/cmake/VantrelVersion.h.in ${CMAKE_BINARY_DIR}/generated/VantrelVersion.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)

if(VANTREL_WINDOWS)
  # Windows XP is the oldest system the programs run on.
  add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX
                          STRICT WIN32_LEAN_AND_MEAN)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
  # Static runtime: the exes need no DLLs beyond the system's own.
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  # Resource scripts name their images relative to resources/ or to the Tango icon theme.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources -I${CMAKE_BINARY_DIR}/generated -I/usr/share/icons/Tango")

  # libpng, built from Debian's source package by scripts/deps.
  set(VANTREL_DEPS ${CMAKE_SOURCE_DIR}/build/deps/${VANTREL_TRIPLE} CACHE PATH "mingw dependencies")
  add_library(vantrel_png STATIC IMPORTED GLOBAL)
  set_target_properties(vantrel_png PROPERTIES
    IMPORTED_LOCATION ${VANTREL_DEPS}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${VANTREL_DEPS}/include
    INTERFACE_LINK_LIBRARIES z)

  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  option(VANTREL_SANITIZE "Build the native code with ASan and UBSan" ON)
  if(VANTREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  # In the sanitizer build with clang, everything carries libFuzzer's coverage, so fuzz targets can
  # link any library. A release build stays free of it: its programs have no fuzzer runtime to link.
  if(VANTREL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(VANTREL_FUZZ ON)
    add_compile_options(-fsanitize=fuzzer-no-link)
  else()
    set(VANTREL_FUZZ OFF)
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# A library of portable code: no <windows.h>, built into both builds.
function(vantrel_portable_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(arg_LIBS)
    target_link_libraries(${name} PUBLIC ${arg_LIBS})
  endif()
endfunction()

# A library of Win32 code: Windows build only.
function(vantrel_windows_library name)
  if(VANTREL_WINDOWS)
    vantrel_portable_library(${name} ${ARGN})
  endif()
endfunction()

# GoogleTest executable for the native build, run directly by ctest.
function(vantrel_native_test name)
  if(NOT VANTREL_NATIVE)
    return()
  endif()
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "native;${arg_LABELS}"
    ENVIRONMENT "VANTREL_SOURCE=${CMAKE_SOURCE_DIR};VANTREL_BINARY=${CMAKE_BINARY_DIR}")
endfunction()

# GoogleTest executable for the Windows build, run under Wine by ctest.
function(vantrel_windows_test name)
  if(NOT VANTREL_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(arg "" "TIMEOUT" "SOURCES;LIBS;LABELS;DEPENDS;RESOURCE_LOCK" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  if(arg_DEPENDS)
    add_dependencies(${name} ${arg_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()
  # Wine passes the environment on to the Windows side.
  set_tests_properties(${name} PROPERTIES LABELS "windows;${arg_LABELS}" TIMEOUT ${arg_TIMEOUT}
    ENVIRONMENT "VANTREL_DIST=${VANTREL_DIST};VANTREL_SOURCE=${CMAKE_SOURCE_DIR}")
  # Tests that use shared things of the Wine prefix (the profile's settings file, a window that
  # other programs look for) name them here, so ctest never runs two such tests at once.
  if(arg_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${arg_RESOURCE_LOCK}")
  endif()
endfunction()

# libFuzzer target; ctest runs it briefly over its seed corpus (tests/fuzz/corpus/<name>).
function(vantrel_fuzz_target name)
  if(NOT VANTREL_NATIVE OR NOT VANTREL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(arg "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${arg_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(NOT arg_SECONDS)
    set(arg_SECONDS 20)
  endif()
  set(corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${work})
  set(dirs ${work})
  if(EXISTS ${corpus})
    list(APPEND dirs ${corpus})
  endif()
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${arg_SECONDS} -timeout=5
           -rss_limit_mb=2048 -print_final_stats=0 ${dirs})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz" TIMEOUT 300)
endfunction()

# Copies files into the ready-to-copy distribution folder.
function(vantrel_dist_files dest)
  foreach(f ${ARGN})
    configure_file(${f} ${VANTREL_DIST}/${dest} COPYONLY)
  endforeach()
endfunction()
