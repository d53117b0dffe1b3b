// The carrier components of the string grid's binary cell stream: nine small components, each
// holding one kind of grid data (the stream's header, a cell, a cell's properties, its graphic, the
// graphic's bitmap, icon, picture, file picture or string list) as properties, so that a save or a
// load moves the data through one carrier of each kind, reused for every item. A carrier that holds
// an object makes it in its constructor and frees it in its destructor; writing an object property
// replaces the reference without copying or freeing.
//
// The carriers are registered in the class registry under their class names, so that a reader can
// create them by the name a record carries. The simple ones (header, cell, string list) also give
// their properties as stream values and take them back, in the order a record lists them.
#pragma once

#include <vector>

#include "components/grid/ExCGridStream.h"
#include "platform/gui/Component.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TBaseGrid;
class TCellProperties;
class TCellGraphic;
class TFilePicture;

// The header of a stream: the size of the saved rectangle, its column widths and row heights as
// decimal numbers joined by ",", whether it is the whole grid, and the writing grid's identity.
class TGridPropIO : public TComponent {
 public:
  using TComponent::TComponent;
  String ClassName() const override { return u"TGridPropIO"; }
  Integer ColCount() const { return FColCount; }
  void SetColCount(Integer Value) { FColCount = Value; }
  Integer RowCount() const { return FRowCount; }
  void SetRowCount(Integer Value) { FRowCount = Value; }
  const String& ColWidths() const { return FColWidths; }
  void SetColWidths(const String& Value) { FColWidths = Value; }
  const String& RowHeights() const { return FRowHeights; }
  void SetRowHeights(const String& Value) { FRowHeights = Value; }
  bool FullGrid() const { return FFullGrid; }
  void SetFullGrid(bool Value) { FFullGrid = Value; }
  Integer ID() const { return FID; }
  void SetID(Integer Value) { FID = Value; }

  // ColCount, RowCount, ColWidths, RowHeights (when not empty), FullGrid, ID.
  std::vector<TStreamProperty> StreamProperties() const;
  // Takes the values it knows; false for a property name it does not have.
  bool ReadStreamProperty(const TStreamProperty& P);

 private:
  Integer FColCount = 0;
  Integer FRowCount = 0;
  String FColWidths;
  String FRowHeights;
  bool FFullGrid = false;
  Integer FID = 0;
};

// One cell: its coordinates (16-bit, so cells up to index 65535), its text, and whether a
// properties record follows.
class TGridCellIO : public TComponent {
 public:
  explicit TGridCellIO(TComponent* AOwner);
  ~TGridCellIO() override;
  String ClassName() const override { return u"TGridCellIO"; }
  Word Col() const { return FCol; }
  void SetCol(Word Value) { FCol = Value; }
  Word Row() const { return FRow; }
  void SetRow(Word Value) { FRow = Value; }
  const String& Cell() const { return FCell; }
  void SetCell(const String& Value) { FCell = Value; }
  bool HasProp() const { return FHasProp; }
  void SetHasProp(bool Value) { FHasProp = Value; }

  // Col, Row, Cell (when not empty), HasProp.
  std::vector<TStreamProperty> StreamProperties() const;
  bool ReadStreamProperty(const TStreamProperty& P);

 private:
  Word FCol = 0;
  Word FRow = 0;
  String FCell;
  bool FHasProp = false;
};

// One cell's properties; its own TCellProperties is made for the owner grid (the owner must be a
// grid) at column 0, row 0. HasGraphic says that a graphic record follows.
class TGridCellPropIO : public TComponent {
 public:
  explicit TGridCellPropIO(TComponent* AOwner);
  ~TGridCellPropIO() override;
  String ClassName() const override { return u"TGridCellPropIO"; }
  TCellProperties* CellProperties() const { return FCellProperties; }
  void SetCellProperties(TCellProperties* Value) { FCellProperties = Value; }
  bool HasGraphic() const { return FHasGraphic; }
  void SetHasGraphic(bool Value) { FHasGraphic = Value; }

 private:
  TCellProperties* FCellProperties;
  bool FHasGraphic = false;
};

// A cell's graphic settings (type, alignment, index, values).
class TGridGraphicIO : public TComponent {
 public:
  explicit TGridGraphicIO(TComponent* AOwner);
  ~TGridGraphicIO() override;
  String ClassName() const override { return u"TGridGraphicIO"; }
  TCellGraphic* CellGraphic() const { return FCellGraphic; }
  void SetCellGraphic(TCellGraphic* Value) { FCellGraphic = Value; }

 private:
  TCellGraphic* FCellGraphic;
};

// The bitmap of a bitmap or bitmap-button graphic.
class TGridBMPIO : public TComponent {
 public:
  explicit TGridBMPIO(TComponent* AOwner);
  ~TGridBMPIO() override;
  String ClassName() const override { return u"TGridBMPIO"; }
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value) { FBitmap = Value; }

 private:
  TBitmap* FBitmap;
};

// The icon of an icon graphic.
class TGridIconIO : public TComponent {
 public:
  explicit TGridIconIO(TComponent* AOwner);
  ~TGridIconIO() override;
  String ClassName() const override { return u"TGridIconIO"; }
  TIcon* Icon() const { return FIcon; }
  void SetIcon(TIcon* Value) { FIcon = Value; }

 private:
  TIcon* FIcon;
};

// The picture of a picture graphic.
class TGridPicIO : public TComponent {
 public:
  explicit TGridPicIO(TComponent* AOwner);
  ~TGridPicIO() override;
  String ClassName() const override { return u"TGridPicIO"; }
  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture = Value; }

 private:
  TPicture* FPicture;
};

// The picture of a file-picture graphic, known by its file name.
class TGridFilePicIO : public TComponent {
 public:
  explicit TGridFilePicIO(TComponent* AOwner);
  ~TGridFilePicIO() override;
  String ClassName() const override { return u"TGridFilePicIO"; }
  TFilePicture* Picture() const { return FPicture; }
  void SetPicture(TFilePicture* Value) { FPicture = Value; }

 private:
  TFilePicture* FPicture;
};

// The captions of a radio graphic, or the image indexes of an images graphic as comma text.
class TGridSLIO : public TComponent {
 public:
  explicit TGridSLIO(TComponent* AOwner);
  ~TGridSLIO() override;
  String ClassName() const override { return u"TGridSLIO"; }
  TStringList* Strings() const { return FStrings; }
  void SetStrings(TStringList* Value) { FStrings = Value; }

  // Strings.Strings as a list of strings; an empty list writes nothing.
  std::vector<TStreamProperty> StreamProperties() const;
  bool ReadStreamProperty(const TStreamProperty& P);

 private:
  TStringList* FStrings;
};

// Registers the nine carriers in the class registry (again is harmless).
void RegisterGridStreamCarriers();

// A carrier of the header, cell or string-list kind as one component record of the binary stream,
// and read back from one: the record must be of the carrier's class, and a property it does not
// know raises EReadError.
void WriteCarrier(TStream* Stream, TComponent* Carrier);
void ReadCarrier(TStream* Stream, TComponent* Carrier);
