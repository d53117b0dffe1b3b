// Button faces in four kinds, the small down triangle, bitmaps with a transparent colour, the red
// zig-zag under a marked text range, and the layered-window calls.
#include <memory>
#include <vector>

#include "components/gridbase/ExStyleIF.h"
#include "components/gridbase/ExUtil.h"
#include "components/gridbase/ExXPVS.h"
#include "platform/gui/StdCtrls.h"

namespace {

// The part of the tones that a button state uses.
const TColorTone& ToneOfState(const TColorTones& Tones, Byte State) {
  switch (State) {
    case bsHotState: return Tones.Hover;
    case bsDownState: return Tones.Selected;
    case bsDisabledState: return Tones.Disabled;
    default: return Tones.Background;
  }
}

// Draws one part of the window's theme data of the class; false when no theme data opens (no
// visual-styles library, or themes off), so the caller draws the classic face instead.
bool DrawThemedPart(TCanvas* Canvas, HWND Window, const Char* ThemeClass, Integer PartId, Integer StateId,
                    const TRect& R) {
  const HTHEME Theme = ThemeApi.OpenThemeData(Window, ThemeClass);
  if (Theme == 0) return false;
  ThemeApi.DrawThemeBackground(Theme, Canvas, PartId, StateId, &R, nullptr);
  ThemeApi.CloseThemeData(Theme);
  return true;
}

void FrameControl(TCanvas* Canvas, const TRect& R, Cardinal Type, Cardinal State) {
  TRect B = R;
  DrawFrameControl(Canvas, B, Type, State);
}

void Triangle(TCanvas* Canvas, TPoint A, TPoint B, TPoint C) { Canvas->Polygon(std::vector<TPoint>{A, B, C}); }

}  // namespace

void DrawComboButton(TCanvas* Canvas, HWND Window, const TRect& R, Byte Kind, Byte State, const TColorTones& Tones) {
  TRect B(R.Right - 17, R.Top + 1, R.Right, R.Bottom - 1);
  OffsetRect(B, -2, 0);
  const Cardinal Inactive = State == bsDisabledState ? DFCS_INACTIVE : 0;
  switch (Kind) {
    case bkThemed:
      if (DrawThemedPart(Canvas, Window, u"combobox", 1, State == bsDisabledState ? 4 : 1, B)) break;
      [[fallthrough]];
    case bkClassic:
      FrameControl(Canvas, B, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | Inactive);
      break;
    case bkFlat:
      FrameControl(Canvas, B, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | Inactive | DFCS_FLAT);
      break;
    case bkTones: {
      B.Left += 3;
      const TColor Face = ToneOfState(Tones, State).BrushColor;
      Canvas->Brush()->SetColor(Face);
      Canvas->Pen()->SetColor(Face);
      Canvas->Rectangle(B);
      Canvas->Pen()->SetColor(Tones.Background.BorderColor);
      Canvas->MoveTo(B.Left + 1, B.Top);
      Canvas->LineTo(B.Left + 1, B.Bottom);
      Canvas->Brush()->SetColor(Tones.Background.TextColor);
      Canvas->Pen()->SetColor(Tones.Background.TextColor);
      Triangle(Canvas, TPoint(B.Left + 5, B.Top + 8), TPoint(B.Left + 11, B.Top + 8), TPoint(B.Left + 8, B.Top + 11));
      break;
    }
    default:
      break;
  }
}

void DrawCellButton(TCanvas* Canvas, HWND Window, const TRect& R, Byte Kind, Byte State, const TColorTones& Tones) {
  Cardinal StateFlags = 0;
  Integer ThemeState = 1;
  switch (State) {
    case bsHotState: StateFlags = DFCS_HOT; ThemeState = 2; break;
    case bsDownState: StateFlags = DFCS_PUSHED; ThemeState = 3; break;
    case bsDisabledState: StateFlags = DFCS_INACTIVE; ThemeState = 4; break;
    default: break;
  }
  switch (Kind) {
    case bkThemed:
      if (DrawThemedPart(Canvas, Window, u"button", 1, ThemeState, R)) break;
      [[fallthrough]];
    case bkClassic:
      FrameControl(Canvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | StateFlags);
      break;
    case bkFlat:
      FrameControl(Canvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | StateFlags | DFCS_FLAT);
      break;
    case bkTones: {
      const TColorTone& Tone = ToneOfState(Tones, State);
      Canvas->Brush()->SetColor(Tone.BrushColor);
      Canvas->Pen()->SetColor(Tone.BorderColor);
      Canvas->Rectangle(R);
      break;
    }
    default:
      break;
  }
}

