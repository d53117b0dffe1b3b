// TExStringGrid: the cell graphics that only show something: bitmaps, pictures, file pictures,
// icons, images of the grid's image list, self-drawing objects, rotated text, progress bars, pies,
// range indicators, comments, shapes and star ratings. Add… operations keep a reference to the
// caller's object; Create… operations make an object the graphic owns.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"

namespace {

TCellHAlign H(Byte V) { return static_cast<TCellHAlign>(V); }
TCellVAlign V(Byte Value) { return static_cast<TCellVAlign>(Value); }

}  // namespace

// --- Bitmaps, pictures, icons ----------------------------------------------------------------

void TExStringGrid::AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, Byte hal, Byte val) {
  CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, H(hal), V(val));
}

TBitmap* TExStringGrid::CreateBitmap(Integer ACol, Integer ARow, bool Transparent, Byte hal, Byte val) {
  auto* B = new TBitmap();
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetBitmap(B, Transparent, H(hal), V(val));
  G->SetCellCreated(true);
  return B;
}

TBitmap* TExStringGrid::GetBitmap(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G && G->CellType() == ctBitmap ? G->Bitmap() : nullptr;
}

void TExStringGrid::RemoveBitmap(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

void TExStringGrid::AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool Transparent, Byte StretchMode,
                               Integer Padding, Byte hal, Byte val) {
  CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, static_cast<TStretchMode>(StretchMode), Padding,
                                            H(hal), V(val));
}

TPicture* TExStringGrid::CreatePicture(Integer ACol, Integer ARow, bool Transparent, Byte StretchMode,
                                       Integer Padding, Byte hal, Byte val) {
  auto* P = new TPicture();
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetPicture(P, Transparent, static_cast<TStretchMode>(StretchMode), Padding, H(hal), V(val));
  G->SetCellCreated(true);
  return P;
}

TPicture* TExStringGrid::GetPicture(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G && G->CellType() == ctPicture ? G->Picture() : nullptr;
}

void TExStringGrid::RemovePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

void TExStringGrid::AddFilePicture(Integer ACol, Integer ARow, TFilePicture* AFilePicture, bool Transparent,
                                   Byte StretchMode, Integer Padding, Byte hal, Byte val) {
  CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, static_cast<TStretchMode>(StretchMode),
                                                Padding, H(hal), V(val));
}

TFilePicture* TExStringGrid::CreateFilePicture(Integer ACol, Integer ARow, bool Transparent, Byte StretchMode,
                                               Integer Padding, Byte hal, Byte val) {
  auto* P = new TFilePicture();
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetFilePicture(P, Transparent, static_cast<TStretchMode>(StretchMode), Padding, H(hal), V(val));
  G->SetCellCreated(true);
  return P;
}

TFilePicture* TExStringGrid::GetFilePicture(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G && G->CellType() == ctFilePicture ? G->FilePicture() : nullptr;
}

void TExStringGrid::RemoveFilePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }

void TExStringGrid::AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, Byte hal, Byte val) {
  CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, H(hal), V(val));
}

TIcon* TExStringGrid::CreateIcon(Integer ACol, Integer ARow, Byte hal, Byte val) {
  auto* I = new TIcon();
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetIcon(I, H(hal), V(val));
  G->SetCellCreated(true);
  return I;
}

void TExStringGrid::RemoveIcon(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

// --- Images of the grid's image list ---------------------------------------------------------

void TExStringGrid::AddImageIdx(Integer ACol, Integer ARow, Integer Aidx, Byte hal, Byte val) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, H(hal), V(val));
}

bool TExStringGrid::GetImageIdx(Integer ACol, Integer ARow, Integer& idx) {
  if (!FGridImages || GetCellType(ACol, ARow) != ctImageList) return false;
  idx = GetCellGraphic(ACol, ARow)->CellIndex();
  return true;
}

