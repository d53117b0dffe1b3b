#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/platform/rtl/TempFolder.h"

namespace {

std::vector<String> Lines(const TStrings& L) { return L.ToVector(); }

const std::vector<String> kFixtureLines = {u"Gr\u00fc\u00dfe", u"\u20ac 5", u"", u"last"};

// An object that counts its deletions, to see who frees what.
class TCounted : public TObject {
 public:
  explicit TCounted(int* Deleted) : FDeleted(Deleted) {}
  ~TCounted() override { ++*FDeleted; }

 private:
  int* FDeleted;
};

}  // namespace

TEST(StringListTest, ReadsTheSameLinesFromEveryEncoding) {
  struct Row {
    const char* file;
    TEncoding encoding;
  };
  const Row rows[] = {
      {"lines-ansi.txt", TEncoding::ANSI},
      {"lines-utf8-bom.txt", TEncoding::UTF8},
      {"lines-utf16le-bom.txt", TEncoding::Unicode},
      {"lines-utf16be-bom-lf-cr-noend.txt", TEncoding::BigEndianUnicode},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.file);
    TStringList list;
    list.LoadFromFile(FixturePath(r.file));
    EXPECT_EQ(Lines(list), kFixtureLines);
    EXPECT_EQ(list.Encoding(), r.encoding);
  }
}

TEST(StringListTest, SavesCrLfAfterEveryLineInTheChosenEncoding) {
  TTempFolder tmp;
  struct Row {
    const char* golden;
    TEncoding encoding;
  };
  const Row rows[] = {
      {"lines-ansi.txt", TEncoding::ANSI},
      {"lines-utf8-bom.txt", TEncoding::UTF8},
      {"lines-utf16le-bom.txt", TEncoding::Unicode},
  };
  TStringList list;
  list.AddStrings(kFixtureLines);
  for (const auto& r : rows) {
    SCOPED_TRACE(r.golden);
    const String out = tmp / u"out.txt";
    list.SaveToFile(out, r.encoding);
    EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(FixturePath(r.golden)));
  }
  // Without an encoding the list saves in the one it was loaded with.
  TStringList loaded;
  loaded.LoadFromFile(FixturePath("lines-utf16be-bom-lf-cr-noend.txt"));
  loaded.SaveToFile(tmp / u"again.txt");
  TStringList back;
  back.LoadFromFile(tmp / u"again.txt");
  EXPECT_EQ(back.Encoding(), TEncoding::BigEndianUnicode);
  EXPECT_EQ(Lines(back), kFixtureLines);
  // ANSI has no Greek: '?' stands in.
  TStringList greek;
  greek.Add(u"\u0394x");
  greek.SaveToFile(tmp / u"greek.txt", TEncoding::ANSI);
  EXPECT_EQ(ReadFileBytes(tmp / u"greek.txt"), "?x\r\n");
}

