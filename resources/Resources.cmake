# Every .rc file in resources/ goes into the program; paths inside are relative
# to resources/.
file(GLOB PROGRAM_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")
file(GLOB_RECURSE RESOURCE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.form
     ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.bmp
     ${CMAKE_SOURCE_DIR}/resources/*.manifest)
set_source_files_properties(${PROGRAM_RESOURCES} PROPERTIES OBJECT_DEPENDS "${RESOURCE_INPUTS}")
