// The registry stand-in. The store is a UTF-8 text file:
//   [HKEY_CURRENT_USER\Software\Maker]
//   Name=s:text          (s text, e expandable text, d 32-bit number, b hexadecimal bytes)
// Backslash, '=', CR and LF in names and texts are written as \\, \=, \r and \n; a name that
// starts with '[', ';' or '#' gets a leading backslash too.
#include "platform/rtl/Registry.h"

#include <mutex>

#include "platform/rtl/CodePages.h"

namespace {

std::mutex& StoreMutex() {
  static std::mutex m;
  return m;
}

String& StoreOverride() {
  static String s;
  return s;
}

String RootName(HKEY Root) {
  switch (Root) {
    case HKEY_CLASSES_ROOT: return u"HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER: return u"HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE: return u"HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return u"HKEY_USERS";
    case HKEY_CURRENT_CONFIG: return u"HKEY_CURRENT_CONFIG";
    default: return u"HKEY_" + IntToHex(Root, 8);
  }
}

String Escape(const String& S, bool IsName) {
  String out;
  if (IsName && !S.empty() && (S[0] == u'[' || S[0] == u';' || S[0] == u'#')) out.push_back(u'\\');
  for (Char c : S) {
    switch (c) {
      case u'\\': out += u"\\\\"; break;
      case u'=': out += IsName ? u"\\=" : u"="; break;
      case u'\r': out += u"\\r"; break;
      case u'\n': out += u"\\n"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

// Unescapes S from Start up to the first unescaped Stop character (0: to the end); End is the
// position after the text read.
String Unescape(const String& S, size_t Start, Char Stop, size_t& End) {
  String out;
  size_t i = Start;
  while (i < S.size()) {
    const Char c = S[i];
    if (Stop != 0 && c == Stop) break;
    if (c == u'\\' && i + 1 < S.size()) {
      const Char e = S[i + 1];
      out.push_back(e == u'r' ? u'\r' : e == u'n' ? u'\n' : e);
      i += 2;
      continue;
    }
    out.push_back(c);
    ++i;
  }
  End = i;
  return out;
}

struct TRegValue {
  String Name;
  TRegDataType Type = rdString;
  String Text;        // rdString, rdExpandString
  Cardinal Number = 0;  // rdInteger
  std::string Bytes;  // rdBinary
};

struct TRegKey {
  String Path;  // "HKEY_CURRENT_USER\Software\Maker"
  std::vector<TRegValue> Values;
};

}  // namespace

// The whole store, read from and written to the file.
struct TRegistry::Store {
  std::vector<TRegKey> Keys;

  static String FileName() { return RegistryFile(); }

  void Load() {
    Keys.clear();
    const String file = FileName();
    if (!FileExists(file)) return;
    TStringList lines;
    lines.LoadFromFile(file);
    TRegKey* current = nullptr;
    for (Integer i = 0; i < lines.Count(); ++i) {
      const String line = lines[i];
      if (line.empty() || line[0] == u';' || line[0] == u'#') continue;
      if (line[0] == u'[' && line.back() == u']') {
        Keys.push_back(TRegKey{line.substr(1, line.size() - 2), {}});
        current = &Keys.back();
        continue;
      }
      if (!current) continue;
      size_t end;
      TRegValue v;
      v.Name = Unescape(line, 0, u'=', end);
      if (end + 2 >= line.size() || line[end] != u'=' || line[end + 2] != u':') continue;
      const Char type = line[end + 1];
      const String payload = line.substr(end + 3);
      size_t dummy;
      switch (type) {
        case u's':
        case u'e':
          v.Type = type == u's' ? rdString : rdExpandString;
          v.Text = Unescape(payload, 0, 0, dummy);
          break;
        case u'd': {
          Int64 n;
          if (!TryStrToInt64(payload, n)) continue;
          v.Type = rdInteger;
          v.Number = static_cast<Cardinal>(n);
          break;
        }
        case u'b': {
          v.Type = rdBinary;
          bool ok = payload.size() % 2 == 0;
          for (size_t k = 0; ok && k < payload.size(); k += 2) {
            Integer byte;
            ok = TryStrToInt(u"$" + payload.substr(k, 2), byte);
            if (ok) v.Bytes.push_back(static_cast<char>(byte));
          }
          if (!ok) continue;
          break;
        }
        default:
          continue;
      }
      current->Values.push_back(std::move(v));
    }
  }

  void Save() {
    TStringList lines;
    for (const auto& k : Keys) {
      lines.Add(u"[" + k.Path + u"]");
      for (const auto& v : k.Values) {
        String payload;
        switch (v.Type) {
          case rdExpandString: payload = u"e:" + Escape(v.Text, false); break;
          case rdInteger: payload = u"d:" + IntToStr(static_cast<Int64>(v.Number)); break;
          case rdBinary:
            payload = u"b:";
            for (char c : v.Bytes) payload += IntToHex(static_cast<unsigned char>(c), 2);
            break;
          default: payload = u"s:" + Escape(v.Text, false); break;
        }
        lines.Add(Escape(v.Name, true) + u"=" + payload);
      }
    }
    const String file = FileName();
    ForceDirectories(ExtractFileDir(file));
    lines.SaveToFile(file, TEncoding::UTF8);
  }

  TRegKey* Find(const String& Path) {
    for (auto& k : Keys)
      if (AnsiSameText(k.Path, Path)) return &k;
    return nullptr;
  }

  // The value Name of the key Path, created (with the key) when missing, emptied of old data.
  TRegValue& Put(const String& Path, const String& Name, TRegDataType Type) {
    TRegKey* k = Create(Path);
    TRegValue* v = nullptr;
    for (auto& x : k->Values)
      if (AnsiSameText(x.Name, Name)) v = &x;
    if (!v) {
      k->Values.emplace_back();
      v = &k->Values.back();
      v->Name = Name;
    }
    v->Type = Type;
    v->Text.clear();
    v->Number = 0;
    v->Bytes.clear();
    return *v;
  }

  // Creates the key and its missing parents.
  TRegKey* Create(const String& Path) {
    size_t from = 0;
    while (true) {
      const size_t at = Path.find(u'\\', from);
      const String part = at == String::npos ? Path : Path.substr(0, at);
      if (!Find(part)) Keys.push_back(TRegKey{part, {}});
      if (at == String::npos) break;
      from = at + 1;
    }
    return Find(Path);
  }
};

String RegistryFile() {
  {
    std::lock_guard<std::mutex> lock(StoreMutex());
    if (!StoreOverride().empty()) return StoreOverride();
  }
  return UserConfigFolder() + PathDelim + ProgramName() + u"/registry.ini";
}

void SetRegistryFile(const String& FileName) {
  std::lock_guard<std::mutex> lock(StoreMutex());
  StoreOverride() = FileName;
}

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY Value) {
  CloseKey();
  FRootKey = Value;
}

// The full path of Key: from the root when it starts with '\', else from the current key.
// Empty parts are dropped.
String TRegistry::Resolve(const String& Key) const {
  String rel = Key;
  String base = (!Key.empty() && Key[0] == u'\\') ? String() : FCurrentPath;
  String path = RootName(FRootKey);
  auto appendParts = [&path](const String& p) {
    size_t from = 0;
    while (from <= p.size()) {
      size_t at = p.find(u'\\', from);
      if (at == String::npos) at = p.size();
      if (at > from) path += u"\\" + p.substr(from, at - from);
      from = at + 1;
    }
  };
  appendParts(base);
  appendParts(rel);
  return path;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  Store store;
  store.Load();
  const String full = Resolve(Key);
  if (!store.Find(full)) {
    if (!CanCreate) return false;
    store.Create(full);
    store.Save();
  }
  FCurrentPath = full.substr(RootName(FRootKey).size());
  if (!FCurrentPath.empty()) FCurrentPath.erase(0, 1);
  FOpen = true;
  FReadOnly = false;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  Store store;
  store.Load();
  const String full = Resolve(Key);
  if (full != RootName(FRootKey) && !store.Find(full)) return false;
  FCurrentPath = full.substr(RootName(FRootKey).size());
  if (!FCurrentPath.empty()) FCurrentPath.erase(0, 1);
  FOpen = true;
  FReadOnly = true;
  return true;
}

void TRegistry::CloseKey() {
  FCurrentPath.clear();
  FOpen = false;
  FReadOnly = false;
}

bool TRegistry::CreateKey(const String& Key) {
  Store store;
  store.Load();
  const String full = Resolve(Key);
  if (store.Find(full)) return true;
  store.Create(full);
  store.Save();
  return true;
}

bool TRegistry::KeyExists(const String& Key) {
  Store store;
  store.Load();
  const String full = Resolve(Key);
  return full == RootName(FRootKey) || store.Find(full) != nullptr;
}

bool TRegistry::DeleteKey(const String& Key) {
  Store store;
  store.Load();
  const String full = Resolve(Key);
  if (full == RootName(FRootKey)) return false;  // the root key stays
  const String prefix = AnsiUpperCase(full + u"\\");
  bool found = false;
  for (auto it = store.Keys.begin(); it != store.Keys.end();) {
    const String up = AnsiUpperCase(it->Path);
    if (up == AnsiUpperCase(full) || up.compare(0, prefix.size(), prefix) == 0) {
      it = store.Keys.erase(it);
      found = true;
    } else {
      ++it;
    }
  }
  if (found) store.Save();
  return found;
}

bool TRegistry::HasSubKeys() {
  TStringList names;
  GetKeyNames(&names);
  return names.Count() > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Store store;
  store.Load();
  const String prefix = AnsiUpperCase(Resolve(String()) + u"\\");
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& k : store.Keys) {
    if (AnsiUpperCase(k.Path).compare(0, prefix.size(), prefix) != 0) continue;
    const String rest = k.Path.substr(prefix.size());
    if (!rest.empty() && rest.find(u'\\') == String::npos) Strings->Add(rest);
  }
  Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Store store;
  store.Load();
  Strings->BeginUpdate();
  Strings->Clear();
  if (TRegKey* k = store.Find(Resolve(String())))
    for (const auto& v : k->Values) Strings->Add(v.Name);
  Strings->EndUpdate();
}

namespace {

TRegValue* FindValue(TRegKey* Key, const String& Name) {
  if (!Key) return nullptr;
  for (auto& v : Key->Values)
    if (AnsiSameText(v.Name, Name)) return &v;
  return nullptr;
}

}  // namespace

bool TRegistry::ValueExists(const String& Name) {
  Store store;
  store.Load();
  return FindValue(store.Find(Resolve(String())), Name) != nullptr;
}

bool TRegistry::DeleteValue(const String& Name) {
  CheckWritable(Name);
  Store store;
  store.Load();
  TRegKey* k = store.Find(Resolve(String()));
  if (!k) return false;
  for (auto it = k->Values.begin(); it != k->Values.end(); ++it) {
    if (AnsiSameText(it->Name, Name)) {
      k->Values.erase(it);
      store.Save();
      return true;
    }
  }
  return false;
}

TRegDataType TRegistry::GetDataType(const String& Name) {
  Store store;
  store.Load();
  const TRegValue* v = FindValue(store.Find(Resolve(String())), Name);
  return v ? v->Type : rdUnknown;
}

Integer TRegistry::GetDataSize(const String& Name) {
  Store store;
  store.Load();
  const TRegValue* v = FindValue(store.Find(Resolve(String())), Name);
  if (!v) return -1;
  switch (v->Type) {
    case rdInteger: return 4;
    case rdBinary: return static_cast<Integer>(v->Bytes.size());
    default: return static_cast<Integer>((v->Text.size() + 1) * 2);  // UTF-16 with its terminator
  }
}

void TRegistry::CheckWritable(const String& Name) const {
  if (FReadOnly) throw ERegistryException(u"Failed to set data for '" + Name + u"'");
}

String TRegistry::ReadString(const String& Name) {
  Store store;
  store.Load();
  const TRegValue* v = FindValue(store.Find(Resolve(String())), Name);
  if (!v) return String();
  if (v->Type != rdString && v->Type != rdExpandString)
    throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  return v->Text;
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  CheckWritable(Name);
  Store store;
  store.Load();
  store.Put(Resolve(String()), Name, rdString).Text = Value;
  store.Save();
}

void TRegistry::WriteExpandString(const String& Name, const String& Value) {
  CheckWritable(Name);
  Store store;
  store.Load();
  store.Put(Resolve(String()), Name, rdExpandString).Text = Value;
  store.Save();
}

Integer TRegistry::ReadInteger(const String& Name) {
  Store store;
  store.Load();
  const TRegValue* v = FindValue(store.Find(Resolve(String())), Name);
  if (!v) throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  if (v->Type != rdInteger) throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  return static_cast<Integer>(v->Number);
}

void TRegistry::WriteInteger(const String& Name, Integer Value) {
  CheckWritable(Name);
  Store store;
  store.Load();
  store.Put(Resolve(String()), Name, rdInteger).Number = static_cast<Cardinal>(Value);
  store.Save();
}

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

Integer TRegistry::ReadBinaryData(const String& Name, void* Buffer, Integer BufSize) {
  Store store;
  store.Load();
  const TRegValue* v = FindValue(store.Find(Resolve(String())), Name);
  if (!v) throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  if (v->Type != rdBinary) throw ERegistryException(u"Invalid data type for '" + Name + u"'");
  if (static_cast<Integer>(v->Bytes.size()) > BufSize) throw ERegistryException(u"Failed to get data for '" + Name + u"'");
  std::copy(v->Bytes.begin(), v->Bytes.end(), static_cast<char*>(Buffer));
  return static_cast<Integer>(v->Bytes.size());
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, Integer BufSize) {
  CheckWritable(Name);
  Store store;
  store.Load();
  store.Put(Resolve(String()), Name, rdBinary)
      .Bytes.assign(static_cast<const char*>(Buffer), static_cast<size_t>(BufSize < 0 ? 0 : BufSize));
  store.Save();
}
