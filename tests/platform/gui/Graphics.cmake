# Test sources of the graphics part of the GUI library, relative to tests/platform/gui; they join
# the GUI test suite.
set(KP_GRAPHICS_TEST_SOURCES
  GraphicsCanvasTest.cpp
  GraphicsGdiPlusTest.cpp
  GraphicsImageTest.cpp
  GraphicsTextTest.cpp
)
