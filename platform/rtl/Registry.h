// A stand-in for the system registry: keys with typed values, kept in one file of the user's
// configuration folder.
#pragma once

#include <string>

#include "platform/rtl/Classes.h"

KP_DECLARE_EXCEPTION(ERegistryException, Exception)

using HKEY = Cardinal;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// The store file: by default <UserConfigFolder>/<ProgramName>/registry.ini. Tests point it at a
// temporary file; "" restores the default.
String RegistryFile();
void SetRegistryFile(const String& FileName);

// Key paths use '\' between their parts and compare without regard to case. A path starting with
// '\' counts from the root key, any other from the current key. The store is read at every call
// and written after every change, so several TRegistry objects see each other's changes.
class TRegistry : public TObject {
 public:
  TRegistry();
  ~TRegistry() override;
  String ClassName() const override { return u"TRegistry"; }

  HKEY RootKey() const { return FRootKey; }
  // Changing the root closes the current key.
  void SetRootKey(HKEY Value);
  // The path of the open key ("" when none is open: values then go to the root key itself).
  String CurrentPath() const { return FCurrentPath; }
  bool HasOpenKey() const { return FOpen; }

  // Opens Key; a missing key is created when CanCreate, else false is returned.
  bool OpenKey(const String& Key, bool CanCreate);
  // Opens an existing key for reading; writes to it raise.
  bool OpenKeyReadOnly(const String& Key);
  void CloseKey();
  bool CreateKey(const String& Key);
  bool KeyExists(const String& Key);
  // Deletes Key with all its sub-keys and values.
  bool DeleteKey(const String& Key);
  bool HasSubKeys();
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);

  bool ValueExists(const String& Name);
  bool DeleteValue(const String& Name);
  TRegDataType GetDataType(const String& Name);
  // The size of the value's data in bytes, -1 when missing.
  Integer GetDataSize(const String& Name);

  // Missing text values read as ""; other reads of a missing value raise ERegistryException
  // "Failed to get data for '%s'", reads of a value of another type "Invalid data type for '%s'".
  String ReadString(const String& Name);
  void WriteString(const String& Name, const String& Value);
  void WriteExpandString(const String& Name, const String& Value);
  Integer ReadInteger(const String& Name);
  void WriteInteger(const String& Name, Integer Value);
  bool ReadBool(const String& Name);
  void WriteBool(const String& Name, bool Value);
  // Copies the value into Buffer; the number of bytes copied. A buffer smaller than the value raises.
  Integer ReadBinaryData(const String& Name, void* Buffer, Integer BufSize);
  void WriteBinaryData(const String& Name, const void* Buffer, Integer BufSize);

 private:
  struct Store;
  String Resolve(const String& Key) const;
  void CheckWritable(const String& Name) const;
  HKEY FRootKey = HKEY_CURRENT_USER;
  String FCurrentPath;
  bool FOpen = false;
  bool FReadOnly = false;
};
