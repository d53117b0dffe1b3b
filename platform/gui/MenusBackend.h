// The backend's popup menu (platform/qt/QtMenus.cpp). Qt-free.
#pragma once

#include "platform/gui/Menus.h"

namespace MenusBackend {

// Shows the visible items of Menu at a screen point; returns the chosen item or nullptr.
TMenuItem* ExecPopup(TPopupMenu* Menu, TPoint ScreenPos);

}  // namespace MenusBackend
