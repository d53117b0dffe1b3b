#include "platform/office/OfficePackage.h"

#include <algorithm>
#include <cstring>

#include <zip.h>

namespace office {

namespace {
// What a package may unpack to. Office files compress about ten to one; a part that unpacks to
// much more than a hundred times its packed size is a zip bomb (a few hundred kilobytes of
// repeated bytes that would unpack to gigabytes), refused before anything is unpacked. Small
// parts and packages are always taken whatever their ratio, and no package unpacks to more than
// MaxUnpacked in all.
constexpr zip_uint64_t MaxUnpacked = 512ull * 1024 * 1024;
constexpr zip_uint64_t AlwaysUnpacked = 16ull * 1024 * 1024;
constexpr zip_uint64_t MaxRatio = 100;

// What Packed bytes may unpack to.
zip_uint64_t UnpackBudget(zip_uint64_t Packed) {
  return Packed >= MaxUnpacked / MaxRatio ? MaxUnpacked : std::max(AlwaysUnpacked, Packed * MaxRatio);
}

String SizeText(zip_uint64_t N) { return UIntToStr(N) + u" bytes"; }

struct TZipCloser {
  zip_t* Z;
  ~TZipCloser() {
    if (Z) zip_discard(Z);
  }
};
}  // namespace

TPackage TPackage::Read(const std::string& Bytes, const String& Message) {
  zip_error_t Err;
  zip_error_init(&Err);
  zip_source_t* Src = zip_source_buffer_create(Bytes.data(), Bytes.size(), 0, &Err);
  if (!Src) {
    zip_error_fini(&Err);
    throw EOleException(Message);
  }
  zip_t* Z = zip_open_from_source(Src, ZIP_RDONLY | ZIP_CHECKCONS, &Err);
  zip_error_fini(&Err);
  if (!Z) {
    zip_source_free(Src);
    throw EOleException(Message);
  }
  TZipCloser Closer{Z};
  TPackage P;
  zip_uint64_t Total = 0;
  const zip_int64_t N = zip_get_num_entries(Z, 0);
  for (zip_int64_t I = 0; I < N; ++I) {
    zip_stat_t St;
    zip_stat_init(&St);
    if (zip_stat_index(Z, static_cast<zip_uint64_t>(I), 0, &St) != 0 || !(St.valid & ZIP_STAT_NAME) ||
        !(St.valid & ZIP_STAT_SIZE) || !(St.valid & ZIP_STAT_COMP_SIZE))
      throw EOleException(Message);
    std::string Name = St.name;
    if (!Name.empty() && Name.back() == '/') continue;  // a folder entry
    if (St.size > UnpackBudget(St.comp_size))
      throw EOfficeLimit(u"its part \"" + Utf8ToString(Name) + u"\" would unpack to " + SizeText(St.size) + u" from " +
                         SizeText(St.comp_size) + u", more than a hundred times its size");
    Total += St.size;
    if (Total > UnpackBudget(Bytes.size()))
      throw EOfficeLimit(u"its parts would unpack to more than the " + SizeText(UnpackBudget(Bytes.size())) +
                         u" a file of " + SizeText(Bytes.size()) + u" may unpack to");
    zip_file_t* F = zip_fopen_index(Z, static_cast<zip_uint64_t>(I), 0);
    if (!F) throw EOleException(Message);
    std::string Data(St.size, '\0');
    const zip_int64_t Got = St.size ? zip_fread(F, Data.data(), St.size) : 0;
    zip_fclose(F);
    if (Got < 0 || static_cast<zip_uint64_t>(Got) != St.size) throw EOleException(Message);
    P.FParts.emplace_back(std::move(Name), std::move(Data));
  }
  return P;
}

const std::string* TPackage::Find(const std::string& Name) const {
  for (const auto& [N, B] : FParts)
    if (N == Name) return &B;
  // Part names are case-insensitive in the package format.
  for (const auto& [N, B] : FParts)
    if (N.size() == Name.size() && strncasecmp(N.c_str(), Name.c_str(), N.size()) == 0) return &B;
  return nullptr;
}

void TPackage::Set(const std::string& Name, std::string Bytes) {
  for (auto& [N, B] : FParts)
    if (N == Name) {
      B = std::move(Bytes);
      return;
    }
  FParts.emplace_back(Name, std::move(Bytes));
}

void TPackage::Remove(const std::string& Name) {
  for (auto It = FParts.begin(); It != FParts.end(); ++It)
    if (It->first == Name) {
      FParts.erase(It);
      return;
    }
}

std::string TPackage::Write() const {
  zip_error_t Err;
  zip_error_init(&Err);
  zip_source_t* Out = zip_source_buffer_create(nullptr, 0, 0, &Err);
  zip_t* Z = Out ? zip_open_from_source(Out, ZIP_TRUNCATE, &Err) : nullptr;
  zip_error_fini(&Err);
  if (!Z) {
    if (Out) zip_source_free(Out);
    throw EOleException(u"The package could not be written");
  }
  zip_source_keep(Out);
  bool Ok = true;
  for (const auto& [Name, Bytes] : FParts) {
    zip_source_t* S = zip_source_buffer(Z, Bytes.data(), Bytes.size(), 0);
    const zip_int64_t Idx = S ? zip_file_add(Z, Name.c_str(), S, ZIP_FL_ENC_UTF_8) : -1;
    if (Idx < 0) {
      if (S) zip_source_free(S);
      Ok = false;
      break;
    }
    zip_set_file_compression(Z, static_cast<zip_uint64_t>(Idx), ZIP_CM_DEFLATE, 0);
  }
  if (!Ok || zip_close(Z) != 0) {
    if (Ok) zip_discard(Z);
    else zip_discard(Z);
    zip_source_free(Out);
    throw EOleException(u"The package could not be written");
  }
  std::string Result;
  if (zip_source_open(Out) == 0) {
    zip_source_seek(Out, 0, SEEK_END);
    const zip_int64_t Len = zip_source_tell(Out);
    zip_source_seek(Out, 0, SEEK_SET);
    if (Len > 0) {
      Result.resize(static_cast<size_t>(Len));
      if (zip_source_read(Out, Result.data(), static_cast<zip_uint64_t>(Len)) != Len) Result.clear();
    }
    zip_source_close(Out);
  }
  zip_source_free(Out);
  if (Result.empty()) throw EOleException(u"The package could not be written");
  return Result;
}

const char* LocalName(pugi::xml_node Node) {
  const char* N = Node.name();
  const char* C = std::strchr(N, ':');
  return C ? C + 1 : N;
}

pugi::xml_node Child(pugi::xml_node Node, const char* Local) {
  for (pugi::xml_node C = Node.first_child(); C; C = C.next_sibling())
    if (C.type() == pugi::node_element && std::strcmp(LocalName(C), Local) == 0) return C;
  return pugi::xml_node();
}

std::string PrefixOf(pugi::xml_node Node) {
  const char* N = Node.name();
  const char* C = std::strchr(N, ':');
  return C ? std::string(N, static_cast<size_t>(C - N) + 1) : std::string();
}

pugi::xml_attribute Attr(pugi::xml_node Node, const char* Local) {
  for (pugi::xml_attribute A = Node.first_attribute(); A; A = A.next_attribute()) {
    const char* N = A.name();
    const char* C = std::strchr(N, ':');
    if (std::strcmp(C ? C + 1 : N, Local) == 0) return A;
  }
  return pugi::xml_attribute();
}

void ParsePart(pugi::xml_document& Doc, const std::string& Bytes, const String& Message) {
  const pugi::xml_parse_result R =
      Doc.load_buffer(Bytes.data(), Bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
  if (!R || !Doc.document_element()) throw EOleException(Message);
}

std::string SerializePart(const pugi::xml_document& Doc) {
  struct TWriter : pugi::xml_writer {
    std::string S;
    void write(const void* Data, size_t Size) override { S.append(static_cast<const char*>(Data), Size); }
  } W;
  W.S = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  Doc.save(W, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return W.S;
}

std::string ResolveTarget(const std::string& Target, const std::string& BaseFolder) {
  std::string Path = !Target.empty() && Target[0] == '/' ? Target.substr(1) : BaseFolder + Target;
  // Fold "." and ".." steps.
  std::vector<std::string> Steps;
  size_t Start = 0;
  while (Start <= Path.size()) {
    size_t End = Path.find('/', Start);
    if (End == std::string::npos) End = Path.size();
    const std::string Step = Path.substr(Start, End - Start);
    if (Step == "..") {
      if (!Steps.empty()) Steps.pop_back();
    } else if (!Step.empty() && Step != ".") {
      Steps.push_back(Step);
    }
    Start = End + 1;
  }
  std::string Out;
  for (const auto& S : Steps) Out += (Out.empty() ? "" : "/") + S;
  return Out;
}

std::string RelTarget(const pugi::xml_document& Rels, const char* TypeSuffix, const std::string& BaseFolder) {
  const size_t L = std::strlen(TypeSuffix);
  for (pugi::xml_node R = Rels.document_element().first_child(); R; R = R.next_sibling()) {
    const std::string Type = Attr(R, "Type").value();
    if (Type.size() >= L && Type.compare(Type.size() - L, L, TypeSuffix) == 0)
      return ResolveTarget(Attr(R, "Target").value(), BaseFolder);
  }
  return std::string();
}

namespace {
bool IsHex(Char C) { return (C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f'); }
// "_xHHHH_" starts at I.
bool IsEscape(const String& S, size_t I) {
  if (I + 7 > S.size() || S[I] != u'_' || S[I + 1] != u'x' || S[I + 6] != u'_') return false;
  for (size_t K = I + 2; K < I + 6; ++K)
    if (!IsHex(S[K])) return false;
  return true;
}
}  // namespace

std::string EncodeXString(const String& Text) {
  String Out;
  Out.reserve(Text.size());
  for (size_t I = 0; I < Text.size(); ++I) {
    const Char C = Text[I];
    // A literal "_xHHHH_" keeps its meaning by escaping its underscore.
    if (IsEscape(Text, I)) {
      Out += u"_x005F_";
      continue;
    }
    const bool Invalid = (C < 0x20 && C != 9 && C != 10 && C != 13) || C == 0xFFFE || C == 0xFFFF;
    if (Invalid) {
      static const char16_t Hex[] = u"0123456789ABCDEF";
      Out += u"_x";
      for (int Shift = 12; Shift >= 0; Shift -= 4) Out += Hex[(C >> Shift) & 0xF];
      Out += u'_';
    } else {
      Out += C;
    }
  }
  return StringToUtf8(Out);
}

String DecodeXString(const std::string& Utf8) {
  const String S = Utf8ToString(Utf8);
  if (S.find(u"_x") == String::npos) return S;
  String Out;
  Out.reserve(S.size());
  for (size_t I = 0; I < S.size(); ++I) {
    if (IsEscape(S, I)) {
      Out += static_cast<Char>(std::stoi(StringToUtf8(S.substr(I + 2, 4)), nullptr, 16));
      I += 6;
    } else {
      Out += S[I];
    }
  }
  return Out;
}

}  // namespace office
