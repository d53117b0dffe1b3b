// The grid's drawing routines, pixel by pixel on bitmaps: colour arithmetic, gradients, cell
// backgrounds and selection boxes, button faces in their kinds, transparent bitmaps, the error
// underline, progress bars, the pie, the centred bar and the cell shapes.
#include "components/gridbase/ExUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/gridbase/ExStyleIF.h"
#include "components/gridbase/ExXPVS.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr TColor Paper = 0x00F0F0F0;

// A bitmap canvas pre-filled with Paper.
struct Surface {
  TBitmap Bmp;
  Surface(Integer W, Integer H) : Bmp(W, H) {
    Bmp.SetPixelFormat(pfDevice);
    Bmp.Canvas()->Brush()->SetColor(Paper);
    Bmp.Canvas()->FillRect(Rect(0, 0, W, H));
  }
  TCanvas* C() { return Bmp.Canvas(); }
  TColor At(Integer X, Integer Y) { return Bmp.Canvas()->Pixels(X, Y); }
  Integer Count(TColor Color) {
    Integer N = 0;
    for (Integer Y = 0; Y < Bmp.Height(); ++Y)
      for (Integer X = 0; X < Bmp.Width(); ++X)
        if (At(X, Y) == Color) ++N;
    return N;
  }
  // The bounding box of the pixels of Color (empty when none).
  TRect BoundsOf(TColor Color) {
    TRect R(1 << 20, 1 << 20, -1, -1);
    for (Integer Y = 0; Y < Bmp.Height(); ++Y)
      for (Integer X = 0; X < Bmp.Width(); ++X)
        if (At(X, Y) == Color) {
          R.Left = std::min(R.Left, X);
          R.Top = std::min(R.Top, Y);
          R.Right = std::max(R.Right, X + 1);
          R.Bottom = std::max(R.Bottom, Y + 1);
        }
    return R.Right < 0 ? TRect() : R;
  }
};

// The first pixel where two surfaces differ, as text ("" when they are equal).
std::string FirstDifference(Surface& A, Surface& B) {
  for (Integer Y = 0; Y < A.Bmp.Height(); ++Y)
    for (Integer X = 0; X < A.Bmp.Width(); ++X)
      if (A.At(X, Y) != B.At(X, Y))
        return "(" + std::to_string(X) + ", " + std::to_string(Y) + ")";
  return "";
}

TColorTones SampleTones() {
  TColorTones T;
  T.Background = {0x000011, 0x000012, 0x000013};
  T.Hover = {0x000021, 0x000022, 0x000023};
  T.Selected = {0x000031, 0x000032, 0x000033};
  T.Disabled = {0x000041, 0x000042, 0x000043};
  return T;
}

// A theme binding that records what is drawn through it.
struct ThemeRecorder {
  static inline std::vector<std::string> Calls;
  static HTHEME Open(HWND, const Char* Class) {
    Calls.push_back("open " + StringToUtf8(Class));
    return 7;
  }
  static HRESULT Draw(HTHEME Theme, TCanvas*, Integer Part, Integer State, const TRect* R, const TRect* Clip) {
    Calls.push_back("draw " + std::to_string(Theme) + " part " + std::to_string(Part) + " state " +
                    std::to_string(State) + " at " + std::to_string(R->Left) + "," + std::to_string(R->Top) + "," +
                    std::to_string(R->Right) + "," + std::to_string(R->Bottom) + (Clip ? " clipped" : ""));
    return 0;
  }
  static HRESULT Close(HTHEME Theme) {
    Calls.push_back("close " + std::to_string(Theme));
    return 0;
  }
};

class ThemedButtons : public testing::Test {
 protected:
  void SetUp() override {
    ThemeRecorder::Calls.clear();
    ThemeApi.OpenThemeData.Bind(reinterpret_cast<void*>(&ThemeRecorder::Open));
    ThemeApi.DrawThemeBackground.Bind(reinterpret_cast<void*>(&ThemeRecorder::Draw));
    ThemeApi.CloseThemeData.Bind(reinterpret_cast<void*>(&ThemeRecorder::Close));
  }
  void TearDown() override {
    ThemeApi.OpenThemeData.Bind(nullptr);
    ThemeApi.DrawThemeBackground.Bind(nullptr);
    ThemeApi.CloseThemeData.Bind(nullptr);
  }
};

}  // namespace

// --- Colours -----------------------------------------------------------------------------------

