// Fuzz entry point of the picture readers: BMP, JPEG and the picture loader that tells the kinds
// apart (and cuts a GIF's first frame). Broken input must raise EInvalidGraphic or load; nothing
// else.
#include <cstddef>
#include <cstdint>

#include "platform/gui/Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TBitmap B;
    B.LoadFromMemory(Data, Size);
    B.SaveToMemory();
  } catch (const EInvalidGraphic&) {
  }
  try {
    TJPEGImage J;
    J.LoadFromMemory(Data, Size);
  } catch (const EInvalidGraphic&) {
  }
  try {
    std::unique_ptr<TGraphic> G = LoadGraphicFromMemory(Data, Size);
    if (G) G->SaveToMemory();
  } catch (const EInvalidGraphic&) {
  } catch (const EInvalidGraphicOperation&) {
  }
  return 0;
}
