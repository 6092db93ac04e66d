# The portable framework (components, published properties, the form reader,
# text and lists) natively, under address and undefined-behaviour sanitizers.
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
add_executable(framework_native_tests
    ${CMAKE_SOURCE_DIR}/tests/framework/ComponentTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/framework/FormReaderTest.cpp
    ${FRAMEWORK_PORTABLE_SOURCES})
set(FRAMEWORK_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(framework_native_tests PRIVATE ${FRAMEWORK_SANITIZE})
target_link_options(framework_native_tests PRIVATE ${FRAMEWORK_SANITIZE})
target_link_libraries(framework_native_tests PRIVATE gtest_main)
add_test(NAME framework_native_tests COMMAND framework_native_tests)
set_tests_properties(framework_native_tests PROPERTIES LABELS native)