TEST(ExUtilColors, ChannelArithmetic) {
  EXPECT_EQ(DimColorHalf(clWhite), 0x7F7F7F);
  EXPECT_EQ(DimColorHalf(clBtnFace), DimColorHalf(ColorToRGB(clBtnFace)));
  EXPECT_EQ(ScaleColor(RGB(100, 100, 100), -20), RGB(80, 80, 80));
  EXPECT_EQ(ScaleColor(RGB(10, 20, 30), 7), RGB(11, 21, 32));  // 10.7, 21.4, 32.1 rounded
  EXPECT_EQ(ScaleColor(RGB(50, 0, 0), 1), RGB(50, 0, 0));      // 50.5 rounds to even
  // A lightened channel stays at 255 instead of wrapping to a dark value.
  EXPECT_EQ(ScaleColor(RGB(250, 240, 100), 7), RGB(255, 255, 107));
  EXPECT_EQ(ScaleColor(RGB(100, 100, 100), -150), RGB(0, 0, 0));

  EXPECT_EQ(InterpolateColor(clBtnFace, clNone, 0, 10, 5), clBtnFace);
  EXPECT_EQ(InterpolateColor(RGB(0, 100, 200), RGB(100, 0, 200), 0, 10, 5), RGB(50, 50, 200));
  EXPECT_EQ(InterpolateColor(RGB(0, 0, 0), RGB(255, 255, 255), 0, 10, 10), RGB(255, 255, 255));
  // Position is not offset by RangeFrom; positions past the range stay at the end colour.
  EXPECT_EQ(InterpolateColor(RGB(0, 0, 0), RGB(100, 100, 100), 10, 20, 5), RGB(50, 50, 50));
  EXPECT_EQ(InterpolateColor(RGB(0, 0, 0), RGB(100, 100, 100), 0, 10, 30), RGB(255, 255, 255));
  // A range without extent gives the start colour.
  EXPECT_EQ(InterpolateColor(RGB(1, 2, 3), RGB(100, 100, 100), 4, 4, 4), RGB(1, 2, 3));
}

TEST(ExUtilColors, GradientRectBandsTopToBottom) {
  // 10 pixels high with 64 steps: 9 steps (the height - 1), 10 bands, the last one in ToColor.
  Surface S(6, 12);
  DrawGradientRect(S.C(), RGB(0, 0, 0), RGB(0, 0, 90), 64, Rect(1, 1, 5, 11), false);
  for (Integer Y = 0; Y < 10; ++Y) {
    EXPECT_EQ(S.At(1, 1 + Y), RGB(0, 0, static_cast<Byte>(10 * Y))) << "row " << Y;
    EXPECT_EQ(S.At(4, 1 + Y), RGB(0, 0, static_cast<Byte>(10 * Y))) << "row " << Y;
  }
  EXPECT_EQ(S.At(0, 5), Paper);
  EXPECT_EQ(S.At(5, 5), Paper);
  EXPECT_EQ(S.At(2, 11), Paper);
}

TEST(ExUtilColors, GradientRectBandsLeftToRightAndSpecialCases) {
  Surface S(14, 4);
  DrawGradientRect(S.C(), RGB(0, 0, 0), RGB(200, 0, 0), 4, Rect(2, 0, 11, 4), true);
  // Size 8 in 4 steps: bands of 2 pixels (plus one of overlap), colours 0, 50, 100, 150, 200.
  const Byte Want[] = {0, 0, 50, 50, 100, 100, 150, 150, 200};
  for (Integer X = 0; X < 9; ++X) EXPECT_EQ(S.At(2 + X, 2), RGB(Want[X], 0, 0)) << "column " << X;
  EXPECT_EQ(S.At(11, 2), Paper);

  // One colour not set: a solid rectangle in the other.
  Surface T(6, 6);
  DrawGradientRect(T.C(), clNone, clRed, 64, Rect(1, 1, 5, 5), false);
  EXPECT_EQ(T.Count(clRed), 16);
  // Top and bottom swapped are put in order; no height draws nothing.
  Surface U(6, 6);
  DrawGradientRect(U.C(), clRed, clRed, 8, Rect(1, 5, 5, 1), false);
  EXPECT_EQ(U.Count(clRed), 16);
  Surface V(6, 6);
  DrawGradientRect(V.C(), clRed, clBlue, 8, Rect(1, 3, 5, 3), false);
  DrawGradientRect(V.C(), clRed, clBlue, 8, Rect(3, 1, 3, 5), true);
  EXPECT_EQ(V.Count(Paper), 36);
}

