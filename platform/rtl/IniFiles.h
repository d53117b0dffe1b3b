// INI files: sections of "key=value" lines.
#pragma once

#include <vector>

#include "platform/rtl/Classes.h"

KP_DECLARE_EXCEPTION(EIniFileException, Exception)

// Section and key names compare without regard to case. Keys and values are trimmed of blanks on
// reading; lines starting with ';' or '#' are comments and are kept. The file is read whole
// (byte-order mark detection, else ANSI) and written whole with CR LF line ends, in the encoding it
// was read with (ANSI for a new file), sections separated by an empty line.
class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(const String& FileName);
  String ClassName() const override { return u"TCustomIniFile"; }
  const String& FileName() const { return FFileName; }

  bool SectionExists(const String& Section) const;
  bool ValueExists(const String& Section, const String& Ident) const;
  String ReadString(const String& Section, const String& Ident, const String& Default) const;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value);
  // The value as an integer (decimal or with a hex prefix), Default when missing or not a number.
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  // A number other than 0 is true; written as "1" or "0".
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // Floating-point values with the decimal separator of FormatSettings.
  double ReadFloat(const String& Section, const String& Ident, double Default) const;
  void WriteFloat(const String& Section, const String& Ident, double Value);
  // The keys of Section.
  void ReadSection(const String& Section, TStrings* Strings) const;
  // The section names.
  void ReadSections(TStrings* Strings) const;
  // The "key=value" lines of Section.
  void ReadSectionValues(const String& Section, TStrings* Strings) const;
  virtual void EraseSection(const String& Section);
  virtual void DeleteKey(const String& Section, const String& Ident);
  // Writes the file.
  virtual void UpdateFile();

  // The whole contents as lines, and replacing them.
  void GetStrings(TStrings* List) const;
  void SetStrings(const TStrings* List);
  void Clear();
  TEncoding Encoding() const { return FEncoding; }
  void SetEncoding(TEncoding Value) { FEncoding = Value; }

 protected:
  // Reads the file when it exists.
  void LoadValues();

 private:
  struct Line {
    bool IsComment = false;
    String Key;    // or the comment's text
    String Value;
  };
  struct Section {
    String Name;
    std::vector<Line> Lines;
  };
  const Section* FindSection(const String& Name) const;
  Section* FindSection(const String& Name);
  const Line* FindKey(const Section* S, const String& Ident) const;
  void ParseLines(const TStrings* List);

  String FFileName;
  TEncoding FEncoding = TEncoding::ANSI;
  std::vector<String> FHeader;  // comment lines before the first section
  std::vector<Section> FSections;
};

// The file is read once; changes stay in memory until UpdateFile.
class TMemIniFile : public TCustomIniFile {
 public:
  explicit TMemIniFile(const String& FileName);
  String ClassName() const override { return u"TMemIniFile"; }
};

// Every change is written to the file at once; EIniFileException "Unable to write to %s" when
// the file cannot be written. Each change first reads the file again, so changes that other
// objects made to the same file in the meantime are kept.
class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(const String& FileName);
  String ClassName() const override { return u"TIniFile"; }
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;

 private:
  void Flush();
};
