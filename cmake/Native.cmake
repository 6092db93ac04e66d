# Native build of the platform-independent parts: their unit tests under
# address and undefined-behaviour sanitizers, and the tools in tools/.
add_library(framework_portable STATIC ${FRAMEWORK_PORTABLE_SOURCES})
foreach(part IN ITEMS skin shapes tools tests/native tests/framework)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${part}/Native.cmake)
    include(${CMAKE_SOURCE_DIR}/${part}/Native.cmake)
  endif()
endforeach()