TEST(ExUtilColors, GradientBackground) {
  // Without Fill only the border is drawn.
  Surface A(10, 10);
  DrawGradientBackground(A.C(), Rect(1, 1, 9, 9), clRed, clNone, clNone, clNone, true, clBlue, false, false);
  EXPECT_EQ(A.Count(clRed), 0);
  EXPECT_EQ(A.Count(clBlue), 28);
  EXPECT_EQ(A.At(1, 1), clBlue);
  EXPECT_EQ(A.At(8, 8), clBlue);

  // A solid fill reaches one row further down, and so does its frame.
  Surface B(10, 12);
  DrawGradientBackground(B.C(), Rect(1, 1, 9, 9), clRed, clNone, clNone, clNone, true, clBlue, false, true);
  EXPECT_EQ(B.At(4, 9), clBlue);
  EXPECT_EQ(B.At(4, 8), clRed);
  EXPECT_EQ(B.At(4, 10), Paper);

  // Side lines only: the left and right columns, no top or bottom line.
  Surface C(10, 10);
  DrawGradientBackground(C.C(), Rect(1, 1, 9, 9), clNone, clNone, clNone, clNone, true, clBlue, true, true);
  EXPECT_EQ(C.Count(clBlue), 16);
  EXPECT_EQ(C.At(1, 1), clBlue);
  EXPECT_EQ(C.At(8, 8), clBlue);
  EXPECT_EQ(C.At(4, 1), Paper);

  // A mirror gradient: top half Color to ColorTo, bottom half MirrorColor to MirrorColorTo.
  Surface D(4, 20);
  DrawGradientBackground(D.C(), Rect(0, 0, 4, 20), RGB(0, 0, 0), RGB(0, 0, 90), RGB(90, 0, 0), RGB(180, 0, 0),
                         true, clNone, false, true);
  EXPECT_EQ(D.At(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(D.At(1, 9), RGB(0, 0, 90));
  EXPECT_EQ(D.At(1, 10), RGB(90, 0, 0));
  EXPECT_EQ(D.At(1, 19), RGB(180, 0, 0));
}

TEST(ExUtilColors, SelectionBoxPieces) {
  const TColor Fill = 0x0000AA, Top = 0x0000BB, Bottom = 0x0000CC, Border = 0x0000DD, Edge = 0x0000EE,
               Back = 0x000011;
  // Rect (0, 0, 20, 12): l 0, t 0, r 19, b 10, m 5.
  Surface W(20, 12);
  DrawSelectionBox(W.C(), Fill, clNone, clNone, clNone, Top, Bottom, Border, Edge, Back, Rect(0, 0, 20, 12), sbWhole);
  EXPECT_EQ(W.At(0, 0), Back);
  EXPECT_EQ(W.At(18, 0), Back);
  EXPECT_EQ(W.At(1, 0), Edge);
  EXPECT_EQ(W.At(0, 1), Edge);
  EXPECT_EQ(W.At(17, 10), Edge);
  EXPECT_EQ(W.At(5, 0), Border);
  EXPECT_EQ(W.At(0, 5), Border);   // left end line
  EXPECT_EQ(W.At(18, 5), Border);  // right end line
  EXPECT_EQ(W.At(1, 3), Top);
  EXPECT_EQ(W.At(1, 7), Bottom);
  EXPECT_EQ(W.At(5, 1), Top);
  EXPECT_EQ(W.At(5, 9), Bottom);
  EXPECT_EQ(W.At(5, 5), Fill);
  EXPECT_EQ(W.BoundsOf(Fill), Rect(2, 2, 17, 9));

  // A middle piece: no vertical lines, no corners, the inner area from the left edge.
  Surface M(20, 12);
  DrawSelectionBox(M.C(), Fill, clNone, clNone, clNone, Top, Bottom, Border, Edge, Back, Rect(0, 0, 20, 12),
                   sbMiddle);
  EXPECT_EQ(M.Count(Edge), 0);
  EXPECT_EQ(M.Count(Back), 0);
  EXPECT_EQ(M.BoundsOf(Fill), Rect(0, 2, 19, 9));
  EXPECT_EQ(M.BoundsOf(Border), Rect(0, 0, 19, 11));
  EXPECT_EQ(M.At(0, 5), Fill);

  // The left end has its corners on the left only.
  Surface L(20, 12);
  DrawSelectionBox(L.C(), Fill, clNone, clNone, clNone, Top, Bottom, Border, Edge, Back, Rect(0, 0, 20, 12),
                   sbLeftEnd);
  EXPECT_EQ(L.At(0, 0), Back);
  EXPECT_EQ(L.BoundsOf(Edge).Right, 2);
  EXPECT_EQ(L.BoundsOf(Fill), Rect(2, 2, 19, 9));
}

// --- Buttons and small drawings ----------------------------------------------------------------

TEST(ExUtilButtons, ComboButtonKinds) {
  const TRect R(0, 0, 100, 20);
  const TColorTones Tones = SampleTones();
  // Classic and flat: the frame control at (81, 1, 98, 19); no theme here, so kind 0 draws it too.
  struct Row {
    const char* Name;
    Byte Kind;
    Byte State;
    Cardinal Flags;
  };
  const Row Rows[] = {
      {"classic", bkClassic, bsNormalState, DFCS_SCROLLCOMBOBOX},
      {"classic disabled", bkClassic, bsDisabledState, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE},
      {"flat", bkFlat, bsHotState, DFCS_SCROLLCOMBOBOX | DFCS_FLAT},
      {"themed without themes", bkThemed, bsNormalState, DFCS_SCROLLCOMBOBOX},
  };
  for (const Row& Rw : Rows) {
    Surface Got(100, 20), Want(100, 20);
    DrawComboButton(Got.C(), 0, R, Rw.Kind, Rw.State, Tones);
    TRect B(81, 1, 98, 19);
    DrawFrameControl(Want.C(), B, DFC_SCROLL, Rw.Flags);
    EXPECT_EQ(FirstDifference(Got, Want), "") << Rw.Name;
  }

  // Custom colours: the face from the state's tone, from x 84.
  Surface T(100, 20);
  DrawComboButton(T.C(), 0, R, bkTones, bsHotState, Tones);
  EXPECT_EQ(T.At(84, 1), Tones.Hover.BrushColor);
  EXPECT_EQ(T.At(97, 18), Tones.Hover.BrushColor);
  EXPECT_EQ(T.At(83, 5), Paper);
  EXPECT_EQ(T.At(98, 5), Paper);
  EXPECT_EQ(T.At(85, 10), Tones.Background.BorderColor);
  // The arrow: a triangle from (89, 9) to (95, 9) down to (92, 12).
  EXPECT_EQ(T.At(92, 9), Tones.Background.TextColor);
  EXPECT_EQ(T.At(92, 11), Tones.Background.TextColor);
  EXPECT_EQ(T.At(92, 13), Tones.Hover.BrushColor);
  EXPECT_EQ(T.At(87, 9), Tones.Hover.BrushColor);

  Surface None(100, 20);
  DrawComboButton(None.C(), 0, R, 4, bsNormalState, Tones);
  EXPECT_EQ(None.Count(Paper), 2000);
}

TEST(ExUtilButtons, SpinButtonKinds) {
  const TRect R(0, 0, 100, 20);
  const TColorTones Tones = SampleTones();
  // The column (84, -1, 99, 19) with its middle at 9: up (84, -1, 99, 9), down (84, 10, 99, 19).
  for (Byte Kind : {bkClassic, bkFlat, bkThemed}) {
    Surface Got(100, 20), Want(100, 20);
    DrawSpinButtons(Got.C(), 0, R, Kind, bsDisabledState, Tones);
    const Cardinal Flags = DFCS_INACTIVE | (Kind == bkFlat ? DFCS_FLAT : 0);
    TRect Up(84, -1, 99, 9), Down(84, 10, 99, 19);
    DrawFrameControl(Want.C(), Up, DFC_SCROLL, DFCS_SCROLLUP | Flags);
    DrawFrameControl(Want.C(), Down, DFC_SCROLL, DFCS_SCROLLDOWN | Flags);
    EXPECT_EQ(FirstDifference(Got, Want), "") << "kind " << int(Kind);
  }

  Surface T(100, 20);
  DrawSpinButtons(T.C(), 0, R, bkTones, bsDownState, Tones);
  EXPECT_EQ(T.At(84, 0), Tones.Selected.BrushColor);
  EXPECT_EQ(T.At(98, 18), Tones.Selected.BrushColor);
  EXPECT_EQ(T.At(90, 9), Paper);  // the row between the buttons
  EXPECT_EQ(T.At(91, 3), clBlack);
  EXPECT_EQ(T.At(91, 12), clBlack);
}

TEST(ExUtilButtons, CellButtonKinds) {
  const TRect R(2, 2, 40, 20);
  const TColorTones Tones = SampleTones();
  struct Row {
    const char* Name;
    Byte Kind;
    Byte State;
    Cardinal Flags;
  };
  const Row Rows[] = {
      {"classic", bkClassic, bsNormalState, DFCS_BUTTONPUSH},
      {"classic hot", bkClassic, bsHotState, DFCS_BUTTONPUSH | DFCS_HOT},
      {"classic down", bkClassic, bsDownState, DFCS_BUTTONPUSH | DFCS_PUSHED},
      {"flat disabled", bkFlat, bsDisabledState, DFCS_BUTTONPUSH | DFCS_INACTIVE | DFCS_FLAT},
      {"themed without themes", bkThemed, bsDownState, DFCS_BUTTONPUSH | DFCS_PUSHED},
  };
  for (const Row& Rw : Rows) {
    Surface Got(42, 22), Want(42, 22);
    DrawCellButton(Got.C(), 0, R, Rw.Kind, Rw.State, Tones);
    TRect B = R;
    DrawFrameControl(Want.C(), B, DFC_BUTTON, Rw.Flags);
    EXPECT_EQ(FirstDifference(Got, Want), "") << Rw.Name;
  }

  const Byte States[] = {bsNormalState, bsHotState, bsDownState, bsDisabledState};
  const TColorTone* ToneOf[] = {&Tones.Background, &Tones.Hover, &Tones.Selected, &Tones.Disabled};
  for (Integer I = 0; I < 4; ++I) {
    Surface T(42, 22);
    DrawCellButton(T.C(), 0, R, bkTones, States[I], Tones);
    EXPECT_EQ(T.At(2, 2), ToneOf[I]->BorderColor) << "state " << I;
    EXPECT_EQ(T.At(20, 10), ToneOf[I]->BrushColor) << "state " << I;
  }

  Surface None(42, 22);
  DrawCellButton(None.C(), 0, R, 4, bsNormalState, Tones);
  DrawCellButton(None.C(), 0, R, 200, bsNormalState, Tones);
  EXPECT_EQ(None.Count(Paper), 42 * 22);
}

TEST_F(ThemedButtons, ThemedKindDrawsThroughTheThemeBinding) {
  Surface S(100, 20);
  const TColorTones Tones = SampleTones();
  DrawComboButton(S.C(), 5, Rect(0, 0, 100, 20), bkThemed, bsDisabledState, Tones);
  DrawCellButton(S.C(), 5, Rect(0, 0, 30, 20), bkThemed, bsHotState, Tones);
  DrawSpinButtons(S.C(), 5, Rect(0, 0, 100, 20), bkThemed, bsNormalState, Tones);
  const std::vector<std::string> Want = {
      "open combobox", "draw 7 part 1 state 4 at 81,1,98,19", "close 7",
      "open button",   "draw 7 part 1 state 2 at 0,0,30,20",  "close 7",
      "open spin",     "draw 7 part 1 state 1 at 84,-1,99,9", "close 7",
      "open spin",     "draw 7 part 2 state 1 at 84,9,99,19", "close 7",
  };
  EXPECT_EQ(ThemeRecorder::Calls, Want);
  // The theme drew everything: the canvas is untouched by the classic faces.
  EXPECT_EQ(S.Count(Paper), 2000);
}

TEST(ExUtilButtons, DownTriangleAndTransparentBitmaps) {
  Surface T(12, 8);
  DrawDownTriangle(T.C(), 6, 2, clRed);
  EXPECT_EQ(T.At(6, 2), clRed);
  EXPECT_EQ(T.At(8, 2), clRed);
  EXPECT_EQ(T.At(6, 4), clRed);
  EXPECT_EQ(T.At(6, 6), Paper);
  EXPECT_EQ(T.At(2, 2), Paper);

  // The colour of the top-left pixel becomes the background colour; the rest is copied.
  TBitmap Glyph(3, 2);
  Glyph.SetPixelFormat(pfDevice);
  Glyph.Canvas()->SetPixels(0, 0, clFuchsia);
  Glyph.Canvas()->SetPixels(1, 0, clBlue);
  Glyph.Canvas()->SetPixels(2, 0, clFuchsia);
  Glyph.Canvas()->SetPixels(0, 1, clLime);
  Glyph.Canvas()->SetPixels(1, 1, clFuchsia);
  Glyph.Canvas()->SetPixels(2, 1, clBlue);
  Surface B(8, 8);
  DrawBitmapTransparent(B.C(), &Glyph, clYellow, Rect(4, 5, 6, 6));
  const TColor Want[2][3] = {{clYellow, clBlue, clYellow}, {clLime, clYellow, clBlue}};
  for (Integer Y = 0; Y < 2; ++Y)
    for (Integer X = 0; X < 3; ++X) EXPECT_EQ(B.At(4 + X, 5 + Y), Want[Y][X]) << X << "," << Y;
  EXPECT_EQ(B.Count(Paper), 64 - 6);

  RegisterBitmapResource(u"EXUTILTESTGLYPH", Glyph.SaveToMemory());
  Surface Res(8, 8);
  DrawResourceBitmap(Res.C(), clYellow, Rect(4, 5, 6, 6), u"EXUTILTESTGLYPH");
  EXPECT_EQ(FirstDifference(Res, B), "");
  EXPECT_THROW(DrawResourceBitmap(Res.C(), clYellow, Rect(0, 0, 1, 1), u"EXUTILNOSUCHGLYPH"), EResNotFound);
}

TEST(ExUtilButtons, ErrorUnderline) {
  TForm* Form = new TForm(Application);
  Form->SetBounds(0, 0, 300, 100);
  const Integer Children = Form->ComponentCount();
  const TRect R(10, 10, 210, 30);
  const String Text = u"Helo world";

  // Where the edit field shows the characters.
  auto* Probe = new TEdit(Form);
  Probe->SetParent(Form);
  Probe->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  Probe->SetText(Text);
  auto XOf = [Probe](Integer I) {
    return Integer(SmallIntLo(static_cast<uintptr_t>(Probe->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(I), 0))));
  };
  const Integer X2 = XOf(2), X3 = XOf(3), XEnd = XOf(Length(Text));
  TComponent::Free(Probe);
  ASSERT_LT(X2, X3);

  // A range inside the text: the zig-zag starts at its first character.
  Surface A(300, 60);
  DrawErrorUnderline(Form, A.C(), Text, R, 0, 2, 2);
  const TRect Red = A.BoundsOf(clRed);
  ASSERT_FALSE(IsRectEmpty(Red));
  EXPECT_LE(std::abs(Red.Left - (R.Left + X2)), 1);
  EXPECT_EQ(A.At(R.Left + X2 + 1, 0), Paper);
  EXPECT_EQ(Form->ComponentCount(), Children);  // the measuring field is gone again

  // A range beyond the text starts 4 pixels after the text's end.
  Surface B(300, 60);
  DrawErrorUnderline(Form, B.C(), Text, R, 0, 40, 3);
  EXPECT_LE(std::abs(B.BoundsOf(clRed).Left - (R.Left + XEnd + 4)), 1);

  // The vertical offset moves the line down.
  Surface C(300, 60);
  DrawErrorUnderline(Form, C.C(), Text, R, 7, 2, 2);
  EXPECT_EQ(C.BoundsOf(clRed).Top, Red.Top + 7);
  TComponent::Free(Form);
}

TEST(ExUtilButtons, LayeredWindowCallsReachTheWindowAndFailWithoutOne) {
  std::unique_ptr<TForm> Form(new TForm(nullptr));
  Form->SetBounds(10, 20, 60, 40);
  EXPECT_TRUE(DynSetLayeredWindowAttributes(Form->Handle(), clNone, 128, LWA_ALPHA));
  TColor Key = clNone;
  Byte Alpha = 0;
  Cardinal Flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Form->Handle(), &Key, &Alpha, &Flags));
  EXPECT_EQ(Alpha, 128);
  EXPECT_EQ(Flags, LWA_ALPHA);
  // Without a picture the update only moves and sizes the window.
  const TPoint Pos(30, 50);
  const TSize Size{70, 45};
  TBlendFunction Blend;
  EXPECT_TRUE(DynUpdateLayeredWindow(Form->Handle(), nullptr, &Pos, &Size, nullptr, nullptr, clNone, &Blend, ULW_ALPHA));
  EXPECT_EQ(Form->Width(), 70);
  EXPECT_EQ(Form->Height(), 45);

  EXPECT_FALSE(DynSetLayeredWindowAttributes(0, clNone, 128, LWA_ALPHA));
  EXPECT_FALSE(DynUpdateLayeredWindow(0, nullptr, nullptr, nullptr, nullptr, nullptr, clNone, &Blend, ULW_ALPHA));
}