TEST(StringListTest, TextSplitsAtEveryKindOfLineBreak) {
  struct Row {
    const char* name;
    String text;
    std::vector<String> lines;
  };
  const Row rows[] = {
      {"CR LF", u"a\r\nb\r\n", {u"a", u"b"}},
      {"LF", u"a\nb", {u"a", u"b"}},
      {"CR", u"a\rb\r", {u"a", u"b"}},
      {"LF CR is two breaks", u"a\n\rb", {u"a", u"", u"b"}},
      {"empty lines kept", u"\r\n\r\nx", {u"", u"", u"x"}},
      {"empty text", u"", {}},
      {"trailing blank line", u"a\r\n\r\n", {u"a", u""}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TStringList list;
    list.SetText(r.text);
    EXPECT_EQ(Lines(list), r.lines);
  }
  TStringList list;
  list.AddStrings(std::vector<String>{u"a", u"", u"b"});
  EXPECT_EQ(list.Text(), u"a\r\n\r\nb\r\n");
}

TEST(StringListTest, CommaAndDelimitedText) {
  struct Row {
    const char* name;
    String text;
    std::vector<String> items;
  };
  const Row rows[] = {
      {"commas", u"a,b,c", {u"a", u"b", u"c"}},
      {"blanks separate too", u"a b,c", {u"a", u"b", u"c"}},
      {"blanks around commas", u" a , b ", {u"a", u"b"}},
      {"quoted items", u"\"a b\",\"c,d\"", {u"a b", u"c,d"}},
      {"doubled quotes", u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
      {"empty between commas", u"a,,b", {u"a", u"", u"b"}},
      {"comma at the end", u"a,", {u"a", u""}},
      {"quoted empty", u"\"\"", {u""}},
      {"nothing", u"  ", {}},
      {"NUL separates like a blank", String(u"a\0b", 3), {u"a", u"b"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TStringList list;
    list.SetCommaText(r.text);
    EXPECT_EQ(Lines(list), r.items);
  }
  TStringList list;
  list.AddStrings(std::vector<String>{u"plain", u"with blank", u"with,comma", u"q\"uote", u""});
  EXPECT_EQ(list.CommaText(), u"plain,\"with blank\",\"with,comma\",\"q\"\"uote\",");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Lines(back), Lines(list));

  TStringList single;
  single.Add(u"");
  EXPECT_EQ(single.CommaText(), u"\"\"");

  // A strict semicolon list: blanks belong to the items.
  TStringList strict;
  strict.SetDelimiter(u';');
  strict.SetStrictDelimiter(true);
  strict.SetDelimitedText(u" a b ;c");
  EXPECT_EQ(Lines(strict), (std::vector<String>{u" a b ", u"c"}));
  EXPECT_EQ(strict.DelimitedText(), u" a b ;c");
  strict.SetQuoteChar(u'\'');
  strict.Add(u"x;y");
  EXPECT_EQ(strict.DelimitedText(), u" a b ;c;'x;y'");
}

TEST(StringListTest, SortedListsAndDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const String s : {u"pear", u"Apple", u"banana", u"apple"}) list.Add(s);
  // Case-insensitive order; dupIgnore drops "apple" after "Apple".
  EXPECT_EQ(Lines(list), (std::vector<String>{u"Apple", u"banana", u"pear"}));
  EXPECT_EQ(list.Add(u"APPLE"), 0);
  EXPECT_EQ(list.IndexOf(u"PEAR"), 2);
  Integer at;
  EXPECT_FALSE(list.Find(u"cherry", at));
  EXPECT_EQ(at, 2);
  EXPECT_THROW(list.Insert(0, u"x"), EStringListError);
  EXPECT_THROW(list.SetStrings(0, u"x"), EStringListError);

  list.SetDuplicates(dupAccept);
  list.Add(u"apple");  // an accepted duplicate goes before its equals
  EXPECT_EQ(Lines(list), (std::vector<String>{u"apple", u"Apple", u"banana", u"pear"}));

  list.SetDuplicates(dupError);
  try {
    list.Add(u"BANANA");
    ADD_FAILURE() << "no exception";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"String list does not allow duplicates");
  }

  TStringList cs;
  cs.SetCaseSensitive(true);
  cs.AddStrings(std::vector<String>{u"b", u"B", u"a"});
  EXPECT_EQ(cs.IndexOf(u"B"), 1);
  EXPECT_EQ(cs.IndexOf(u"A"), -1);
  cs.SetSorted(true);
  EXPECT_EQ(Lines(cs), (std::vector<String>{u"a", u"B", u"b"}));

  TStringList custom;
  custom.AddStrings(std::vector<String>{u"10", u"9", u"100"});
  custom.CustomSort([](TStringList* L, Integer a, Integer b) { return StrToInt(L->Strings(a)) - StrToInt(L->Strings(b)); });
  EXPECT_EQ(Lines(custom), (std::vector<String>{u"9", u"10", u"100"}));
}

TEST(StringListTest, NamesAndValues) {
  TStringList list;
  list.AddStrings(std::vector<String>{u"Port=502", u"plain", u"Host=a=b"});
  EXPECT_EQ(list.Names(0), u"Port");
  EXPECT_EQ(list.Names(1), u"");
  EXPECT_EQ(list.Values(u"port"), u"502");
  EXPECT_EQ(list.Values(u"Host"), u"a=b");
  EXPECT_EQ(list.ValueFromIndex(2), u"a=b");
  EXPECT_EQ(list.IndexOfName(u"HOST"), 2);
  list.SetValues(u"New", u"1");
  EXPECT_EQ(list.Strings(3), u"New=1");
  list.SetValues(u"port", u"503");
  EXPECT_EQ(list.Strings(0), u"port=503");
  list.SetValues(u"Port", u"");
  EXPECT_EQ(list.IndexOfName(u"Port"), -1);
  list.SetNameValueSeparator(u':');
  list.Add(u"Key:V");
  EXPECT_EQ(list.Values(u"key"), u"V");
}

TEST(StringListTest, IndexErrorsObjectsAndNotifications) {
  TStringList list;
  list.Add(u"a");
  try {
    list.Strings(1);
    ADD_FAILURE() << "no exception";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (1)");
  }
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Insert(2, u"x"), EStringListError);

  int changes = 0, changings = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.OnChanging = [&](TObject*) { ++changings; };
  list.Add(u"b");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changings, 1);
  list.BeginUpdate();
  list.Add(u"c");
  list.Add(u"d");
  list.EndUpdate();
  EXPECT_EQ(changes, 2);  // one notice for the whole update
  list.Exchange(0, 3);
  list.Move(0, 1);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"b", u"d", u"c", u"a"}));

  int deleted = 0;
  {
    TStringList owner(true);
    owner.AddObject(u"x", new TCounted(&deleted));
    owner.AddObject(u"y", new TCounted(&deleted));
    owner.AddObject(u"z", new TCounted(&deleted));
    owner.Delete(0);
    EXPECT_EQ(deleted, 1);
    owner.Move(0, 1);  // moving keeps the object alive
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(owner.Strings(1), u"y");
  }
  EXPECT_EQ(deleted, 3);

  TStringList copy;
  copy.SetSorted(true);
  TStringList source;
  source.AddStrings(std::vector<String>{u"z", u"a"});
  source.SetDelimiter(u';');
  copy.Assign(&source);
  EXPECT_EQ(Lines(copy), (std::vector<String>{u"a", u"z"}));
  EXPECT_EQ(copy.Delimiter(), u';');
}

