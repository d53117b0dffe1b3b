// The headers of ComponentHeadersTest.cpp in the opposite order.
#include "platform/xml/XMLDoc.h"
#include "components/tabs/TabStrip.h"
#include "components/gridbase/ExOverlay.h"
#include "components/gridbase/ExGridTypes.h"
#include "components/gridbase/ExGridButton.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridInput.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridDefs.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGrid.h"
#include "components/grid/ExCustomGridDropDown.h"
#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExDateTimePicker.h"
#include "components/buttons/FadeButtons.h"
#include "components/buttons/FadeButton.h"

#include <gtest/gtest.h>

TEST(ComponentHeaders, ReversedOrderSeesTheSameDeclarations) {
  EXPECT_EQ(blGlyphBottom, 3);
  EXPECT_EQ(ExGridButton::blGlyphRight, 1);
  EXPECT_EQ(tasButton, 0);
  EXPECT_EQ(glNorv, 3);
  EXPECT_EQ(TCellNode::cnFlat, 0);
  EXPECT_EQ(BlendColor(clBlack, clWhite, 50), TColor(0x808080));
}