// --- Progress bars and shapes ------------------------------------------------------------------

TEST(ExUtilProgress, PlainProgressBar) {
  const TColor Done = 0x00AA0000, Open = 0x0000AA00, Border = 0x000000AA;
  struct Row {
    const char* Name;
    double Value;
    Integer Min, Max;
    const char16_t* Format;
    Integer FilledTo;  // the first column of the bar that is not complete
  };
  // The bar inside margins of 2: columns 2 .. 101.
  const Row Rows[] = {
      {"value above 100 fills the bar", 150, 0, 100, u"", 102},
      {"negative value fills nothing", -5, 0, 100, u"", 2},
      {"half", 50, 0, 100, u"", 52},
      {"formatted within min and max", 15, 10, 20, u"%d items", 52},
      {"float format", 12.5, 10, 20, u"%.1f", 27},
      {"format that does not fit its value", 50, 0, 100, u"%s", 52},
      {"min equal to max, reached", 7, 7, 7, u"%d", 102},
      {"min equal to max, below", 6, 7, 7, u"%d", 2},
  };
  for (const Row& R : Rows) {
    Surface S(104, 24);
    S.C()->Brush()->SetColor(Paper);
    DrawProgress(S.C(), Rect(0, 0, 104, 24), Done, clWhite, Open, clBlack, R.Value, 2, 2, R.Min, R.Max, R.Format,
                 Border, false);
    // The row just inside the bar's top edge carries no text.
    for (Integer X = 2; X < 102; ++X)
      ASSERT_EQ(S.At(X, 2), X < R.FilledTo ? Done : Open) << R.Name << ", column " << X;
    EXPECT_EQ(S.At(1, 10), Border) << R.Name;
    EXPECT_EQ(S.At(0, 10), Paper) << R.Name;  // the ring around the border takes the cell's colour
    EXPECT_EQ(S.C()->Brush()->Color(), Paper) << R.Name;
  }
}

