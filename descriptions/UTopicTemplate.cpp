#include "descriptions/UTopicTemplate.h"

#include <vector>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGrid.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"

TFTopicTemplate* FTopicTemplate = nullptr;

void TFTopicTemplate::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(635, 396);
  Set_Lang();
}

void TFTopicTemplate::FormShow(TObject*) {
  if (TopicTemplate != 0) {
    SetCaption(Get_Text(1601));
    L_SW_Desc->SetCaption(Get_Text(1603));
  } else {
    SetCaption(Get_Text(1600));
    L_SW_Desc->SetCaption(Get_Text(1602));
  }
  Laod_Keywords();
  if (RE_TopicTemplate->CanFocus()) RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords() {
  // The keywords of the templates and their descriptions, in list order. This converter's
  // templates know none.
  const std::vector<String> keywords;
  const std::vector<String> descriptions;
  const Integer n = static_cast<Integer>(keywords.size());
  if (n > 0) {
    ESG_Keywords->SetRowCount(n + 1);
    for (Integer i = 0; i < n; ++i) {
      ESG_Keywords->SetCells(0, i + 1, keywords[static_cast<size_t>(i)]);
      ESG_Keywords->SetCells(1, i + 1, descriptions[static_cast<size_t>(i)]);
      ESG_Keywords->SetReadOnly(0, i + 1, false);
      ESG_Keywords->SetReadOnly(1, i + 1, true);
    }
  } else {
    ESG_Keywords->SetRowCount(2);
    ESG_Keywords->SetCells(0, 1, String());
    ESG_Keywords->SetCells(1, 1, String());
    ESG_Keywords->SetReadOnly(0, 1, false);
    ESG_Keywords->SetReadOnly(1, 1, true);
  }
}

void TFTopicTemplate::Set_Lang() {
  SetCaption(Get_Text(1600));
  L_SW_Desc->SetCaption(Get_Text(1602));
  L_List_Keywords->SetCaption(Get_Text(1604));
  ESG_Keywords->SetCells(0, 0, Get_Text(1605));
  ESG_Keywords->SetCells(1, 0, Get_Text(1606));
  Btn_OK->SetCaption(Get_Text(1607));
  Btn_Cancel->SetCaption(Get_Text(1608));
}
