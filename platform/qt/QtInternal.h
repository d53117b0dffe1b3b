// What the backend's sources share: the widget behind a control and the control behind a widget.
// Forward-declares the Qt types it names.
#pragma once

#include <functional>
#include <optional>

#include "platform/gui/Controls.h"
#include "platform/gui/DragDropBackend.h"

class QEvent;
class QMimeData;
class QWidget;

namespace QtInternal {

// The widget of a control (nullptr when it has none).
QWidget* WidgetOf(const TControl* Control);
// The drop shadow's window beside a top-level control's window while it shows (nullptr: none).
QWidget* ShadowOf(const TControl* Control);
// The control a widget belongs to, looking up the parent widgets (nullptr when none of ours).
TControl* ControlOfWidget(QWidget* Widget);
// The MK_* bits of Qt's mouse buttons and keyboard modifiers (as their int values).
Word MouseKeysOf(unsigned Buttons, unsigned Modifiers);
// The font a TFont draws with, applied to a widget.
void ApplyFont(QWidget* Widget, const TFont& Font);
// Where the pointer is, in screen coordinates: the test harness's pointer while a test moves one,
// else the window system's. SetHarnessPointer(std::nullopt) gives it back to the window system.
TPoint PointerPos();
void SetHarnessPointer(std::optional<TPoint> Pos);

// Drag and drop (QtDragDrop.cpp). A drag event of the window system over a control's widget becomes
// the layer's drag input; Origin is where the widget's mouse coordinates start in the control's
// client area. True when the event was a drag event.
bool HandleDragEvent(TWinControl* Control, QEvent* Event, int OriginX, int OriginY);
// MIME data and the payload the layer works with, both ways (the caller owns the new QMimeData).
TDragPayload PayloadOfMime(const QMimeData* Mime);
QMimeData* MimeOfPayload(const TDragPayload& Payload);
// Stands in for the window system's drag (tests); nullptr restores it.
using TDragRunner = std::function<DWORD(const QMimeData* Mime, DWORD OkEffects, const std::function<bool()>& Tick,
                                        const std::function<void(DWORD)>& Feedback)>;
void SetDragRunner(TDragRunner Runner);

}  // namespace QtInternal
