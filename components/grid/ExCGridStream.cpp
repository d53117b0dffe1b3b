// The binary component stream: writing and reading one component with its property values.
#include "components/grid/ExCGridStream.h"

#include <algorithm>
#include <string>

#include "platform/rtl/SysUtils.h"

namespace {

// The kind bytes of the stream.
enum : Byte {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
};

const char Signature[4] = {'T', 'P', 'F', '0'};

// Lists, sets and collections inside one another deeper than this are taken as damage.
constexpr Integer MaxDepth = 32;

// --- Writing ------------------------------------------------------------------------------------

class TWriterState {
 public:
  explicit TWriterState(TStream* S) : FStream(S) {}

  void Bytes(const void* Data, size_t Count) {
    if (Count > 0) FStream->WriteBuffer(Data, static_cast<Int64>(Count));
  }
  void Byte1(Byte B) { Bytes(&B, 1); }
  void LE(uint64_t V, int Size) {
    Byte Buf[8];
    for (int i = 0; i < Size; ++i) Buf[i] = static_cast<Byte>(V >> (8 * i));
    Bytes(Buf, static_cast<size_t>(Size));
  }
  // A length byte and the text's characters as bytes; names and identifiers are ASCII.
  void ShortString(const String& Text) {
    std::string B;
    for (Char C : Text) B.push_back(static_cast<char>(C < 256 ? C : u'?'));
    if (B.size() > 255) B.resize(255);
    Byte1(static_cast<Byte>(B.size()));
    Bytes(B.data(), B.size());
  }
  void Integer64(Int64 V) {
    if (V >= -128 && V <= 127) {
      Byte1(vaInt8);
      LE(static_cast<uint64_t>(V), 1);
    } else if (V >= -32768 && V <= 32767) {
      Byte1(vaInt16);
      LE(static_cast<uint64_t>(V), 2);
    } else if (V >= INT32_MIN && V <= INT32_MAX) {
      Byte1(vaInt32);
      LE(static_cast<uint64_t>(V), 4);
    } else {
      Byte1(vaInt64);
      LE(static_cast<uint64_t>(V), 8);
    }
  }
  void Text(const String& S) {
    bool Ascii = true;
    for (Char C : S)
      if (C >= 128) Ascii = false;
    if (Ascii) {
      if (S.size() <= 255) {
        Byte1(vaString);
        Byte1(static_cast<Byte>(S.size()));
      } else {
        Byte1(vaLString);
        LE(S.size(), 4);
      }
      for (Char C : S) Byte1(static_cast<Byte>(C));
      return;
    }
    Byte1(vaWString);
    LE(S.size(), 4);
    for (Char C : S) LE(C, 2);
  }
  void Value(const TStreamValue& V) {
    switch (V.Kind) {
      case svInteger: Integer64(V.Int); break;
      case svFalse: Byte1(vaFalse); break;
      case svTrue: Byte1(vaTrue); break;
      case svIdent:
        Byte1(vaIdent);
        ShortString(V.Text);
        break;
      case svString: Text(V.Text); break;
      case svSet:
        Byte1(vaSet);
        for (const String& M : V.Idents) ShortString(M);
        Byte1(0);
        break;
      case svList:
        Byte1(vaList);
        for (const TStreamValue& E : V.List) Value(E);
        Byte1(vaNull);
        break;
      case svCollection:
        Byte1(vaCollection);
        for (const auto& Item : V.Items) {
          Byte1(vaList);
          Properties(Item);
          Byte1(vaNull);
        }
        Byte1(vaNull);
        break;
      case svNil: Byte1(vaNil); break;
    }
  }
  void Properties(const std::vector<TStreamProperty>& Props) {
    for (const TStreamProperty& P : Props) {
      ShortString(P.Name);
      Value(P.Value);
    }
  }

 private:
  TStream* FStream;
};

// --- Reading ------------------------------------------------------------------------------------

[[noreturn]] void Damaged() { throw EReadError(u"Invalid stream format"); }

class TReaderState {
 public:
  explicit TReaderState(TStream* S) : FStream(S), FEnd(S->Size()) {}

