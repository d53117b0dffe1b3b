// What the two-table editors do alike (the BACnet object tables, the MQTT topic tables): a page
// control with one column grid per page, the row buttons (delete, insert, copy, paste) on the left
// of the button panel with OK and Cancel on the right, the row buttons acting on the table of the
// page shown, the tables emptied and filled from their file on showing, and OK checking them,
// asking about rows a table could not take, writing the file and closing.
//
// A dialog derives from TFTable_Dialog, creates the frame in its layout with Create_Table_Frame,
// creates its grids on the two pages and names them with Set_Tables; its own checks and its file
// come in through Check_Tables and Write_Tables.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "app/GridRowRoutines.h"
#include "app/UDialogFrame.h"
#include "components/gridbase/ExGridTypes.h"
#include "descriptions/TableChecks.h"
#include "platform/rtl/SysUtils.h"

class TExColumnGrid;
class TFadeButton;
class TPageControl;
class TTabSheet;

class TFTable_Dialog : public TFDialog {
 public:
  explicit TFTable_Dialog(TComponent* AOwner);
  String ClassName() const override { return u"TFTable_Dialog"; }

  // The tables that took fewer rows than the file held when it was shown; OK asks before it writes
  // them without those rows.
  std::vector<TTable_Rows_Left_Out> Rows_Left_Out;

  TPageControl* PageControl1 = nullptr;
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;
  TFadeButton* Btn_DelRow = nullptr;
  TFadeButton* Btn_InsRow = nullptr;
  TFadeButton* Btn_CopyRow = nullptr;
  TFadeButton* Btn_PasteRow = nullptr;

 protected:
  // The title panel, the button panel with the four row buttons from the left and OK (at OK_Left)
  // and Cancel beside it, and the page control filling the rest with the two pages, which it gives
  // back. The row buttons act on their own; OK runs OK_Click.
  std::pair<TTabSheet*, TTabSheet*> Create_Table_Frame(Integer OK_Left, const String& First_Page,
                                                        const String& Second_Page);
  // The two tables, each with the flag that the row clipboard holds a row copied from it.
  void Set_Tables(TExColumnGrid* First, bool* First_Copied, TExColumnGrid* Second, bool* Second_Copied);
  // The question before a row is deleted (the row number follows it) and "Error row " before the
  // row and the text of a failed check.
  Integer Text_Delete_Question = -1;
  Integer Text_Error_Row = -1;

  // The captions of OK, Cancel and the four row buttons from Captions_From on, their hints from
  // Hints_From on.
  void Set_Button_Texts(Integer Captions_From, Integer Hints_From);

  // Gives both tables Rows rows and empties them, forgets the copied rows and the rows left out.
  void Reset_Tables(Integer Rows);
  // The table of the page shown.
  TExColumnGrid* Active_Grid() const;
  // Closes a cell editor still open in either table, so the cells hold what the user typed.
  void End_Editing();
  // The row buttons on the table of the page shown: delete after the question, insert an empty
  // row, copy the current row, paste over it.
  void Delete_Row_Click();
  void Insert_Row_Click();
  void Copy_Row_Click();
  void Paste_Row_Click();
  // OK: the tables checked, the rows left out confirmed, the file written and the dialog closed.
  void OK_Click();
  // Shows a failed check in an error box ("Error row " and the row first when it names one);
  // true when the check passed.
  bool Show_Check_Result(const TTable_Check_Result& Result) const;

  virtual bool Check_Tables() = 0;
  virtual void Write_Tables() = 0;

 private:
  TExColumnGrid* FGrid[2] = {nullptr, nullptr};
  bool* FCopied[2] = {nullptr, nullptr};
};

// Every data row: its number in column 0, every other column empty, hidden ones included.
void Clear_Table(TExColumnGrid* Grid);

// A column of a table page as designed: how it is edited, its width and its list.
struct TTable_Column_Design {
  Integer Column;
  TEditorType Editor;
  Integer Width;
  std::vector<String> Items;
};
// A table filling Page: Rows rows, the fixed row-number column and header row, editable and
// sizeable cells 20 high, the columns of Design (check boxes holding "Y" or "N").
TExColumnGrid* New_Table(TComponent* Owner, TTabSheet* Page, const String& Name,
                         const std::vector<TTable_Column_Design>& Design, Integer Rows);

// Moving rows of a file between a table and its records: each field of a record has its column.
template <class TRow>
struct TTable_Field {
  Integer Column;
  String TRow::*Field;
};

// The text of a table cell and its setting, for the row templates below.
String Table_Cell(TExColumnGrid* Grid, Integer ACol, Integer ARow);
void Set_Table_Cell(TExColumnGrid* Grid, Integer ACol, Integer ARow, const String& Text);
Integer Table_Row_Count(TExColumnGrid* Grid);
void Begin_Table_Update(TExColumnGrid* Grid);
void End_Table_Update(TExColumnGrid* Grid);

// Fills the data rows from Rows, as many as the table takes; each filled row also gets the texts
// of Fixed (columns the file does not keep).
template <class TRow>
void Fill_Table_Rows(TExColumnGrid* Grid, const std::vector<TRow>& Rows,
                     const std::vector<TTable_Field<TRow>>& Fields,
                     const std::vector<std::pair<Integer, String>>& Fixed = {}) {
  Begin_Table_Update(Grid);
  const size_t count = std::min(Rows.size(), static_cast<size_t>(Table_Row_Count(Grid) - 1));
  for (size_t i = 0; i < count; ++i) {
    const Integer r = static_cast<Integer>(i) + 1;
    for (const TTable_Field<TRow>& f : Fields) Set_Table_Cell(Grid, f.Column, r, Rows[i].*f.Field);
    for (const auto& [column, text] : Fixed) Set_Table_Cell(Grid, column, r, text);
  }
  End_Table_Update(Grid);
}

// The table's records as the file keeps them: each data row up to the first one whose Key column
// is blank.
template <class TRow>
std::vector<TRow> Gather_Table_Rows(TExColumnGrid* Grid, Integer Key, const std::vector<TTable_Field<TRow>>& Fields) {
  std::vector<TRow> rows;
  for (Integer r = 1; r < Table_Row_Count(Grid); ++r) {
    if (Trim(Table_Cell(Grid, Key, r)).empty()) break;
    TRow row;
    for (const TTable_Field<TRow>& f : Fields) row.*f.Field = Table_Cell(Grid, f.Column, r);
    rows.push_back(std::move(row));
  }
  return rows;
}