void TExStringGrid::SetImageIdx(Integer ACol, Integer ARow, Integer Idx) {
  if (!FGridImages || GetCellType(ACol, ARow) != ctImageList) return;
  GetCellGraphic(ACol, ARow)->SetCellIndex(Idx);
}

void TExStringGrid::RemoveImageIdx(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

void TExStringGrid::AddDataImage(Integer ACol, Integer ARow, Integer Aidx, Byte hal, Byte val) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, H(hal), V(val));
  if (GetCellEx(ACol, ARow).empty()) SetInts(ACol, ARow, Aidx);
}

bool TExStringGrid::HasDataImage(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  return GetCellType(B.X, B.Y) == ctDataImage;
}

void TExStringGrid::RemoveDataImage(Integer ACol, Integer ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
  SetCellEx(ACol, ARow, String());
}

void TExStringGrid::AddMultiImage(Integer ACol, Integer ARow, Integer Dir, Byte hal, Byte val) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, H(hal), V(val),
                                               [this](TObject* Sender, Integer C, Integer R) {
                                                 CellImagesChanged(Sender, C, R);
                                               });
}

void TExStringGrid::RemoveMultiImage(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

// --- Self-drawing objects ----------------------------------------------------------------------

void TExStringGrid::AddInterfacedCell(Integer ACol, Integer ARow, TCellDrawer* AObject) {
  CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TCellDrawer* TExStringGrid::GetInterfacedCell(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return G && G->CellType() == ctInterface ? G->Drawer() : nullptr;
}

void TExStringGrid::RemoveInterfacedCell(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }

// --- Rotated text ------------------------------------------------------------------------------

void TExStringGrid::AddRotated(Integer ACol, Integer ARow, int16_t AAngle, const String& s) {
  CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
  SetCellEx(ACol, ARow, s);
}

void TExStringGrid::SetRotated(Integer ACol, Integer ARow, int16_t AAngle) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G == FCellGraphic) G = CreateCellGraphic(ACol, ARow);
  G->SetAngle(AAngle);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

bool TExStringGrid::IsRotated(Integer ACol, Integer ARow, Integer& aAngle) {
  if (GetCellType(ACol, ARow) != ctRotated) return false;
  aAngle = GetCellGraphic(ACol, ARow)->CellAngle();
  return true;
}

void TExStringGrid::RemoveRotated(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }

// --- Progress bars, pies and range indicators -------------------------------------------------

void TExStringGrid::AddProgressFormatted(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor,
                                         TColor BKColor, TColor BKTextColor, const String& Fmt, Integer Min,
                                         Integer Max) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctProgress);
  G->SetCellHAlign(haLeft);
  G->SetCellVAlign(vaTop);
  G->SetCellBitmapColor(FGColor);
  G->SetCellIconColor(BKColor);
  G->SetCellIndex(FGTextColor);
  G->SetCellAngle(BKTextColor);
  G->SetCellErrFrom(Min);
  G->SetCellErrLen(Max);
  G->SetCellText(Fmt);
  G->SetCellBoolean(true);
  if (FAutoNumAlign) SetAlignments(ACol, ARow, taRightJustify);
}

void TExStringGrid::AddProgress(Integer ACol, Integer ARow, TColor FGColor, TColor BKColor) {
  AddProgressFormatted(ACol, ARow, FGColor, 0, BKColor, 0, String(), 0, 100);
  GetCellGraphic(ACol, ARow)->SetCellBoolean(false);
}

void TExStringGrid::AddProgressEx(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                  TColor BKTextColor) {
  AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, String(), 0, 100);
}

bool TExStringGrid::HasProgress(Integer ACol, Integer ARow) {
  return HasCellGraphicType(ACol, ARow, TCellTypes{ctProgress});
}

void TExStringGrid::RemoveProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

