# The Windows build: the program, its libraries, the test driver and the tests.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0600 WINVER=0x0600
                        _WIN32_IE=0x0600)
set(WIN_LIBS comctl32 gdi32 msimg32 shell32 user32 advapi32 kernel32)
set(STATIC_LINK -static -static-libgcc -static-libstdc++)

file(GLOB FRAMEWORK_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/*.cpp)
add_library(framework STATIC ${FRAMEWORK_WIN_SOURCES})
target_link_libraries(framework PUBLIC ${WIN_LIBS})

# One library per layer; dependencies point one way: app -> skin, tray, shapes -> framework.
foreach(layer IN ITEMS skin tray shapes)
  file(GLOB ${layer}_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${layer}/*.cpp)
  if(${layer}_SOURCES)
    add_library(${layer} STATIC ${${layer}_SOURCES})
    target_link_libraries(${layer} PUBLIC framework)
    list(APPEND LAYER_LIBS ${layer})
  endif()
endforeach()

file(GLOB APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
list(REMOVE_ITEM APP_SOURCES ${CMAKE_SOURCE_DIR}/app/Main.cpp)
add_library(app STATIC ${APP_SOURCES})
target_link_libraries(app PUBLIC ${LAYER_LIBS} framework)

include(${CMAKE_SOURCE_DIR}/resources/Resources.cmake)

add_executable(MoxelUtility WIN32 app/Main.cpp ${PROGRAM_RESOURCES})
target_link_libraries(MoxelUtility PRIVATE app ${STATIC_LINK})
set_target_properties(MoxelUtility PROPERTIES OUTPUT_NAME "MoxelUtility")

add_subdirectory(preview)

add_subdirectory(tests)
