# The windows.h-free half of the skin library (theme tables, skin-file reader,
# frame, title bar and menu item layout), built natively for the skin-file tool, the
# unit tests and the fuzzer.
set(SKIN_PORTABLE_SOURCES
    ${CMAKE_SOURCE_DIR}/skin/SkinFormLayout.cpp
    ${CMAKE_SOURCE_DIR}/skin/SkinMenuLayout.cpp
    ${CMAKE_SOURCE_DIR}/skin/SkinThemeFile.cpp
    ${CMAKE_SOURCE_DIR}/skin/SkinThemeTables.cpp
    ${CMAKE_SOURCE_DIR}/skin/SkinTitleBarLayout.cpp)
add_library(skin_portable STATIC ${SKIN_PORTABLE_SOURCES})
target_link_libraries(skin_portable PUBLIC framework_portable)