TEST(ExUtilProgress, PlainProgressBarText) {
  // The text changes colour where the bar ends: white on the complete part, black after it.
  Surface S(104, 24);
  S.C()->Brush()->SetColor(Paper);
  DrawProgress(S.C(), Rect(0, 0, 104, 24), 0x00AA0000, clWhite, 0x0000AA00, clBlack, 50, 2, 2, 0, 100, u"", clNone,
               false);
  const TRect White = S.BoundsOf(clWhite);
  const TRect Black = S.BoundsOf(clBlack);
  ASSERT_FALSE(IsRectEmpty(White));
  ASSERT_FALSE(IsRectEmpty(Black));
  EXPECT_LE(White.Right, 52);
  EXPECT_GE(Black.Left, 52);
  // Without a border colour only the outer ring is drawn, in the cell's colour.
  EXPECT_EQ(S.At(1, 10), Paper);
}

TEST(ExUtilProgress, OfficeProgressBlocksAndSegments) {
  TOfficeProgressStyle St;
  St.Level0Color = 0x000010;
  St.Level1Color = 0x000020;
  St.Level2Color = 0x000030;
  St.Level3Color = 0x000040;
  St.Level1Perc = 30;
  St.Level2Perc = 70;
  St.UnCompleteColor = 0x0000FF00;
  St.BorderColor = 0x00FF0000;
  St.ShowBorder = true;

  // Percent 0: the background and the outline only.
  Surface Z(102, 12);
  DrawOfficeProgress(Z.C(), Rect(0, 0, 102, 12), 0, St);
  EXPECT_EQ(Z.Count(St.BorderColor), 2 * 102 + 2 * 10);
  EXPECT_EQ(Z.Count(St.UnCompleteColor), 100 * 10);

  // Blocks: Size 100 and 50 %: t 50, five blocks of 7 with gaps of 2, then one of 4.
  Surface B(102, 12);
  DrawOfficeProgress(B.C(), Rect(0, 0, 102, 12), 50, St);
  std::string Row;
  for (Integer X = 0; X < 56; ++X) Row += B.At(X, 5) == St.Level1Color ? '#' : '.';
  EXPECT_EQ(Row, "..#######..#######..#######..#######..#######..####.....");
  EXPECT_EQ(B.At(5, 1), St.UnCompleteColor);
  EXPECT_EQ(B.At(5, 2), St.Level1Color);

  // Stacked to 100 %: three segments of 30, 40 and 30 pixels filling the Size.
  St.Stacked = true;
  Surface S(102, 12);
  DrawOfficeProgress(S.C(), Rect(0, 0, 102, 12), 100, St);
  EXPECT_EQ(S.BoundsOf(St.Level0Color), Rect(1, 1, 31, 11));
  EXPECT_EQ(S.BoundsOf(St.Level1Color), Rect(31, 1, 71, 11));
  EXPECT_EQ(S.BoundsOf(St.Level3Color), Rect(71, 1, 101, 11));

  // Smooth, not stacked: one bar in the colour of the level reached.
  St.Stacked = false;
  St.CompletionSmooth = true;
  Surface M(102, 12);
  DrawOfficeProgress(M.C(), Rect(0, 0, 102, 12), 80, St);
  EXPECT_EQ(M.BoundsOf(St.Level2Color), Rect(1, 1, 81, 11));
  Surface Full(102, 12);
  DrawOfficeProgress(Full.C(), Rect(0, 0, 102, 12), 100, St);
  EXPECT_EQ(Full.BoundsOf(St.Level3Color), Rect(1, 1, 101, 11));
  // A percentage past 100 keeps the bar inside its frame.
  Surface Over(102, 12);
  DrawOfficeProgress(Over.C(), Rect(0, 0, 102, 12), 150, St);
  EXPECT_EQ(Over.BoundsOf(St.Level3Color), Rect(1, 1, 101, 11));
}

