// The backend's clipboard (platform/qt/QtClipbrd.cpp). Qt-free. Formats travel by name: text is
// "text/plain", a registered format its registered name.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/System.h"

namespace ClipbrdBackend {

String Text();
bool HasFormat(const String& MimeName);
std::vector<Byte> Data(const String& MimeName);
// Replaces the clipboard content with these formats.
void SetContent(const std::vector<std::pair<String, std::vector<Byte>>>& Formats, const String* Text);
void Clear();

}  // namespace ClipbrdBackend
