// Drag and drop of the window system (platform/qt/QtDragDrop.cpp), between this program's windows
// and other programs: what the layer asks of the backend, and the input functions the backend
// calls when a drag of the window system passes over one of our windows. Qt-free.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/DragDrop.h"

// What a drag of the window system carries. Parts holds every MIME type offered with its bytes;
// Text, Urls and LocalFiles are what the window system reads out of them (the text in whatever
// encoding it came, the URL list, the URLs that name local files as paths).
struct TDragPayload {
  bool HasText = false;
  String Text;
  std::vector<String> Urls;
  std::vector<String> LocalFiles;
  std::vector<std::pair<String, std::vector<Byte>>> Parts;
};

// The payload a data object offers to other programs: its text (CF_UNICODETEXT, else CF_TEXT) as
// text, rich text as "text/rtf" and "application/rtf", a file list as local files, and every other
// registered format under its MIME type (ClipboardFormatMime), so another instance of this program
// gets it back.
TDragPayload PayloadOfDataObject(IDataObject* Data);
// The data object a payload from another program becomes: local files as a file list (CF_HDROP;
// the text a file manager adds, the names again, is left out), other URLs as
// "UniformResourceLocator" (the URL standing in for the text when there is none), the text as
// CF_UNICODETEXT and CF_TEXT, "text/rtf" (or "application/rtf", "text/richtext") as
// "Rich Text Format", and our own MIME types as their registered formats.
TComPtr<IDataObject> DataObjectOfPayload(const TDragPayload& Payload);

namespace DragDropBackend {

// Lets the window of Control take drags of the window system (or stop taking them).
void SetAcceptDrops(TWinControl* Control, bool Accept);
// True when drags run through the window system (a real display), so they reach other programs.
bool SystemDrag();
// Runs the window system's drag of Payload until it is dropped or cancelled and answers the
// effect of the drop (DROPEFFECT_NONE when cancelled). Tick runs while the drag goes on; false
// cancels it. Feedback hears each effect the target under the pointer shows.
DWORD RunDrag(const TDragPayload& Payload, DWORD OkEffects, const std::function<bool()>& Tick,
              const std::function<void(DWORD)>& Feedback);

}  // namespace DragDropBackend

// The layer's side (DragDrop.cpp): a drag of the window system enters, moves over, leaves or is
// dropped on Control (the window that takes drops) at client point P. Keys holds the MK_* bits,
// Allowed the effects the source allows; the answer is the effect the drop target shows or took.
// The drop target is the one registered for Control or its nearest registered parent.
// True when Control or one of its parents is a registered drop target; the drags over other
// windows are left to the window's own handling.
bool HasDropTarget(TWinControl* Control);
DWORD InputDragEnter(TWinControl* Control, const TDragPayload& Payload, TPoint P, DWORD Keys, DWORD Allowed);
DWORD InputDragOver(TWinControl* Control, TPoint P, DWORD Keys, DWORD Allowed);
void InputDragLeave(TWinControl* Control);
DWORD InputDrop(TWinControl* Control, const TDragPayload& Payload, TPoint P, DWORD Keys, DWORD Allowed);
