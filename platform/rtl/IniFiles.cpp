// INI files held in memory and written whole.
#include "platform/rtl/IniFiles.h"

namespace {

bool IsCommentLine(const String& Trimmed) {
  return !Trimmed.empty() && (Trimmed[0] == u';' || Trimmed[0] == u'#');
}

}  // namespace

TCustomIniFile::TCustomIniFile(const String& FileName) : FFileName(FileName) {}

void TCustomIniFile::LoadValues() {
  Clear();
  if (FFileName.empty() || !FileExists(FFileName)) return;
  TStringList list;
  list.LoadFromFile(FFileName);
  FEncoding = list.Encoding();
  ParseLines(&list);
}

void TCustomIniFile::ParseLines(const TStrings* List) {
  FHeader.clear();
  FSections.clear();
  Section* current = nullptr;
  for (Integer i = 0; i < List->Count(); ++i) {
    const String line = Trim(List->Get(i));
    if (line.empty()) continue;
    if (line[0] == u'[' && line.back() == u']') {
      const String name = Trim(line.substr(1, line.size() - 2));
      current = FindSection(name);
      if (!current) {
        FSections.push_back(Section{name, {}});
        current = &FSections.back();
      }
      continue;
    }
    if (IsCommentLine(line)) {
      if (current) current->Lines.push_back(Line{true, line, String()});
      else FHeader.push_back(line);
      continue;
    }
    if (!current) continue;  // a value outside any section has no place
    const size_t eq = line.find(u'=');
    Line entry;
    if (eq == String::npos) {
      entry.Key = line;
    } else {
      entry.Key = Trim(line.substr(0, eq));
      entry.Value = Trim(line.substr(eq + 1));
    }
    current->Lines.push_back(entry);
  }
}

void TCustomIniFile::Clear() {
  FHeader.clear();
  FSections.clear();
}

const TCustomIniFile::Section* TCustomIniFile::FindSection(const String& Name) const {
  for (const auto& s : FSections)
    if (AnsiSameText(s.Name, Name)) return &s;
  return nullptr;
}

TCustomIniFile::Section* TCustomIniFile::FindSection(const String& Name) {
  for (auto& s : FSections)
    if (AnsiSameText(s.Name, Name)) return &s;
  return nullptr;
}

const TCustomIniFile::Line* TCustomIniFile::FindKey(const Section* S, const String& Ident) const {
  if (!S) return nullptr;
  for (const auto& l : S->Lines)
    if (!l.IsComment && AnsiSameText(l.Key, Ident)) return &l;
  return nullptr;
}

bool TCustomIniFile::SectionExists(const String& Section) const { return FindSection(Section) != nullptr; }

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) const {
  return FindKey(FindSection(Section), Ident) != nullptr;
}

String TCustomIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
  const Line* l = FindKey(FindSection(Section), Ident);
  return l ? l->Value : Default;
}

void TCustomIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TCustomIniFile::Section* s = FindSection(Section);
  if (!s) {
    FSections.push_back(TCustomIniFile::Section{Section, {}});
    s = &FSections.back();
  }
  // Line breaks would split the entry on the next read; they become blanks.
  String value = Value;
  for (auto& c : value)
    if (c == u'\r' || c == u'\n') c = u' ';
  for (auto& l : s->Lines) {
    if (!l.IsComment && AnsiSameText(l.Key, Ident)) {
      l.Value = value;
      return;
    }
  }
  s->Lines.push_back(Line{false, Ident, value});
}

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const {
  return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? u"1" : u"0");
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default) const {
  return StrToFloatDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

void TCustomIniFile::ReadSection(const String& Section, TStrings* Strings) const {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    if (const auto* s = FindSection(Section))
      for (const auto& l : s->Lines)
        if (!l.IsComment) Strings->Add(l.Key);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings* Strings) const {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (const auto& s : FSections) Strings->Add(s.Name);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    if (const auto* s = FindSection(Section))
      for (const auto& l : s->Lines)
        if (!l.IsComment) Strings->Add(l.Key + u"=" + l.Value);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TCustomIniFile::EraseSection(const String& Section) {
  for (auto it = FSections.begin(); it != FSections.end(); ++it) {
    if (AnsiSameText(it->Name, Section)) {
      FSections.erase(it);
      return;
    }
  }
}

void TCustomIniFile::DeleteKey(const String& Section, const String& Ident) {
  TCustomIniFile::Section* s = FindSection(Section);
  if (!s) return;
  for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it) {
    if (!it->IsComment && AnsiSameText(it->Key, Ident)) {
      s->Lines.erase(it);
      return;
    }
  }
}

void TCustomIniFile::GetStrings(TStrings* List) const {
  List->BeginUpdate();
  try {
    List->Clear();
    for (const auto& h : FHeader) List->Add(h);
    for (size_t i = 0; i < FSections.size(); ++i) {
      if (i > 0 || !FHeader.empty()) List->Add(String());
      const auto& s = FSections[i];
      List->Add(u"[" + s.Name + u"]");
      for (const auto& l : s.Lines) List->Add(l.IsComment ? l.Key : l.Key + u"=" + l.Value);
    }
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}

void TCustomIniFile::SetStrings(const TStrings* List) { ParseLines(List); }

void TCustomIniFile::UpdateFile() {
  TStringList list;
  GetStrings(&list);
  list.SaveToFile(FFileName, FEncoding);
}

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) { LoadValues(); }

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) { LoadValues(); }

void TIniFile::Flush() {
  try {
    UpdateFile();
  } catch (const EStreamError&) {
    throw EIniFileException(u"Unable to write to " + FileName());
  }
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  LoadValues();
  TCustomIniFile::WriteString(Section, Ident, Value);
  Flush();
}

void TIniFile::EraseSection(const String& Section) {
  LoadValues();
  TCustomIniFile::EraseSection(Section);
  Flush();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  LoadValues();
  TCustomIniFile::DeleteKey(Section, Ident);
  Flush();
}
