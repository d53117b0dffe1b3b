// The controls of the template editor: the title, the text box filling the middle, a splitter and
// the keyword list below it, the OK and Cancel buttons at the bottom.
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGrid.h"
#include "descriptions/UTopicTemplate.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TFDialog(AOwner) {
  SetName(u"FTopicTemplate");
  Set_Client_Size(635, 396);
  Create_Title_Panel();
  // Bottom-aligned controls keep the order of their places: the buttons at the bottom, the
  // keywords above them, the splitter above the keywords.
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 391, 6, 110, 28, dgOK, mrOk);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 509, 6, 110, 28, dgCancel, mrCancel);

  P_Legend = new TPanel(this);
  P_Legend->SetName(u"P_Legend");
  P_Legend->SetBounds(0, 248, 635, 108);
  P_Legend->SetAlign(alBottom);
  P_Legend->SetBevelOuter(bvNone);
  P_Legend->SetShowCaption(false);
  P_Legend->SetParentColor(true);
  P_Legend->SetParent(this);
  L_List_Keywords = Create_Label(P_Legend, u"L_List_Keywords", 8, 4);

  ESG_Keywords = new TExStringGrid(this);
  ESG_Keywords->SetName(u"ESG_Keywords");
  ESG_Keywords->SetParent(P_Legend);
  ESG_Keywords->SetBounds(8, 20, 619, 84);
  ESG_Keywords->SetColCount(2);
  ESG_Keywords->SetRowCount(2);
  ESG_Keywords->SetFixedCols(0);
  ESG_Keywords->SetFixedRows(1);
  ESG_Keywords->SetColWidths(0, 200);
  ESG_Keywords->SetColWidths(1, 380);
  ESG_Keywords->SetRowHeights(0, 22);
  ESG_Keywords->SetOptions(ESG_Keywords->Options() << goEditing);
  ESG_Keywords->SetTabOrder(1);

  // Placed and aligned before it joins the form, so that it takes its place above the keywords
  // with its own height.
  Splitter1 = new TSplitter(this);
  Splitter1->SetName(u"Splitter1");
  Splitter1->SetAlign(alBottom);
  Splitter1->SetBounds(0, 244, 635, 4);
  Splitter1->SetCursor(crVSplit);
  Splitter1->SetParent(this);

  Panel1 = new TPanel(this);
  Panel1->SetName(u"Panel1");
  Panel1->SetAlign(alClient);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetShowCaption(false);
  Panel1->SetParentColor(true);
  Panel1->SetParent(this);

  RE_TopicTemplate = new TRichEdit(this);
  RE_TopicTemplate->SetName(u"RE_TopicTemplate");
  RE_TopicTemplate->SetParent(Panel1);
  RE_TopicTemplate->SetAlign(alClient);
  RE_TopicTemplate->Font()->SetName(u"Tahoma");
  RE_TopicTemplate->SetTabOrder(0);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}
