// The template editor of the MQTT topic tables: a multi-line text box holding the template (or a
// topic) being edited, with a list of keywords and their descriptions below it. The caller sets
// TopicTemplate, puts the text into RE_TopicTemplate, shows the dialog and takes the text back on OK.
#pragma once

#include "app/UDialogFrame.h"

class TExStringGrid;
class TFadeButton;
class TLabel;
class TPanel;
class TRichEdit;
class TSplitter;

class TFTopicTemplate : public TFDialog {
 public:
  explicit TFTopicTemplate(TComponent* AOwner);
  String ClassName() const override { return u"TFTopicTemplate"; }

  // 1: a message template is edited; 0: a topic. Chooses the caption and the description.
  Integer TopicTemplate = 0;

  TPanel* Panel1 = nullptr;
  TRichEdit* RE_TopicTemplate = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* P_Legend = nullptr;
  TLabel* L_List_Keywords = nullptr;
  TExStringGrid* ESG_Keywords = nullptr;
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  // Sets the caption by TopicTemplate, fills the keyword list and puts the focus into the text.
  void FormShow(TObject* Sender);
  // Fills the keyword grid: one row per keyword (editable) with its description (read-only). The
  // templates of this converter have no keyword list, so the grid shows its header and one empty
  // row.
  void Laod_Keywords();
  void Set_Lang();
};

extern TFTopicTemplate* FTopicTemplate;
