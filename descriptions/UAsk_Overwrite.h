// The question the description steps ask before an existing file is replaced.
#pragma once

#include "descriptions/DescFileOut.h"
#include "platform/gui/Dialogs.h"

// Asks text Text_Id in a confirmation box with Buttons (Yes and No, or Yes, No and Cancel). Yes and
// No are the answers of their buttons; anything else (Cancel, the box closed) is Cancel.
TOverwrite_Answer Ask_Overwrite(Integer Text_Id, TMsgDlgButtons Buttons);

// The question as the writers take it, with those buttons.
TConfirm_Overwrite Overwrite_Question(TMsgDlgButtons Buttons);
