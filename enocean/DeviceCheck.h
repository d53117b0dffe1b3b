// The checks of the device dialog, without a window: the dialog gathers its fields into
// TDevice_Data, calls Check_Device_Data and shows the text of the first failure.
#pragma once

#include "platform/rtl/System.h"

class TDevice_EnOcean;

// Text ids of the device dialog's messages.
const Integer Text_Device_Id_Range = 1026;  // "Error!! Device ID must be between 0 and 4294967295"
const Integer Text_RollCode_Range = 1027;   // "Error!! Rolling Code must be between 0 and 4294967295"

// The largest device ID and rolling code: both are stored as 32-bit values in the image.
const Int64 Device_Id_Max = 4294967295LL;
const Int64 RollCode_Max = 4294967295LL;

// The security type that uses the rolling code: the image builder reads it (with the other manual
// settings) only for this type.
const Integer Secure_Type_Manual = 2;

// The dialog's fields: the texts as typed and the item indexes of its lists.
struct TDevice_Data {
  String Id;
  Integer Secure_Type = 0;
  String Key;
  String RollCode;
  Integer RollCodeAlg = 0;
  Integer RollCodeTx = 0;
  Integer CMACAlg = 0;
  Integer DataCript = 0;
  Integer PTM = 0;
};

// The first failing check: TextId 0 when every check passed. Value is appended to the text.
struct TDevice_Check {
  Integer TextId = 0;
  String Value;
  bool OK() const { return TextId == 0; }
};

// The value of a device ID or rolling code text: optional leading blanks and sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x" (either letter case), converted to 64 bits;
// -1 for a text that does not convert completely (an empty one, a trailing blank).
Int64 Device_Number_Value(const String& Text);

// True for an ID that converts to 0 .. 4294967295. The ID is stored as typed either way.
bool Device_Id_Valid(const String& Id);

// The dialog's OK check: the ID, then, for a device with manual security settings, the rolling
// code (it must fit the image's 32-bit field, so an empty or foreign text is refused here rather
// than when the image is built).
TDevice_Check Check_Device_Data(const TDevice_Data& Data);

// How many of the seven security pairs (key, rolling code, rolling-code algorithm, rolling code Tx,
// CMAC algorithm, data encryption, PTM) the dialog shows for a security type: 0 for "Unsecure",
// 1 (the key) for "Secure Pre Shared Key", 7 for "Secure with Manual Setting"; -1 for no selection
// (the dialog keeps what it shows). The pairs shown are always the first ones in that order.
Integer Secure_Pairs_Shown(Integer Secure_Type);

// The editor's copies between the dialog's fields and a device: all nine values, hidden ones too.
TDevice_Data Get_Device_Data(const TDevice_EnOcean& Device);
void Set_Device_Data(TDevice_EnOcean& Device, const TDevice_Data& Data);
