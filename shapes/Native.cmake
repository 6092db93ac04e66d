# The windows.h-free arithmetic of the text shape control, built natively for
# its unit tests under the sanitizers.
set(SHAPES_PORTABLE_SOURCES ${CMAKE_SOURCE_DIR}/shapes/ShapeGeometry.cpp)