TEST(PersistentTest, AssignWithoutSupportRaises) {
  TStringList list;
  TPersistent other;
  try {
    list.Assign(&other);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a TPersistent to a TStringList");
  }
  try {
    other.Assign(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a nil to a TPersistent");
  }
}

TEST(ListTest, PointerListAndOwningObjectList) {
  TList list;
  int a = 1, b = 2, c = 3;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.IndexOf(&b), 1);
  EXPECT_EQ(list.First(), &a);
  EXPECT_EQ(list.Last(), &c);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(y) - *static_cast<int*>(x); });
  EXPECT_EQ(list[0], &c);
  EXPECT_EQ(list.Remove(&b), 1);
  EXPECT_EQ(list.Remove(&b), -1);
  list.Move(0, 1);
  EXPECT_EQ(list[1], &c);
  try {
    list.Get(2);
    ADD_FAILURE() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (2)");
  }
  TList empty;
  EXPECT_THROW(empty.First(), EListError);

  int deleted = 0;
  {
    TObjectList owned;
    auto* kept = new TCounted(&deleted);
    owned.Add(new TCounted(&deleted));
    owned.Add(kept);
    owned.Add(new TCounted(&deleted));
    owned.Delete(0);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(owned.Extract(kept), kept);  // extracted: not freed
    EXPECT_EQ(deleted, 1);
    delete kept;
    EXPECT_EQ(deleted, 2);
  }
  EXPECT_EQ(deleted, 3);
  {
    TObjectList notOwned(false);
    TCounted x(&deleted);
    notOwned.Add(&x);
    notOwned.Clear();
  }
  EXPECT_EQ(deleted, 4);  // only x's own end
}

namespace {

class TNamedItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  String Name;
  void Assign(TPersistent* Source) override {
    if (auto* n = dynamic_cast<TNamedItem*>(Source)) {
      Name = n->Name;
      return;
    }
    TCollectionItem::Assign(Source);
  }
};

class TWatchedCollection : public TCollection {
 public:
  TWatchedCollection() : TCollection([](TCollection* c) { return new TNamedItem(c); }) {}
  TNamedItem* Item(Integer i) const { return static_cast<TNamedItem*>(GetItem(i)); }
  int Updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++Updates; }
};

}  // namespace

TEST(CollectionTest, ItemsKnowTheirCollectionAndIndex) {
  TWatchedCollection col;
  auto* first = static_cast<TNamedItem*>(col.Add());
  first->Name = u"first";
  auto* second = static_cast<TNamedItem*>(col.Add());
  second->Name = u"second";
  auto* inserted = static_cast<TNamedItem*>(col.Insert(0));
  inserted->Name = u"zero";
  EXPECT_EQ(col.Count(), 3);
  EXPECT_EQ(inserted->Index(), 0);
  EXPECT_EQ(second->Index(), 2);
  EXPECT_EQ(first->Collection(), &col);
  EXPECT_NE(first->ID(), second->ID());
  EXPECT_EQ(col.FindItemID(second->ID()), second);
  second->SetIndex(0);
  EXPECT_EQ(col.Item(0)->Name, u"second");
  try {
    col.GetItem(3);
    ADD_FAILURE() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (3)");
  }
  EXPECT_THROW(col.Items(-1), EListError);

  const int before = col.Updates;
  col.BeginUpdate();
  col.Add();
  col.Delete(0);
  EXPECT_EQ(col.Updates, before);
  col.EndUpdate();
  EXPECT_EQ(col.Updates, before + 1);

  TWatchedCollection copy;
  copy.Assign(&col);
  ASSERT_EQ(copy.Count(), col.Count());
  EXPECT_EQ(copy.Item(0)->Name, col.Item(0)->Name);

  delete col.Item(0);  // an item freed directly leaves its collection
  EXPECT_EQ(col.Count(), 2);
  col.Clear();
  EXPECT_EQ(col.Count(), 0);
}

