// The binary component stream the column grid keeps its collection in: the signature "TPF0", the
// component's class name and name, its properties (name and typed value) up to an empty name, and
// an empty list of child components.
//
// Values carry a kind byte: 1 list (values up to a 0 byte), 2/3/4/19 integers of 1, 2, 4 and 8
// bytes (little endian), 6 a string of up to 255 bytes, 12 a longer string (4-byte length), 18 a
// UTF-16 string (4-byte length in code units), 20 a UTF-8 string (4-byte byte length), 7 an
// identifier, 8/9 false/true, 11 a set (identifiers up to an empty one), 13 nil, 14 a collection
// (items, each a list of properties, up to a 0 byte). Names and identifiers are short strings: a
// length byte and that many bytes.
//
// A length byte of 0xF0 or more where the class name begins would read as a filer-flags prefix, so
// the writer puts an empty prefix (0xF0) before a class name that long.
// The writer picks the smallest integer kind, short or long 8-bit strings for ASCII text and UTF-16
// strings for any other text. The reader takes every kind above and checks every length against
// what the stream still holds, so a damaged stream raises EReadError instead of reading past it.
// No GUI is needed here.
#pragma once

#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

enum TStreamValueKind : Byte {
  svInteger,     // Int
  svFalse,       // the Boolean false
  svTrue,        // the Boolean true
  svIdent,       // Text: an identifier (enumeration value, colour or component name)
  svString,      // Text
  svSet,         // Idents: the names of the members
  svList,        // List: values (a string list's lines)
  svCollection,  // Items: each item's properties
  svNil,         // no component
};

struct TStreamProperty;

struct TStreamValue {
  TStreamValueKind Kind = svNil;
  Int64 Int = 0;
  String Text;
  std::vector<String> Idents;
  std::vector<TStreamValue> List;
  std::vector<std::vector<TStreamProperty>> Items;

  static TStreamValue OfInteger(Int64 Value);
  static TStreamValue OfBoolean(bool Value);
  static TStreamValue OfIdent(const String& Value);
  static TStreamValue OfString(const String& Value);
  static TStreamValue OfSet(std::vector<String> Members);
};

struct TStreamProperty {
  String Name;
  TStreamValue Value;
};

struct TStreamComponent {
  String ClassName;
  String Name;
  std::vector<TStreamProperty> Properties;
};

// Writes the component with the signature.
void WriteComponentStream(TStream* Stream, const TStreamComponent& Component);
// Reads one component with the signature from the stream's position. A stream that is not such a
// component (wrong signature, unknown value kind, a length past its end, child components, nesting
// deeper than 32 levels) raises EReadError.
TStreamComponent ReadComponentStream(TStream* Stream);
