#include "app/ULanguage.h"

#include <algorithm>
#include <new>
#include <vector>

#include "app/ConfigurationFolder.h"
#include "app/UComon.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePages.h"
#include "platform/rtl/SysUtils.h"

std::unique_ptr<TStringList> Text_SL;
Integer Text_Count = 0;

namespace {

// The quote character of language files: a text that begins with it ends before the next one.
constexpr Char Pilcrow = u'\u00B6';

// The language file of LanguageName in PathLanguage: "<name>.lng", or a file whose extension
// differs from ".lng" only in letter case (the options dialog lists "Deutsch.LNG" as Deutsch, so
// choosing it must load it). The name itself must match exactly. "" when there is none.
String Find_Language_File(const String& PathLanguage, const String& LanguageName) {
  const String exact = Path_Join(PathLanguage, LanguageName + u".lng");
  if (!FileMissing(exact)) return exact;
  String found;
  TSearchRec rec;
  if (FindFirst(Path_Join(PathLanguage, u"*.lng"), faAnyFile & ~faDirectory, rec) == 0) {
    do {
      if ((rec.Attr & faDirectory) == 0 && Length(rec.Name) == Length(LanguageName) + 4 &&
          Copy(rec.Name, 1, Length(LanguageName)) == LanguageName) {
        found = Path_Join(PathLanguage, rec.Name);
        break;
      }
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  return found;
}

}  // namespace

void Create_Text_Table() { Text_SL = std::make_unique<TStringList>(); }

String Get_Text(Integer Id) {
  if (!Text_SL) throw EStringListError(Format(u"List index out of bounds (%d)", Id));
  return Text_SL->Get(Id);
}

void Load_Default_Texts(TStringList& SL) {
  std::vector<String> texts(Text_Count_Built_In);
  Fill_Built_In_Texts(texts.data(), Text_Count_Built_In);
  SL.BeginUpdate();
  SL.Clear();
  for (const String& t : texts) SL.Add(t);
  SL.EndUpdate();
}

void Load_Default_Texts() {
  if (!Text_SL) Create_Text_Table();
  Load_Default_Texts(*Text_SL);
  Text_Count = Text_Count_Built_In;
}

bool Parse_Lng_Line(const String& Line, Integer TextCount, Integer& Id, String& Text) {
  const String S = Trim(Line);
  if (Copy(S, 1, 3) != u"STR") return false;

  // The id stands between "STR" and the character just before "=": "STR12 = text".
  const Integer P = Pos(u"=", S);
  if (P == 0) return false;
  Integer id = 0;
  if (!TryStrToInt(Trim(Copy(S, 4, P - 5)), id)) return false;
  if (id < 0 || id >= TextCount) return false;

  String T = Trim(Copy(S, P + 1, Length(S)));
  if (T.empty()) return false;

  const Integer C = Pos(u"/#/", T);
  if (C > 0) {
    T = Trim(Copy(T, 1, C - 1));
    if (T.empty()) return false;
  }

  // "¶text ¶" keeps the blanks of a text; anything after the closing mark is dropped.
  if (T[0] == Pilcrow) T.erase(0, 1);
  const size_t Q = T.find(Pilcrow);
  if (Q != String::npos) T.erase(Q);

  Id = id;
  Text = T;
  return true;
}

String Language_File_Text(std::string_view Bytes) {
  TEncoding encoding;
  String text = TextFromBytes(Bytes, encoding);
  if (encoding == TEncoding::ANSI && IsValidUtf8(Bytes) &&
      std::any_of(Bytes.begin(), Bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    text = Utf8ToString(Bytes);
  return text;
}

void Load_Lng_File(TStringList& SL, const String& FileName) {
  TStringList lines;
  try {
    lines.SetText(Language_File_Text(ReadRegularFile(FileName, Max_Lng_File_Size)));
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryReading(FileName);
  }
  // Ids run up to the table's size; a list shorter than that takes only the ids it has.
  const Integer limit = std::min(Text_Count > 0 ? Text_Count : Text_Count_Built_In, SL.Count());
  SL.BeginUpdate();
  for (Integer i = 0; i < lines.Count(); ++i) {
    Integer id = 0;
    String text;
    if (Parse_Lng_Line(lines.Get(i), limit, id, text)) SL.Put(id, text);
  }
  SL.EndUpdate();
}

void Load_Lng_File(const String& FileName) {
  if (!Text_SL) Load_Default_Texts();
  Load_Lng_File(*Text_SL, FileName);
}

void Init_Language(TStringList& SL, const String& PathLanguage, String& LanguageName) {
  Load_Default_Texts(SL);
  // The name comes from the settings file and becomes a path: only a plain file name is used.
  const String chosen = Is_Plain_File_Name(LanguageName) ? Find_Language_File(PathLanguage, LanguageName) : String();
  if (!chosen.empty()) {
    Load_Lng_File(SL, chosen);
    return;
  }
  LanguageName = Def_Language_Name;
  const String english = Find_Language_File(PathLanguage, Def_Language_Name);
  if (!english.empty()) Load_Lng_File(SL, english);
}

void Init_Language() {
  if (!Text_SL) Create_Text_Table();
  Text_Count = Text_Count_Built_In;
  Init_Language(*Text_SL, Path_Language, Language_Name);
}
