# Helpers shared by every folder of the tree.

# Our own code is warning-free.
function(lumetta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Test code is compiled without optimisation (the code it tests is built as it ships) and,
# in the Windows trees, with one precompiled header: GoogleTest, the standard library and
# <windows.h>. Both halve the time a test file takes to build.
function(lumetta_test_code target)
  if(NOT LUMETTA_WIN32)
    # clang's precompiled header is passed by absolute path, which the compiler cache cannot
    # make relative: every consumer would miss the cache in another clone. Its tests build
    # quickly without one.
    lumetta_test_flags(${target})
    return()
  endif()
  if(NOT TARGET lumetta_test_pch)
    add_library(lumetta_test_pch STATIC ${CMAKE_SOURCE_DIR}/tests/support/TestPch.cpp)
    lumetta_test_flags(lumetta_test_pch)
    target_link_libraries(lumetta_test_pch PRIVATE GTest::gtest GTest::gmock)
    set(headers <windows.h> <gtest/gtest.h> <gmock/gmock.h> <algorithm> <cstdint> <cstring>
                <functional> <map> <memory> <string> <vector>)
    target_precompile_headers(lumetta_test_pch PRIVATE ${headers})
  endif()
  lumetta_test_flags(${target})
  target_precompile_headers(${target} REUSE_FROM lumetta_test_pch)
endfunction()

function(lumetta_test_flags target)
  lumetta_warnings(${target})
  target_compile_options(${target} PRIVATE -O0)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
endfunction()

# Host-only portable libraries must not see <windows.h>: the host build proves it.
# lumetta_test(NAME name SOURCES ... LIBS ... [TIMEOUT s] [LABELS ...])
# One ctest entry per executable: under Wine each process start costs about a second.
function(lumetta_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  lumetta_test_code(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(LUMETTA_WIN32)
    set(kind win32)
  else()
    set(kind host)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${kind};${T_LABELS}"
    ENVIRONMENT "LUMETTA_SOURCE_DIR=${CMAKE_SOURCE_DIR};LUMETTA_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(LUMETTA_WIN32)
    # Each Windows test program runs on an X display and in a Windows desktop of its own (its
    # own foreground window, focus, mouse and screen), so they run side by side.
    set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT "LUMETTA_OWN_DESKTOP=1")
    add_dependencies(${T_NAME} DesktopRun)
  endif()
endfunction()

# lumetta_fuzz(NAME name SOURCES ... LIBS ... CORPUS dir)
# Host only. Builds name_fuzz (libFuzzer, clang) and name_replay (plain main over the corpus),
# registers a short fuzz run and a replay of the corpus.
function(lumetta_fuzz)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  if(LUMETTA_WIN32)
    return()
  endif()
  add_executable(${F_NAME}_replay ${F_SOURCES} ${CMAKE_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
  lumetta_warnings(${F_NAME}_replay)
  target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBS})
  target_include_directories(${F_NAME}_replay PRIVATE ${CMAKE_SOURCE_DIR})
  add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay ${F_CORPUS})
  set_tests_properties(${F_NAME}_replay PROPERTIES TIMEOUT 120 LABELS "host;fuzz")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(${F_NAME}_fuzz ${F_SOURCES})
    lumetta_warnings(${F_NAME}_fuzz)
    target_compile_options(${F_NAME}_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${F_NAME}_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${F_NAME}_fuzz PRIVATE ${F_LIBS})
    target_include_directories(${F_NAME}_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
    set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${F_NAME})
    file(MAKE_DIRECTORY ${work})
    # New inputs go to the build's corpus, crashes and slow inputs to fuzz-artifacts; the seeds in
    # the tree are only read.
    set(artifacts ${CMAKE_BINARY_DIR}/fuzz-artifacts/${F_NAME})
    file(MAKE_DIRECTORY ${artifacts})
    add_test(NAME ${F_NAME}_fuzz COMMAND ${F_NAME}_fuzz -max_total_time=${LUMETTA_FUZZ_SECONDS}
             -print_final_stats=1 -rss_limit_mb=1024 -artifact_prefix=${artifacts}/
             ${work} ${F_CORPUS})
    set_tests_properties(${F_NAME}_fuzz PROPERTIES TIMEOUT 300 LABELS "host;fuzz")
  endif()
endfunction()

# Adds every immediate sub-folder of dir that has a CMakeLists.txt, in name order.
function(lumetta_add_subdirs dir)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${dir} ${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${dir}/${child} AND EXISTS ${dir}/${child}/CMakeLists.txt)
      add_subdirectory(${dir}/${child})
    endif()
  endforeach()
endfunction()

# lumetta_host_tool(NAME name SOURCES ...): a generator that runs on the build machine.
# The host tree builds it as a normal program; the cross tree compiles it with the machine's
# own c++ (no MinGW, no Wine), one object per source so the objects build side by side and
# come from the compiler cache in the second Windows tree. Sets ${name}_EXE (path) and
# ${name}_TARGET (to depend on).
function(lumetta_host_tool)
  cmake_parse_arguments(H "" "NAME" "SOURCES" ${ARGN})
  set(srcs)
  foreach(s ${H_SOURCES})
    if(IS_ABSOLUTE ${s})
      list(APPEND srcs ${s})
    else()
      list(APPEND srcs ${CMAKE_CURRENT_SOURCE_DIR}/${s})
    endif()
  endforeach()
  if(NOT LUMETTA_WIN32)
    add_executable(${H_NAME} ${srcs})
    lumetta_warnings(${H_NAME})
    target_include_directories(${H_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
    set(${H_NAME}_EXE $<TARGET_FILE:${H_NAME}> PARENT_SCOPE)
    set(${H_NAME}_TARGET ${H_NAME} PARENT_SCOPE)
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/hosttools)
  set(out ${dir}/${H_NAME})
  set(objs)
  foreach(s ${srcs})
    # The object's name keeps the source's folder, so two sources of one name do not meet.
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${s})
    string(REPLACE "/" "_" rel ${rel})
    set(obj ${dir}/obj/${H_NAME}/${rel}.o)
    file(RELATIVE_PATH obj_rel ${CMAKE_BINARY_DIR} ${obj})
    add_custom_command(OUTPUT ${obj}
      COMMAND ${LUMETTA_LAUNCHER} c++ -std=c++20 -O1 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR}
              -MD -MF ${obj}.d -c ${s} -o ${obj}
      DEPENDS ${s}
      DEPFILE ${obj}.d
      COMMENT "Building ${obj_rel} for the build machine"
      VERBATIM)
    list(APPEND objs ${obj})
  endforeach()
  add_custom_command(OUTPUT ${out}
    COMMAND c++ ${objs} -o ${out}
    DEPENDS ${objs}
    COMMENT "Linking ${H_NAME} for the build machine"
    VERBATIM)
  add_custom_target(hosttool_${H_NAME} DEPENDS ${out})
  set(${H_NAME}_EXE ${out} PARENT_SCOPE)
  set(${H_NAME}_TARGET hosttool_${H_NAME} PARENT_SCOPE)
