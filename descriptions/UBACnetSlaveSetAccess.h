// The BACnet slave object tables: the objects the converter offers for reading ("BACnet in Read")
// and those written into it ("BACnet in Write"), each with its type, engineering unit and place in
// the converter's byte array. The dialog loads "BACnet_Slave.xml" each time it is shown and
// rewrites it on OK after checking the tables.
#pragma once

#include "descriptions/BACnetSlaveFile.h"
#include "descriptions/UTableDialog.h"

class TExColumnGrid;
class TTabSheet;

class TFBACnetSlaveSetAccess : public TFTable_Dialog {
 public:
  explicit TFBACnetSlaveSetAccess(TComponent* AOwner);
  String ClassName() const override { return u"TFBACnetSlaveSetAccess"; }

  // The sizes of the byte arrays that in-Read and in-Write positions index.
  Integer NByte_IN = 1500;
  Integer NByte_OUT = 1500;
  // Set when "ParGen.xml" allows object names of 32 characters: the tables then hold 1000 rows
  // each and 1000 objects together, else 2000.
  bool Desc_Lenght = false;
  // Whether the row clipboard holds a row copied from that table.
  bool Do_Copy_Read = false;
  bool Do_Copy_Write = false;

  TTabSheet* TS_BACnet_in_Read = nullptr;
  TTabSheet* TS_BACnet_in_Write = nullptr;
  TExColumnGrid* ACG_BACnet_in_Read = nullptr;
  TExColumnGrid* ACG_BACnet_in_Write = nullptr;

  void FormCreate(TObject* Sender);
  // Reads the name limit from "ParGen.xml", sizes and empties both tables and loads the file when
  // it exists. A file that is not XML, or that lacks a table or a required attribute, raises its
  // error.
  void FormShow(TObject* Sender);
  // OK: checks the tables; on success writes the file and closes with OK.
  void bitbtn1Click(TObject* Sender);
  // Checks both tables and the number of objects; the first failure is shown in an error box and
  // gives false.
  bool Controllo_dati();
  // A double click on an engineering unit opens the unit picker; every double click may size the
  // column of a header.
  void ACG_BACnet_in_ReadDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
  void ACG_BACnet_in_WriteDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
  // Choosing a Data Type in the in-Write table fills in the Length its type presets.
  void ACG_BACnet_in_WriteComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                      const String& ASelection);
  // A click on a row number selects the row.
  void ClickCell(TObject* Sender, Integer ARow, Integer ACol);
  void KeyPress(TObject* Sender, Char& Key);
  // The in-Read table shows no cell hints.
  void GridHint(TObject* Sender, Integer ARow, Integer ACol, String& hintstr);
  void Btn_DelRow_Click(TObject* Sender);
  void Btn_InsRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);
  void Set_Lang();

  // The tables' rows as the file keeps them: each up to its first row with a blank Data Type.
  TBACnet_Slave_Tables Gather_Tables() const;

 protected:
  bool Check_Tables() override { return Controllo_dati(); }
  void Write_Tables() override;

 private:
  // Opens the unit picker on cell (ACol, ARow) of Grid when ACol is the unit column, then sizes a
  // header's column when the option asks for it.
  void Grid_DblClickCell(TExColumnGrid* Grid, Integer ARow, Integer ACol);
  // Fills the data rows from what the file held; rows past a table's end are noted in Rows_Left_Out.
  void Fill_Tables(const TBACnet_Slave_Tables& Tables);
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