  // Count more bytes must still be in the stream.
  void Need(Int64 Count) {
    if (Count < 0 || Count > FEnd - FStream->Position()) throw EReadError(u"Stream read error");
  }
  void Bytes(void* Data, Int64 Count) {
    Need(Count);
    if (Count > 0) FStream->ReadBuffer(Data, Count);
  }
  Byte Byte1() {
    Byte B = 0;
    Bytes(&B, 1);
    return B;
  }
  // The next byte without taking it.
  Byte Peek() {
    const Int64 P = FStream->Position();
    const Byte B = Byte1();
    FStream->SetPosition(P);
    return B;
  }
  uint64_t LE(int Size) {
    Byte Buf[8] = {};
    Bytes(Buf, Size);
    uint64_t V = 0;
    for (int i = Size - 1; i >= 0; --i) V = (V << 8) | Buf[i];
    return V;
  }
  String ShortString() {
    const Byte N = Byte1();
    std::string B(N, '\0');
    Bytes(B.data(), N);
    String S;
    for (char C : B) S.push_back(static_cast<Char>(static_cast<Byte>(C)));
    return S;
  }
  String Latin1(Int64 N) {
    Need(N);
    std::string B(static_cast<size_t>(N), '\0');
    Bytes(B.data(), N);
    String S;
    for (char C : B) S.push_back(static_cast<Char>(static_cast<Byte>(C)));
    return S;
  }
  TStreamValue Value(Integer Depth) {
    if (Depth > MaxDepth) Damaged();
    TStreamValue V;
    const Byte Kind = Byte1();
    switch (Kind) {
      case vaInt8:
        V.Kind = svInteger;
        V.Int = static_cast<int8_t>(LE(1));
        break;
      case vaInt16:
        V.Kind = svInteger;
        V.Int = static_cast<int16_t>(LE(2));
        break;
      case vaInt32:
        V.Kind = svInteger;
        V.Int = static_cast<int32_t>(LE(4));
        break;
      case vaInt64:
        V.Kind = svInteger;
        V.Int = static_cast<Int64>(LE(8));
        break;
      case vaFalse: V.Kind = svFalse; break;
      case vaTrue: V.Kind = svTrue; break;
      case vaNil: V.Kind = svNil; break;
      case vaIdent:
        V.Kind = svIdent;
        V.Text = ShortString();
        break;
      case vaString:
        V.Kind = svString;
        V.Text = Latin1(Byte1());
        break;
      case vaLString:
        V.Kind = svString;
        V.Text = Latin1(static_cast<int32_t>(LE(4)));
        break;
      case vaWString: {
        V.Kind = svString;
        const Int64 N = static_cast<int32_t>(LE(4));
        Need(N * 2);
        for (Int64 i = 0; i < N; ++i) V.Text.push_back(static_cast<Char>(LE(2)));
        break;
      }
      case vaUTF8String: {
        V.Kind = svString;
        const Int64 N = static_cast<int32_t>(LE(4));
        Need(N);
        std::string B(static_cast<size_t>(N), '\0');
        Bytes(B.data(), N);
        V.Text = Utf8ToString(B);
        break;
      }
      case vaSet:
        V.Kind = svSet;
        for (String M = ShortString(); !M.empty(); M = ShortString()) V.Idents.push_back(M);
        break;
      case vaList:
        V.Kind = svList;
        while (Peek() != vaNull) V.List.push_back(Value(Depth + 1));
        Byte1();
        break;
      case vaCollection:
        V.Kind = svCollection;
        while (Peek() != vaNull) {
          // An item may be preceded by its position in the collection, which is not needed.
          const Byte K = Peek();
          if (K == vaInt8 || K == vaInt16 || K == vaInt32) Value(Depth + 1);
          if (Byte1() != vaList) Damaged();
          V.Items.push_back(Properties(Depth + 1));
        }
        Byte1();
        break;
      default: Damaged();
    }
    return V;
  }
  // Properties up to the empty name that ends them (taken).
  std::vector<TStreamProperty> Properties(Integer Depth) {
    std::vector<TStreamProperty> Props;
    for (String Name = ShortString(); !Name.empty(); Name = ShortString())
      Props.push_back(TStreamProperty{Name, Value(Depth)});
    return Props;
  }

 private:
  TStream* FStream;
  Int64 FEnd;
};

}  // namespace

TStreamValue TStreamValue::OfInteger(Int64 Value) {
  TStreamValue V;
  V.Kind = svInteger;
  V.Int = Value;
  return V;
}

TStreamValue TStreamValue::OfBoolean(bool Value) {
  TStreamValue V;
  V.Kind = Value ? svTrue : svFalse;
  return V;
}

TStreamValue TStreamValue::OfIdent(const String& Value) {
  TStreamValue V;
  V.Kind = svIdent;
  V.Text = Value;
  return V;
}

TStreamValue TStreamValue::OfString(const String& Value) {
  TStreamValue V;
  V.Kind = svString;
  V.Text = Value;
  return V;
}

TStreamValue TStreamValue::OfSet(std::vector<String> Members) {
  TStreamValue V;
  V.Kind = svSet;
  V.Idents = std::move(Members);
  return V;
}

void WriteComponentStream(TStream* Stream, const TStreamComponent& Component) {
  TWriterState W(Stream);
  W.Bytes(Signature, sizeof Signature);
  // A class name of 240 characters or more has a length byte that reads as a filer-flags prefix:
  // an empty prefix goes before it, so the stream reads back.
  if (std::min<size_t>(Component.ClassName.size(), 255) >= 0xF0) W.Byte1(0xF0);
  W.ShortString(Component.ClassName);
  W.ShortString(Component.Name);
  W.Properties(Component.Properties);
  W.Byte1(vaNull);  // end of the properties
  W.Byte1(vaNull);  // no child components
}

TStreamComponent ReadComponentStream(TStream* Stream) {
  TReaderState R(Stream);
  char Sig[4] = {};
  R.Bytes(Sig, sizeof Sig);
  for (size_t i = 0; i < sizeof Sig; ++i)
    if (Sig[i] != Signature[i]) Damaged();
  // A prefix byte 0xF0 .. 0xFF carries filer flags; flag 2 (child position) is followed by an
  // integer. Neither matters for a stand-alone component.
  if ((R.Peek() & 0xF0) == 0xF0) {
    const Byte Flags = R.Byte1() & 0x0F;
    if (Flags & 2) {
      const TStreamValue Pos = R.Value(0);
      if (Pos.Kind != svInteger) Damaged();
    }
  }
  TStreamComponent C;
  C.ClassName = R.ShortString();
  if (C.ClassName.empty()) Damaged();
  C.Name = R.ShortString();
  C.Properties = R.Properties(0);
  if (R.Byte1() != vaNull) Damaged();  // child components are not part of this stream
  return C;
}
