# Compiler settings shared by every target of the project.

add_compile_options(-Wall -Wextra)

if(WIN32)
    # ANSI window functions are named explicitly (the A suffix) where they matter.
    add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX STRICT)
    # A linker warning is an error: the resource merge, for one, drops a
    # clashing resource with no more than a warning.
    add_link_options(-static -Wl,--fatal-warnings)
    # The manifest of every program, tests included: UTF-8 is its ANSI code page
    # (honoured from Windows 10 1903 on, and by Wine 8), so that file names,
    # settings and captions in any script pass whole through the ANSI calls.
    configure_file(${CMAKE_CURRENT_LIST_DIR}/Utf8Manifest.rc.in
                   ${CMAKE_BINARY_DIR}/Utf8Manifest.rc @ONLY)
    set_source_files_properties(${CMAKE_BINARY_DIR}/Utf8Manifest.rc PROPERTIES
        OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Utf8.manifest)
    add_library(qel_utf8_manifest OBJECT ${CMAKE_BINARY_DIR}/Utf8Manifest.rc)
else()
    option(QEL_SANITIZE "Build the native configuration with ASan and UBSan" ON)
    if(QEL_SANITIZE)
        # memcmp is left to the sanitizer's own, which checks every byte it may
        # read: the compiler's inline compare of a few bytes goes unchecked.
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                            -fno-sanitize-recover=undefined -fno-builtin-memcmp)
        add_link_options(-fsanitize=address,undefined)
    endif()
endif()

# GoogleTest: Debian's sources for the Windows builds, the installed package natively.
if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
    find_package(benchmark QUIET)
endif()

# zlib, with which the picture check inflates PNG data: the static library in the
# Windows builds, whose programs need no DLL beside them.
set(ZLIB_USE_STATIC_LIBS ${WIN32})
find_package(ZLIB REQUIRED)

# qel_add_test(NAME SOURCES... LIBS ...): one test executable, run by ctest
# (through Wine for the Windows builds, see scripts/with-wine.sh).
function(qel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(WIN32)
        target_sources(${name} PRIVATE $<TARGET_OBJECTS:qel_utf8_manifest>)
    endif()
    target_link_libraries(${name} PRIVATE qel_test_main ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QEL_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output"
        TIMEOUT 900)
endfunction()

# qel_add_bench(NAME SOURCES... LIBS ...): a benchmark program that prints its
# figures; not a test. Native builds link Google Benchmark when it is installed.
# scripts/bench.sh runs every one of them.
function(qel_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(NOT WIN32 AND NOT benchmark_FOUND)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    if(NOT WIN32)
        target_link_libraries(${name} PRIVATE benchmark::benchmark)
    endif()
    set_property(GLOBAL APPEND PROPERTY QEL_BENCHMARKS ${name})
endfunction()
