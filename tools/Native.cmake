# Native command-line tools.

# skinfile: pack, list and check skin files with the program's own reader.
set(SKINFILE_WRITER_SOURCES ${CMAKE_SOURCE_DIR}/tools/skinfile/SkinFileWriter.cpp)
add_library(skinfile_writer STATIC ${SKINFILE_WRITER_SOURCES})
target_link_libraries(skinfile_writer PUBLIC skin_portable)
add_executable(skinfile ${CMAKE_SOURCE_DIR}/tools/skinfile/main.cpp)
target_link_libraries(skinfile PRIVATE skinfile_writer)
