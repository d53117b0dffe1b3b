// The string grid's option groups: defaults, the setters' side effects and events, and what
// Assign copies and leaves.
#include "components/gridbase/ExGridOptions.h"

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"

namespace {

// One Boolean switch of a group: its accessors, its default and whether Assign copies it.
template <class T>
struct BoolSwitch {
  const char* Name;
  bool (T::*Get)() const;
  void (T::*Set)(bool);
  bool Default;
  bool Copied;
};

// Every switch takes the value opposite its default in a source; a fresh target then holds the
// source's value when Assign copies the switch, its own default when it does not.
template <class T, class Make>
void ExpectBoolAssign(Make MakeOne, std::initializer_list<BoolSwitch<T>> Switches) {
  for (const auto& S : Switches) {
    auto Src = MakeOne(), Dst = MakeOne();
    EXPECT_EQ(((*Dst).*S.Get)(), S.Default) << S.Name << ": default";
    ((*Src).*S.Set)(!S.Default);
    Dst->Assign(Src.get());
    EXPECT_EQ(((*Dst).*S.Get)(), S.Copied ? !S.Default : S.Default) << S.Name;
  }
}

// --- TBands -----------------------------------------------------------------------------------

TEST(Bands, LengthsChangeTheTotalAndFireOnlyWhileActive) {
  TBands B;
  Integer Fired = 0;
  B.OnChange = [&](TObject*) { ++Fired; };
  EXPECT_EQ(B.TotalLength(), 2);
  EXPECT_EQ(B.PrimaryColor(), clInfoBk);
  EXPECT_EQ(B.SecondaryColor(), clWindow);
  B.SetPrimaryLength(3);
  B.SetPrimaryColor(clRed);
  EXPECT_EQ(B.TotalLength(), 4);
  EXPECT_EQ(Fired, 0);
  B.SetActive(true);
  EXPECT_EQ(Fired, 1);
  B.SetActive(true);
  EXPECT_EQ(Fired, 1) << "no change, no event";
  B.SetSecondaryLength(2);
  B.SetSecondaryColor(clBlue);
  B.SetSecondaryColor(clBlue);
  EXPECT_EQ(Fired, 3);
  EXPECT_EQ(B.TotalLength(), 5);

  TBands Copy;
  Integer CopyFired = 0;
  Copy.OnChange = [&](TObject*) { ++CopyFired; };
  B.SetPrint(true);
  Copy.Assign(&B);
  EXPECT_TRUE(Copy.Active());
  EXPECT_EQ(Copy.PrimaryColor(), clRed);
  EXPECT_EQ(Copy.SecondaryColor(), clBlue);
  EXPECT_EQ(Copy.TotalLength(), 5);
  EXPECT_TRUE(Copy.Print());
  EXPECT_EQ(CopyFired, 0) << "Assign fires no event";
}

// --- TNavigation --------------------------------------------------------------------------------

TEST(Navigation, AdvanceAutoTurnsAdvanceOnEnterOnButNotOff) {
  TNavigation N;
  Integer Fired = 0;
  N.OnChange = [&](TObject*) { ++Fired; };
  N.SetAdvanceAuto(true);
  EXPECT_TRUE(N.AdvanceOnEnter());
  N.SetAdvanceAuto(false);
  EXPECT_TRUE(N.AdvanceOnEnter());
  EXPECT_EQ(Fired, 0);

  N.SetAdvanceInsert(true);
  N.SetAdvanceInsert(true);
  N.SetAdvanceDirection(adTopBottom);
  N.SetAdvanceDirection(adTopBottom);
  N.SetAutoGotoWhenSorted(true);
  EXPECT_EQ(Fired, 2) << "AdvanceInsert and AdvanceDirection on change only";
}

TEST(Navigation, AssignCopiesEverySwitchButKeepScrollOnSort) {
  auto Make = [] { return std::make_unique<TNavigation>(); };
  using N = TNavigation;
  ExpectBoolAssign<N>(Make, {
                                {"AllowInsertRow", &N::AllowInsertRow, &N::SetAllowInsertRow, false, true},
                                {"AllowDeleteRow", &N::AllowDeleteRow, &N::SetAllowDeleteRow, false, true},
                                {"AlwaysEdit", &N::AlwaysEdit, &N::SetAlwaysEdit, false, true},
                                {"AdvanceOnEnter", &N::AdvanceOnEnter, &N::SetAdvanceOnEnter, false, true},
                                {"AdvanceOnEnterLoop", &N::AdvanceOnEnterLoop, &N::SetAdvanceOnEnterLoop, true, true},
                                {"AdvanceInsert", &N::AdvanceInsert, &N::SetAdvanceInsert, false, true},
                                {"AdvanceAutoEdit", &N::AdvanceAutoEdit, &N::SetAdvanceAutoEdit, true, true},
                                {"AdvanceSkipReadOnlyCells", &N::AdvanceSkipReadOnlyCells,
                                 &N::SetAdvanceSkipReadOnlyCells, true, true},
                                {"AutoGotoWhenSorted", &N::AutoGotoWhenSorted, &N::SetAutoGotoWhenSorted, false, true},
                                {"AutoGotoIncremental", &N::AutoGotoIncremental, &N::SetAutoGotoIncremental, false,
                                 true},
                                {"AutoComboDropSize", &N::AutoComboDropSize, &N::SetAutoComboDropSize, false, true},
                                {"AllowClipboardShortCuts", &N::AllowClipboardShortCuts, &N::SetAllowClipboardShortCuts,
                                 false, true},
                                {"AllowCtrlEnter", &N::AllowCtrlEnter, &N::SetAllowCtrlEnter, true, true},
                                {"AllowSmartClipboard", &N::AllowSmartClipboard, &N::SetAllowSmartClipboard, false,
                                 true},
                                {"AllowRTFClipboard", &N::AllowRTFClipboard, &N::SetAllowRTFClipboard, false, true},
                                {"AllowFmtClipboard", &N::AllowFmtClipboard, &N::SetAllowFmtClipboard, false, true},
                                {"AllowClipboardAlways", &N::AllowClipboardAlways, &N::SetAllowClipboardAlways, false,
                                 true},
                                {"AllowClipboardRowGrow", &N::AllowClipboardRowGrow, &N::SetAllowClipboardRowGrow, true,
                                 true},
                                {"AllowClipboardColGrow", &N::AllowClipboardColGrow, &N::SetAllowClipboardColGrow, true,
                                 true},
                                {"AdvanceAuto", &N::AdvanceAuto, &N::SetAdvanceAuto, false, true},
                                {"AppendOnArrowDown", &N::AppendOnArrowDown, &N::SetAppendOnArrowDown, false, true},
                                {"EditSelectAll", &N::EditSelectAll, &N::SetEditSelectAll, true, true},
                                {"ComboGetUpDown", &N::ComboGetUpDown, &N::SetComboGetUpDown, true, true},
                                {"CursorWalkEditor", &N::CursorWalkEditor, &N::SetCursorWalkEditor, false, true},
                                {"CursorWalkAlwaysEdit", &N::CursorWalkAlwaysEdit, &N::SetCursorWalkAlwaysEdit, true,
                                 true},
                                {"CursorMoveRows", &N::CursorMoveRows, &N::SetCursorMoveRows, false, true},
                                {"MoveRowOnSort", &N::MoveRowOnSort, &N::SetMoveRowOnSort, false, true},
                                {"KeepScrollOnSort", &N::KeepScrollOnSort, &N::SetKeepScrollOnSort, false, false},
                                {"MoveScrollOnly", &N::MoveScrollOnly, &N::SetMoveScrollOnly, false, true},
                                {"ImproveMaskSel", &N::ImproveMaskSel, &N::SetImproveMaskSel, false, true},
                                {"LeftRightRowSelect", &N::LeftRightRowSelect, &N::SetLeftRightRowSelect, true, true},
                                {"CopyHTMLTagsToClipboard", &N::CopyHTMLTagsToClipboard, &N::SetCopyHTMLTagsToClipboard,
                                 true, true},
                                {"KeepHorizScroll", &N::KeepHorizScroll, &N::SetKeepHorizScroll, false, true},
                                {"LineFeedOnEnter", &N::LineFeedOnEnter, &N::SetLineFeedOnEnter, false, true},
                                {"SkipFixedCells", &N::SkipFixedCells, &N::SetSkipFixedCells, true, true},
                                {"SkipDisabledRows", &N::SkipDisabledRows, &N::SetSkipDisabledRows, true, true},
                                {"TabToNextAtEnd", &N::TabToNextAtEnd, &N::SetTabToNextAtEnd, false, true},
                            });

  TNavigation Src, Dst;
  EXPECT_EQ(Dst.AdvanceDirection(), adLeftRight);
  EXPECT_EQ(Dst.TabAdvanceDirection(), adLeftRight);
  EXPECT_EQ(Dst.InsertPosition(), pInsertBefore);
  EXPECT_EQ(Dst.ClipboardPasteAction(), paReplace);
  EXPECT_EQ(Dst.CursorAdvance(), caDefault);
  EXPECT_EQ(Dst.HomeEndKey(), heFirstLastColumn);
  Src.SetAdvanceDirection(adTopBottom);
  Src.SetTabAdvanceDirection(adTopBottomInCol);
  Src.SetInsertPosition(pInsertAfter);
  Src.SetClipboardPasteAction(paInsert);
  Src.SetCursorAdvance(caSnake);
  Src.SetHomeEndKey(heFirstLastCell);
  Integer Fired = 0;
  Dst.OnChange = [&](TObject*) { ++Fired; };
  Dst.Assign(&Src);
  EXPECT_EQ(Dst.AdvanceDirection(), adTopBottom);
  EXPECT_EQ(Dst.TabAdvanceDirection(), adTopBottomInCol) << "from the source's TabAdvanceDirection";
  EXPECT_EQ(Dst.InsertPosition(), pInsertAfter);
  EXPECT_EQ(Dst.ClipboardPasteAction(), paInsert);
  EXPECT_EQ(Dst.CursorAdvance(), caSnake);
  EXPECT_EQ(Dst.HomeEndKey(), heFirstLastCell);
  EXPECT_EQ(Fired, 0);

  TBands NotNavigation;
  Dst.Assign(&NotNavigation);  // another class: ignored
  EXPECT_EQ(Dst.AdvanceDirection(), adTopBottom);
}

// --- TMouseActions ------------------------------------------------------------------------------

TEST(MouseActions, DisjunctSelectionsExcludeEachOtherOnlyWhileDesigning) {
  TMouseActions M(nullptr);
  M.SetDisjunctRowSelect(true);
  M.SetDisjunctColSelect(true);
  EXPECT_TRUE(M.DisjunctRowSelect()) << "at run time both can be on";
  EXPECT_TRUE(M.DisjunctColSelect());

  bool Designing = true;
  M.OnIsDesigning = [&](TObject*, bool& D) { D = Designing; };
  M.SetDisjunctCellSelect(true);
  EXPECT_TRUE(M.DisjunctCellSelect());
  EXPECT_FALSE(M.DisjunctRowSelect());
  EXPECT_FALSE(M.DisjunctColSelect());
  M.SetDisjunctRowSelect(false);  // turning off touches nothing else
  EXPECT_TRUE(M.DisjunctCellSelect());
  M.SetDisjunctRowSelectDirect(true);
  EXPECT_TRUE(M.DisjunctCellSelect()) << "the direct field has no side effects";
  EXPECT_TRUE(M.DisjunctRowSelectDirect());
}

TEST(MouseActions, HotmailSelectionEditOnDoubleClickAndWheelAction) {
  TMouseActions M(nullptr);
  std::vector<std::string> Fired;
  M.OnInvalidate = [&](TObject*) { Fired.push_back("invalidate"); };
  M.OnDisableEdit = [&](TObject*) { Fired.push_back("disable edit"); };
  M.OnChange = [&](TObject*) { Fired.push_back("change"); };
  M.SetHotmailRowSelect(true);
  EXPECT_TRUE(M.DisjunctRowSelect());
  EXPECT_TRUE(M.CheckAllCheck());
  M.SetHotmailRowSelect(false);
  EXPECT_TRUE(M.DisjunctRowSelect()) << "turning it off leaves the others";
  M.SetEditOnDblClickOnly(true);
  M.SetEditOnDblClickOnly(false);
  M.SetWheelAction(waScroll);
  M.SetWheelAction(waScroll);
  EXPECT_EQ(Fired, (std::vector<std::string>{"invalidate", "invalidate", "disable edit", "change"}));

  TStringList Values;
  Values.Add(u"a");
  Values.Add(u"b");
  M.SetFixedComboValues(&Values);
  EXPECT_EQ(M.FixedComboValues()->Count(), 2);
  EXPECT_NE(M.FixedComboValues(), &Values) << "copied into the owned list";
}

TEST(MouseActions, AssignLeavesSizeFixedRowHotmailEditOnDoubleClickAndTheComboValues) {
  auto Make = [] { return std::make_unique<TMouseActions>(nullptr); };
  using M = TMouseActions;
  ExpectBoolAssign<M>(Make, {
                                {"AllColumnSize", &M::AllColumnSize, &M::SetAllColumnSize, false, true},
                                {"AllRowSize", &M::AllRowSize, &M::SetAllRowSize, false, true},
                                {"AllSelect", &M::AllSelect, &M::SetAllSelect, false, true},
                                {"AutoSizeColOnDblClick", &M::AutoSizeColOnDblClick, &M::SetAutoSizeColOnDblClick, true,
                                 true},
                                {"CaretPositioning", &M::CaretPositioning, &M::SetCaretPositioning, false, true},
                                {"CheckAllCheck", &M::CheckAllCheck, &M::SetCheckAllCheck, false, true},
                                {"ColSelect", &M::ColSelect, &M::SetColSelect, false, true},
                                {"RowSelect", &M::RowSelect, &M::SetRowSelect, false, true},
                                {"DirectComboClose", &M::DirectComboClose, &M::SetDirectComboClose, false, true},
                                {"DirectComboDrop", &M::DirectComboDrop, &M::SetDirectComboDrop, false, true},
                                {"DirectDateClose", &M::DirectDateClose, &M::SetDirectDateClose, false, true},
                                {"DirectDateDrop", &M::DirectDateDrop, &M::SetDirectDateDrop, false, true},
                                {"DirectEdit", &M::DirectEdit, &M::SetDirectEdit, false, true},
                                {"DisjunctRowSelect", &M::DisjunctRowSelect, &M::SetDisjunctRowSelect, false, true},
                                {"DisjunctRowSelectNoCtrl", &M::DisjunctRowSelectNoCtrl, &M::SetDisjunctRowSelectNoCtrl,
                                 false, true},
                                {"DisjunctColSelect", &M::DisjunctColSelect, &M::SetDisjunctColSelect, false, true},
                                {"DisjunctCellSelect", &M::DisjunctCellSelect, &M::SetDisjunctCellSelect, false, true},
                                {"EditOnDblClickOnly", &M::EditOnDblClickOnly, &M::SetEditOnDblClickOnly, false, false},
                                {"HotmailRowSelect", &M::HotmailRowSelect, &M::SetHotmailRowSelect, false, false},
                                {"MoveRowOnNodeClick", &M::MoveRowOnNodeClick, &M::SetMoveRowOnNodeClick, false, true},
                                {"NoAutoRangeScroll", &M::NoAutoRangeScroll, &M::SetNoAutoRangeScroll, false, true},
                                {"NodeAllExpandContract", &M::NodeAllExpandContract, &M::SetNodeAllExpandContract, false,
                                 true},
                                {"NoScrollOnPartialRow", &M::NoScrollOnPartialRow, &M::SetNoScrollOnPartialRow, false,
                                 true},
                                {"PreciseCheckBoxCheck", &M::PreciseCheckBoxCheck, &M::SetPreciseCheckBoxCheck, false,
                                 true},
                                {"PreciseNodeClick", &M::PreciseNodeClick, &M::SetPreciseNodeClick, true, true},
                                {"RangeSelectAndEdit", &M::RangeSelectAndEdit, &M::SetRangeSelectAndEdit, false, true},
                                {"RowSelectPersistent", &M::RowSelectPersistent, &M::SetRowSelectPersistent, false,
                                 true},
                                {"SelectOnRightClick", &M::SelectOnRightClick, &M::SetSelectOnRightClick, false, true},
                                {"SizeFixedCol", &M::SizeFixedCol, &M::SetSizeFixedCol, false, true},
                                {"SizeFixedRow", &M::SizeFixedRow, &M::SetSizeFixedRow, false, false},
                            });
  TMouseActions Src(nullptr), Dst(nullptr);
  EXPECT_EQ(Dst.FixedRowsEdit(), fceNone);
  EXPECT_EQ(Dst.FixedColsEditor(), fceEdit);
  EXPECT_EQ(Dst.WheelAction(), waMoveSelection);
  EXPECT_EQ(Dst.WheelIncrement(), 0);
  Src.SetFixedRowsEdit(fceDblClick);
  Src.SetFixedColsEdit(fceRightClick);
  Src.SetFixedRowsEditor(fceComboList);
  Src.SetFixedColsEditor(fceComboEdit);
  Src.SetWheelAction(waScroll);
  Src.SetWheelIncrement(3);
  Src.FixedComboValues()->Add(u"x");
  Dst.Assign(&Src);
  EXPECT_EQ(Dst.FixedRowsEdit(), fceDblClick);
  EXPECT_EQ(Dst.FixedColsEdit(), fceRightClick);
  EXPECT_EQ(Dst.FixedRowsEditor(), fceComboList);
  EXPECT_EQ(Dst.FixedColsEditor(), fceComboEdit);
  EXPECT_EQ(Dst.WheelAction(), waScroll);
  EXPECT_EQ(Dst.WheelIncrement(), 3);
  EXPECT_EQ(Dst.FixedComboValues()->Count(), 0);
}

// --- TSearchFooter ------------------------------------------------------------------------------

TEST(SearchFooter, CaptionsInEnglishOnlyForADesignGrid) {
  TSearchFooter Design(nullptr, true), Plain(nullptr, false);
  EXPECT_EQ(Design.FindNextCaption(), u"Find &next");
  EXPECT_EQ(Design.FindPrevCaption(), u"Find &previous");
  EXPECT_EQ(Design.HighLightCaption(), u"Highlight");
  EXPECT_EQ(Design.MatchCaseCaption(), u"Match case");
  EXPECT_EQ(Design.HintClose(), u"Close");
  EXPECT_EQ(Design.HintFindNext(), u"Find next occurrence");
  EXPECT_EQ(Design.HintFindPrev(), u"Find previous occurrence");
  EXPECT_EQ(Design.HintHighlight(), u"Highlight occurrences");
  EXPECT_EQ(Plain.FindNextCaption(), u"");
  EXPECT_EQ(Plain.HintHighlight(), u"");
  EXPECT_EQ(Plain.Color(), clWhite);
  EXPECT_EQ(Plain.ColorTo(), clBtnFace);
  EXPECT_EQ(Plain.SearchColumn(), -1);
  EXPECT_TRUE(Plain.AutoSearch());
  EXPECT_FALSE(Plain.Visible());
}

TEST(SearchFooter, WhichWritesFireOnChange) {
  struct Case {
    const char* Name;
    void (*Write)(TSearchFooter&);
    Integer Fires;  // events for two writes of the same value
  } Cases[] = {
      {"Color", [](TSearchFooter& F) { F.SetColor(clRed); }, 2},
      {"FindNextCaption", [](TSearchFooter& F) { F.SetFindNextCaption(u"x"); }, 2},
      {"HintClose", [](TSearchFooter& F) { F.SetHintClose(u"x"); }, 2},
      {"Font", [](TSearchFooter& F) { TFont Fn; F.SetFont(&Fn); }, 2},
      {"ShowClose", [](TSearchFooter& F) { F.SetShowClose(false); }, 2},
      {"AutoThemeAdapt", [](TSearchFooter& F) { F.SetAutoThemeAdapt(true); }, 2},
      {"ShowFindNext", [](TSearchFooter& F) { F.SetShowFindNext(false); }, 1},
      {"ShowMatchCase", [](TSearchFooter& F) { F.SetShowMatchCase(false); }, 1},
      {"Visible", [](TSearchFooter& F) { F.SetVisible(true); }, 1},
      {"SearchColumn", [](TSearchFooter& F) { F.SetSearchColumn(2); }, 0},
      {"AutoSearch", [](TSearchFooter& F) { F.SetAutoSearch(false); }, 0},
  };
  for (const Case& C : Cases) {
    TSearchFooter F(nullptr, false);
    Integer Fired = 0;
    F.OnChange = [&](TObject*) { ++Fired; };
    C.Write(F);
    C.Write(F);
    EXPECT_EQ(Fired, C.Fires) << C.Name;
  }
}

TEST(SearchFooter, AssignCopiesTheLookAndSearchSettingsButNotAutoSearchFixedCellsThemeOrLastSearch) {
  TSearchFooter Src(nullptr, true), Dst(nullptr, false);
  Src.SetAlwaysHighLight(true);
  Src.SetColor(clRed);
  Src.SetColorTo(clBlue);
  Src.SetShowClose(false);
  Src.SetShowHighLight(false);
  Src.SetSearchActiveColumnOnly(true);
  Src.SetSearchMatchStart(true);
  Src.SetSearchColumn(4);
  Src.SetSearchDirection(sdLeftRight);
  Src.SetSearchHiddenRows(true);
  Src.SetVisible(true);
  Src.Font()->SetName(u"Courier");
  Src.Font()->SetStyle(TFontStyles{fsBold});
  Src.SetAutoSearch(false);
  Src.SetSearchFixedCells(true);
  Src.SetAutoThemeAdapt(true);
  Src.SetLastSearch(u"needle");
  Integer Fired = 0;
  Dst.OnChange = [&](TObject*) { ++Fired; };
  Dst.Assign(&Src);
  EXPECT_TRUE(Dst.AlwaysHighLight());
  EXPECT_EQ(Dst.Color(), clRed);
  EXPECT_EQ(Dst.ColorTo(), clBlue);
  EXPECT_EQ(Dst.FindNextCaption(), u"Find &next");
  EXPECT_EQ(Dst.MatchCaseCaption(), u"Match case");
  EXPECT_EQ(Dst.HintFindPrev(), u"Find previous occurrence");
  EXPECT_FALSE(Dst.ShowClose());
  EXPECT_FALSE(Dst.ShowHighLight());
  EXPECT_TRUE(Dst.ShowFindNext());
  EXPECT_TRUE(Dst.SearchActiveColumnOnly());
  EXPECT_TRUE(Dst.SearchMatchStart());
  EXPECT_EQ(Dst.SearchColumn(), 4);
  EXPECT_EQ(Dst.SearchDirection(), sdLeftRight);
  EXPECT_TRUE(Dst.SearchHiddenRows());
  EXPECT_TRUE(Dst.Visible());
  EXPECT_EQ(Dst.Font()->Name(), u"Courier");
  EXPECT_EQ(Dst.Font()->Style(), TFontStyles{fsBold});
  EXPECT_TRUE(Dst.AutoSearch());
  EXPECT_FALSE(Dst.SearchFixedCells());
  EXPECT_FALSE(Dst.AutoThemeAdapt());
  EXPECT_EQ(Dst.LastSearch(), u"");
  EXPECT_EQ(Fired, 0);
}

// --- TSyncGrid, TFocusHelper --------------------------------------------------------------------

class TOptionsTestForm : public TForm {
 public:
  TOptionsTestForm() : TForm(Application) { AfterConstruction(); }
};

TEST(SyncGrid, TheOwnerGridIsNeverItsOwnPartner) {
  auto* Form = new TOptionsTestForm;
  auto* Owner = new TStringGrid(Form);
  auto* Other = new TStringGrid(Form);
  TSyncGrid S(Owner);
  EXPECT_EQ(S.Grid(), nullptr);
  S.SetGrid(Owner);
  EXPECT_EQ(S.Grid(), nullptr);
  S.SetGrid(Other);
  S.SetGrid(Owner);
  EXPECT_EQ(S.Grid(), Other);

  S.SetScrollVertical(true);
  S.SetSelectionRow(true);
  S.SetMoveColumn(true);
  TSyncGrid OnOther(Other);
  OnOther.Assign(&S);
  EXPECT_EQ(OnOther.Grid(), nullptr) << "through the setter: Other cannot follow itself";
  EXPECT_TRUE(OnOther.ScrollVertical());
  EXPECT_FALSE(OnOther.ScrollHorizontal());
  EXPECT_TRUE(OnOther.SelectionRow());
  EXPECT_TRUE(OnOther.MoveColumn());
  TSyncGrid Third(nullptr);
  Third.Assign(&S);
  EXPECT_EQ(Third.Grid(), Other);
  TComponent::Free(Form);
}

TEST(FocusHelper, AssignCopiesEnabled) {
  TFocusHelper A(nullptr), B(nullptr);
  EXPECT_FALSE(B.Enabled());
  A.SetEnabled(true);
  B.Assign(&A);
  EXPECT_TRUE(B.Enabled());
}

}  // namespace
