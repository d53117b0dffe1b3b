# Test sources of the graphics part of the GUI library, relative to tests/platform/gui; they join
# the GUI test suite.
set(KP_GRAPHICS_TEST_SOURCES
  GraphicsCanvasTest.cpp
  GraphicsGdiPlusTest.cpp
  GraphicsImageTest.cpp
  GraphicsTextTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/AllocationCount.cpp
)

# The picture readers' fuzz entry point, replayed over the graphics fixtures.
kp_add_fuzz_target(graphics_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/GraphicsFuzz.cpp
  LIBS platform_gui
  CORPUS platform/gui/graphics)
