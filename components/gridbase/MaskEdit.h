// The editors with an embedded button stand on the class library's masked edit (edit masks, the
// edit rectangle messages, the font cell heights): see platform/gui/Mask.h.
#pragma once

#include "platform/gui/Mask.h"
