// Data-exchange drag and drop: global blocks, the ready-made data object, the registry of drop
// targets and the modal drag loop driven by scripted mouse and key input.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gui/DragDrop.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

// A drop target that logs what it hears: "<name> enter|over|leave|drop x,y keys" and answers
// Answer limited by what the source allows.
class TLogTarget : public TRefCounted<IDropTarget> {
 public:
  TLogTarget(std::string Name, std::vector<std::string>* Log) : FName(std::move(Name)), FLog(Log) {}
  DWORD Answer = DROPEFFECT_MOVE;
  bool ThrowOnDrop = false;
  std::string LastText;

  HRESULT DragEnter(IDataObject* Data, DWORD Keys, TPoint Pt, DWORD* Effect) override {
    Note("enter", Keys, Pt);
    LastText = TextOf(Data);
    *Effect &= Answer;
    return S_OK;
  }
  HRESULT DragOver(DWORD Keys, TPoint Pt, DWORD* Effect) override {
    Note("over", Keys, Pt);
    *Effect &= Answer;
    return S_OK;
  }
  HRESULT DragLeave() override {
    FLog->push_back(FName + " leave");
    return S_OK;
  }
  HRESULT Drop(IDataObject* Data, DWORD Keys, TPoint Pt, DWORD* Effect) override {
    Note("drop", Keys, Pt);
    if (ThrowOnDrop) throw std::runtime_error("drop failed");
    LastText = TextOf(Data);
    *Effect &= Answer;
    return S_OK;
  }

  static std::string TextOf(IDataObject* Data) {
    FORMATETC F;
    F.cfFormat = CF_UNICODETEXT;
    STGMEDIUM M;
    if (Data->GetData(&F, &M) != S_OK) return "";
    std::string s;
    const auto* p = static_cast<const Byte*>(GlobalLock(M.hGlobal));
    for (size_t i = 0; i + 1 < GlobalSize(M.hGlobal) && (p[i] || p[i + 1]); i += 2) s += static_cast<char>(p[i]);
    ReleaseStgMedium(&M);
    return s;
  }

 private:
  void Note(const char* What, DWORD Keys, TPoint Pt) {
    FLog->push_back(FName + " " + What + " " + std::to_string(Pt.X) + "," + std::to_string(Pt.Y) + " " +
                    std::to_string(Keys));
  }
  std::string FName;
  std::vector<std::string>* FLog;
};

