// The headers of the component library that name the same things (an arrow direction, a button
// style and layout, a clipboard event, the date pickers' message, a scroll direction, the colour
// blend, a node type) included together: this source compiling is half of the test. The other order is in
// ComponentHeadersReversedTest.cpp.
#include "components/buttons/FadeButton.h"
#include "components/buttons/FadeButtons.h"
#include "components/dropdown/ExDateTimePicker.h"
#include "components/dropdown/ExDropDown.h"
#include "components/grid/ExCustomGridDropDown.h"
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridDefs.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridInput.h"
#include "components/grid/ExGridLook.h"
#include "components/gridbase/ExGridButton.h"
#include "components/gridbase/ExGridTypes.h"
#include "components/gridbase/ExOverlay.h"
#include "components/tabs/TabStrip.h"
#include "platform/xml/XMLDoc.h"

#include <gtest/gtest.h>

#include <type_traits>

// One declaration serves every header that uses it.
static_assert(std::is_same_v<decltype(std::declval<TExGridButton&>().Style()), TExGridButtonStyle>);
static_assert(std::is_same_v<decltype(std::declval<TArrowWindow&>().Dir()), TArrowDirection>);
static_assert(std::is_same_v<decltype(DTPShiftFocusMessage()), Word>);
// The two clipboard events differ: the drop-downs' carries the text, the grid's does not.
static_assert(std::is_same_v<decltype(TExCustomDropDown::OnClipboardCopy), ExDropDown::TClipboardEvent>);
static_assert(std::is_same_v<decltype(TExStringGrid::OnClipboardCopy), TClipboardEvent>);
static_assert(!std::is_same_v<TClipboardEvent, ExDropDown::TClipboardEvent>);
// The node look's glyph kind is its own, apart from the XML DOM's node type.
static_assert(std::is_same_v<decltype(std::declval<TCellNode&>().NodeType()), TCellNode::TNodeType>);

TEST(ComponentHeaders, SharedNamesKeepTheirValues) {
  EXPECT_EQ(tasCheck, 1);
  EXPECT_EQ(arrRight, 3);
  EXPECT_EQ(blGlyphTop, 2) << "the push button's layout";
  EXPECT_EQ(ExGridButton::blGlyphTop, 2) << "the grid button's layout";
  EXPECT_EQ(TCustomTabStrip::mdsRight, 2);
  EXPECT_EQ(sdHorizontal, 1);
  EXPECT_EQ(TCellNode::cnXP, 4);
}

// The looks are stored by name but ordered as the menus and schemes expect.
TEST(ComponentHeaders, LooksInTheirOrder) {
  const TGridLook Looks[] = {glStandard, glSoft, glClassic, glNorv,       glXP,
                             glListView, glVista, glWin7,   glOffice2007, glCustom};
  for (Integer I = 0; I < static_cast<Integer>(std::size(Looks)); ++I)
    EXPECT_EQ(static_cast<Integer>(Looks[I]), I) << "look " << I;
}