void DrawSpinButtons(TCanvas* Canvas, HWND Window, const TRect& R, Byte Kind, Byte State, const TColorTones& Tones) {
  TRect B(R.Right - 15, R.Top, R.Right, R.Bottom);
  OffsetRect(B, -1, -1);
  const Integer M = B.Top + (B.Bottom - B.Top) / 2;
  const TRect Up(B.Left, B.Top, B.Right, M);
  const TRect Down(B.Left, M + 1, B.Right, B.Bottom);
  const Cardinal Inactive = State == bsDisabledState ? DFCS_INACTIVE : 0;
  switch (Kind) {
    case bkThemed: {
      const Integer ThemeState = State == bsDisabledState ? 4 : 1;
      if (DrawThemedPart(Canvas, Window, u"spin", 1, ThemeState, Up)) {
        DrawThemedPart(Canvas, Window, u"spin", 2, ThemeState, TRect(B.Left, M, B.Right, B.Bottom));
        break;
      }
      [[fallthrough]];
    }
    case bkClassic:
    case bkFlat: {
      const Cardinal Flat = Kind == bkFlat ? DFCS_FLAT : 0;
      FrameControl(Canvas, Up, DFC_SCROLL, DFCS_SCROLLUP | Inactive | Flat);
      FrameControl(Canvas, Down, DFC_SCROLL, DFCS_SCROLLDOWN | Inactive | Flat);
      break;
    }
    case bkTones: {
      const TColor Face = ToneOfState(Tones, State).BrushColor;
      Canvas->Brush()->SetColor(Face);
      Canvas->Pen()->SetColor(Face);
      Canvas->Rectangle(Up);
      Canvas->Rectangle(Down);
      Canvas->Brush()->SetColor(clBlack);
      Canvas->Pen()->SetColor(clBlack);
      Triangle(Canvas, TPoint(B.Left + 5, B.Top + 5), TPoint(B.Left + 9, B.Top + 5), TPoint(B.Left + 7, B.Top + 3));
      Triangle(Canvas, TPoint(B.Left + 5, M + 2), TPoint(B.Left + 9, M + 2), TPoint(B.Left + 7, M + 4));
      break;
    }
    default:
      break;
  }
}

void DrawDownTriangle(TCanvas* Canvas, Integer X, Integer Y, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->Pen()->SetColor(Color);
  Triangle(Canvas, TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3));
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R) {
  if (!Bitmap || Bitmap->Empty()) return;
  const Integer W = Bitmap->Width();
  const Integer H = Bitmap->Height();
  TBitmap Work(W, H);
  Work.Canvas()->Brush()->SetColor(BackgroundColor);
  const TRect Area(0, 0, W, H);
  Work.Canvas()->BrushCopy(Area, Bitmap, Area, Bitmap->Canvas()->Pixels(0, 0));
  Canvas->Draw(R.Left, R.Top, &Work);
}

void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const String& ResName) {
  TBitmap Bitmap;
  Bitmap.LoadFromResourceName(ResName);
  DrawBitmapTransparent(Canvas, &Bitmap, BackgroundColor, R);
}

void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const String& Text, const TRect& R, Integer YOffset,
                        Integer ErrorFrom, Integer ErrorLength) {
  // An invisible edit field at the cell's place tells where its characters stand.
  auto* Edit = new TEdit(Owner);
  Edit->SetVisible(false);
  Edit->SetParent(Owner);
  Edit->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  Edit->SetText(Text);
  auto PosOf = [Edit](Integer Index) {
    const LRESULT P = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
    return TPoint(SmallIntLo(static_cast<uintptr_t>(P)), SmallIntHi(static_cast<uintptr_t>(P)));
  };
  const Integer Len = Length(Text);
  TPoint Start, End;
  if (ErrorFrom >= Len) {
    Start = PosOf(Len);
    Start.X += 4;
  } else {
    Start = PosOf(ErrorFrom);
  }
  if (ErrorFrom + ErrorLength >= Len) {
    End = PosOf(Len - 1);
    End.X += 4;
    End.Y = Start.Y;
  } else {
    End = PosOf(ErrorFrom + ErrorLength - 1);
  }
  TComponent::Free(Edit);

  Canvas->Pen()->SetColor(clRed);
  Canvas->Pen()->SetWidth(2);
  Canvas->MoveTo(R.Left + Start.X, R.Top + Start.Y + YOffset + 3);
  Integer G = 3;
  Integer D = Start.X;
  for (; D <= End.X; D += 3) {
    G = 3 - G;
    Canvas->LineTo(R.Left + D + 3, R.Top + End.Y + YOffset + G);
  }
  G = 3 - G;
  Canvas->LineTo(R.Left + D + 3, R.Top + End.Y + YOffset + G);
}

bool DynUpdateLayeredWindow(HWND Wnd, TCanvas* DstDC, const TPoint* DstPos, const TSize* Size, TCanvas* SrcDC,
                            const TPoint* SrcPos, TColor Key, const TBlendFunction* Blend, Cardinal Flags) {
  BLENDFUNCTION B;
  if (Blend) {
    B.BlendOp = Blend->BlendOp;
    B.BlendFlags = Blend->BlendFlags;
    B.SourceConstantAlpha = Blend->SourceConstantAlpha;
    B.AlphaFormat = Blend->AlphaFormat;
  }
  return UpdateLayeredWindow(Wnd, DstDC, DstPos, Size, SrcDC, SrcPos, Key, Blend ? &B : nullptr, Flags);
}

bool DynSetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, Cardinal Flags) {
  return SetLayeredWindowAttributes(Wnd, Key, Alpha, Flags);
}
