// Temporary bodies of the operations whose sources are still being written, grouped by source.
// Each doing the least: the default answer. An entry leaves this file when its real body lands.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"


// ===== editing =====
// ===== end editing =====

// ===== input =====
// ===== end input =====

// ===== data operations =====
// ===== end data operations =====