endfunction()

# lumetta_area(NAME name [DEPS portable-libs...] [WIN_DEPS win32-libs...] [SYSLIBS win32 system libs...])
# Every *.cpp of the calling folder is portable and goes into ${name}_core (the host build
# proves it never includes <windows.h>); every *_win.cpp is the platform half and goes into
# ${name} (win32 only), which links ${name}_core. Either library is an INTERFACE one while it
# has no sources, so dependents can name it from the start.
function(lumetta_area)
  cmake_parse_arguments(A "" "NAME" "DEPS;WIN_DEPS;SYSLIBS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(portable)
  set(platform)
  foreach(f ${all})
    if(f MATCHES "_win\\.cpp$")
      list(APPEND platform ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  if(portable)
    add_library(${A_NAME}_core STATIC ${portable})
    lumetta_warnings(${A_NAME}_core)
    target_include_directories(${A_NAME}_core PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${A_NAME}_core PUBLIC ${A_DEPS})
  else()
    add_library(${A_NAME}_core INTERFACE)
    target_include_directories(${A_NAME}_core INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${A_NAME}_core INTERFACE ${A_DEPS})
  endif()
  if(NOT LUMETTA_WIN32)
    return()
  endif()
  if(platform)
    add_library(${A_NAME} STATIC ${platform})
    lumetta_warnings(${A_NAME})
    target_link_libraries(${A_NAME} PUBLIC ${A_NAME}_core ${A_WIN_DEPS} ${A_SYSLIBS})
  else()
    add_library(${A_NAME} INTERFACE)
    target_link_libraries(${A_NAME} INTERFACE ${A_NAME}_core ${A_WIN_DEPS} ${A_SYSLIBS})
  endif()
endfunction()

# The version the About dialog shows ("Version:" LUMETTA_VERSION) and the version resources
# carry: the project's VERSION, defined once.
if(LUMETTA_WIN32)
  add_compile_definitions(LUMETTA_VERSION="${PROJECT_VERSION}")
endif()

# lumetta_win_program(target DESCRIPTION text [MANIFEST])
# Gives a Windows program or DLL what Explorer and the loader look for: a version resource
# (file and product version from the project's VERSION, the same the About dialog shows;
# product name "Lumetta", the description, our copyright line) and, with MANIFEST (programs
# only), the application manifest: system DPI awareness, asInvoker, the supported Windows
# versions, and the classic common controls (no version 6 dependency). Call it once after
# add_executable/add_library, inside the win32-only part of the folder's CMakeLists.txt:
#   lumetta_win_program(SkinGallery DESCRIPTION "Lumetta skin gallery" MANIFEST)
# Test programs that check DPI behaviour take the manifest too. Does nothing on the host.
function(lumetta_win_program target)
  cmake_parse_arguments(W "MANIFEST" "DESCRIPTION" "" ${ARGN})
  if(NOT LUMETTA_WIN32)
    return()
  endif()
  if(NOT W_DESCRIPTION)
    message(FATAL_ERROR "lumetta_win_program(${target}): DESCRIPTION is required")
  endif()
  enable_language(RC)
  get_target_property(type ${target} TYPE)
  set(res ${CMAKE_SOURCE_DIR}/cmake/res)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_res)
  # Four numeric parts for the binary fields; the text as the project writes it ("2.20").
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      set(v_${part} 0)
    else()
      set(v_${part} ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  set(LUMETTA_RES_VERSION ${PROJECT_VERSION})
  set(LUMETTA_RES_VERSION_COMMAS "${v_MAJOR},${v_MINOR},${v_PATCH},${v_TWEAK}")
  set(LUMETTA_RES_VERSION4 "${v_MAJOR}.${v_MINOR}.${v_PATCH}.${v_TWEAK}")
  set(LUMETTA_RES_NAME ${target})
  set(LUMETTA_RES_DESCRIPTION "${W_DESCRIPTION}")
  set(LUMETTA_RES_COPYRIGHT "Copyright (C) 2026 The Lumetta developers")
  set(LUMETTA_RES_FILE "$<TARGET_FILE_NAME:${target}>")
  if(type STREQUAL "EXECUTABLE")
    set(LUMETTA_RES_FILETYPE VFT_APP)
  else()
    set(LUMETTA_RES_FILETYPE VFT_DLL)
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(LUMETTA_RES_ARCH amd64)
  else()
    set(LUMETTA_RES_ARCH x86)
  endif()
  set(LUMETTA_RES_MANIFEST_LINE "")
  set(depends ${res}/version.rc.in)
  if(W_MANIFEST)
    if(NOT type STREQUAL "EXECUTABLE")
      message(FATAL_ERROR "lumetta_win_program(${target}): MANIFEST is for programs")
    endif()
    configure_file(${res}/program.manifest.in ${out}/${target}.manifest @ONLY)
    # Resource type 24 (RT_MANIFEST), id 1: the manifest the loader reads at process start.
    set(LUMETTA_RES_MANIFEST_LINE "1 24 \"${out}/${target}.manifest\"")
    list(APPEND depends ${out}/${target}.manifest)
  endif()
  # Twice: @VARS@ first, then the generator expressions (the file name) at generate time.
  configure_file(${res}/version.rc.in ${out}/${target}.rc.in @ONLY)
  file(GENERATE OUTPUT ${out}/${target}.rc INPUT ${out}/${target}.rc.in)
  target_sources(${target} PRIVATE ${out}/${target}.rc)
  set_source_files_properties(${out}/${target}.rc PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()
