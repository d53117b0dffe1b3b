// Persistent objects, string lists, pointer lists and collections.
#include "platform/rtl/Classes.h"

#include <algorithm>
#include <numeric>

#include "platform/rtl/CodePages.h"

namespace {

String ListIndexError(Integer Index) { return Format(u"List index out of bounds (%d)", Index); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const String sourceName = Source ? Source->ClassName() : String(u"nil");
  throw EConvertError(Format(u"Cannot assign a %s to a %s", sourceName, ClassName()));
}

// ---------------------------------------------------------------------------------------------
// Text encodings

String TextFromBytes(std::string_view Bytes, TEncoding& Encoding) {
  auto utf16 = [](std::string_view b, bool bigEndian) {
    String out;
    out.reserve(b.size() / 2);
    for (size_t i = 0; i + 1 < b.size(); i += 2) {
      const auto lo = static_cast<unsigned char>(b[bigEndian ? i + 1 : i]);
      const auto hi = static_cast<unsigned char>(b[bigEndian ? i : i + 1]);
      out.push_back(static_cast<Char>(lo | (hi << 8)));
    }
    return out;
  };
  if (Bytes.size() >= 3 && Bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    Encoding = TEncoding::UTF8;
    return Utf8ToString(Bytes.substr(3));
  }
  if (Bytes.size() >= 2 && Bytes.substr(0, 2) == "\xFF\xFE") {
    Encoding = TEncoding::Unicode;
    return utf16(Bytes.substr(2), false);
  }
  if (Bytes.size() >= 2 && Bytes.substr(0, 2) == "\xFE\xFF") {
    Encoding = TEncoding::BigEndianUnicode;
    return utf16(Bytes.substr(2), true);
  }
  Encoding = TEncoding::ANSI;
  return AnsiToString(Bytes, 1252);
}

std::string TextToBytes(const String& Text, TEncoding Encoding) {
  switch (Encoding) {
    case TEncoding::UTF8: {
      std::string out = StringToUtf8(Text);
      out.insert(0, "\xEF\xBB\xBF");
      return out;
    }
    case TEncoding::Unicode:
    case TEncoding::BigEndianUnicode: {
      const bool be = Encoding == TEncoding::BigEndianUnicode;
      std::string out = be ? "\xFE\xFF" : "\xFF\xFE";
      out.reserve(2 + Text.size() * 2);
      for (Char c : Text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        out.push_back(be ? hi : lo);
        out.push_back(be ? lo : hi);
      }
      return out;
    }
    default:
      return StringToAnsi(Text, 1252);
  }
}

// ---------------------------------------------------------------------------------------------
// TStrings

void TStrings::Error(const String& Msg, Integer Data) const {
  throw EStringListError(Format(Msg, Data));
}

void TStrings::Put(Integer Index, const String& S) {
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(Integer /*Index*/) const { return nullptr; }

void TStrings::PutObject(Integer /*Index*/, TObject* /*AObject*/) {}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

Integer TStrings::Add(const String& S) {
  const Integer i = Count();
  Insert(i, S);
  return i;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
  const Integer i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  BeginUpdate();
  try {
    for (Integer i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::AddStrings(const std::vector<String>& Strings) {
  BeginUpdate();
  try {
    for (const auto& s : Strings) Add(s);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      FNameValueSeparator = src->FNameValueSeparator;
      FDelimiter = src->FDelimiter;
      FQuoteChar = src->FQuoteChar;
      FStrictDelimiter = src->FStrictDelimiter;
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  BeginUpdate();
  try {
    TObject* o1 = GetObject(Index1);
    const String s1 = Get(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    const String s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    PutObject(CurIndex, nullptr);  // the entry moves; an owning list must not free its object
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (!Strings || Strings->Count() != Count()) return false;
  for (Integer i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

Integer TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

Integer TStrings::IndexOf(const String& S) const {
  for (Integer i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
  for (Integer i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

Integer TStrings::IndexOfName(const String& Name) const {
  for (Integer i = 0; i < Count(); ++i) {
    const String s = Get(i);
    const size_t p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

String TStrings::Names(Integer Index) const {
  const String s = Get(Index);
  const size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& Name) const {
  const Integer i = IndexOfName(Name);
  return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(const String& Name, const String& Value) {
  const Integer i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  const String entry = Name + FNameValueSeparator + Value;
  if (i >= 0) Put(i, entry);
  else Add(entry);
}

String TStrings::ValueFromIndex(Integer Index) const {
  const String s = Get(Index);
  const size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(Integer Index, const String& Value) {
  if (Value.empty()) {
    Delete(Index);
    return;
  }
  Put(Index, Names(Index) + FNameValueSeparator + Value);
}

String TStrings::Text() const {
  String out;
  for (Integer i = 0; i < Count(); ++i) {
    out += Get(i);
    out += u"\r\n";
  }
  return out;
}

void TStrings::SetText(const String& Value) {
  BeginUpdate();
  try {
    Clear();
    size_t i = 0;
    const size_t n = Value.size();
    while (i < n) {
      size_t j = i;
      while (j < n && Value[j] != u'\r' && Value[j] != u'\n') ++j;
      Add(Value.substr(i, j - i));
      // CR LF is one break; a lone CR or LF is a break of its own.
      if (j < n && Value[j] == u'\r') {
        ++j;
        if (j < n && Value[j] == u'\n') ++j;
      } else if (j < n) {
        ++j;
      }
      i = j;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::GetDelimitedText(Char Delim, Char Quote, bool Strict) const {
  const Integer n = Count();
  if (n == 1 && Get(0).empty()) return String(2, Quote);
  String out;
  for (Integer i = 0; i < n; ++i) {
    const String s = Get(i);
    bool quote = false;
    for (Char c : s) {
      if (c == Delim || c == Quote || c == 0 || (!Strict && c <= u' ')) {
        quote = true;
        break;
      }
    }
    if (i > 0) out.push_back(Delim);
    out += quote ? AnsiQuotedStr(s, Quote) : s;
  }
  return out;
}

void TStrings::SetDelimitedTextWith(const String& Value, Char Delim, Char Quote, bool Strict) {
  BeginUpdate();
  try {
    Clear();
    const size_t n = Value.size();
    size_t i = 0;
    // Blanks and control characters (NUL included) separate items unless the delimiter is strict.
    auto skipBlanks = [&] {
      if (!Strict)
        while (i < n && Value[i] <= u' ') ++i;
    };
    skipBlanks();
    while (i < n) {
      String item;
      if (Value[i] == Quote) {
        ++i;
        while (i < n) {
          if (Value[i] == Quote) {
            if (i + 1 < n && Value[i + 1] == Quote) {
              item.push_back(Quote);
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          item.push_back(Value[i++]);
        }
      } else {
        const size_t j = i;
        while (i < n && Value[i] != Delim && (Strict || Value[i] > u' ')) ++i;
        item = Value.substr(j, i - j);
      }
      Add(item);
      skipBlanks();
      if (i < n && Value[i] == Delim) {
        ++i;
        if (i == n) Add(String());  // a delimiter at the very end
        skipBlanks();
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::DelimitedText() const { return GetDelimitedText(FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(const String& Value) {
  SetDelimitedTextWith(Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStrings::CommaText() const { return GetDelimitedText(u',', u'"', false); }

void TStrings::SetCommaText(const String& Value) { SetDelimitedTextWith(Value, u',', u'"', false); }

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool /*Updating*/) {}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  const std::string bytes = Stream->ReadAllBytes();
  TEncoding enc;
  const String text = TextFromBytes(bytes, enc);
  FEncoding = enc;
  SetText(text);
}

void TStrings::SaveToFile(const String& FileName) { SaveToFile(FileName, FEncoding); }

void TStrings::SaveToFile(const String& FileName, TEncoding Encoding) {
  // The whole text first, so that a failed write cannot leave half a file in place of the old one.
  TMemoryStream stream;
  SaveToStream(&stream, Encoding);
  WriteFileBytes(FileName, stream.Bytes());
}

void TStrings::SaveToStream(TStream* Stream) { SaveToStream(Stream, FEncoding); }

void TStrings::SaveToStream(TStream* Stream, TEncoding Encoding) {
  Stream->WriteBuffer(TextToBytes(Text(), Encoding));
}

std::vector<String> TStrings::ToVector() const {
  std::vector<String> out;
  out.reserve(static_cast<size_t>(Count()));
  for (Integer i = 0; i < Count(); ++i) out.push_back(Get(i));
  return out;
}

// ---------------------------------------------------------------------------------------------
// TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (auto& it : FItems) delete it.Obj;
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= Count()) Error(u"List index out of bounds (%d)", Index);
}

String TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Str;
}

void TStringList::Put(Integer Index, const String& S) {
  if (FSorted) Error(u"Operation not allowed on sorted list", 0);
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].Str = S;
  Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Obj;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].Obj = AObject;
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(FItems);
  if (FOwnsObjects)
    for (auto& it : old) delete it.Obj;
  Changed();
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FItems[static_cast<size_t>(Index)].Obj;
  FItems.erase(FItems.begin() + Index);
  if (FOwnsObjects) delete obj;
  Changed();
}

void TStringList::Insert(Integer Index, const String& S) {
  if (FSorted) Error(u"Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > Count()) Error(u"List index out of bounds (%d)", Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  FItems.insert(FItems.begin() + Index, Item{S, AObject});
  Changed();
}

Integer TStringList::Add(const String& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const String& S, TObject* AObject) {
  Integer index;
  if (!FSorted) {
    index = Count();
  } else if (Find(S, index)) {
    switch (FDuplicates) {
      case dupIgnore:
        return index;
      case dupError:
        Error(u"String list does not allow duplicates", 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

Integer TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  Integer i;
  return Find(S, i) ? i : -1;
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
  Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (FSorted) Error(u"Operation not allowed on sorted list", 0);
  Changing();
  Item it = std::move(FItems[static_cast<size_t>(CurIndex)]);
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, std::move(it));
  Changed();
}

bool TStringList::Find(const String& S, Integer& Index) const {
  // The first of equal entries, so dupAccept keeps insertion order among equals.
  Integer lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const Integer mid = lo + (hi - lo) / 2;
    const Integer c = CompareStrings(FItems[static_cast<size_t>(mid)].Str, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (Count() < 2 || !Compare) return;
  Changing();
  // The comparison reads the list by index, so the items stay in place while an order is found.
  std::vector<Integer> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(FItems.size());
  for (Integer i : order) sorted.push_back(std::move(FItems[static_cast<size_t>(i)]));
  FItems.swap(sorted);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](TStringList* List, Integer I1, Integer I2) {
    return List->CompareStrings(List->FItems[static_cast<size_t>(I1)].Str, List->FItems[static_cast<size_t>(I2)].Str);
  });
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

Integer TStringList::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    if (OnChanging) OnChanging(this);
  } else {
    if (OnChange) OnChange(this);
  }
}

// ---------------------------------------------------------------------------------------------
// TList

TList::~TList() {
  // The derived part is gone by now; TObjectList clears itself in its own destructor.
}

void TList::Error(const String& Msg, Integer Data) const { throw EListError(Format(Msg, Data)); }

void TList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= Count()) Error(u"List index out of bounds (%d)", Index);
}

Integer TList::Add(void* Item) {
  FItems.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return Count() - 1;
}

void TList::Insert(Integer Index, void* Item) {
  if (Index < 0 || Index > Count()) Error(u"List index out of bounds (%d)", Index);
  FItems.insert(FItems.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
  CheckIndex(Index);
  void* item = FItems[static_cast<size_t>(Index)];
  FItems.erase(FItems.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

Integer TList::Remove(void* Item) {
  const Integer i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  const Integer i = IndexOf(Item);
  if (i < 0) return nullptr;
  FItems.erase(FItems.begin() + i);
  Notify(Item, lnExtracted);
  return Item;
}

Integer TList::IndexOf(const void* Item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0) Error(u"List count out of bounds (%d)", NewCount);
  while (Count() > NewCount) Delete(Count() - 1);
  FItems.resize(static_cast<size_t>(NewCount), nullptr);
}

void TList::Clear() {
  SetCount(0);
  FItems.shrink_to_fit();
}

void* TList::Get(Integer Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TList::Put(Integer Index, void* Item) {
  CheckIndex(Index);
  void* old = FItems[static_cast<size_t>(Index)];
  if (old == Item) return;
  FItems[static_cast<size_t>(Index)] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  void* item = FItems[static_cast<size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, item);
}

void TList::Sort(const TListSortCompare& Compare) {
  if (!Compare) return;
  std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void* TList::First() const { return Get(0); }

void* TList::Last() const { return Get(Count() - 1); }

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < Count()) Error(u"List capacity out of bounds (%d)", NewCapacity);
  FItems.reserve(static_cast<size_t>(NewCapacity));
}

// ---------------------------------------------------------------------------------------------
// TObjectList

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
}

// ---------------------------------------------------------------------------------------------
// Collections

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  const auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<Integer>(it - items.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
  if (FCollection && Value != Index()) FCollection->MoveItem(this, Value);
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

TCollection::TCollection(TItemFactory ItemFactory) : FItemFactory(std::move(ItemFactory)) {}

TCollection::~TCollection() {
  ++FUpdateCount;  // no notifications while going away
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Add() {
  if (!FItemFactory) throw EInvalidOperation(u"The collection cannot create items");
  TCollectionItem* item = FItemFactory(this);
  if (item->FCollection != this) item->SetCollection(this);
  Added(item);
  return item;
}

TCollectionItem* TCollection::Insert(Integer Index) {
  if (Index < 0 || Index > Count()) throw EListError(ListIndexError(Index));
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(Integer Index) {
  TCollectionItem* item = GetItem(Index);
  Notify(item, cnDeleting);
  delete item;  // the destructor removes it and reports the change
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) {
      TCollectionItem* item = FItems.back();
      Notify(item, cnDeleting);
      delete item;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::DeleteWhere(const std::function<bool(TCollectionItem* Item)>& Pick) {
  // The kept items close up in place as the picked ones go (no second list: on a large
  // collection the copies cost more than the walk).
  size_t Write = 0;
  size_t Read = 0;
  bool Any = false;
  auto CloseUp = [&] {
    for (; Read < FItems.size(); ++Read) FItems[Write++] = FItems[Read];
    FItems.resize(Write);
  };
  try {
    while (Read < FItems.size()) {
      TCollectionItem* item = FItems[Read];
      if (!Pick(item)) {
        FItems[Write++] = item;
        ++Read;
        continue;
      }
      ++Read;  // the item leaves the list, also when telling of it raises
      if (!Any) BeginUpdate();
      Any = true;
      Notify(item, cnDeleting);
      Notify(item, cnExtracting);
      item->FCollection = nullptr;
      delete item;
    }
  } catch (...) {
    CloseUp();
    if (Any) EndUpdate();
    throw;
  }
  CloseUp();
  if (Any) EndUpdate();
}

TCollectionItem* TCollection::GetItem(Integer Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(ListIndexError(Index));
  return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItem(Integer Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  for (auto* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TCollection*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      for (auto* item : src->FItems) Add()->Assign(item);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  // Searched from the end: Clear and most removals take the last items.
  const auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, Integer NewIndex) {
  if (NewIndex < 0) NewIndex = 0;
  if (NewIndex >= Count()) NewIndex = Count() - 1;
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  FItems.insert(FItems.begin() + NewIndex, Item);
  Changed();
}
