// What the EnOcean dialogs share in their fields: the catalogue they show, the refilling of a
// drop-down list, and the cascade of the catalogue lists, where choosing a level fills the list
// below it and empties the ones further down.
#pragma once

#include <vector>

#include "platform/rtl/System.h"

class TCatalog_EnOcean;
class TComboBox;
class TComponent;
class TEdit;
class TObject;
class TWinControl;

// The catalogue of the program state; an empty one while none is loaded.
const TCatalog_EnOcean& EnOcean_Catalog();

// Replaces a list's items (none for nullptr) and leaves it without a selection.
void Refill(TComboBox* List, const std::vector<String>* Items);

// An edit owned by Owner on Parent at (Left, Top), Width wide and 21 high, empty, taking at most
// MaxLength characters (0: no limit).
TEdit* New_Field_Edit(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                      Integer Width, Integer MaxLength);
// A drop-down list without free text, 22 high, with its fixed items (item 0 selected) or none.
TComboBox* New_Field_List(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                          Integer Width, const std::vector<String>* Items);

// The catalogue lists of a dialog from the RORG down. A dialog may show more than one case list
// (each filled from the TYPE) and may have no data field list.
struct TCatalog_Lists {
  TComboBox* Rorg = nullptr;
  TComboBox* Func = nullptr;
  TComboBox* Type = nullptr;
  std::vector<TComboBox*> Cases;
  TComboBox* Data_Field = nullptr;
};

// The levels of the cascade.
enum TCatalog_Level { catNone = -1, catRorg, catFunc, catType, catCase };

// Fills the level below Sender from the catalogue and empties the levels further down; a list
// without a selection (or a position the catalogue lacks) leaves the level below it empty. A case
// list fills the data field list from its own selection. Gives the level of Sender, catNone when it
// is none of the lists above the data fields.
TCatalog_Level Cascade_Catalog_Lists(const TCatalog_Lists& Lists, TObject* Sender);
