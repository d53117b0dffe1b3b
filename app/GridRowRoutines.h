// The row operations the table editors share on their column grids: sizing a column by a double
// click on its header, moving on with Enter, and deleting, inserting, copying and pasting a row.
//
// The tables have a fixed length and a fixed row-number column: column 0 and the header row 0 are
// never touched. "All columns" are the real columns 1 .. ColCount + NumHiddenColumns - 1, hidden
// ones included, so a hidden column's data moves, is copied and is pasted with its row; cells are
// addressed by real column and display row.
#pragma once

#include <vector>

#include "platform/rtl/System.h"

class TExColumnGrid;

// Text ids of the paste's messages.
constexpr Integer Grid_Paste_Text_Row_Used = 1700;      // "Row Already used. Do you want ..."
constexpr Integer Grid_Paste_Text_Bad_Copy = 1701;      // "Error in the Copy values!!! ..."
constexpr Integer Grid_Paste_Text_Nothing_Copied = 1702;  // "Error!!! Copy a valid row before ..."

// From the grid's double-click-cell event: with the option Opt_Double_Click_Auto_Size on and a
// double click on a header cell (ARow 0), sizes the display column ACol to its widest text.
void Grid_DblClick_AutoSize(TExColumnGrid* Grid, Integer ARow, Integer ACol);

// From the grid's key-press event: with the option Opt_Jump_Field_Tables on, Enter moves to the
// next visible column of a data cell, or from the last one to column 1 of the next row (of row 1
// after the last row), and is consumed (Key becomes 0), also outside the data cells. Any other key,
// or Enter with the option off, is left to the grid.
void Grid_Enter_Next_Cell(TExColumnGrid* Grid, Char& Key);

// Moves every data row below ARow one row up over all columns and empties the last row. The row
// count stays. A row outside the data rows changes nothing.
void Grid_Delete_Row(Integer ARow, TExColumnGrid* Grid);

// Moves the rows from ARow on one row down over all columns (the last row's content is lost) and
// empties row ARow; with MarkFirst its column 1 gets "Y". The row count stays. A row outside the
// data rows changes nothing.
void Grid_Insert_Row(Integer ARow, TExColumnGrid* Grid, bool MarkFirst);

// Replaces the row clipboard Row_Clipboard_SL with the texts of row ARow over all columns, column 1
// first. A row outside the data rows changes nothing.
void Grid_Copy_Row(TExColumnGrid* Grid, Integer ARow);

// Pastes the row clipboard into row ARow. Copied is the caller's flag that a row of this table was
// copied; without it, or when the clipboard's entries do not match the table's columns, an error
// box says so and nothing is pasted. A row with text in any column that is not a check-box column
// is in use: it is overwritten only when the user answers Yes. A row outside the data rows changes
// nothing.
void Grid_Paste_Row(TExColumnGrid* Grid, Integer ARow, bool Copied);

// ---- Files with more rows than a table takes

// Text ids: the warning when a file is shown that held more rows than its tables take, and the
// question before OK writes the tables without the rows that were not shown.
constexpr Integer Table_Text_Rows_Left_Out = 1707;
constexpr Integer Table_Text_Save_Without = 1708;

// A table that took fewer rows than its file held: the table's name, the rows the file held and
// the rows the table takes.
struct TTable_Rows_Left_Out {
  String Table;
  Integer Rows_Read = 0;
  Integer Rows_Shown = 0;
};

// Notes Table in List when it took fewer rows than Rows_Read.
void Note_Rows_Left_Out(std::vector<TTable_Rows_Left_Out>& List, const String& Table, Integer Rows_Read,
                        Integer Rows_Shown);
// One line per table: "BACnet in Read": 1500 rows in the file, 1000 shown.
String Rows_Left_Out_Text(const std::vector<TTable_Rows_Left_Out>& List);
// On showing: when a table left rows out, says so (text 1707 with the tables).
void Show_Rows_Left_Out(const std::vector<TTable_Rows_Left_Out>& List);
// On OK, before the tables are written: when a table left rows out, asks (text 1708 with the
// tables) and empties List on Yes; false on No, when nothing may be written.
bool Confirm_Rows_Left_Out(std::vector<TTable_Rows_Left_Out>& List);
