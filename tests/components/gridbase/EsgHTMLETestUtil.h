// Small fixtures of the mini-HTML tests: a white bitmap with the pinned font, a call of the
// renderer with the values the grid passes, and hand-built picture files.
#pragma once

#include <memory>
#include <vector>

#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/PictureContainer.h"
#include "platform/gui/Graphics.h"

// A white bitmap whose canvas has the pinned font (11 pixels) in black.
inline std::unique_ptr<TBitmap> HtmlBitmap(Integer W, Integer H) {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(W, H);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, W, H));
  C->Font()->SetName(u"Verdana");
  C->Font()->SetHeight(-11);
  C->Font()->SetColor(clBlack);
  return B;
}

// One call of DrawHtmlText: the inputs with the values the grid passes, and every output.
struct THtmlCall {
  TRect Area = Rect(0, 0, 300, 200);
  TImageList* Images = nullptr;
  Integer HitX = 0, HitY = 0, FocusAnchorIndex = -1, HoverAnchorIndex = 0, ShadowOffset = 1;
  bool HitTestOnly = false, MeasureOnly = false, ScaleImages = false, KeepColors = false;
  bool BlinkVisible = true, UnderlineHoverOnly = false, WordWrap = false, ControlDown = false;
  double ImageScale = 1.0;
  TColor URLColor = clBlue, HoverBackColor = clNone, HoverTextColor = clNone, ShadowColor = 0x808080;
  THTMLPictureCache* Cache = nullptr;
  TPictureContainer* Container = nullptr;

  bool Result = false;
  String HitAnchor, PlainText, FocusedAnchor, HitAnchorTitle;
  Integer MaxLineWidth = -1, TotalHeight = -1, AnchorCount = -1, HitAnchorIndex = -2;
  TRect HitAnchorRect, HitControlRect;
  String HitControlID, HitControlValue, HitControlType;

  bool Run(TCanvas* C, const String& Text) {
    Result = DrawHtmlText(C, Text, Area, Images, HitX, HitY, FocusAnchorIndex, HoverAnchorIndex, ShadowOffset,
                          HitTestOnly, MeasureOnly, ScaleImages, KeepColors, BlinkVisible, UnderlineHoverOnly,
                          WordWrap, ControlDown, ImageScale, URLColor, HoverBackColor, HoverTextColor, ShadowColor,
                          HitAnchor, PlainText, FocusedAnchor, HitAnchorTitle, MaxLineWidth, TotalHeight,
                          AnchorCount, HitAnchorIndex, HitAnchorRect, HitControlRect, HitControlID,
                          HitControlValue, HitControlType, Cache, Container, 0, bdHtmlLeftToRight);
    return Result;
  }
  // Measuring only, as the grid does for hint sizes and auto-size.
  static THtmlCall Measure(TCanvas* C, const String& Text, Integer Width = 300, bool WordWrap = false) {
    THtmlCall H;
    H.Area = Rect(0, 0, Width, 200);
    H.MeasureOnly = true;
    H.WordWrap = WordWrap;
    H.Run(C, Text);
    return H;
  }
};

// A BMP file of W x H pixels of one colour.
inline std::vector<Byte> SolidBmp(Integer W, Integer H, TColor Color) {
  TBitmap B;
  B.SetPixelFormat(pf24bit);
  B.SetSize(W, H);
  B.Canvas()->Brush()->SetColor(Color);
  B.Canvas()->FillRect(Rect(0, 0, W, H));
  return B.SaveToMemory();
}

// One frame of a hand-built GIF: a graphic control extension (delay in hundredths of a second,
// packed byte) and a 1 x 1 image at (X, Y) of colour index Index (0 red, 1 blue).
struct TGifFrame {
  Word X = 0, Y = 0;
  Word Delay = 10;
  Byte Packed = 0;
  Byte Index = 0;
};

// A GIF89a with a logical screen of ScreenW x ScreenH, a global table of two colours (red, blue)
// and the given 1 x 1 frames.
inline std::vector<Byte> MakeGif(Word ScreenW, Word ScreenH, const std::vector<TGifFrame>& Frames) {
  std::vector<Byte> D = {'G', 'I', 'F', '8', '9', 'a'};
  auto U16 = [&](Word V) {
    D.push_back(static_cast<Byte>(V & 0xFF));
    D.push_back(static_cast<Byte>(V >> 8));
  };
  U16(ScreenW);
  U16(ScreenH);
  D.insert(D.end(), {0x80, 0x00, 0x00});              // global table of 2 colours, background 0
  D.insert(D.end(), {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF});  // red, blue
  for (const TGifFrame& F : Frames) {
    D.insert(D.end(), {0x21, 0xF9, 0x04, F.Packed});
    U16(F.Delay);
    D.insert(D.end(), {0x00, 0x00});  // transparent index, block end
    D.push_back(0x2C);
    U16(F.X);
    U16(F.Y);
    U16(1);
    U16(1);
    D.push_back(0x00);  // no local table
    // LZW, minimum code size 2: clear (4), the pixel, end (5), three bits each, low bits first.
    D.insert(D.end(), {0x02, 0x02, static_cast<Byte>(F.Index == 0 ? 0x44 : 0x4C), 0x01, 0x00});
  }
  D.push_back(0x3B);
  return D;
}
