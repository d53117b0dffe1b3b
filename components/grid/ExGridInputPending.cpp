// Temporary bodies of the clipboard operations the keyboard and mouse call (copy, cut and paste of
// the selection). Each does nothing until the clipboard's source lands; an entry leaves this file
// when its real body does.
#include "components/grid/ExGrid.h"