TEST(ExUtilProgress, OfficeProgressPercentageText) {
  TOfficeProgressStyle St;
  St.UnCompleteColor = clWhite;
  St.ShowPercentage = true;
  St.CompleteFontColor = clBlack;
  TFont Font;
  Font.SetName(u"Tahoma");
  Font.SetHeight(-11);
  St.Font = &Font;
  Surface S(60, 20);
  DrawOfficeProgress(S.C(), Rect(0, 0, 60, 20), 0, St);
  const TRect Text = S.BoundsOf(clBlack);
  ASSERT_FALSE(IsRectEmpty(Text));
  // "0%" centred in the bar.
  EXPECT_LE(std::abs((Text.Left + Text.Right) / 2 - 30), 2);
  EXPECT_LE(std::abs((Text.Top + Text.Bottom) / 2 - 10), 3);
}

TEST(ExUtilProgress, ProgressPie) {
  const TColor Fill = 0x00123456;
  Surface Z(40, 40);
  DrawProgressPie(Z.C(), Rect(0, 0, 40, 40), Fill, 0, false);
  EXPECT_EQ(Z.Count(Fill), 0);
  EXPECT_EQ(Z.At(20, 10), TColor(0x808080));  // the radius to 12 o'clock
  EXPECT_EQ(Z.At(20, 0), TColor(0x808080));

  Surface Q(40, 40);
  DrawProgressPie(Q.C(), Rect(0, 0, 40, 40), Fill, 25, false);
  EXPECT_EQ(Q.At(28, 12), Fill);  // inside the quarter from 12 to 3 o'clock
  EXPECT_NE(Q.At(12, 28), Fill);
  EXPECT_NE(Q.At(28, 28), Fill);
  EXPECT_NE(Q.At(12, 12), Fill);
  EXPECT_EQ(Q.At(38, 38), Paper);  // outside the circle
}

