// The MQTT topic tables: one table of the topics the converter publishes and one of those it
// subscribes to, each row mapping a topic to a place in the converter's data array. The dialog
// loads "MQTT_Set_Topic.xml" each time it is shown and rewrites it on OK after checking the tables.
#pragma once

#include <memory>

#include "descriptions/MQTTTopicFile.h"
#include "descriptions/UTableDialog.h"

class TExColumnGrid;
class TStringList;
class TTabSheet;

class TFMQTT_Set_Topic : public TFTable_Dialog {
 public:
  explicit TFMQTT_Set_Topic(TComponent* AOwner);
  ~TFMQTT_Set_Topic() override;
  String ClassName() const override { return u"TFMQTT_Set_Topic"; }

  // The data rows of each table (row 0 is the header).
  static constexpr Integer Table_Rows = 1024;

  // The sizes of the data arrays that publish and subscribe positions index.
  Integer Byte_IN = 1440;
  Integer Byte_OUT = 1440;
  // Whether the row clipboard holds a row copied from that table.
  bool Do_Copy_Pub = false;
  bool Do_Copy_Sub = false;
  // The column hints of each table: item n - 1 for real column n.
  std::unique_ptr<TStringList> Hint_MQTT_Set_Topic_Pub;
  std::unique_ptr<TStringList> Hint_MQTT_Set_Topic_Sub;

  TTabSheet* TS_MQTT_Publish = nullptr;
  TTabSheet* TS_MQTT_Subscribe = nullptr;
  TExColumnGrid* ACG_Pub = nullptr;
  TExColumnGrid* ACG_Sub = nullptr;

  void FormCreate(TObject* Sender);
  // Shows the columns of this converter, empties both tables and loads the file when it exists.
  // A file that is not XML, or that lacks a table or a required attribute, raises its error.
  void FormShow(TObject* Sender);
  // Checks the tables; on success writes the file and closes with OK.
  void Btn_OKClick(TObject* Sender);
  // Checks both tables; the first failure is shown in an error box and gives false.
  bool Controllo_dati();
  // True when Str holds an odd number of "$".
  bool Error_In_Topic_Template(const String& Str) const;
  // Edits cell (ACol, ARow) of the grid Sender in the template editor; OK writes the text back.
  void Show_Form_Topic(TObject* Sender, Integer ARow, Integer ACol);
  void ACG_MQTT_DblClickCell(TObject* Sender, Integer ARow, Integer ACol);
  void ACG_MQTT_GridHint(TObject* Sender, Integer ARow, Integer ACol, String& hintstr);
  void ACG_MQTT_KeyPress(TObject* Sender, Char& Key);
  void Btn_DelRowClick(TObject* Sender);
  void Btn_InsRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);
  void Set_Lang();

  // The tables' rows as the file keeps them: each up to its first row with a blank Topic.
  TMQTT_Topic_Tables Gather_Tables() const;

 protected:
  bool Check_Tables() override { return Controllo_dati(); }
  void Write_Tables() override;

 private:
  // Fills the data rows of the tables from what the file held; rows past the tables' end are noted
  // in Rows_Left_Out.
  void Fill_Tables(const TMQTT_Topic_Tables& Tables);
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
