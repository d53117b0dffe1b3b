// The colour cube, the spectrum and the discrete colour-box grid.
#include "components/dropdown/ExColorSelectorPanel.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// The spectrum picture

namespace {

// HSL with full saturation to RGB, H in degrees, L in 0..1.
TColor HueLightness(double H, double L) {
  const double C = (1.0 - std::fabs(2.0 * L - 1.0));
  const double HP = H / 60.0;
  const double X = C * (1.0 - std::fabs(std::fmod(HP, 2.0) - 1.0));
  double r = 0, g = 0, b = 0;
  if (HP < 1) {
    r = C; g = X;
  } else if (HP < 2) {
    r = X; g = C;
  } else if (HP < 3) {
    g = C; b = X;
  } else if (HP < 4) {
    g = X; b = C;
  } else if (HP < 5) {
    r = X; b = C;
  } else {
    r = C; b = X;
  }
  const double m = L - C / 2.0;
  auto channel = [m](double v) {
    return static_cast<Byte>(std::clamp<long>(std::lround((v + m) * 255.0), 0, 255));
  };
  return RGB(channel(r), channel(g), channel(b));
}

}  // namespace

TColor SpectrumColorAt(Integer X, Integer Y) {
  const double hue = 360.0 * X / 128.0;
  const double lightness = (127.5 - Y) / 128.0;
  return HueLightness(hue, lightness);
}

void RegisterSpectrumResource() {
  static bool registered = false;
  if (registered) return;
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(128, 128);
  TCanvas* c = bmp.Canvas();
  for (Integer y = 0; y < 128; ++y)
    for (Integer x = 0; x < 128; ++x) c->SetPixels(x, y, SpectrumColorAt(x, y));
  RegisterBitmapResource(SpectrumResourceName, bmp.SaveToMemory());
  registered = true;
}

// ---------------------------------------------------------------------------------------------
// TExColorCubePanel

namespace {

// The honeycomb's colours, row by row from the top; the rows hold 7 .. 13 .. 7 cells.
constexpr TColor CubeColors[TExColorCubePanel::CellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
    0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
    0xFF00CC, 0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
    0xFF00FF, 0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
    0x9900CC, 0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
    0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

String ComponentHint(TColor Color) {
  return u"Red: " + IntToStr(Color & 0xFF) + u",  Green: " + IntToStr((Color >> 8) & 0xFF) + u",  Blue: " +
         IntToStr((Color >> 16) & 0xFF);
}

}  // namespace

TExColorCubePanel::TExColorCubePanel(TComponent* AOwner) : TExCustomColorSelectorPanel(AOwner) {
  InitCells();
  SetShowRGBHint(true);
  SetDefaultSize();
}

void TExColorCubePanel::SetShowRGBHint(bool Value) {
  FShowRGBHint = Value;
  SetShowHint(Value);
}

void TExColorCubePanel::InitCells() {
  FCubeSize = TPoint(6, 3);
  Integer n = 1;
  for (Integer r = 1; r <= 13; ++r) {
    const Integer count = r <= 7 ? 6 + r : 20 - r;
    const Integer firstX = r <= 7 ? 55 - 6 * (r - 1) : 19 + 6 * (r - 7);
    const Integer y = 20 + 10 * (r - 1);
    for (Integer i = 0; i < count; ++i, ++n) {
      FCubeCells[n].Center = TPoint(firstX + 2 * FCubeSize.X * i, y);
      FCubeCells[n].Color = CubeColors[n - 1];
    }
  }
}

void TExColorCubePanel::SetDefaultSize() { SetBounds(FLeft, FTop, 182, 160); }

void TExColorCubePanel::ResetCube() {
  FHotIndex = -1;
  SetDefaultSize();
}

Integer TExColorCubePanel::CellAtPos(Integer X, Integer Y) const {
  const Integer limit = FCubeSize.X * FCubeSize.X;
  for (Integer i = 1; i <= CellCount; ++i) {
    const Integer dx = X - FCubeCells[i].Center.X, dy = Y - FCubeCells[i].Center.Y;
    if (dx * dx + dy * dy <= limit) return i;
  }
  return -1;
}

void TExColorCubePanel::SelectCell(TColor Colour, Integer CellIndex) {
  FSelectedColor = Colour;
  if (CellIndex >= 1 && CellIndex <= CellCount) {
    FSelectedIndex = CellIndex;
    return;
  }
  FSelectedIndex = -1;
  for (Integer i = 1; i <= CellCount; ++i)
    if (FCubeCells[i].Color == Colour) {
      FSelectedIndex = i;
      break;
    }
}

void TExColorCubePanel::DrawHexagon(TCanvas* ACanvas, Integer X, Integer Y, Integer A, Integer B) {
  const TPoint pts[6] = {TPoint(X - A, Y - B), TPoint(X, Y - 2 * B), TPoint(X + A, Y - B),
                         TPoint(X + A, Y + B), TPoint(X, Y + 2 * B), TPoint(X - A, Y + B)};
  ACanvas->Polygon(pts, 6);
}

void TExColorCubePanel::DrawCell(TCanvas* ACanvas, Integer Index) {
  if (Index < 1 || Index > CellCount) return;
  const TCubeCell& cell = FCubeCells[Index];
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetWidth(1);
  ACanvas->Pen()->SetColor(cell.Color);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(cell.Color);
  DrawHexagon(ACanvas, cell.Center.X, cell.Center.Y, FCubeSize.X, FCubeSize.Y);
  auto frame = [&](TColor outer) {
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Pen()->SetColor(outer);
    DrawHexagon(ACanvas, cell.Center.X, cell.Center.Y, 5, 3);
    ACanvas->Pen()->SetColor(clWhite);
    DrawHexagon(ACanvas, cell.Center.X, cell.Center.Y, 4, 2);
  };
  if (Index == FHotIndex) frame(clRed);
  if (Index == FSelectedIndex) frame(clBlack);
}

void TExColorCubePanel::Paint() {
  TCanvas* c = Canvas();
  for (Integer i = 1; i <= CellCount; ++i) DrawCell(c, i);
}

void TExColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TExCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
  const Integer cell = CellAtPos(X, Y);
  if (cell < 0) return;
  TCanvas* c = Canvas();
  if (FSelectedIndex >= 1) {
    const Integer old = FSelectedIndex;
    FSelectedIndex = -1;
    DrawCell(c, old);
  }
  SelectCell(FCubeCells[cell].Color, cell);
  DrawCell(c, cell);
  if (OnSelect) OnSelect(this);
}

void TExColorCubePanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TExCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const Integer cell = CellAtPos(X, Y);
  if (cell < 0) {
    if (FShowRGBHint) {
      SetHint(String());
      if (Application) Application->CancelHint();
    }
    return;
  }
  if (cell == FHotIndex) return;
  TCanvas* c = Canvas();
  if (FHotIndex >= 1) {
    const Integer old = FHotIndex;
    FHotIndex = -1;
    DrawCell(c, old);
  }
  FHotIndex = cell;
  DrawCell(c, cell);
  if (FShowRGBHint) {
    SetHint(ComponentHint(FCubeCells[cell].Color));
    if (Application) Application->CancelHint();
  }
}

// ---------------------------------------------------------------------------------------------
// TExColorSpectrumPanel

TExColorSpectrumPanel::TExColorSpectrumPanel(TComponent* AOwner) : TExCustomColorSelectorPanel(AOwner) {
  FSpectrumImage = new TImage(this);
  FSpectrumImage->SetParent(this);
  FSpectrumImage->SetBounds(0, 0, 128, 128);
  RegisterSpectrumResource();
  FSpectrumImage->Picture()->Bitmap()->LoadFromResourceName(SpectrumResourceName);
  FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) { SpectrumMouseMove(X, Y); };
  FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y) {
    if (Button == mbLeft) SpectrumMouseDown(X, Y);
  };
  // The platform keeps no table of program-defined cursors: the number falls back to the arrow,
  // which serves as the pointer over the spectrum.
  FSpectrumImage->SetCursor(crNorvPointer);
  UpdateLayout();
}

void TExColorSpectrumPanel::SetDefaultSize() { SetBounds(FLeft, FTop, 150, 174); }

void TExColorSpectrumPanel::UpdateLayout() {
  SetDefaultSize();
  const Integer left = (150 - 128) / 2;
  FSpectrumImage->SetBounds(left, 10, 128, 128);
  const TRect pic = FSpectrumImage->BoundsRect();
  FSelectedRect = Rect(pic.Left - 1, pic.Bottom + 8, pic.Left + 128 / 2 - 2, pic.Bottom + 28);
  FHotRect = Rect(FSelectedRect.Right + 4, FSelectedRect.Top, pic.Right + 1, FSelectedRect.Bottom);
  FHotColor = clNone;
  Invalidate();
}

void TExColorSpectrumPanel::DrawSwatch(TCanvas* ACanvas, const TRect& R, TColor Color) {
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetColor(clGray);
  ACanvas->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  ACanvas->Pen()->SetColor(clWhite);
  // No colour yet: the swatch shows the panel's background inside its frame.
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Color == clNone ? FColor : Color);
  ACanvas->Rectangle(R);
}