TEST(ExUtilProgress, CentredBar) {
  const TColor Neg = 0x0000CC, Pos = 0x00CC00;
  // The bar area (2, 2, 102, 18): half 50, from column 52.
  Surface P(104, 20);
  DrawCenteredBar(P.C(), Rect(0, 0, 104, 20), 50, 100, false, Neg, Pos);
  EXPECT_EQ(P.BoundsOf(Pos), Rect(52, 2, 77, 18));
  Surface N(104, 20);
  DrawCenteredBar(N.C(), Rect(0, 0, 104, 20), -300, 100, false, Neg, Pos);
  EXPECT_EQ(N.BoundsOf(Neg), Rect(2, 2, 52, 18));
  // Without a maximum there is no scale and no bar.
  Surface Z(104, 20);
  DrawCenteredBar(Z.C(), Rect(0, 0, 104, 20), 5, 0, true, Neg, Pos);
  EXPECT_EQ(Z.Count(Pos), 0);
  // The value is written over the bar on a transparent background.
  Surface T(104, 20);
  T.C()->Font()->SetColor(clBlack);
  DrawCenteredBar(T.C(), Rect(0, 0, 104, 20), 50, 100, true, Neg, Pos);
  EXPECT_GT(T.Count(clBlack), 0);
  EXPECT_EQ(T.C()->BkMode(), TRANSPARENT);
  EXPECT_EQ(T.At(60, 3), Pos);
}