// The usual source: Esc cancels, a released left button drops; logs the feedback.
class TLogSource : public TRefCounted<IDropSource> {
 public:
  explicit TLogSource(std::vector<std::string>* Log) : FLog(Log) {}
  HRESULT QueryContinueDrag(bool Escape, DWORD Keys) override {
    if (Escape) {
      FLog->push_back("source escape");
      return DRAGDROP_S_CANCEL;
    }
    return (Keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DWORD Effect) override {
    FLog->push_back("feedback " + std::to_string(Effect));
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

 private:
  std::vector<std::string>* FLog;
};

// A form with two panels A and B side by side and a panel C inside B; the window system's lookup
// answers the innermost panel under a screen point.
class DragDropTest : public testing::Test {
 protected:
  void SetUp() override {
    A = NewPanel(Form.Form, 10, 10, 100, 80);
    B = NewPanel(Form.Form, 200, 10, 150, 120);
    C = NewPanel(B, 20, 60, 60, 40);
    TestHarness::ShowForm(Form.Form);
    SetWindowFromPointSource([this](TPoint P) -> HWND {
      for (TWinControl* W : {static_cast<TWinControl*>(C), static_cast<TWinControl*>(A),
                             static_cast<TWinControl*>(B)}) {
        const TPoint O = W->ClientToScreen(TPoint(0, 0));
        if (PtInRect(TRect(O.X, O.Y, O.X + W->Width(), O.Y + W->Height()), P)) return W->Handle();
      }
      return Form->Handle();
    });
    SetCursorPosSource([this] { return Form->ClientToScreen(TPoint(150, 200)); });
    SetDragLoopPump([this] {
      if (Script.empty()) return false;
      auto Step = Script.front();
      Script.pop_front();
      Step();
      return true;
    });
    Data = new TDataObject;
    Data->SetUnicodeText(u"abc");
    Source = new TLogSource(&Log);
  }
  void TearDown() override {
    SetDragLoopPump(nullptr);
    SetWindowFromPointSource(nullptr);
    SetCursorPosSource(nullptr);
    ClearKeyboardState();
    for (TWinControl* W : {A, B, C}) RevokeDragDrop(W->Handle());
  }
  static TPanel* NewPanel(TWinControl* Parent, Integer L, Integer T, Integer W, Integer H) {
    auto* P = new TPanel(Parent);
    P->SetParent(Parent);
    P->SetBounds(L, T, W, H);
    return P;
  }
  // Script steps: the pointer moves (left button down) or is released over a control at a client
  // point; the messages go to A, where the press was, as the window system sends them.
  void MoveTo(TControl* Over, TPoint P, Word Keys = MK_LBUTTON) {
    Script.push_back([=, this] { TestHarness::SendMouse(A, WM_MOUSEMOVE, A->ScreenToClient(Over->ClientToScreen(P)), Keys); });
  }
  void ReleaseAt(TControl* Over, TPoint P, Word Keys = 0) {
    Script.push_back([=, this] { TestHarness::SendMouse(A, WM_LBUTTONUP, A->ScreenToClient(Over->ClientToScreen(P)), Keys); });
  }
  HRESULT Run(DWORD OkEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
    SetKeyDown(VK_LBUTTON, true);
    Effect = 12345;
    return DoDragDrop(Data.Get(), Source.Get(), OkEffects, &Effect);
  }
  TLogTarget* Register(TWinControl* W, const char* Name) {
    auto* T = new TLogTarget(Name, &Log);
    EXPECT_EQ(RegisterDragDrop(W->Handle(), T), S_OK);
    return T;
  }
  std::string ScreenAt(TControl* Over, TPoint P) {
    const TPoint S = Over->ClientToScreen(P);
    return std::to_string(S.X) + "," + std::to_string(S.Y);
  }

  FormHolder Form;
  TPanel* A = nullptr;
  TPanel* B = nullptr;
  TPanel* C = nullptr;
  std::deque<std::function<void()>> Script;
  std::vector<std::string> Log;
  TComPtr<TDataObject> Data;
  TComPtr<TLogSource> Source;
  DWORD Effect = 0;
};

TEST(GlobalBlocks, AreZeroFilledSizedAndRefusedOnceFreed) {
  HGLOBAL M = GlobalAlloc(GMEM_MOVEABLE, 5);
  ASSERT_NE(M, nullptr);
  EXPECT_EQ(GlobalSize(M), 5u);
  const auto* P = static_cast<const Byte*>(GlobalLock(M));
  ASSERT_NE(P, nullptr);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(P[i], 0);
  EXPECT_TRUE(GlobalUnlock(M));
  EXPECT_EQ(GlobalFree(M), nullptr);
  EXPECT_EQ(GlobalLock(M), nullptr);
  EXPECT_EQ(GlobalSize(M), 0u);
  EXPECT_EQ(GlobalFree(M), M) << "a second free is refused";
  HGLOBAL Empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  EXPECT_NE(GlobalLock(Empty), nullptr);
  GlobalFree(Empty);
}

TEST(DataObjects, OfferTheirFormatsInOrderAsNewBlocks) {
  TComPtr<TDataObject> D(new TDataObject);
  const CLIPFORMAT Custom = RegisterClipboardFormat(u"Drag test format");
  D->SetFormat(Custom, {1, 2, 3});
  D->SetUnicodeText(u"hi");
  D->SetFormat(Custom, {7});

  IEnumFORMATETC* Raw = nullptr;
  ASSERT_EQ(D->EnumFormatEtc(DATADIR_GET, &Raw), S_OK);
  TComPtr<IEnumFORMATETC> Enum = TComPtr<IEnumFORMATETC>::Attach(Raw);
  FORMATETC F[4];
  ULONG Fetched = 0;
  EXPECT_EQ(Enum->Next(4, F, &Fetched), S_FALSE);
  ASSERT_EQ(Fetched, 2u);
  EXPECT_EQ(F[0].cfFormat, Custom);
  EXPECT_EQ(F[1].cfFormat, CF_UNICODETEXT);
  EXPECT_EQ(F[1].tymed, TYMED_HGLOBAL);
  EXPECT_EQ(F[1].lindex, -1);
  EXPECT_EQ(Raw->Reset(), S_OK);
  EXPECT_EQ(Enum->Skip(1), S_OK);
  IEnumFORMATETC* Copy = nullptr;
  ASSERT_EQ(Enum->Clone(&Copy), S_OK);
  EXPECT_EQ(Copy->Next(1, F, nullptr), S_OK);
  EXPECT_EQ(F[0].cfFormat, CF_UNICODETEXT) << "the clone goes on where the original stood";
  Copy->Release();
  IEnumFORMATETC* None = reinterpret_cast<IEnumFORMATETC*>(1);
  EXPECT_EQ(D->EnumFormatEtc(DATADIR_SET, &None), E_NOTIMPL);
  EXPECT_EQ(None, nullptr);

  FORMATETC Want;
  Want.cfFormat = CF_UNICODETEXT;
  STGMEDIUM M;
  ASSERT_EQ(D->GetData(&Want, &M), S_OK);
  ASSERT_EQ(GlobalSize(M.hGlobal), 6u);
  EXPECT_EQ(std::memcmp(GlobalLock(M.hGlobal), "h\0i\0\0\0", 6), 0);
  ReleaseStgMedium(&M);
  EXPECT_EQ(M.hGlobal, nullptr);

  struct Case {
    const char* Name;
    CLIPFORMAT Format;
    DWORD Aspect, Tymed;
    HRESULT Result;
  } Cases[] = {
      {"offered", Custom, DVASPECT_CONTENT, TYMED_HGLOBAL, S_OK},
      {"not offered", CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL, DV_E_FORMATETC},
      {"other aspect", Custom, 2, TYMED_HGLOBAL, DV_E_FORMATETC},
      {"other medium", Custom, DVASPECT_CONTENT, 4, DV_E_FORMATETC},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    FORMATETC Q;
    Q.cfFormat = C.Format;
    Q.dwAspect = C.Aspect;
    Q.tymed = C.Tymed;
    EXPECT_EQ(D->QueryGetData(&Q), C.Result);
  }
}

TEST_F(DragDropTest, RegistrationKeepsOneReferenceUntilRevoked) {
  std::vector<std::string> Unused;
  TComPtr<TLogTarget> T(new TLogTarget("t", &Unused));
  struct Case {
    const char* Name;
    HWND Wnd;
    IDropTarget* Target;
    HRESULT Result;
  } Cases[] = {
      {"a window", A->Handle(), T.Get(), S_OK},
      {"the same window again", A->Handle(), T.Get(), DRAGDROP_E_ALREADYREGISTERED},
      {"no window", 0, T.Get(), DRAGDROP_E_INVALIDHWND},
      {"no target", B->Handle(), nullptr, E_INVALIDARG},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(RegisterDragDrop(C.Wnd, C.Target), C.Result);
  }
  EXPECT_EQ(T->RefCount(), 2u);
  EXPECT_EQ(RegisteredDropTarget(A->Handle()), T.Get());
  EXPECT_EQ(RevokeDragDrop(A->Handle()), S_OK);
  EXPECT_EQ(RevokeDragDrop(A->Handle()), DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(T->RefCount(), 1u);

  // A window that goes away lets go of its target.
  TPanel* Gone = NewPanel(Form.Form, 0, 200, 10, 10);
  ASSERT_EQ(RegisterDragDrop(Gone->Handle(), T.Get()), S_OK);
  const HWND GoneWnd = Gone->Handle();
  delete Gone;
  EXPECT_EQ(RegisteredDropTarget(GoneWnd), nullptr);
  EXPECT_EQ(RegisterDragDrop(B->Handle(), T.Get()), S_OK);
  EXPECT_EQ(T->RefCount(), 2u) << "the gone window's reference was released";
}

TEST_F(DragDropTest, TheTargetUnderThePointerHearsTheDragAndTakesTheDrop) {
  TLogTarget* TA = Register(A, "A");
  TLogTarget* TB = Register(B, "B");
  MoveTo(A, TPoint(5, 6));
  MoveTo(B, TPoint(7, 8));
  MoveTo(C, TPoint(3, 3));  // C has no target of its own: B, its parent, takes it
  ReleaseAt(C, TPoint(3, 3));
  EXPECT_EQ(Run(), DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_MOVE);
  const std::vector<std::string> Expected = {
      "feedback 0",  // the start: the pointer is over the form, which has no target
      "A enter " + ScreenAt(A, TPoint(5, 6)) + " 1",
      "feedback 2",
      "A leave",
      "B enter " + ScreenAt(B, TPoint(7, 8)) + " 1",
      "feedback 2",
      "B over " + ScreenAt(C, TPoint(3, 3)) + " 1",
      "feedback 2",
      "B drop " + ScreenAt(C, TPoint(3, 3)) + " 0",
  };
  EXPECT_EQ(Log, Expected);
  EXPECT_EQ(TA->LastText, "abc");
  EXPECT_EQ(TB->LastText, "abc");
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_FALSE(DragDropActive());
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(DragDropTest, TheDragEndsWithoutADropWhenCancelledOrRefused) {
  struct Case {
    const char* Name;
    DWORD Answer;
    bool Escape;
    bool EndScript;  // the script runs out while the button is still down
    std::vector<std::string> Tail;
  } Cases[] = {
      {"escape", DROPEFFECT_MOVE, true, false, {"source escape", "A leave"}},
      {"released where the target shows no effect", DROPEFFECT_NONE, false, false, {"A leave"}},
      {"no more input", DROPEFFECT_MOVE, false, true, {"source escape", "A leave"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TComPtr<TLogTarget> T(Register(A, "A"));
    T->Answer = C.Answer;
    Log.clear();
    MoveTo(A, TPoint(5, 5));
    if (C.Escape)
      Script.push_back([] { SetKeyDown(VK_ESCAPE, true); });
    else if (!C.EndScript)
      ReleaseAt(A, TPoint(5, 5));
    EXPECT_EQ(Run(), DRAGDROP_S_CANCEL);
    EXPECT_EQ(Effect, DROPEFFECT_NONE);
    ASSERT_GE(Log.size(), C.Tail.size());
    EXPECT_EQ(std::vector<std::string>(Log.end() - C.Tail.size(), Log.end()), C.Tail);
    EXPECT_EQ(T->RefCount(), 2u) << "the loop let go of the target";
    RevokeDragDrop(A->Handle());
    ClearKeyboardState();
  }
}

TEST_F(DragDropTest, KeysChangeTheStepAndTheEffectStaysWithinTheAllowedOnes) {
  TLogTarget* T = Register(A, "A");
  T->Answer = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  MoveTo(A, TPoint(5, 5));
  Script.push_back([] { SetKeyDown(VK_CONTROL, true); });  // no mouse message: the loop steps itself
  ReleaseAt(A, TPoint(5, 5), MK_CONTROL);
  EXPECT_EQ(Run(DROPEFFECT_COPY | DROPEFFECT_LINK), DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, DROPEFFECT_COPY | DROPEFFECT_LINK);
  const std::string At = ScreenAt(A, TPoint(5, 5));
  EXPECT_EQ(Log, (std::vector<std::string>{"feedback 0", "A enter " + At + " 1", "feedback 5",
                                           "A over " + At + " " + std::to_string(MK_LBUTTON | MK_CONTROL),
                                           "feedback 5", "A drop " + At + " " + std::to_string(MK_CONTROL)}));
}

TEST_F(DragDropTest, TheMouseBelongsToTheDragWhileItRuns) {
  auto* Rec = new TRecorder(Form.Form);
  Rec->SetParent(Form.Form);
  Rec->SetBounds(10, 150, 50, 50);
  Rec->Watch = {WM_MOUSEMOVE, WM_LBUTTONUP};
  Script.push_back([=] { TestHarness::SendMouse(Rec, WM_MOUSEMOVE, TPoint(5, 5), MK_LBUTTON); });
  Script.push_back([=] { TestHarness::SendMouse(Rec, WM_LBUTTONUP, TPoint(5, 5), 0); });
  EXPECT_EQ(Run(), DRAGDROP_S_CANCEL);
  EXPECT_TRUE(Rec->Log.empty());
  TestHarness::SendMouse(Rec, WM_MOUSEMOVE, TPoint(6, 6), 0);
  EXPECT_EQ(Rec->Log.size(), 1u) << "after the drag the control has its mouse back";
}

TEST_F(DragDropTest, AFailingDropEndsTheDragAndIsPassedOn) {
  TLogTarget* T = Register(A, "A");
  T->ThrowOnDrop = true;
  MoveTo(A, TPoint(5, 5));
  ReleaseAt(A, TPoint(5, 5));
  EXPECT_THROW(Run(), std::runtime_error);
  EXPECT_FALSE(DragDropActive());
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(Log.back(), "A drop " + ScreenAt(A, TPoint(5, 5)) + " 0");
}

TEST_F(DragDropTest, BadArgumentsAndASecondDragAreRefused) {
  DWORD E = 0;
  EXPECT_EQ(DoDragDrop(nullptr, Source.Get(), DROPEFFECT_COPY, &E), E_INVALIDARG);
  EXPECT_EQ(DoDragDrop(Data.Get(), nullptr, DROPEFFECT_COPY, &E), E_INVALIDARG);
  EXPECT_EQ(DoDragDrop(Data.Get(), Source.Get(), DROPEFFECT_COPY, nullptr), E_INVALIDARG);
  HRESULT Inner = S_OK;
  Script.push_back([&] {
    DWORD E2 = 0;
    Inner = DoDragDrop(Data.Get(), Source.Get(), DROPEFFECT_COPY, &E2);
  });
  ReleaseAt(A, TPoint(1, 1));
  EXPECT_EQ(Run(), DRAGDROP_S_CANCEL);
  EXPECT_EQ(Inner, E_UNEXPECTED);
}

}  // namespace
