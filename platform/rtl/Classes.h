// Persistent objects, string lists, pointer lists, collections and streams.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

class TStream;

// ---------------------------------------------------------------------------------------------
// An object that can copy its state from another one.
class TPersistent : public TObject {
 public:
  String ClassName() const override { return u"TPersistent"; }
  // Copies Source into this object. The base asks Source to assign itself to this (AssignTo);
  // when neither side knows the other, EConvertError "Cannot assign a <source> to a <this>" is
  // raised (Source nullptr reads "nil").
  virtual void Assign(TPersistent* Source);

 protected:
  // Copies this object into Dest; the base raises the assign error.
  virtual void AssignTo(TPersistent* Dest);
  // The object that owns this one in a component or collection tree, nullptr when none.
  virtual TPersistent* GetOwner() { return nullptr; }
  [[noreturn]] void AssignError(TPersistent* Source);
};

// ---------------------------------------------------------------------------------------------
// Text encodings of files and streams. ANSI is Windows-1252 ('?' for characters it lacks);
// UTF8 and Unicode (UTF-16LE) and BigEndianUnicode (UTF-16BE) are written with their byte-order mark.
enum class TEncoding { ANSI, UTF8, Unicode, BigEndianUnicode };

// Decodes file bytes: a UTF-8, UTF-16LE or UTF-16BE byte-order mark selects that encoding (and is
// dropped), anything else is read as ANSI. Encoding tells what was found.
String TextFromBytes(std::string_view Bytes, TEncoding& Encoding);
// Encodes text with the byte-order mark of UTF8, Unicode and BigEndianUnicode.
std::string TextToBytes(const String& Text, TEncoding Encoding);

// ---------------------------------------------------------------------------------------------
// A list of strings, each with an optional object pointer.
enum TDuplicates { dupIgnore, dupAccept, dupError };

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TStrings : public TPersistent {
 public:
  TStrings() = default;
  String ClassName() const override { return u"TStrings"; }

  // The core every list implements.
  virtual Integer Count() const = 0;
  virtual String Get(Integer Index) const = 0;
  virtual void Put(Integer Index, const String& S);
  virtual TObject* GetObject(Integer Index) const;
  virtual void PutObject(Integer Index, TObject* AObject);
  virtual void Clear() = 0;
  virtual void Delete(Integer Index) = 0;
  virtual void Insert(Integer Index, const String& S) = 0;
  void InsertObject(Integer Index, const String& S, TObject* AObject);

  // Strings[i] and Objects[i].
  String Strings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const String& S) { Put(Index, S); }
  String operator[](Integer Index) const { return Get(Index); }
  TObject* Objects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

  // Adds at the end (a sorted list: at the sorted place) and returns the index.
  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(const TStrings* Strings);
  void AddStrings(const std::vector<String>& Strings);
  void Assign(TPersistent* Source) override;
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  bool Equals(const TStrings* Strings) const;

  // Index of the first string equal to S (case-insensitive unless the list says otherwise), -1.
  virtual Integer IndexOf(const String& S) const;
  Integer IndexOfObject(const TObject* AObject) const;
  // Index of the first "name=value" entry whose name equals Name, -1.
  virtual Integer IndexOfName(const String& Name) const;

  // Name=value access with NameValueSeparator. Names[i] is "" for an entry without separator.
  String Names(Integer Index) const;
  String Values(const String& Name) const;
  // Sets the value of Name; an empty value removes the entry, a new name is added.
  void SetValues(const String& Name, const String& Value);
  String ValueFromIndex(Integer Index) const;
  void SetValueFromIndex(Integer Index, const String& Value);
  Char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(Char C) { FNameValueSeparator = C; }

  // Every string followed by CR LF. Setting splits at CR LF, LF or CR; a break at the very end
  // adds no empty line.
  virtual String Text() const;
  virtual void SetText(const String& Value);
  // The strings joined by Delimiter; a string holding a blank, a control character, the delimiter or
  // the quote character is quoted (inner quote characters doubled). With StrictDelimiter only the
  // delimiter and the quote character cause quoting.
  String DelimitedText() const;
  // Splits at Delimiter and, unless StrictDelimiter, at blanks and control characters; quoted items
  // may hold anything. A delimiter at the very end adds an empty item.
  void SetDelimitedText(const String& Value);
  // DelimitedText with ',' and '"' and blanks as separators, whatever the list's own settings.
  String CommaText() const;
  void SetCommaText(const String& Value);
  Char Delimiter() const { return FDelimiter; }
  void SetDelimiter(Char C) { FDelimiter = C; }
  Char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(Char C) { FQuoteChar = C; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool B) { FStrictDelimiter = B; }

  // Change notifications are held back between BeginUpdate and the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }

  // Files and streams. Loading detects a byte-order mark (UTF-8, UTF-16LE, UTF-16BE), else reads
  // ANSI (Windows-1252), and accepts CR LF, LF or CR line ends. Saving writes CR LF after every
  // line, the last one included, in the given encoding or else in the encoding the list was
  // loaded with (ANSI for a list never loaded).
  virtual void LoadFromFile(const String& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const String& FileName);
  virtual void SaveToFile(const String& FileName, TEncoding Encoding);
  virtual void SaveToStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream, TEncoding Encoding);
  TEncoding Encoding() const { return FEncoding; }

  // The strings as a vector (a convenience for C++ callers).
  std::vector<String> ToVector() const;

 protected:
  virtual void Changed() {}
  virtual void Changing() {}
  virtual void SetUpdateState(bool Updating);
  // Compares two strings the way the list compares (case-insensitive by default).
  virtual Integer CompareStrings(const String& S1, const String& S2) const;
  [[noreturn]] void Error(const String& Msg, Integer Data) const;
  String GetDelimitedText(Char Delim, Char Quote, bool Strict) const;
  void SetDelimitedTextWith(const String& Value, Char Delim, Char Quote, bool Strict);

  Integer FUpdateCount = 0;
  TEncoding FEncoding = TEncoding::ANSI;

 private:
  Char FNameValueSeparator = u'=';
  Char FDelimiter = u',';
  Char FQuoteChar = u'"';
  bool FStrictDelimiter = false;
};

