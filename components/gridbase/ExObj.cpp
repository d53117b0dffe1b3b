// The grid's small helper objects: integer and sort-index lists, the cell control list, the text
// file string list and the file picture.
#include "components/gridbase/ExObj.h"

#include <cstdint>
#include <memory>

#include "platform/rtl/SysUtils.h"

namespace {

void* ToEntry(Integer Value) { return reinterpret_cast<void*>(static_cast<intptr_t>(Value)); }
Integer FromEntry(void* P) { return static_cast<Integer>(reinterpret_cast<intptr_t>(P)); }

constexpr Cardinal kDescending = 0x80000000u;
constexpr Cardinal kColumnBits = 0x7FFFFFFFu;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIntList
// ---------------------------------------------------------------------------------------------

void TIntList::Changed() {
  if (OnChange) OnChange(this, FCol, FRow);
}

Integer TIntList::Add(Integer Value) {
  const Integer Index = TList::Add(ToEntry(Value));
  Changed();
  return Index;
}

void TIntList::Insert(Integer Index, Integer Value) { TList::Insert(Index, ToEntry(Value)); }

void TIntList::Delete(Integer Index) {
  TList::Delete(Index);
  Changed();
}

void TIntList::DeleteValue(Integer Value) {
  for (Integer i = 0; i < Count(); ++i)
    if (GetInteger(i) == Value) {
      Delete(i);
      return;
    }
}

bool TIntList::HasValue(Integer Value) const {
  for (Integer i = 0; i < Count(); ++i)
    if (GetInteger(i) == Value) return true;
  return false;
}

Integer TIntList::GetInteger(Integer Index) const { return FromEntry(Get(Index)); }

void TIntList::SetInteger(Integer Index, Integer Value) {
  Put(Index, ToEntry(Value));
  Changed();
}

String TIntList::StrValue() const {
  String S;
  for (Integer i = 0; i < Count(); ++i) {
    if (i > 0) S += u',';
    S += IntToStr(GetInteger(i));
  }
  return S;
}

void TIntList::SetStrValue(const String& Value) {
  TStringList Items;
  Items.SetCommaText(Value);
  TList::Clear();
  // Each item is added as it is converted: an item that is no integer raises the conversion
  // error, and the items before it stay in the list.
  for (Integer i = 0; i < Items.Count(); ++i) Add(StrToInt(Items[i]));
}

// ---------------------------------------------------------------------------------------------
// TSortIndexList
// ---------------------------------------------------------------------------------------------

void TSortIndexList::AddIndex(Integer ColumnIndex, bool Ascending) {
  Cardinal Entry = static_cast<Cardinal>(ColumnIndex);
  if (!Ascending) Entry |= kDescending;
  Add(static_cast<Integer>(Entry));
}

Integer TSortIndexList::FindIndex(Integer ColumnIndex) const {
  for (Integer i = 0; i < Count(); ++i)
    if (SortColumns(i) == ColumnIndex) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(Integer ColumnIndex) {
  const Integer i = FindIndex(ColumnIndex);
  if (i < 0) return;
  SetInteger(i, static_cast<Integer>(static_cast<Cardinal>(GetInteger(i)) ^ kDescending));
}

Integer TSortIndexList::SortColumns(Integer Index) const {
  return static_cast<Integer>(static_cast<Cardinal>(GetInteger(Index)) & kColumnBits);
}

void TSortIndexList::SetSortColumns(Integer Index, Integer Value) {
  const Cardinal Entry = (static_cast<Cardinal>(GetInteger(Index)) & kDescending) |
                         (static_cast<Cardinal>(Value) & kColumnBits);
  SetInteger(Index, static_cast<Integer>(Entry));
}

bool TSortIndexList::SortDirections(Integer Index) const {
  return (static_cast<Cardinal>(GetInteger(Index)) & kDescending) == 0;
}

void TSortIndexList::SetSortDirections(Integer Index, bool Value) {
  Cardinal Entry = static_cast<Cardinal>(GetInteger(Index));
  Entry = Value ? (Entry & kColumnBits) : (Entry | kDescending);
  SetInteger(Index, static_cast<Integer>(Entry));
}

String TSortIndexList::SaveToString() const {
  String S;
  for (Integer i = 0; i < Count(); ++i) {
    if (i > 0) S += u';';
    S += SortDirections(i) ? u"u" : u"d";
    S += IntToStr(static_cast<Integer>(static_cast<Cardinal>(GetInteger(i)) & 0xFFFFu));
  }
  return S;
}

void TSortIndexList::LoadFromString(const String& S) {
  TList::Clear();
  size_t Start = 0;
  while (Start <= S.size()) {
    size_t End = S.find(u';', Start);
    if (End == String::npos) End = S.size();
    const String Piece = S.substr(Start, End - Start);
    if (Piece.size() >= 2) {
      Integer Column = StrToIntDef(Piece.substr(1), 0);
      // A negative column would set the direction bit and name no column.
      if (Column < 0) Column = 0;
      AddIndex(Column, Piece[0] == u'u');
    }
    Start = End + 1;
  }
}

// ---------------------------------------------------------------------------------------------
// TControlList
// ---------------------------------------------------------------------------------------------

TControlList::~TControlList() {
  while (Count() > 0) RemoveControl(0);
}

void TControlList::AddControl(Integer X, Integer Y, TControl* AObject) { Add(new TControlItem(X, Y, AObject)); }

Integer TControlList::ControlIndex(Integer X, Integer Y) const {
  for (Integer i = 0; i < Count(); ++i) {
    const TControlItem* Item = GetControl(i);
    if (Item->X() == X && Item->Y() == Y) return i;
  }
  return -1;
}

bool TControlList::HasHandle(HWND Handle) const {
  for (Integer i = 0; i < Count(); ++i)
    if (auto* W = dynamic_cast<TWinControl*>(GetControl(i)->Control()))
      if (W->Handle() == Handle) return true;
  return false;
}

void TControlList::Clear() {
  while (Count() > 0) RemoveControl(Count() - 1);
  TList::Clear();
}

void TControlList::RemoveControl(Integer Index) {
  TControlItem* Item = GetControl(Index);
  Delete(Index);
  delete Item;
}

// ---------------------------------------------------------------------------------------------
// TFileStringList
// ---------------------------------------------------------------------------------------------

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(String& S) {
  S = Get(fp);
  ++fp;
}

void TFileStringList::Write(const String& S) { cache += S; }

void TFileStringList::WriteLn(const String& S) {
  Add(cache + S);
  cache.clear();
}

// ---------------------------------------------------------------------------------------------
// TFilePicture
// ---------------------------------------------------------------------------------------------

namespace {

// A name that exists but is no regular file of a picture's size (a device, a pipe, a huge file):
// reading it whole on the GUI thread would never end or take all memory. A missing name is left to
// the picture loader, which raises its own error.
bool NotAPictureFile(const String& FileName) {
  return FileExists(FileName) && !IsRegularFileUpTo(FileName, MaxPictureFileSize);
}

}  // namespace

void TFilePicture::SetFilename(const String& Value) {
  FFilename = Value;
  // A device, a pipe or a huge file is refused before it is opened, as a file that cannot be read.
  if (NotAPictureFile(Value)) throw EFOpenError(u"Cannot open file \"" + Value + u"\". Not a picture file");
  auto Picture = std::make_unique<TPicture>();
  Picture->LoadFromFile(Value);
  FWidth = Picture->Width();
  FHeight = Picture->Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R) {
  // Drawing reads the file again on the GUI thread: a name that now stands for a device, a pipe or
  // a huge file draws nothing.
  if (FFilename.empty() || NotAPictureFile(FFilename)) return;
  auto Picture = std::make_unique<TPicture>();
  Picture->LoadFromFile(FFilename);
  if (Picture->Graphic()) Canvas->StretchDraw(R, Picture->Graphic());
}

void TFilePicture::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TFilePicture*>(Source)) {
    FFilename = S->FFilename;
    FWidth = S->FWidth;
    FHeight = S->FHeight;
    return;
  }
  TPersistent::Assign(Source);
}
