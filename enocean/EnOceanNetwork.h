// The EnOcean network of one configuration: devices with their security settings, each device's
// EEPs (RORG / FUNC / TYPE triples of the catalogue) and each EEP's variables. The network editor
// holds it in memory while it is open; "EnOcean.xml" carries it between editor sessions and to the
// configuration-image builder (enocean/EnOceanFile.h).
//
// Besides the classes, this module gives what the editor shows of the network without a window: the
// fixed item lists of the device dialog, the tree lines and the detail lines of a selection.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/System.h"

class TCatalog_EnOcean;

// One variable of an EEP: a catalogue data field placed in the converter's data area.
class TVarEnOcean : public TObject {
 public:
  String ClassName() const override { return u"TVarEnOcean"; }

  String FData;           // the catalogue data field's name
  Integer FBitOffs = 0;   // copied from the catalogue data field
  Integer FBitSize = 0;   // copied from the catalogue data field
  Integer FPosition = 0;  // position in the converter's data area, as entered
  Integer FBitStart = 0;  // start bit 0 to 7, as chosen
  Integer FCaseIndex = 0; // 0-based position of the case in the catalogue TYPE's case list
};

// One EEP of a device, with its variables.
class TRorFunTyp : public TObject {
 public:
  ~TRorFunTyp() override;
  String ClassName() const override { return u"TRorFunTyp"; }

  Integer FRorgNum = 0;
  Integer FFuncNum = 0;
  Integer FTypeNum = 0;
  std::vector<std::unique_ptr<TVarEnOcean>> VariableList;
};

using TRorFunTyp_List = std::vector<std::unique_ptr<TRorFunTyp>>;

// One device of the network.
class TDevice_EnOcean : public TObject {
 public:
  ~TDevice_EnOcean() override;
  String ClassName() const override { return u"TDevice_EnOcean"; }

  String FId = u"0";         // the device ID as typed (prefix, blanks and letter case kept)
  Integer FSecure_Type = 0;  // index in Secure_Type_Items
  String FKey;               // security key, as typed
  String FRollCode;          // start rolling code, as typed
  Integer FRollCodeAlg = 0;  // index in RollCodeAlg_Items
  Integer FRollCodeTx = 0;   // index in RollCodeTx_Items
  Integer FCMACAlg = 0;      // index in CMACAlg_Items
  Integer FDataCript = 0;    // index in DataCript_Items
  Integer FPTM = 0;          // index in PTM_Items
  TRorFunTyp_List UnidirectionalList;
  TRorFunTyp_List SmartACKList;
  std::vector<std::unique_ptr<TObject>> RemoteList;  // never filled
};

using TDevice_EnOcean_List = std::vector<std::unique_ptr<TDevice_EnOcean>>;

// Releases every device with its EEPs and variables and empties the list.
void Cancel_Devices_List(TDevice_EnOcean_List& DevList);

// The EEP list a flow works on: 0 = the unidirectional list, anything else = the Smart-ACK list.
TRorFunTyp_List& Device_EEP_List(TDevice_EnOcean& Device, Integer Uni_SAck);
const TRorFunTyp_List& Device_EEP_List(const TDevice_EnOcean& Device, Integer Uni_SAck);

// ---- Smart-ACK groups: the Smart-ACK dialog's model; no device stores them and the network file
// has no form for them.

class TVarEnOcean_SAck : public TObject {
 public:
  String ClassName() const override { return u"TVarEnOcean_SAck"; }

  String FData;
  Integer FBitOffs = 0;
  Integer FBitSize = 0;
  Integer FPosition = 0;
  Integer FBitStart = 0;
};

class TGroup_SAck : public TObject {
 public:
  ~TGroup_SAck() override;
  String ClassName() const override { return u"TGroup_SAck"; }

  Integer FCaseInIndex = 0;
  Integer FCaseOutIndex = 0;
  std::vector<std::unique_ptr<TVarEnOcean_SAck>> VarsInList;
  std::vector<std::unique_ptr<TVarEnOcean_SAck>> VarsOutList;
};

class TRorFunTyp_SAck : public TObject {
 public:
  ~TRorFunTyp_SAck() override;
  String ClassName() const override { return u"TRorFunTyp_SAck"; }

  Integer FRorgNum = 0;
  Integer FFuncNum = 0;
  Integer FTypeNum = 0;
  std::vector<std::unique_ptr<TGroup_SAck>> GroupList;
};

// ---- The device dialog's fixed item lists (English, not from the text table). The item index is
// the value the model and the file store.

const std::vector<String>& Secure_Type_Items();  // "Unsecure", "Secure Pre Shared Key", ...
const std::vector<String>& RollCodeAlg_Items();  // "No RLC algorithm", "16-bit", "24-bit"
const std::vector<String>& RollCodeTx_Items();   // "No", "Yes"
const std::vector<String>& CMACAlg_Items();      // "No MAC", "AES128 - 3 bytes", "AES128 - 4 bytes"
const std::vector<String>& DataCript_Items();    // "No data encryption", "VAES - AES128", ...
const std::vector<String>& PTM_Items();          // "No PTM", "PTM"
const std::vector<String>& BitStart_Items();     // "0" to "7", the variable dialog's start bits

// ---- What the network editor shows.

// The device list: one line per device, its ID exactly as stored.
String Device_Line_Str(const TDevice_EnOcean& Device);
// The tree root of the unidirectional tab (0) and of the Smart-ACK tab (1).
String EEP_Tree_Root_Str(Integer Tab);
// "EEP - RORG : 0xA5 FUNC : 0x02 TYPE : 0x05".
String EEP_Node_Str(const TRorFunTyp& EEP);
// "Variable - " + the data field's name.
String Variable_Node_Str(const TVarEnOcean& Var);

// Column 1 of the editor's detail grid for the selected EEP (and variable); each line is empty
// where nothing is selected or the catalogue does not know the number.
struct TEEP_Var_Detail {
  String Rorg;      // row 1
  String Func;      // row 2
  String Type;      // row 3
  String Case;      // row 5
  String Variable;  // row 6
  String Position;  // row 7
  String BitStart;  // row 8
};

// The detail of EEP Ind_EEP (and variable Ind_Var, -1 for none) of Device's list on tab Tab
// (0 unidirectional, any other the Smart-ACK list). No device (nullptr), an Ind_EEP of -1 or a
// position outside its list gives empty lines.
TEEP_Var_Detail Get_EEP_Var_Detail(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean* Device, Integer Tab,
                                   Integer Ind_EEP, Integer Ind_Var);
