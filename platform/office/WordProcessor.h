// The word-processor application of the automation layer: an application holding documents, each
// a body of paragraphs and tables with bookmarks, a selection (the insertion point typing goes to)
// and its tables. Documents are Office Open XML files (.docx); a document opened from a file keeps
// every part and every piece of content it does not change.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/office/OleAuto.h"

class TTextDocument;

namespace office {
void ReadDocx(TTextDocument& Doc, const std::string& Bytes);
}  // namespace office

// A place in a document's content: an insertion point between two pieces of it. Valid until the
// content next changes.
class TTextPosition {
 private:
  friend class TTextDocument;
  friend class TTextSelection;
  friend class TTextRange;
  friend class TTextTables;
  void* FNode = nullptr;  // the paragraph (or the container of blocks) the point lies in
  Integer FIndex = 0;     // the child the point lies before
};

// A collapsed range: a place where content (a table) goes.
class TTextRange {
 public:
  TTextPosition Start() const { return FPos; }

 private:
  friend class TTextDocument;
  friend class TTextTables;
  explicit TTextRange(TTextPosition P) : FPos(P) {}
  TTextPosition FPos;
};

// The insertion point of a document.
class TTextSelection {
 public:
  // Types the text at the insertion point (a line break in it starts a new paragraph).
  void TypeText(const String& Text);
  // Ends the paragraph at the insertion point; the point moves to the start of the new one.
  void TypeParagraph();
  // Moves the insertion point to the start of the document's last line (its last paragraph).
  void GotoLastLine();
  TTextPosition End() const { return FPos; }

 private:
  friend class TTextDocument;
  friend class TTextDocuments;
  friend void office::ReadDocx(TTextDocument& Doc, const std::string& Bytes);
  explicit TTextSelection(TTextDocument* D) : FDoc(D) {}
  TTextDocument* FDoc;
  TTextPosition FPos;
};

// One cell of a table.
class TTextTableCell {
 public:
  // Adds the text at the end of the cell (a line break in it starts a new paragraph).
  void InsertAfter(const String& Text);
  // The alignment of the cell's paragraphs: 0 left, 1 centred, 2 right, 3 justified.
  void SetParagraphAlignment(Integer Value);

 private:
  friend class TTextTable;
  explicit TTextTableCell(void* Node) : FNode(Node) {}
  void* FNode;
};

class TTextTable {
 public:
  Integer Rows() const { return static_cast<Integer>(FRowNodes.size()); }
  Integer Columns() const { return FCols; }
  // Cell (Row, Column), both 1-based; EOleException outside the table.
  TTextTableCell Cell(Integer Row, Integer Column);

 private:
  friend class TTextTables;
  TTextTable(Integer Cols, std::vector<void*> RowNodes) : FCols(Cols), FRowNodes(std::move(RowNodes)) {}
  Integer FCols;
  // The table's rows, so that a cell is found without walking the rows before it (a table is
  // filled cell by cell).
  std::vector<void*> FRowNodes;
};

class TTextTables {
 public:
  // A new table of Rows x Columns empty cells at the place; a paragraph the place lies inside is
  // split there. EOleException for a count below 1 or above 32767 rows or 63 columns.
  TTextTable* Add(const TTextRange& Place, Integer Rows, Integer Columns);

 private:
  friend class TTextDocument;
  explicit TTextTables(TTextDocument* D) : FDoc(D) {}
  TTextDocument* FDoc;
  std::vector<std::unique_ptr<TTextTable>> FTables;
};

class TTextApplication;

class TTextDocument {
 public:
  ~TTextDocument();
  bool ShowSpellingErrors() const { return FShowSpellingErrors; }
  void SetShowSpellingErrors(bool Value) { FShowSpellingErrors = Value; }
  TTextSelection& Selection() { return FSelection; }
  TTextTables& Tables() { return FTables; }
  // Whether a bookmark of the name (compared without case) exists.
  bool BookmarkExists(const String& Name);
  // The place where the bookmark starts; EOleException when there is none.
  TTextRange GotoBookmark(const String& Name);
  // Adds an empty paragraph at the end of the document.
  void AddParagraph();
  // The start of the document.
  TTextPosition StartOfDocument();
  TTextRange Range(const TTextPosition& Start, const TTextPosition& End);
  String FullName() const { return FFullName; }
  // Writes the document as an Office Open XML document; FileName becomes its file.
  void SaveAs(const String& FileName);
  // Closes the document without saving; the pointer is no longer valid.
  void Close();

  struct TImpl;
  TImpl& Impl() { return *FImpl; }

 private:
  friend class TTextDocuments;
  friend class TTextSelection;
  friend class TTextTables;
  friend void office::ReadDocx(TTextDocument& Doc, const std::string& Bytes);
  explicit TTextDocument(TTextApplication* App);
  TTextApplication* FApp;
  std::unique_ptr<TImpl> FImpl;
  TTextSelection FSelection;
  TTextTables FTables;
  bool FShowSpellingErrors = true;
  String FFullName;
};

class TTextDocuments {
 public:
  Integer Count() const { return static_cast<Integer>(FDocs.size()); }
  // Reads a document file and makes it the active document, its insertion point at its start.
  // EOleException when the file is missing or is no document that can be read.
  TTextDocument* Open(const String& FileName);
  // A new empty document (one empty paragraph), made the active document.
  TTextDocument* Add();

 private:
  friend class TTextApplication;
  friend class TTextDocument;
  explicit TTextDocuments(TTextApplication* App) : FApp(App) {}
  TTextApplication* FApp;
  std::vector<std::unique_ptr<TTextDocument>> FDocs;
};

class TTextApplication {
 public:
  // A new instance; EOleSysError when the server is not available.
  static std::shared_ptr<TTextApplication> Create();
  // The running instance this program holds (the newest), nullptr when none runs.
  static std::shared_ptr<TTextApplication> GetActive();
  ~TTextApplication();

  TTextDocuments& Documents() { return FDocs; }
  // The active document, nullptr when none is open.
  TTextDocument* ActiveDocument() { return FActive; }
  // The insertion point of the active document; EOleException when none is open.
  TTextSelection& Selection();
  // Closes every document without saving; the instance no longer runs.
  void Quit();

 private:
  friend class TTextDocuments;
  friend class TTextDocument;
  TTextApplication() : FDocs(this) {}
  TTextDocuments FDocs;
  TTextDocument* FActive = nullptr;
};

namespace office {
// Reads the bytes as the document's content (for the fuzz target and Open); the insertion point
// goes to the start of the new content. Raises EOleException for bytes that are no document.
void ReadDocx(TTextDocument& Doc, const std::string& Bytes);
}  // namespace office
