# Sources of the graphics part of the GUI library, relative to platform/gui.
set(KP_GRAPHICS_SOURCES
)