TEST(ExUtilProgress, CellShapes) {
  const TColor Brush = 0x00AA00, Pen = 0x0000AA;
  struct Row {
    const char* Name;
    Integer Shape;
    Integer W, H;
    TRect Painted;  // the bounding box of brush and pen together
  };
  const Row Rows[] = {
      {"rectangle", csRectangle, 20, 10, Rect(1, 1, 19, 9)},
      {"circle in a wide area", csCircle, 20, 10, Rect(0, 0, 10, 10)},
      {"ellipse", csEllips, 20, 10, Rect(0, 0, 20, 10)},
      {"square", csSquare, 20, 10, Rect(1, 1, 9, 9)},
      {"vertical line", csLineVert, 20, 10, Rect(10, 0, 11, 10)},
      {"horizontal line", csLineHorz, 20, 10, Rect(0, 5, 20, 6)},
      {"round square", csRoundSquare, 10, 20, Rect(0, 0, 10, 10)},
  };
  for (const Row& R : Rows) {
    Surface S(24, 24);
    DrawCellShape(S.C(), 0, 0, R.W, R.H, R.Shape, Brush, Pen);
    TRect Both;
    UnionRect(Both, S.BoundsOf(Brush), S.BoundsOf(Pen));
    EXPECT_EQ(Both, R.Painted) << R.Name;
  }

  // Shapes drawn as polygons, checked by points that must and must not be covered.
  Surface Star(16, 16);
  DrawCellShape(Star.C(), 0, 0, 16, 16, csStar, Brush, Pen);
  EXPECT_EQ(Star.At(8, 8), Brush);
  EXPECT_NE(Star.At(8, 2), Paper);  // in the top point
  EXPECT_EQ(Star.At(1, 1), Paper);
  EXPECT_EQ(Star.At(14, 14), Paper);

  Surface Half(16, 16);
  DrawCellShape(Half.C(), 0, 0, 16, 16, csHalfStar, Brush, Pen);
  EXPECT_EQ(Half.BoundsOf(Pen).Right, 9);  // nothing right of the centre line
  EXPECT_NE(Half.At(6, 7), Paper);

  Surface Up(16, 16);
  DrawCellShape(Up.C(), 0, 0, 16, 16, csArrowUp, Brush, Pen);
  EXPECT_EQ(Up.At(8, 4), Brush);   // the head
  EXPECT_EQ(Up.At(8, 13), Brush);  // the shaft
  EXPECT_EQ(Up.At(1, 13), Paper);

  Surface Tri(16, 16);
  DrawCellShape(Tri.C(), 0, 0, 16, 16, csTriangleRight, Brush, Pen);
  EXPECT_EQ(Tri.At(3, 8), Brush);
  EXPECT_EQ(Tri.At(13, 2), Paper);

  Surface None(16, 16);
  DrawCellShape(None.C(), 0, 0, 16, 16, 19, Brush, Pen);
  DrawCellShape(None.C(), 0, 0, 16, 16, -1, Brush, Pen);
  EXPECT_EQ(None.Count(Paper), 256);
}