void TExStringGrid::AddExProgress(Integer ACol, Integer ARow, Integer Min, Integer Max) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctXPProgress);
  G->SetCellHAlign(haLeft);
  G->SetCellVAlign(vaTop);
  G->SetCellErrFrom(Min);
  G->SetCellErrLen(Max);
  G->SetCellBoolean(false);
  G->SetCellText(String());
}

void TExStringGrid::RemoveExProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }

void TExStringGrid::AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctProgressPie);
  G->SetCellHAlign(haBeforeText);
  G->SetCellVAlign(vaTop);
  G->SetCellBitmapColor(Color);
  G->SetCellAngle(Value);
}

void TExStringGrid::SetProgressPie(Integer ACol, Integer ARow, Integer Value) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType() != ctProgressPie) return;
  G->SetCellAngle(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

void TExStringGrid::RemoveProgressPie(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }

void TExStringGrid::AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                                      bool ShowValue) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctRangeIndicator);
  G->SetCellHAlign(haLeft);
  G->SetCellVAlign(vaTop);
  G->SetCellIndex(Range);
  G->SetCellBitmapColor(NegColor);
  G->SetCellIconColor(PosColor);
  G->SetCellBoolean(ShowValue);
}

void TExStringGrid::RemoveRangeIndicator(Integer ACol, Integer ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// --- Comments ----------------------------------------------------------------------------------

void TExStringGrid::AddColorComment(Integer ACol, Integer ARow, const String& Comment, TColor Color) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctComment);
  G->SetCellHAlign(haLeft);
  G->SetCellVAlign(vaTop);
  G->SetCellText(Comment);
  G->SetCellIndex(Color);
}

void TExStringGrid::AddComment(Integer ACol, Integer ARow, const String& Comment) {
  AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

bool TExStringGrid::IsComment(Integer ACol, Integer ARow, String& Comment) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType() != ctComment) return false;
  Comment = G->CellText();
  return true;
}

String TExStringGrid::GetComment(Integer ACol, Integer ARow) {
  String S;
  IsComment(ACol, ARow, S);
  return S;
}

void TExStringGrid::SetComment(Integer ACol, Integer ARow, const String& Value) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    AddComment(ACol, ARow, Value);
  else if (G->CellType() == ctComment)
    G->SetCellText(Value);
}

void TExStringGrid::RemoveComment(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TExStringGrid::RemoveAllComments() {
  String S;
  for (Integer C = 0; C < TotalColCount(); ++C)
    for (Integer R = 0; R < RowCount(); ++R)
      if (IsComment(C, R, S)) RemoveCellGraphicOfType(C, R, ctComment);
}

// --- Shapes and ratings ------------------------------------------------------------------------

void TExStringGrid::AddShape(Integer ACol, Integer ARow, Byte Shape, TColor FillColor, TColor LineColor, Byte hal,
                             Byte val) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctShape);
  G->SetCellAngle(Shape);
  G->SetCellIndex(FillColor);
  G->SetCellBitmapColor(LineColor);
  G->SetCellHAlign(H(hal));
  G->SetCellVAlign(V(val));
}

void TExStringGrid::SetShapeColor(Integer ACol, Integer ARow, TColor FillColor) {
  if (GetCellType(ACol, ARow) != ctShape) return;
  GetCellGraphic(ACol, ARow)->SetCellIndex(FillColor);
}

TColor TExStringGrid::GetShapeColor(Integer ACol, Integer ARow) {
  if (GetCellType(ACol, ARow) != ctShape) return clNone;
  return GetCellGraphic(ACol, ARow)->CellIndex();
}

void TExStringGrid::RemoveShape(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TExStringGrid::AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctRating);
  G->SetCellAngle(Scale);
  G->SetCellHAlign(haFull);
  G->SetCellIndex(FillColor);
  G->SetCellBitmapColor(EmptyColor);
}

bool TExStringGrid::HasRating(Integer ACol, Integer ARow) { return HasCellGraphicType(ACol, ARow, TCellTypes{ctRating}); }

void TExStringGrid::RemoveRating(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }
