#include "descriptions/UAsk_Overwrite.h"

#include "app/ULanguage.h"

TOverwrite_Answer Ask_Overwrite(Integer Text_Id, TMsgDlgButtons Buttons) {
  switch (MessageDlg(Get_Text(Text_Id), mtConfirmation, Buttons)) {
    case mrYes:
      return TOverwrite_Answer::Yes;
    case mrNo:
      return TOverwrite_Answer::No;
    default:
      return TOverwrite_Answer::Cancel;
  }
}

TConfirm_Overwrite Overwrite_Question(TMsgDlgButtons Buttons) {
  return [Buttons](Integer Text_Id) { return Ask_Overwrite(Text_Id, Buttons); };
}
