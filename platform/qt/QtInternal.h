// What the backend's sources share: the widget behind a control and the control behind a widget.
// Forward-declares the Qt types it names.
#pragma once

#include "platform/gui/Controls.h"

class QWidget;

namespace QtInternal {

// The widget of a control (nullptr when it has none).
QWidget* WidgetOf(const TControl* Control);
// The control a widget belongs to, looking up the parent widgets (nullptr when none of ours).
TControl* ControlOfWidget(QWidget* Widget);
// The font a TFont draws with, applied to a widget.
void ApplyFont(QWidget* Widget, const TFont& Font);

}  // namespace QtInternal
