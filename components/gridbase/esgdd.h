// Drag and drop of the grid over the platform's data-exchange drag and drop:
// - TEnumFormats reads a data object someone else made: which formats it offers and their
//   contents (text, rich text, file list, grid column, grid cells);
// - TESGDropTarget classifies what is dragged over a control and hands a drop to one virtual
//   handler per kind of content;
// - TSourceDataObject with its enumerator TSourceEnumFormatEtc is the data a grid offers when a
//   drag starts from it, TESGDropSource its drop source;
// - DragDropText and DragDropColumn run a drag of cell text (with rich text and grid cells) or of
//   one column.
//
// Formats: 8-bit text (CF_TEXT, Windows-1252, NUL-terminated), Unicode text (CF_UNICODETEXT,
// NUL-terminated UTF-16), the file list (CF_HDROP, read only), and four formats registered by name:
// "Rich Text Format" (8-bit text), "Grid Column" (the column index, signed 32-bit little-endian),
// "TExStringGrid Cells" (signed 32-bit size n, 4 zero bytes, then n bytes of the grid's binary cell
// stream) and "UniformResourceLocator" (only its presence counts; the URL is the Unicode text).
#pragma once

#include <memory>

#include "components/gridbase/ExGridTypes.h"  // TGridSet
#include "platform/gui/DragDrop.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

enum TDropFormat : Byte { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
// Stored as a byte: bit 1 dfText, 2 dfFile, 4 dfCol, 8 dfRTF, 0x10 dfURL, 0x20 dfGridCells.
using TDropFormats = TGridSet<TDropFormat>;

// The registered format identifiers, 0 until RegisterDropFormats ran. Registering again gives the
// same identifiers; readers and the grid's data object register before they use them.
CLIPFORMAT DropRTFFormat();
CLIPFORMAT DropColumnFormat();
CLIPFORMAT DropCellsFormat();
CLIPFORMAT DropURLFormat();
void RegisterDropFormats();

// Whether drop targets take rich text (and a grid's data offers it); one switch for all grids, the
// last writer wins. Off at start.
void SetRTFDropAllowed(bool Value);
bool RTFDropAllowed();

// --- Reading a data object -----------------------------------------------------------------------------

class TEnumFormats : public TObject {
 public:
  // Registers the formats and takes the data object (see SetDataObject).
  explicit TEnumFormats(IDataObject* DataObject);
  ~TEnumFormats() override;
  String ClassName() const override { return u"TEnumFormats"; }

  IDataObject* DataObject() const { return FDataObject.Get(); }
  // Lets go of the old object and its enumerator; a new object is asked for its enumerator of
  // readable formats (EAssertionFailed "Cannot get the format enumerator" when it has none) and
  // the enumeration is reset.
  void SetDataObject(IDataObject* Value);
  // The number of Next calls since Reset, whether the last one found a format, and that format.
  Integer Count() const { return FCount; }
  bool Valid() const { return FValid; }
  const FORMATETC& FormatEtc() const { return FFormatEtc; }
  DWORD Aspect() const { return FFormatEtc.dwAspect; }
  void SetAspect(DWORD Value) { FFormatEtc.dwAspect = Value; }
  CLIPFORMAT Format() const { return FFormatEtc.cfFormat; }
  void SetFormat(CLIPFORMAT Value) { FFormatEtc.cfFormat = Value; }
  LONG Index() const { return FFormatEtc.lindex; }
  void SetIndex(LONG Value) { FFormatEtc.lindex = Value; }
  DWORD Medium() const { return FFormatEtc.tymed; }
  void SetMedium(DWORD Value) { FFormatEtc.tymed = Value; }

  bool Reset();
  bool Next();
  // Enumerates from the start until the format is current; false when the object lacks it.
  bool HasFormat(CLIPFORMAT ClipFormat);
  // The data of the current format in a medium of kind Tymed (0 unless the current format offers
  // all of Tymed's bits and the object hands it over). The block stays valid until the next
  // Handle or until this reader goes.
  HGLOBAL Handle(DWORD Tymed);
  HGLOBAL GlobalHandle() { return Handle(TYMED_HGLOBAL); }

  bool HasText() { return HasFormat(CF_UNICODETEXT); }
  bool HasFile() { return HasFormat(CF_HDROP); }
  bool HasRTF() { return HasFormat(DropRTFFormat()); }
  bool HasCol() { return HasFormat(DropColumnFormat()); }
  bool HasURL() { return HasFormat(DropURLFormat()); }
  bool HasGridCells() { return HasFormat(DropCellsFormat()); }

  // The Unicode text ("" when missing), the rich text ("" when missing), the grid cells (nullptr
  // when missing; the caller owns the stream) and the column (-1 when missing).
  String Text() { return ReadWideTextFormat(CF_UNICODETEXT); }
  String RTF() { return ReadAnsiTextFormat(DropRTFFormat()); }
  std::unique_ptr<TMemoryStream> Stream() { return ReadStreamFormat(DropCellsFormat()); }
  Integer Col() { return ReadIntFormat(DropColumnFormat()); }
  // Fills Files with the names of the file list (directly after HasFile, which leaves it current).
  void ReadFileList();
  TStringList* Files() const { return FFiles.get(); }

 private:
  // The locked bytes of the current format's block, copied out; false when there is none.
  bool ReadBlock(std::string& Bytes);
  void ReleaseMedium();
  Integer ReadIntFormat(CLIPFORMAT Format);
  std::unique_ptr<TMemoryStream> ReadStreamFormat(CLIPFORMAT Format);
  String ReadWideTextFormat(CLIPFORMAT Format);
  String ReadAnsiTextFormat(CLIPFORMAT Format);

