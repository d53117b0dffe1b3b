// TExStringGrid: what is painted around the cells rather than in them: the coloured outline of the
// gradient looks, the dotted lines that show where a dragged column or row lands, the soft focus
// frame around the edited cell, and the design-time quick configuration box.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridResources.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

namespace {

constexpr Integer DesignBoxWidth = 150;

void SetBoxFont(TCanvas* C) {
  C->Font()->SetName(u"Tahoma");
  C->Font()->SetSize(8);
  C->Font()->SetStyle(TFontStyles());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The coloured outline
// ---------------------------------------------------------------------------------------------

void TExStringGrid::WMNCPaint(TMessage& M) {
  TBaseGrid::WMNCPaint(M);
  if (FUpdateCount > 0) return;
  PaintNCBorder();
  M.Result = 0;
}

void TExStringGrid::PaintNCBorder() {
  if (FUpdateCount > 0) return;
  const bool LookWithOutline = FLook == glSoft || FLook == glNorv || FLook == glXP || FLook == glListView ||
                               FLook == glVista || FLook == glWin7 || FLook == glOffice2007;
  if (!LookWithOutline || BorderStyle() == bsNone || FBorderColor == clNone || FFlat) return;
  // The window system gives the control no frame of its own: the outline is drawn on the control's
  // own pixels, over the outermost ones.
  TCanvas* C = Canvas();
  const TColor SavedPen = C->Pen()->Color();
  const TBrushStyle SavedBrush = C->Brush()->Style();
  C->Brush()->SetStyle(bsClear);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  if (FFitCellsInGrid) {
    C->Pen()->SetColor(FBorderColor);
    C->Rectangle(1, 1, Width() - 1, Height() - 1);
    if (Parent()) {
      C->Pen()->SetColor(Parent()->Color());
      C->Rectangle(0, 0, Width(), Height());
    }
  } else if (FIsComCtl6) {
    C->Pen()->SetColor(FBorderColor);
    C->Rectangle(0, 0, Width(), Height());
  }
  C->Brush()->SetStyle(SavedBrush);
  C->Pen()->SetColor(SavedPen);
}

// ---------------------------------------------------------------------------------------------
// Move indicators
// ---------------------------------------------------------------------------------------------

// The lines invert what they cross (a black pen in "not xor" mode), so they show on any colour and
// the same line drawn again removes itself.

void TExStringGrid::DrawColumnMoveIndicator(Integer X) {
  TCanvas* C = Canvas();
  TPen Saved;
  Saved.Assign(C->Pen());
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetStyle(psDot);
  C->Pen()->SetMode(pmNotXor);
  C->Pen()->SetWidth(1);
  Integer Bottom = Height();
  if (RowCount() > 0) {
    const TRect Last = RawCellRect(0, RowCount() - 1);
    Bottom = std::max(Bottom, Last.Bottom);
  }
  C->MoveTo(X, 0);
  C->LineTo(X, Bottom);
  C->SetPen(&Saved);
}

void TExStringGrid::DrawRowMoveIndicator(Integer Y) {
  TCanvas* C = Canvas();
  TPen Saved;
  Saved.Assign(C->Pen());
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetStyle(psDot);
  C->Pen()->SetMode(pmNotXor);
  C->Pen()->SetWidth(1);
  Integer Right = Width();
  if (ColCount() > 0) {
    const TRect Last = RawCellRect(ColCount() - 1, 0);
    Right = std::max(Right, Last.Right);
  }
  C->MoveTo(0, Y);
  C->LineTo(Right, Y);
  C->SetPen(&Saved);
}

// ---------------------------------------------------------------------------------------------
// Focus frame
// ---------------------------------------------------------------------------------------------

void TExStringGrid::ShowFocusFrame(TRect R) {
  if (!FFocusWindow) return;
  const TPoint TL = ClientToScreen(TPoint(R.Left, R.Top));
  FFocusFrameCell = TRect(TL.X, TL.Y, TL.X + R.Width(), TL.Y + R.Height());
  ShowGridFocusFrame(FFocusWindow, FFocusFrameCell);
  FFocusFrameShown = true;
}

void TExStringGrid::MoveFocusFrame() {
  if (!FFocusWindow || !FFocusFrameShown) return;
  const TRect R = CellRect(Col(), Row());
  const TPoint TL = ClientToScreen(TPoint(R.Left, R.Top));
  if (FFocusFrameCell == TRect(TL.X, TL.Y, TL.X + R.Width(), TL.Y + R.Height())) return;
  ShowFocusFrame(R);
}

void TExStringGrid::HideFocusFrame() {
  if (ActiveFocusGrid == this) ActiveFocusGrid = nullptr;
  FFocusFrameShown = false;
  HideGridFocusFrame(FFocusWindow);
}

// ---------------------------------------------------------------------------------------------
// Quick configuration box (design time)
// ---------------------------------------------------------------------------------------------

bool TExStringGrid::DesignHelperShown() { return HasState(csDesigning) && FShowDesignHelper; }

TRect TExStringGrid::DesignHelperRect() {
  TCanvas* C = Canvas();
  TFont Old;
  Old.Assign(C->Font());
  SetBoxFont(C);
  const Integer TH = C->TextHeight(u"gh");
  C->Font()->Assign(&Old);
  const TRect Client = ClientRect();
  const Integer H = 4 * TH + 18;
  return TRect(Client.Right - DesignBoxWidth, Client.Bottom - H, Client.Right, Client.Bottom);
}

void TExStringGrid::PaintDesignHelper() {
  if (!DesignHelperShown()) return;
  TCanvas* C = Canvas();
  const TRect Box = DesignHelperRect();
  TFont Old;
  Old.Assign(C->Font());
  SetBoxFont(C);
  const Integer TH = C->TextHeight(u"gh");
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clInfoBk);
  C->Pen()->SetColor(0x808080);
  C->Pen()->SetWidth(1);
  C->Rectangle(Box);
  C->Font()->SetColor(0x800000);
  C->Brush()->SetStyle(bsClear);
  C->TextOut(Box.Left + 4, Box.Top + 4, u"Quick config [v" + Version() + u"]");
  RegisterGridResources();
  TBitmap Close;
  Close.LoadFromResourceName(u"ESGCLOSE");
  Close.SetTransparent(true);
  C->Draw(Box.Right - 16, Box.Top + 2, &Close);

  auto Item = [&](Integer Index, const String& Caption, bool HasCheck, bool Checked) {
    const Integer Y = Box.Top + 4 + Index * (TH + 2);
    Integer X = Box.Left + 4;
    if (HasCheck) {
      DrawCheckBox(C, TRect(X, Y, X + 16, Y + 16), Checked, true, false, csWinXP, false, cbUnchecked);
      X += 18;
    }
    C->Font()->SetStyle(FLastDesignChoice == Index ? TFontStyles{fsUnderline} : TFontStyles());
    C->TextOut(X, Y + 1, Caption);
  };
  Item(1, u"Allow edit", true, Options().Contains(goEditing));
  Item(2, u"Column numbers", true, FShowColNrs);
  Item(3, u"Set look: " + GridLookToDisplayName(FLook), false, false);
  C->Brush()->SetStyle(bsSolid);
  C->Font()->Assign(&Old);
}

Integer TExStringGrid::DesignHelperHitTest(Integer X, Integer Y) {
  if (!DesignHelperShown()) return -1;
  const TRect Box = DesignHelperRect();
  if (X > Box.Right - 16 && X < Box.Right && Y >= Box.Top && Y < Box.Top + 16) return 4;
  TCanvas* C = Canvas();
  TFont Old;
  Old.Assign(C->Font());
  SetBoxFont(C);
  const Integer TH = C->TextHeight(u"gh");
  const String Captions[] = {u"Allow edit", u"Column numbers", u"Set look: " + GridLookToDisplayName(FLook)};
  Integer Hit = -1;
  for (Integer I = 1; I <= 3 && Hit < 0; ++I) {
    const Integer Top = Box.Top + 4 + I * (TH + 2);
    const Integer Right = Box.Left + 4 + (I < 3 ? 18 : 0) + C->TextWidth(Captions[I - 1]);
    if (X >= Box.Right - DesignBoxWidth && X <= Right && Y >= Top && Y < Top + TH + 2) Hit = I;
  }
  C->Font()->Assign(&Old);
  return Hit;
}

void TExStringGrid::CMDesignHitTest(TMessage& M) {
  TBaseGrid::CMDesignHitTest(M);
  const Integer X = static_cast<int16_t>(M.LParam & 0xFFFF);
  const Integer Y = static_cast<int16_t>((M.LParam >> 16) & 0xFFFF);
  const Integer Choice = DesignHelperHitTest(X, Y);
  if (Choice != FLastDesignChoice) {
    FLastDesignChoice = Choice;
    const TRect Client = ClientRect();
    RepaintRect(TRect(Client.Right - DesignBoxWidth, Client.Bottom - 70, Client.Right, Client.Bottom));
  }
  if (Choice >= 1 && Choice <= 4) M.Result = 1;
}

void TExStringGrid::DesignHelperClick(Integer X, Integer Y) {
  const Integer Choice = DesignHelperHitTest(X, Y);
  switch (Choice) {
    case 1: {
      TGridOptions O = Options();
      SetOptions(O.Contains(goEditing) ? (O >> goEditing) : (O << goEditing));
      break;
    }
    case 2:
      FShowColNrs = !FShowColNrs;
      Invalidate();
      break;
    case 3: {
      // The looks in the order the menu offers them; the command is the look's ordinal + 1.
      static const TGridLook Looks[] = {glStandard, glSoft,  glClassic, glNorv, glListView,
                                        glOffice2007, glXP, glVista, glWin7};
      static const char16_t* const Names[] = {u"Standard",    u"Soft",       u"Classic",
                                              u"Norv",        u"ListView",   u"Office 2007",
                                              u"Windows XP",  u"Windows Vista", u"Windows 7"};
      std::vector<TRawMenuEntry> Entries;
      for (size_t I = 0; I < std::size(Looks); ++I) {
        TRawMenuEntry E;
        E.Caption = Names[I];
        E.Id = static_cast<Word>(Looks[I] + 1);
        E.Checked = Looks[I] == FLook;
        Entries.push_back(E);
      }
      const Integer Id = TrackPopupMenu(Entries, ClientToScreen(TPoint(X, Y)));
      if (Id > 0) SetLook(static_cast<TGridLook>(Id - 1));
      break;
    }
    case 4:
      SetShowDesignHelper(false);
      break;
    default:
      return;
  }
  if (Choice >= 1 && Choice <= 3) {
    if (TCustomForm* Form = GetParentForm(this)) {
      Form->SetWidth(Form->Width() - 1);
      Form->SetWidth(Form->Width() + 1);
    }
  }
}
