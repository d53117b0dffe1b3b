// Small helper objects the string grid keeps in cells, columns and its import and export routines:
// - TIntList: integers bound to one cell (image indexes and similar per-cell lists);
// - TSortIndexList: the multi-column sort order and its textual form;
// - TControlList: controls placed in cells;
// - TFileStringList: a string list read and written like a text file;
// - TFilePicture: a picture kept by its file name only and drawn stretched.
#pragma once

#include "components/gridbase/ExGridTypes.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

// A list of 32-bit integers bound to the cell (Col, Row). OnChange fires after Add, Delete and
// item writes with the list and its cell.
class TIntList : public TList {
 public:
  TIntList(Integer Col, Integer Row) : FCol(Col), FRow(Row) {}
  String ClassName() const override { return u"TIntList"; }

  Integer Col() const { return FCol; }
  Integer Row() const { return FRow; }

  Integer Add(Integer Value);
  // Inserts without firing OnChange.
  void Insert(Integer Index, Integer Value);
  void Delete(Integer Index);
  // Deletes the first entry equal to Value (firing OnChange); nothing when absent.
  void DeleteValue(Integer Value);
  bool HasValue(Integer Value) const;
  Integer GetInteger(Integer Index) const;
  void SetInteger(Integer Index, Integer Value);
  Integer Items(Integer Index) const { return GetInteger(Index); }
  void SetItems(Integer Index, Integer Value) { SetInteger(Index, Value); }

  // The entries in decimal joined by "," without blanks. Writing splits the text at commas and
  // blanks (double-quoted items allowed), clears the list without an event and adds every item
  // through Add; an item that is not an integer raises the conversion error, and the items
  // before it stay in the list (each of them fired OnChange).
  String StrValue() const;
  void SetStrValue(const String& Value);

  TImageChangeEvent OnChange;

 protected:
  void Changed();

 private:
  Integer FCol;
  Integer FRow;
};

// The sort levels of a multi-column sort in priority order. Each entry holds the column in bits
// 0-30 and bit 31 set for a descending level.
class TSortIndexList : public TIntList {
 public:
  TSortIndexList() : TIntList(0, 0) {}
  String ClassName() const override { return u"TSortIndexList"; }

  void AddIndex(Integer ColumnIndex, bool Ascending);
  // The first level sorting ColumnIndex, -1 when none.
  Integer FindIndex(Integer ColumnIndex) const;
  // Flips the direction of the first level sorting ColumnIndex; nothing when absent.
  void ToggleIndex(Integer ColumnIndex);
  Integer SortColumns(Integer Index) const;
  // Keeps the direction and replaces the column.
  void SetSortColumns(Integer Index, Integer Value);
  // True for an ascending level.
  bool SortDirections(Integer Index) const;
  void SetSortDirections(Integer Index, bool Value);

  // "u" (ascending) or "d" (descending) and the column's low 16 bits in decimal per level, joined
  // by ";": ascending 2 then descending 5 give "u2;d5".
  String SaveToString() const;
  // Replaces the levels with those of the text: pieces shorter than 2 characters are skipped; a
  // piece starting with the lowercase "u" is ascending, any other descending; a column that is not
  // a non-negative integer counts as 0.
  void LoadFromString(const String& S);
};

// A control placed in the cell (X, Y).
class TControlItem : public TObject {
 public:
  TControlItem(Integer X, Integer Y, TControl* AObject) : FX(X), FY(Y), FObject(AObject) {}
  String ClassName() const override { return u"TControlItem"; }
  Integer X() const { return FX; }
  void SetX(Integer Value) { FX = Value; }
  Integer Y() const { return FY; }
  void SetY(Integer Value) { FY = Value; }
  TControl* Control() const { return FObject; }
  void SetControl(TControl* Value) { FObject = Value; }

 private:
  Integer FX;
  Integer FY;
  TControl* FObject;
};

// The controls placed in cells. The list owns its items, not their controls.
class TControlList : public TList {
 public:
  TControlList() = default;
  ~TControlList() override;
  String ClassName() const override { return u"TControlList"; }

  void AddControl(Integer X, Integer Y, TControl* AObject);
  // The first item of the cell (X, Y), -1 when none.
  Integer ControlIndex(Integer X, Integer Y) const;
  // Some item's control is a windowed control with this handle.
  bool HasHandle(HWND Handle) const;
  TControlItem* GetControl(Integer Index) const { return static_cast<TControlItem*>(Get(Index)); }
  TControlItem* Control(Integer Index) const { return GetControl(Index); }
  // Frees item Index (not its control) and removes it.
  void RemoveControl(Integer Index);
  // Frees every item (not their controls): the list owns its items.
  void Clear() override;
};

// A string list used as an in-memory text file: ReadLn reads from a read position, Write and
// WriteLn build lines.
class TFileStringList : public TStringList {
 public:
  String ClassName() const override { return u"TFileStringList"; }
  // Back to the first line; the line being written is dropped.
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // The line at the read position, which then advances; past the end raises the list's index
  // error (callers test Eof first).
  void ReadLn(String& S);
  // Adds S to the line being written.
  void Write(const String& S);
  // Adds the line being written followed by S as a new line.
  void WriteLn(const String& S);

 private:
  Integer fp = 0;
  String cache;
};

// A picture known by its file name: its size is measured when the name is set, and it is read from
// the file again each time it is drawn.
class TFilePicture : public TPersistent {
 public:
  String ClassName() const override { return u"TFilePicture"; }
  const String& Filename() const { return FFilename; }
  // Stores the name, then loads the file to measure it; a missing or unreadable file raises the
  // picture loader's error (the name stays stored), and so does a device, a pipe or a file larger
  // than MaxPictureFileSize, which is not read.
  void SetFilename(const String& Value);
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  // Loads the file and draws it stretched into R; nothing for an empty name, a device, a pipe or a
  // file larger than MaxPictureFileSize.
  void DrawPicture(TCanvas* Canvas, const TRect& R);
  // Copies the name and size of another TFilePicture without loading.
  void Assign(TPersistent* Source) override;

 private:
  String FFilename;
  Integer FWidth = 0;
  Integer FHeight = 0;
};
