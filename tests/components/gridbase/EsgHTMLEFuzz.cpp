// Fuzz entry point of the mini-HTML routines: the input (UTF-8) is a cell text drawn, measured and
// hit-tested by the renderer, with and without word wrap, and taken through the text routines; the
// same bytes are loaded as an HTML picture and stepped through its frames. Nothing may crash or
// hang; only the picture loads may raise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/PictureContainer.h"
#include "platform/gui/Forms.h"

namespace {

// The renderer measures text, which needs the window system's application object.
void StartGuiLayer() {
  static bool Started = false;
  if (Started) return;
  Started = true;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int Argc = 1;
  static char Name[] = "gridbase_html_fuzz";
  static char* Argv[] = {Name, nullptr};
  InitializeGuiLayer(Argc, Argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  StartGuiLayer();
  const String Text = Utf8ToString(std::string(reinterpret_cast<const char*>(Data), Size));

  static TBitmap* Surface = nullptr;
  static TImageList* Images = nullptr;
  static TPictureContainer* Container = nullptr;
  if (!Surface) {
    Surface = new TBitmap(120, 60);
    Images = new TImageList(nullptr, 16, 16);
    TBitmap One(16, 16);
    Images->Add(&One, nullptr);
    Container = new TPictureContainer(nullptr);
    TPictureItem* Logo = Container->Items()->Add();
    Logo->SetName(u"logo");
    const std::vector<Byte> Bmp = One.SaveToMemory();
    Logo->Picture()->LoadFromMemory(Bmp.data(), Bmp.size());
  }
  THTMLPictureCache Cache;
  for (int Mode = 0; Mode < 6; ++Mode) {
    String HitAnchor, PlainText, FocusedAnchor, HitAnchorTitle, HitControlID = u"e1", HitControlValue,
        HitControlType;
    Integer MaxLineWidth, TotalHeight, AnchorCount, HitAnchorIndex;
    TRect HitAnchorRect, HitControlRect;
    DrawHtmlText(Surface->Canvas(), Text, Rect(2, 2, 118, 58), Images, 20 + Mode * 7, 8 + Mode * 3, Mode % 3 - 1,
                 Mode % 2 + 1, 1, Mode == 1 || Mode == 4, Mode == 2 || Mode == 5, Mode == 3, false, Mode % 2 == 0,
                 Mode == 1, Mode >= 3, Mode == 4, 1.5, clBlue, Mode == 5 ? clYellow : clNone,
                 Mode == 5 ? clRed : clNone, 0x808080, HitAnchor, PlainText, FocusedAnchor, HitAnchorTitle,
                 MaxLineWidth, TotalHeight, AnchorCount, HitAnchorIndex, HitAnchorRect, HitControlRect, HitControlID,
                 HitControlValue, HitControlType, &Cache, Container, 0, bdHtmlLeftToRight);
  }

  HtmlUnescape(HtmlEscape(Text, true), true);
  StripHtml(Text);
  UnmarkTextInHtml(MarkTextInHtml(Text, Text.substr(0, 2), u"HI", Size % 2 == 0), u"HI");
  String S = ClearHtmlRadios(Text);
  const String ID = NextHtmlControlID(S, u"");
  String Value;
  GetHtmlControlValue(S, ID, Value);
  GetHtmlControlProp(S, ID);
  GetHtmlControlMaxLen(S, ID);
  SetHtmlControlValue(S, ID, Text.substr(0, 4));

  try {
    THTMLPicture P;
    P.LoadFromMemory(Data, Size);
    for (int I = 0; I < 4; ++I) {
      P.Step();
      P.GetFrameTime(I);
    }
    P.SetFrame(P.FrameCount());
  } catch (const Exception&) {
  }
  return 0;
}