// DeleteWhere frees the picked items, keeps the others in their order and reports the change once
// (none when nothing was picked); a predicate that raises leaves the items it did not reach.
TEST(CollectionTest, DeleteWhereKeepsTheOthersInOrder) {
  TWatchedCollection col;
  for (const char16_t* n : {u"a", u"x1", u"b", u"x2", u"x3", u"c"}) static_cast<TNamedItem*>(col.Add())->Name = n;
  auto Names = [&col] {
    String S;
    for (Integer i = 0; i < col.Count(); ++i) S += col.Item(i)->Name + u" ";
    return S;
  };
  auto Picked = [](TCollectionItem* It) { return static_cast<TNamedItem*>(It)->Name.rfind(u"x", 0) == 0; };
  int before = col.Updates;
  col.DeleteWhere(Picked);
  EXPECT_EQ(Names(), u"a b c ");
  EXPECT_EQ(col.Updates, before + 1);
  before = col.Updates;
  col.DeleteWhere(Picked);
  EXPECT_EQ(Names(), u"a b c ");
  EXPECT_EQ(col.Updates, before);
  EXPECT_THROW(col.DeleteWhere([](TCollectionItem* It) -> bool {
    if (static_cast<TNamedItem*>(It)->Name == u"b") throw EListError(u"stop");
    return true;
  }),
               EListError);
  EXPECT_EQ(Names(), u"b c ");
  EXPECT_EQ(col.Item(0)->Collection(), &col);
}

TEST(StreamTest, MemoryAndFileStreams) {
  TTempFolder tmp;
  TMemoryStream mem;
  mem.WriteBuffer("hello", 5);
  mem.SetPosition(8);
  mem.WriteBuffer("!", 1);  // writing past the end fills the gap with zeros
  EXPECT_EQ(mem.Size(), 9);
  EXPECT_EQ(mem.Bytes(), std::string("hello\0\0\0!", 9));
  mem.SetPosition(1);
  char buf[4];
  mem.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "ello");
  mem.SetPosition(7);
  try {
    mem.ReadBuffer(buf, 4);
    ADD_FAILURE() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), u"Stream read error");
  }
  mem.SetSize(5);
  EXPECT_EQ(mem.Position(), 5);

  const String path = tmp / u"data.bin";
  {
    TFileStream f(path, fmCreate);
    EXPECT_EQ(f.CopyFrom(&mem, 0), 5);
    f.WriteBuffer(std::string_view("\0\xFF", 2));
  }
  EXPECT_EQ(ReadFileBytes(path), std::string("hello\0\xFF", 7));
  {
    TFileStream f(path, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_EQ(f.Size(), 7);
    f.Seek(-2, soEnd);
    f.WriteBuffer("ab", 2);
    f.SetSize(6);
  }
  EXPECT_EQ(ReadFileBytes(path), "helloa");
  TMemoryStream loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.Bytes(), "helloa");

  const String missing = tmp / u"missing.bin";
  try {
    TFileStream f(missing, fmOpenRead);
    ADD_FAILURE() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), u"Cannot open file \"" + missing + u"\". No such file or directory");
  }
  const String inMissingFolder = tmp / u"no/such.bin";
  try {
    TFileStream f(inMissingFolder, fmCreate);
    ADD_FAILURE() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), u"Cannot create file \"" + inMissingFolder + u"\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(tmp.Path(), fmOpenRead), EFOpenError);  // a folder is no file

  TStringStream text(u"\u00e9", TEncoding::UTF8);
  EXPECT_EQ(text.DataString(), "\xC3\xA9");
  TStringList fromStream;
  TStringStream bytes("\xEF\xBB\xBFone\ntwo");
  fromStream.LoadFromStream(&bytes);
  EXPECT_EQ(Lines(fromStream), (std::vector<String>{u"one", u"two"}));
}