class TStringList;
// Compares the items at Index1 and Index2 of List: < 0, 0 or > 0.
using TStringListSortCompare = std::function<Integer(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;
  String ClassName() const override { return u"TStringList"; }

  // Room for NewCapacity strings before the list grows again (less than Count changes nothing).
  void SetCapacity(Integer NewCapacity) {
    if (NewCapacity > Count()) FItems.reserve(static_cast<size_t>(NewCapacity));
  }
  Integer Count() const override { return static_cast<Integer>(FItems.size()); }
  String Get(Integer Index) const override;
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Insert(Integer Index, const String& S) override;
  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  Integer IndexOf(const String& S) const override;
  void Exchange(Integer Index1, Integer Index2) override;
  void Move(Integer CurIndex, Integer NewIndex) override;

  // Binary search of a sorted list: true when S is present; Index is its position or the place
  // where it would be inserted.
  virtual bool Find(const String& S, Integer& Index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  // An owning list deletes the objects of the entries it deletes, clears or is destroyed with.
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void Changed() override;
  void Changing() override;
  void SetUpdateState(bool Updating) override;
  Integer CompareStrings(const String& S1, const String& S2) const override;
  virtual void InsertItem(Integer Index, const String& S, TObject* AObject);

 private:
  struct Item {
    String Str;
    TObject* Obj = nullptr;
  };
  void CheckIndex(Integer Index) const;
  std::vector<Item> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------------------------------------
// A list of untyped pointers.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };
// Compares two items: < 0, 0 or > 0.
using TListSortCompare = std::function<Integer(void* Item1, void* Item2)>;

class TList : public TObject {
 public:
  TList() = default;
  ~TList() override;
  String ClassName() const override { return u"TList"; }

  Integer Add(void* Item);
  void Insert(Integer Index, void* Item);
  void Delete(Integer Index);
  // Removes the first occurrence of Item; its former index, or -1.
  Integer Remove(void* Item);
  // Removes Item without the "deleted" notification (an owning list does not free it).
  void* Extract(void* Item);
  Integer IndexOf(const void* Item) const;
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  void SetCount(Integer NewCount);
  virtual void Clear();
  void* Get(Integer Index) const;
  void Put(Integer Index, void* Item);
  void* Items(Integer Index) const { return Get(Index); }
  void* operator[](Integer Index) const { return Get(Index); }
  void Exchange(Integer Index1, Integer Index2);
  void Move(Integer CurIndex, Integer NewIndex);
  void Sort(const TListSortCompare& Compare);
  // Removes nullptr items.
  void Pack();
  void* First() const;
  void* Last() const;
  Integer Capacity() const { return static_cast<Integer>(FItems.capacity()); }
  void SetCapacity(Integer NewCapacity);

 protected:
  virtual void Notify(void* /*Ptr*/, TListNotification /*Action*/) {}
  [[noreturn]] void Error(const String& Msg, Integer Data) const;

 private:
  void CheckIndex(Integer Index) const;
  std::vector<void*> FItems;
};

// A list of objects that, when it owns them (the default), deletes the objects it removes.
class TObjectList : public TList {
 public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;
  String ClassName() const override { return u"TObjectList"; }

  Integer Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
  Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  Integer IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* Items(Integer Index) const { return static_cast<TObject*>(Get(Index)); }
  TObject* operator[](Integer Index) const { return Items(Index); }
  void SetItems(Integer Index, TObject* AObject) { Put(Index, AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  bool FOwnsObjects;
};

// ---------------------------------------------------------------------------------------------
// Collections: a list of items of one kind, each knowing its collection and its index.
class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  // Adds the new item at the end of Collection (when given).
  explicit TCollectionItem(TCollection* Collection);
  // Removes the item from its collection.
  ~TCollectionItem() override;
  String ClassName() const override { return u"TCollectionItem"; }

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (or none).
  void SetCollection(TCollection* Value);
  // The position in the collection, -1 when in none. Setting moves the item there.
  Integer Index() const;
  virtual void SetIndex(Integer Value);
  // A number unique within the collection, given when the item was added.
  Integer ID() const { return FID; }
  virtual String DisplayName() const { return ClassName(); }

 protected:
  // Tells the collection that this item (AllItems false) or every item changed.
  void Changed(bool AllItems);
  TPersistent* GetOwner() override;

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  Integer FID = 0;
};

class TCollection : public TPersistent {
 public:
  // Makes the items the collection creates (Add, Insert, Assign).
  using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

  explicit TCollection(TItemFactory ItemFactory);
  ~TCollection() override;
  String ClassName() const override { return u"TCollection"; }

  // A new item at the end, or at Index; the collection owns it.
  TCollectionItem* Add();
  TCollectionItem* Insert(Integer Index);
  // Deletes the item at Index.
  void Delete(Integer Index);
  void Clear();
  // Deletes every item the predicate picks, in one pass over the list (the others keep their
  // order); the items are told as Delete tells them, the change is reported once. The list closes
  // up during the pass: the predicate and the notifications must not read the collection.
  void DeleteWhere(const std::function<bool(TCollectionItem* Item)>& Pick);
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  // The item at Index; EListError "List index out of bounds (%d)" outside the list.
  TCollectionItem* GetItem(Integer Index) const;
  TCollectionItem* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TCollectionItem* Value);
  TCollectionItem* FindItemID(Integer ID) const;
  // Replaces the items with copies of Source's items (each copied with Assign).
  void Assign(TPersistent* Source) override;

  virtual void BeginUpdate();
  virtual void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }

  // The object that owns the collection (TOwnedCollection), nullptr otherwise.
  TPersistent* Owner() { return GetOwner(); }

 protected:
  // Called after changes while not inside an update: Item is the changed item, nullptr for all.
  virtual void Update(TCollectionItem* /*Item*/) {}
  virtual void Notify(TCollectionItem* /*Item*/, TCollectionNotification /*Action*/) {}
  // Called when the item list changed (an item added, removed or moved).
  virtual void Added(TCollectionItem* /*Item*/) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, Integer NewIndex);
  TItemFactory FItemFactory;
  std::vector<TCollectionItem*> FItems;
  Integer FNextID = 0;
  Integer FUpdateCount = 0;
};