  TComPtr<IDataObject> FDataObject;
  TComPtr<IEnumFORMATETC> FEnumerator;
  FORMATETC FFormatEtc;
  bool FValid = false;
  Integer FCount = 0;
  std::unique_ptr<TStringList> FFiles;
  STGMEDIUM FMedium;  // the medium of the last Handle, released after its payload was copied
};

// --- Drop target -----------------------------------------------------------------------------------------

class TESGDropTarget : public TRefCounted<IDropTarget> {
 public:
  TESGDropTarget() = default;

  bool AcceptText() const { return FAcceptText; }
  void SetAcceptText(bool Value) { FAcceptText = Value; }
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool Value) { FAcceptFiles = Value; }
  bool AcceptCols() const { return FAcceptCols; }
  void SetAcceptCols(bool Value) { FAcceptCols = Value; }
  bool AcceptURLs() const { return FAcceptURLs; }
  void SetAcceptURLs(bool Value) { FAcceptURLs = Value; }
  // The kinds of content the drag that entered last offers.
  TDropFormats DropFormats() const { return FDropFormats; }

  // Ctrl held: copy; else move when the offered effects hold it; else copy.
  static DWORD DropEffectFromKeys(DWORD KeyState, DWORD OfferedEffects);

  HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD* Effect) override;
  HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD* Effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD* Effect) override;

  // The handlers, in this order; Pt is the pointer in screen coordinates. The stream handed to
  // DropStream (nullptr when the cells could not be read) is freed after the call.
  virtual void DropText(TPoint /*Pt*/, const String& /*S*/) {}
  virtual void DropStream(TPoint /*Pt*/, TMemoryStream* /*Stream*/) {}
  virtual void DropCol(TPoint /*Pt*/, Integer /*Col*/) {}
  virtual void DropRTF(TPoint /*Pt*/, const String& /*S*/) {}
  virtual void DropFiles(TPoint /*Pt*/, TStrings* /*Files*/) {}
  virtual void DropURL(TPoint /*Pt*/, const String& /*S*/) {}
  virtual void DragMouseMove(TPoint /*Pt*/, bool& /*Allow*/, TDropFormats /*DropFormats*/) {}
  virtual void DragMouseEnter() {}
  virtual void DragMouseLeave() {}

 protected:
  bool FOk = false;  // the data being dragged can be dropped here
  bool FAcceptText = true;
  bool FAcceptFiles = true;
  bool FAcceptCols = false;
  bool FAcceptURLs = true;
  TDropFormats FDropFormats;
};

// --- Drag source ------------------------------------------------------------------------------------------

class TSourceDataObject : public TRefCounted<IDataObject> {
 public:
  // The text, the rich text, the column index (-1: no column) and the grid cells (nullptr: none;
  // the stream is read when the data is asked for, not copied or freed here).
  TSourceDataObject(const String& stxt, const String& srtf, Integer sidx, TMemoryStream* ms);

  HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) override;
  HRESULT GetDataHere(const FORMATETC* Format, STGMEDIUM* Medium) override;
  HRESULT QueryGetData(const FORMATETC* Format) override;
  HRESULT GetCanonicalFormatEtc(const FORMATETC* FormatIn, FORMATETC* FormatOut) override;
  HRESULT SetData(const FORMATETC* Format, STGMEDIUM* Medium, bool Release) override;
  HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override;
  HRESULT DAdvise(const FORMATETC* Format, DWORD Flags, IUnknown* Sink, DWORD* Connection) override;
  HRESULT DUnadvise(DWORD Connection) override;
  HRESULT EnumDAdvise(IUnknown** Enum) override;

 private:
  String textdata;
  String rtfdata;
  Integer scolidx;
  TMemoryStream* memstr;
};

// Lists CF_TEXT, CF_UNICODETEXT and the rich-text format (also for data without text), then the
// column format when a column is offered and the cells format (always last) when cells are.
class TSourceEnumFormatEtc : public TRefCounted<IEnumFORMATETC> {
 public:
  TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, ULONG Index = 0);

  HRESULT Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched) override;
  HRESULT Skip(ULONG Count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumFORMATETC** Enum) override;

 private:
  ULONG FormatCount() const;
  ULONG FIndex;
  bool FHasCol;
  bool FHasGridCells;
};

class TESGDropSource : public TRefCounted<IDropSource> {
 public:
  TESGDropSource() = default;

  // Escape cancels, a released left button drops (both after DropEnded); QueryDrag runs on every
  // call.
  HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) override;
  // Notes whether the target shows no effect, tells CurrentEffect; default cursors.
  HRESULT GiveFeedback(DWORD Effect) override;

  // The last feedback had no drop effect.
  bool NoAccept() const { return FNoAccept; }

  virtual void DropEnded() {}
  virtual void CurrentEffect(Integer /*dwEffect*/) {}
  virtual void QueryDrag() {}

 protected:
  bool FNoAccept = false;
};

// Runs a drag of Text with RTF and the grid cells of Stream (nullptr: none). The result is
// DRAGDROP_S_CANCEL when the target under the pointer showed no effect at the end, else what the
// drag loop answered; Effect receives the final effect.
HRESULT DragDropText(TESGDropSource* DropSource, const String& Text, const String& RTF, TMemoryStream* Stream,
                     Integer OkEffects, Integer& Effect);
// The same for the column Column.
HRESULT DragDropColumn(TESGDropSource* DropSource, Integer Column, Integer OkEffects, Integer& Effect);
