#include "app/UOpenConf.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

TFOpenConf* FOpenConf = nullptr;

void TFOpenConf::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(377, 351);
  Set_Lang();
}

void TFOpenConf::Load_Existing_Configuration() {
  SL->Clear();
  TSearchRec rec;
  if (FindFirst(Path_Join(Path_Projects, u"*"), faDirectory, rec) == 0) {
    do {
      if ((rec.Attr & faDirectory) != 0 && rec.Name != u"." && rec.Name != u"..") SL->Add(rec.Name);
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  // The file system lists folders in no order of its own; the user expects them by name.
  SL->CustomSort([](TStringList* List, Integer A, Integer B) {
    const Integer byText = AnsiCompareText(List->Get(A), List->Get(B));
    return byText != 0 ? byText : AnsiCompareStr(List->Get(A), List->Get(B));
  });
}

Integer TFOpenConf::Search_Open_Conf(const String& snc) const {
  // Folder names are case-sensitive here, so "Plant" and "plant" can both exist: the folder of
  // exactly that name comes first, else the first one that differs only in letter case.
  for (Integer i = 0; i < SL->Count(); ++i) {
    if (SL->Get(i) == snc) return i;
  }
  for (Integer i = 0; i < SL->Count(); ++i) {
    if (AnsiSameText(SL->Get(i), snc)) return i;
  }
  return -1;
}

void TFOpenConf::FormShow(TObject*) {
  Load_Existing_Configuration();
  ListBox1->Items()->Assign(SL.get());

  // The open configuration's name: Path_Conf without Path_Projects and its delimiter.
  String current;
  const String prefix = IncludeTrailingPathDelimiter(Path_Projects);
  if (!Path_Conf.empty() && Path_Conf.compare(0, prefix.size(), prefix) == 0) current = Path_Conf.substr(prefix.size());

  Integer index = Search_Open_Conf(current);
  if (index < 0 && SL->Count() > 0) index = 0;
  if (index >= 0) {
    ListBox1->SetItemIndex(index);
    Name_Conf = SL->Get(index);
  } else {
    // Nothing to choose: OK must not bring back a name from an earlier showing.
    ListBox1->SetItemIndex(-1);
    Name_Conf.clear();
  }
}

void TFOpenConf::ListBox1Click(TObject*) {
  const Integer index = ListBox1->ItemIndex();
  if (index >= 0 && index < ListBox1->Items()->Count()) Name_Conf = ListBox1->Items()->Get(index);
}

// A double click on an entry opens it, as the OK button does.
void TFOpenConf::ListBox1DblClick(TObject* Sender) {
  const Integer index = ListBox1->ItemIndex();
  if (index < 0 || index >= ListBox1->Items()->Count()) return;
  ListBox1Click(Sender);
  SetModalResult(mrOk);
}

void TFOpenConf::Set_Lang() {
  SetCaption(Get_Text(200));
  L_SW_Desc->SetCaption(Get_Text(201));
  Label1->SetCaption(Get_Text(202));
  Btn_OK->SetCaption(Get_Text(203));
  Btn_Cancel->SetCaption(Get_Text(204));
  ListBox1->SetHint(Get_Text(205));
  Btn_OK->SetHint(Get_Text(206));
  Btn_Cancel->SetHint(Get_Text(207));
}