// A collection with an owner (the object whose property it is).
class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* AOwner, TItemFactory ItemFactory)
      : TCollection(std::move(ItemFactory)), FOwner(AOwner) {}
  String ClassName() const override { return u"TOwnedCollection"; }

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// ---------------------------------------------------------------------------------------------
// Streams.
enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  String ClassName() const override { return u"TStream"; }
  // Reads up to Count bytes; the number read.
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  // Writes up to Count bytes; the number written.
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  // The new position.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize);

  // Exactly Count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* Buffer, Int64 Count);
  void WriteBuffer(const void* Buffer, Int64 Count);
  void WriteBuffer(std::string_view Bytes) { WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size())); }
  // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its start.
  // The number copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);
  // The bytes from the position to the end.
  std::string ReadAllBytes();
};

// File open modes; the share flags are accepted and have no effect on this system.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

class THandleStream : public TStream {
 public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  String ClassName() const override { return u"THandleStream"; }
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  int Handle() const { return FHandle; }

 protected:
  int FHandle;
};

// A file opened with fmCreate (create or truncate, read and write), fmOpenRead, fmOpenWrite or
// fmOpenReadWrite. Failing raises EFCreateError "Cannot create file "<name>". <reason>" or
// EFOpenError "Cannot open file "<name>". <reason>". Opened for reading only, it must be a regular
// file (OpenRegularFile): a folder, a device or a pipe is refused. No open waits for a pipe.
class TFileStream : public THandleStream {
 public:
  TFileStream(const String& FileName, Word Mode);
  ~TFileStream() override;
  String ClassName() const override { return u"TFileStream"; }
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
};

// A stream in memory.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  String ClassName() const override { return u"TMemoryStream"; }
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return static_cast<Int64>(FData.size()); }
  void SetSize(Int64 NewSize) override;
  void Clear();
  void* Memory() { return FData.data(); }
  const void* Memory() const { return FData.data(); }
  // The bytes of the stream.
  const std::string& Bytes() const { return FData; }
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);

 protected:
  std::string FData;
  Int64 FPosition = 0;
};

// A memory stream made from, and read back as, a string of bytes.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(std::string_view Bytes = {});
  // The text encoded in Encoding (without a byte-order mark).
  TStringStream(const String& Text, TEncoding Encoding);
  String ClassName() const override { return u"TStringStream"; }
  std::string DataString() const { return FData; }
  void WriteString(std::string_view Bytes) { WriteBuffer(Bytes); }
};