void TExColorSpectrumPanel::Paint() {
  TCanvas* c = Canvas();
  const TRect pic = FSpectrumImage->BoundsRect();
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(clWhite);
  c->Rectangle(pic.Left - 1, pic.Top - 1, pic.Right + 1, pic.Bottom + 1);
  c->Pen()->SetColor(clGray);
  c->Rectangle(pic.Left - 2, pic.Top - 2, pic.Right + 2, pic.Bottom + 2);
  DrawSwatch(c, FSelectedRect, FSelectedColor);
  DrawSwatch(c, FHotRect, FHotColor);
}

// The colour under the mouse is the picture's pixel, which is what the screen shows there.
void TExColorSpectrumPanel::SpectrumMouseMove(Integer X, Integer Y) {
  TBitmap* bmp = FSpectrumImage->Picture()->Bitmap();
  if (X < 0 || Y < 0 || X >= bmp->Width() || Y >= bmp->Height()) return;
  FHotColor = bmp->Canvas()->Pixels(X, Y);
  DrawSwatch(Canvas(), FHotRect, FHotColor);
}

void TExColorSpectrumPanel::SpectrumMouseDown(Integer /*X*/, Integer /*Y*/) {
  FSelectedColor = FHotColor;
  DrawSwatch(Canvas(), FSelectedRect, FSelectedColor);
  if (OnSelect) OnSelect(this);
}

// ---------------------------------------------------------------------------------------------
// The grid's appearance and boxes

void TColorBoxAppearance::LoadDefaults() {
  FBorderColor = 0xC5C5C5;
  FOuterBorderColorHot = 0x3694F2;
  FInnerBorderColorHot = 0x94E2FF;
  FOuterBorderColorSelected = 0x0000FF;
  FInnerBorderColorSelected = 0x94E2FF;
}

void TColorBoxAppearance::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TColorBoxAppearance*>(Source)) {
    FBorderColor = src->FBorderColor;
    FOuterBorderColorHot = src->FOuterBorderColorHot;
    FInnerBorderColorHot = src->FInnerBorderColorHot;
    FOuterBorderColorSelected = src->FOuterBorderColorSelected;
    FInnerBorderColorSelected = src->FInnerBorderColorSelected;
    return;
  }
  TPersistent::Assign(Source);
}

void TColorBoxItem::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (auto* items = dynamic_cast<TColorBoxItems*>(Collection())) items->DoChange();
}

void TColorBoxItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TColorBoxItem*>(Source)) {
    SetColor(src->FColor);
    FEnabled = src->FEnabled;
    FColorBoxPos = src->FColorBoxPos;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TCustomColorSelector

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TItemPanelT(AOwner, 4, false),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this)) {
  SetParentColor(true);
  SetItemColorStyle(scOffice2007);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetColumns(Integer Value) {
  if (Value == FColumns) return;
  FColumns = Value;
  UpdateLayout();
}

void TCustomColorSelector::SetColumnGap(Integer Value) {
  if (Value == FColumnGap) return;
  FColumnGap = Value;
  UpdateLayout();
}

void TCustomColorSelector::SetColorBoxWidth(Integer Value) {
  if (Value == FColorBoxWidth) return;
  FColorBoxWidth = Value;
  UpdateLayout();
}

void TCustomColorSelector::SetColorBoxHeight(Integer Value) {
  if (Value == FColorBoxHeight) return;
  FColorBoxHeight = Value;
  UpdateLayout();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value) {
  if (Value == FItemColorStyle) return;
  FItemColorStyle = Value;
  if (Value != scCustom) FColorBoxAppearance->LoadDefaults();
}

void TCustomColorSelector::AddDefaultPalette() {
  static constexpr TColor Palette[6][10] = {
      {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
      {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
      {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
      {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
      {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
      {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
  };
  static constexpr TItemPos Rows[6] = {ipStandAlone, ipTop, ipMiddle, ipMiddle, ipMiddle, ipBottom};
  FItems->Clear();
  FItemIndex = -1;
  FItemHot = -1;
  for (Integer r = 0; r < 6; ++r)
    for (Integer c = 0; c < 10; ++c) {
      TColorBoxItem* item = FItems->Add();
      item->SetColor(Palette[r][c]);
      item->SetColorBoxPos(Rows[r]);
    }
}

void TCustomColorSelector::GetItemSize(TSize& Size) { Size = TSize(FColorBoxWidth, FColorBoxHeight); }

void TCustomColorSelector::UpdateLayout() {
  if (FItems->Count() == 0) {
    SetBounds(FLeft, FTop, 100, 50);
    return;
  }
  // Rows of joined boxes touch, so a column of top, middle and bottom boxes forms one strip.
  const TSize extent =
      LayOutItemRows(FColumnGap, [this](Integer I) { return FItems->Items(I)->ColorBoxPos() == ipStandAlone; });
  FLaidOut = true;
  SetBounds(FLeft, FTop, extent.cx + 1, extent.cy);
  Invalidate();
}

void TCustomColorSelector::DrawItem(Integer Index, TCanvas* ACanvas) {
  if (!FLaidOut || !ACanvas || Index < 0 || Index >= FItems->Count()) return;
  TColorBoxItem* item = FItems->Items(Index);
  TRect R = item->ItemRect();
  const TColorBoxAppearance* app = FColorBoxAppearance.get();
  const bool hot = Index == FItemHot, selected = Index == FItemIndex;
  TColor outer = app->BorderColor(), inner = clNone;
  if (hot) {
    outer = app->OuterBorderColorHot();
    inner = app->InnerBorderColorHot();
  }
  if (selected) {
    outer = app->OuterBorderColorSelected();
    inner = app->InnerBorderColorSelected();
  }
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetWidth(1);
  if (item->Color() != clNone) {
    ACanvas->Pen()->SetColor(item->Color());
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(item->Color());
    ACanvas->Rectangle(R);
  }
  if (hot || selected) {
    ACanvas->Brush()->SetStyle(bsClear);
    if (outer != clNone) {
      ACanvas->Pen()->SetColor(outer);
      ACanvas->Rectangle(R);
      InflateRect(R, -1, -1);
    }
    if (inner != clNone) {
      ACanvas->Pen()->SetColor(inner);
      ACanvas->Rectangle(R);
    }
    return;
  }
  if (outer == clNone) return;
  ACanvas->Pen()->SetColor(outer);
  const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  switch (item->ColorBoxPos()) {
    case ipStandAlone:
      ACanvas->MoveTo(L, B);
      ACanvas->LineTo(L, T);
      ACanvas->LineTo(Rt, T);
      ACanvas->LineTo(Rt, B);
      ACanvas->LineTo(L, B);
      break;
    case ipTop:
      ACanvas->MoveTo(L, B);
      ACanvas->LineTo(L, T);
      ACanvas->LineTo(Rt, T);
      ACanvas->LineTo(Rt, B);
      break;
    case ipMiddle:
      ACanvas->MoveTo(L, T);
      ACanvas->LineTo(L, B);
      ACanvas->MoveTo(Rt, T);
      ACanvas->LineTo(Rt, B);
      break;
    case ipBottom:
      ACanvas->MoveTo(L, T);
      ACanvas->LineTo(L, B);
      ACanvas->LineTo(Rt, B);
      ACanvas->MoveTo(Rt, T);
      ACanvas->LineTo(Rt, B + 1);
      break;
  }
}

void TCustomColorSelector::Paint() {
  TCanvas* c = Canvas();
  for (Integer i = 0; i < FItems->Count(); ++i) DrawItem(i, c);
}

void TCustomColorSelector::InvalidateItem(Integer Index) {
  if (!FLaidOut || !ValidIndex(Index)) return;
  // The frame lines reach one pixel past the box's right and bottom edges.
  RedrawItemCell(Index, 1);
  // A neighbour joined to this box in a strip may share the erased line: draw it again. The
  // layout puts one box in a row for Columns below 1.
  const Integer columns = std::max<Integer>(1, FColumns);
  for (Integer i = Index - columns; i <= Index + columns; i += columns)
    if (i != Index && ValidIndex(i)) DrawItem(i, Canvas());
}

void TCustomColorSelector::ItemSelected(Integer Index) { FSelectedColor = FItems->Items(Index)->Color(); }

void TCustomColorSelector::SetSelectedColor(TColor Value) {
  if (Value == FSelectedColor) return;
  FSelectedColor = Value;
  if (Value == clNone) SetItemIndex(-1);
  for (Integer i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->Color() == Value) {
      SetItemIndex(i);
      return;
    }
  SetItemIndex(-1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown) {
  if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
  const Integer from = FItemIndex < 0 ? 0 : -1;
  switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
      if (!(EditorEnabled && !DroppedDown)) SelectPrevious();
      break;
    case VK_RIGHT:
      if (!(EditorEnabled && !DroppedDown)) SelectNext();
      break;
    case VK_UP:
      if (DroppedDown) {
        const Integer target = from == 0 ? 0 : FItemIndex - FColumns;
        if (target >= 0 && target < FItems->Count()) {
          SetItemIndex(target);
          break;
        }
      }
      SelectPrevious();
      break;
    case VK_DOWN:
      if (DroppedDown) {
        const Integer target = from == 0 ? 0 : FItemIndex + FColumns;
        if (target >= 0 && target < FItems->Count()) {
          SetItemIndex(target);
          break;
        }
      }
      SelectNext();
      break;
    default: break;
  }
}
