// The calls the application layer makes into the backend: the event loop, the posted-call queue,
// native timers, the screen and the mouse. Qt-free; platform/qt/QtForms.cpp implements them.
#pragma once

#include <functional>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"

namespace FormsBackend {

// Makes the window system's application object when none exists; DestroyApplication frees the one
// made here.
void CreateApplication(int& argc, char** argv);
void DestroyApplication();
// Starts the backend's side of the layer (the object that receives posted calls). Needs the Qt
// application to exist.
void Initialize();
// Handles the events that are waiting.
void ProcessEvents();
// Waits until at least one event arrives (or WakeUp is called), then handles what is waiting.
// A positive TimeoutMs bounds the wait.
void WaitAndProcessEvents(Integer TimeoutMs = -1);
// Makes a waiting WaitAndProcessEvents return; callable from any thread.
void WakeUp();
// Queues a call for the GUI thread; calls run in the order they were queued. Callable from any
// thread.
void PostCall(std::function<void()> Call);
// Native timers: Tick runs every IntervalMs on the GUI thread until StopTimer.
intptr_t StartTimer(Cardinal IntervalMs, std::function<void()> Tick);
void StopTimer(intptr_t Timer);
// Screen geometry: the primary display's, and every display with its work area.
TRect ScreenRect();
TRect WorkArea();
std::vector<TMonitorInfo> Monitors();
// The real mouse position and the control under a screen point (nullptr when none of ours).
TPoint CursorPos();
TControl* ControlAtScreenPoint(TPoint P);
Integer WheelScrollLines();
void Beep();
std::vector<String> FontFamilies();
String ExecutableName();
// A cursor for the whole application (crDefault removes it).
void SetOverrideCursor(TCursor Cursor);
// The control whose widget has the keyboard focus, nullptr when none of ours.
TWinControl* FocusWidgetControl();
// True when the backend is a real display (not the offscreen or minimal platform).
bool HasRealDisplay();
// True when the display blends translucent windows with what lies below them (a compositing
// window manager, or a display server that always composites).
bool DisplayComposites();

}  // namespace FormsBackend
