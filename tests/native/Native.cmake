# Native unit tests of the portable skin code under address and
# undefined-behaviour sanitizers, and bounded fuzzing runs of the skin-file
# reader and the form-description reader (label "fuzz"). The code under test
# is compiled into each target with the target's own instrumentation rather
# than taken from the plain libraries.
set(NATIVE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(NATIVE_SKIN_CODE ${FRAMEWORK_PORTABLE_SOURCES} ${SKIN_PORTABLE_SOURCES})

if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
include(GoogleTest)

add_executable(skin_native_tests
    ${CMAKE_SOURCE_DIR}/tests/native/BitmapFileTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SkinThemeFileTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SkinThemeTablesTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SkinArtworkTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SkinFileToolTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SkinFormLayoutTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SkinTitleBarLayoutTest.cpp
    ${NATIVE_SKIN_CODE}
    ${SKINFILE_WRITER_SOURCES})
target_compile_options(skin_native_tests PRIVATE ${NATIVE_SANITIZE})
target_link_options(skin_native_tests PRIVATE ${NATIVE_SANITIZE})
target_compile_definitions(skin_native_tests PRIVATE
    SOURCE_DIR="${CMAKE_SOURCE_DIR}" SKINFILE_TOOL="$<TARGET_FILE:skinfile>")
add_dependencies(skin_native_tests skinfile)
target_link_libraries(skin_native_tests PRIVATE gtest_main)
gtest_discover_tests(skin_native_tests PROPERTIES LABELS "native")

# What fuzzing found in the form-description reader, kept as unit tests.
add_executable(form_reader_findings_tests
    ${CMAKE_SOURCE_DIR}/tests/native/FormReaderFindingsTest.cpp
    ${FRAMEWORK_PORTABLE_SOURCES})
target_compile_options(form_reader_findings_tests PRIVATE ${NATIVE_SANITIZE})
target_link_options(form_reader_findings_tests PRIVATE ${NATIVE_SANITIZE})
target_link_libraries(form_reader_findings_tests PRIVATE gtest_main)
gtest_discover_tests(form_reader_findings_tests PROPERTIES LABELS "native")

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  add_executable(skin_reader_fuzzer
      ${CMAKE_SOURCE_DIR}/tests/native/SkinReaderFuzzer.cpp
      ${NATIVE_SKIN_CODE}
      ${SKINFILE_WRITER_SOURCES})
  add_executable(form_reader_fuzzer
      ${CMAKE_SOURCE_DIR}/tests/native/FormReaderFuzzer.cpp
      ${FRAMEWORK_PORTABLE_SOURCES})
  foreach(fuzzer IN ITEMS skin_reader_fuzzer form_reader_fuzzer)
    target_compile_options(${fuzzer} PRIVATE ${FUZZ_FLAGS})
    target_link_options(${fuzzer} PRIVATE ${FUZZ_FLAGS})
  endforeach()
  # Short bounded runs from the committed seeds (FUZZ_SECONDS in the
  # environment overrides their length); tests/native/fuzz_long.sh runs each
  # fuzzer for millions of executions on a kept corpus.
  add_test(NAME skin_reader_fuzz
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/run_fuzz.sh
                   $<TARGET_FILE:skin_reader_fuzzer> ${CMAKE_SOURCE_DIR}/tests/native/corpus/skin_reader
                   ${CMAKE_BINARY_DIR}/fuzz/skin_reader 60 -max_len=8192)
  add_test(NAME form_reader_fuzz
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/run_fuzz.sh
                   $<TARGET_FILE:form_reader_fuzzer> ${CMAKE_SOURCE_DIR}/tests/native/corpus/form_reader
                   ${CMAKE_BINARY_DIR}/fuzz/form_reader 10 -max_len=8192)
  set_tests_properties(skin_reader_fuzz form_reader_fuzz PROPERTIES LABELS "fuzz" TIMEOUT 900)
endif()

# The text shape control's arithmetic (angles, figure points, repetition,
# clamping) under the same sanitizers.
add_executable(shapes_native_tests
    ${CMAKE_SOURCE_DIR}/tests/native/ShapeGeometryTest.cpp
    ${SHAPES_PORTABLE_SOURCES})
target_compile_options(shapes_native_tests PRIVATE ${NATIVE_SANITIZE})
target_link_options(shapes_native_tests PRIVATE ${NATIVE_SANITIZE})
target_link_libraries(shapes_native_tests PRIVATE gtest_main)
gtest_discover_tests(shapes_native_tests PROPERTIES LABELS "native")

# The skin preview's command line and the sample skin file it is shown with.
add_executable(preview_native_tests
    ${CMAKE_SOURCE_DIR}/tests/native/PreviewOptionsTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/SampleSkinTest.cpp
    ${CMAKE_SOURCE_DIR}/preview/PreviewOptions.cpp
    ${NATIVE_SKIN_CODE})
target_compile_options(preview_native_tests PRIVATE ${NATIVE_SANITIZE})
target_link_options(preview_native_tests PRIVATE ${NATIVE_SANITIZE})
target_compile_definitions(preview_native_tests PRIVATE SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(preview_native_tests PRIVATE gtest_main)
gtest_discover_tests(preview_native_tests PROPERTIES LABELS "native")

# The release zip written by tools/package.sh (from the i686 program the test
# run built first).
add_test(NAME package_contents COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/check_package.sh)
set_tests_properties(package_contents PROPERTIES LABELS "native")
