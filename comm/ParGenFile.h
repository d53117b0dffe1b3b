// "ParGen.xml": the communication parameters of a configuration.
//
// The file is an XML document whose values are the texts of the root element's children, found by
// name. The root is the document's first element, whatever its name (`Par_Gen` as written); a
// comment or processing instruction before it changes nothing. The communication
// parameters dialog writes it; the image builder and the description-file writers read it again
// whenever they run. Every reader reads each value on its own: a missing element, or one whose text
// cannot be read, gives that reader's default for the value, and the next value is read. Numbers
// are decimal text, read by the same rule the dialog's checks apply (ParGenChecks.h), so a value
// the dialog let through reads back as the same number.
//
// The dialog writes the root `Par_Gen`, then the comment "SW_VERSION = 1.002" after the root at the
// top level, then these 21 children in this order, each as typed:
//   Ethernet_IP1..4, Ethernet_SM1..4, Ethernet_GAT1..4, Ethernet_EN_GAT ("1"/"0"),
//   Ethernet_DNS1..4, Ethernet_EN_DNS ("1"/"0"), PROFIBUS_ID_Device, PROFINET_NB_IN, PROFINET_NB_OUT.
// The PROFIBUS input and output byte counts live under the element names PROFINET_NB_IN and
// PROFINET_NB_OUT, which the PROFINET writer reads as its data lengths too.
//
// Elements that only the sister variants write, read by other writers with their own defaults:
// PROFINET_NAME_STA, BACnet_Type, BACnet_DEV_IDE, BACnet_Ser_DEV_IDE, BACnet_Desc_Chars_Limit.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/rtl/System.h"

class TXMLDocument;

// The file's name inside the configuration folder.
inline constexpr const char16_t* ParGen_File_Name = u"ParGen.xml";
// The comment that follows the root.
inline constexpr const char16_t* ParGen_Version_Comment = u"SW_VERSION = 1.002";

// The largest "ParGen.xml" read: the dialogs of every variant write a few kilobytes.
constexpr Int64 Max_ParGen_File_Size = 1024 * 1024;

// Reads single values of a loaded "ParGen.xml", each in a guarded step of its own.
class TParGen_Reader {
 public:
  TParGen_Reader();
  ~TParGen_Reader();
  TParGen_Reader(const TParGen_Reader&) = delete;
  TParGen_Reader& operator=(const TParGen_Reader&) = delete;

  // Loads the file. False when it is missing (every read then gives its default). A file that is
  // not well-formed XML raises the XML document's error, and so does a name that stands for no
  // regular file (a folder, a pipe, a device) or a file larger than Max_ParGen_File_Size; a file
  // that does not fit in memory raises EOutOfMemory. Each message names the file.
  bool Load(const String& FileName);
  // Loads the file; a missing one raises the XML document's error like a malformed one.
  void Load_File(const String& FileName);
  // Loads the bytes of such a file; raises like Load.
  void Load_Bytes(const std::string& Bytes);

  // True when a file was loaded.
  bool Loaded() const { return FLoaded; }
  // True when the root has a child element of that name.
  bool Has(const String& Name) const;
  // The text of the root's first child of that name, unchanged; Default when the element is
  // missing or its text cannot be read (it holds elements).
  String Read_Text(const String& Name, const String& Default) const;
  // The text converted as a decimal integer (leading blanks and a sign allowed, no hexadecimal
  // form); Default when it is missing or does not convert.
  Integer Read_Integer(const String& Name, Integer Default) const;
  // A flag is set only when its text is exactly "1".
  bool Read_Flag(const String& Name) const;

 private:
  std::unique_ptr<TXMLDocument> FDoc;
  bool FLoaded = false;
};

// The values of the dialog of this converter, as the user typed them.
struct TParGen_Values {
  std::array<String, 4> Ethernet_IP;
  std::array<String, 4> Ethernet_SM;
  std::array<String, 4> Ethernet_GAT;
  bool Ethernet_EN_GAT = false;
  std::array<String, 4> Ethernet_DNS;
  bool Ethernet_EN_DNS = false;
  String PROFIBUS_ID_Device;
  String PROFINET_NB_IN;   // the PROFIBUS input byte count
  String PROFINET_NB_OUT;  // the PROFIBUS output byte count

  bool operator==(const TParGen_Values&) const = default;
};

// The element names of the PROFIBUS input and output byte counts.
inline constexpr const char16_t* ParGen_NB_In_Name = u"PROFINET_NB_IN";
inline constexpr const char16_t* ParGen_NB_Out_Name = u"PROFINET_NB_OUT";

// The byte counts as numbers, for the image builder and the description-file writers: each one
// Default when its element is missing or does not convert.
struct TParGen_Byte_Counts {
  Integer NB_In = 0;
  Integer NB_Out = 0;
};
TParGen_Byte_Counts Read_ParGen_Byte_Counts(const TParGen_Reader& Reader, Integer Default);

// The dialog's defaults: 192.168.0.10, 255.255.255.0, gateway 192.168.0.1 off, DNS 8.8.8.8 off,
// station 10, byte counts 244 and 244.
TParGen_Values Default_ParGen_Values();

// The dialog's values from a loaded file: each value's text unchanged, or its default when the
// element is missing or cannot be read.
TParGen_Values Read_ParGen_Values(const TParGen_Reader& Reader);

// Reads the file for the dialog: the defaults when it is missing. Raises as TParGen_Reader::Load.
TParGen_Values Read_ParGen_File(const String& FileName);

// The document the dialog writes: the root, the version comment, the 21 values.
std::string ParGen_File_Bytes(const TParGen_Values& Values);

// Rewrites the file whole, dropping any element this converter does not write. The XML document
// replaces the old file only once the new one is complete: when it cannot be written, the old file
// stays as it was and EXMLDocError names the file.
void Write_ParGen_File(const String& FileName, const TParGen_Values& Values);
