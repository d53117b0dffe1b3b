# Sources of the graphics part of the GUI library, relative to platform/gui.
set(KP_GRAPHICS_SOURCES
  GdiPlus.cpp
  Graphics.cpp
  GraphicsBitmap.cpp
  GraphicsCanvas.cpp
  GraphicsEdges.cpp
  GraphicsJpeg.cpp
  GraphicsPicture.cpp
  GraphicsRaster.cpp
  GraphicsText.cpp
  ../qt/QtGraphics.cpp
  ../qt/QtGraphicsBridge.cpp
  ../qt/QtGraphicsGdiPlus.cpp
)
