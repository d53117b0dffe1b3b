// The grid's drag and drop: the formats, the grid's data object and its enumerator, reading
// offered data, the drop target's classification and hand-over, the drop source, and drags run
// through the platform's drag loop.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "components/gridbase/esgdd.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::vector<Byte> Fixture(const char* Name) {
  std::ifstream In(std::string(KP_FIXTURES_DIR) + "/components/gridbase/dd/" + Name, std::ios::binary);
  return std::vector<Byte>(std::istreambuf_iterator<char>(In), {});
}

std::vector<Byte> Bytes(const char* S, size_t N) { return std::vector<Byte>(S, S + N); }

// The block a data object hands over for a format (empty when it refuses).
std::vector<Byte> Payload(IDataObject* D, CLIPFORMAT Format, HRESULT* Result = nullptr) {
  FORMATETC F;
  F.cfFormat = Format;
  STGMEDIUM M;
  const HRESULT R = D->GetData(&F, &M);
  if (Result) *Result = R;
  if (R != S_OK) return {};
  const auto* P = static_cast<const Byte*>(GlobalLock(M.hGlobal));
  std::vector<Byte> Out(P, P + GlobalSize(M.hGlobal));
  ReleaseStgMedium(&M);
  return Out;
}

// A data object someone else made, which records the blocks it handed over.
class TForeignData : public TDataObject {
 public:
  std::vector<HGLOBAL> Handed;
  HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) override {
    const HRESULT R = TDataObject::GetData(Format, Medium);
    if (R == S_OK) Handed.push_back(Medium->hGlobal);
    return R;
  }
};

// A data object that cannot list its formats.
class TNoEnumData : public TDataObject {
 public:
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** Enum) override {
    *Enum = nullptr;
    return E_NOTIMPL;
  }
};

TComPtr<TForeignData> Offer(const std::vector<TDropFormat>& Kinds, const String& Text = u"t") {
  RegisterDropFormats();
  TComPtr<TForeignData> D(new TForeignData);
  for (TDropFormat K : Kinds) {
    switch (K) {
      case dfText: D->SetUnicodeText(Text); break;
      case dfFile: D->SetFormat(CF_HDROP, Fixture("dropfiles_wide.bin")); break;
      case dfCol: D->SetFormat(DropColumnFormat(), {3, 0, 0, 0}); break;
      case dfRTF: D->SetFormat(DropRTFFormat(), Bytes("{\\rtf1 r}", 10)); break;
      case dfURL: D->SetFormat(DropURLFormat(), {0}); break;
      case dfGridCells: D->SetFormat(DropCellsFormat(), Fixture("cells_xyz.bin")); break;
    }
  }
  return D;
}

// A drop target that logs its handlers' calls.
class TLogTarget : public TESGDropTarget {
 public:
  std::vector<std::string> Log;
  bool Veto = false;
  void DropText(TPoint, const String& S) override { Log.push_back("text " + Narrow(S)); }
  void DropStream(TPoint, TMemoryStream* Stream) override {
    Log.push_back("stream " + (Stream ? Stream->Bytes() : std::string("none")) + " at " +
                  (Stream ? std::to_string(Stream->Position()) : "-"));
  }
  void DropCol(TPoint, Integer Col) override { Log.push_back("col " + std::to_string(Col)); }
  void DropRTF(TPoint, const String& S) override { Log.push_back("rtf " + Narrow(S)); }
  void DropFiles(TPoint, TStrings* Files) override {
    std::string s = "files";
    for (Integer i = 0; i < Files->Count(); ++i) s += " " + Narrow(Files->Get(i));
    Log.push_back(s);
  }
  void DropURL(TPoint, const String& S) override { Log.push_back("url " + Narrow(S)); }
  void DragMouseMove(TPoint, bool& Allow, TDropFormats Formats) override {
    Log.push_back("move " + std::to_string(Formats.Bits()) + (Allow ? " allowed" : " refused"));
    if (Veto) Allow = false;
  }
  void DragMouseEnter() override { Log.push_back("enter"); }
  void DragMouseLeave() override { Log.push_back("leave"); }
  static std::string Narrow(const String& S) { return StringToUtf8(S); }
};

class TLogSource : public TESGDropSource {
 public:
  std::vector<std::string> Log;
  void DropEnded() override { Log.push_back("ended"); }
  void CurrentEffect(Integer E) override { Log.push_back("effect " + std::to_string(E)); }
  void QueryDrag() override { Log.push_back("query"); }
};

TEST(EsgddFormats, AreRegisteredByNameAndStoredAsBits) {
  RegisterDropFormats();
  EXPECT_EQ(DropRTFFormat(), RegisterClipboardFormat(u"Rich Text Format"));
  EXPECT_EQ(DropColumnFormat(), RegisterClipboardFormat(u"Grid Column"));
  EXPECT_EQ(DropCellsFormat(), RegisterClipboardFormat(u"TExStringGrid Cells"));
  EXPECT_EQ(DropURLFormat(), RegisterClipboardFormat(u"UniformResourceLocator"));
  const CLIPFORMAT Before = DropCellsFormat();
  RegisterDropFormats();
  EXPECT_EQ(DropCellsFormat(), Before);
  EXPECT_EQ((TDropFormats{dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells}.Bits()), 0x3Fu);
  EXPECT_EQ((TDropFormats{dfCol, dfGridCells}.Bits()), 0x24u);
}

TEST(EsgddSourceData, ListsTheTextFormatsThenColumnAndCells) {
  TMemoryStream Cells;
  struct Case {
    const char* Name;
    Integer Col;
    TMemoryStream* Stream;
    std::vector<CLIPFORMAT> Formats;
  } Cases[] = {
      {"text", -1, nullptr, {CF_TEXT, CF_UNICODETEXT, 0}},
      {"column", 4, nullptr, {CF_TEXT, CF_UNICODETEXT, 0, 1}},
      {"cells", -1, &Cells, {CF_TEXT, CF_UNICODETEXT, 0, 2}},
      {"column and cells", 4, &Cells, {CF_TEXT, CF_UNICODETEXT, 0, 1, 2}},
  };
  RegisterDropFormats();
  const CLIPFORMAT Named[] = {DropRTFFormat(), DropColumnFormat(), DropCellsFormat()};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TComPtr<TSourceDataObject> D(new TSourceDataObject(u"", u"", C.Col, C.Stream));
    IEnumFORMATETC* Raw = nullptr;
    ASSERT_EQ(D->EnumFormatEtc(DATADIR_GET, &Raw), S_OK);
    TComPtr<IEnumFORMATETC> E = TComPtr<IEnumFORMATETC>::Attach(Raw);
    FORMATETC F[10];
    ULONG Fetched = 0;
    EXPECT_EQ(E->Next(10, F, &Fetched), S_FALSE);
    ASSERT_EQ(Fetched, C.Formats.size());
    for (size_t i = 0; i < Fetched; ++i) {
      const CLIPFORMAT Want = i < 2 ? C.Formats[i] : Named[C.Formats[i]];
      EXPECT_EQ(F[i].cfFormat, Want) << "element " << i;
      EXPECT_EQ(F[i].ptd, nullptr);
      EXPECT_EQ(F[i].dwAspect, DVASPECT_CONTENT);
      EXPECT_EQ(F[i].lindex, -1);
      EXPECT_EQ(F[i].tymed, TYMED_HGLOBAL);
    }
    EXPECT_EQ(E->Reset(), S_OK);
    EXPECT_EQ(E->Next(2, F, nullptr), S_OK);
    IEnumFORMATETC* Copy = nullptr;
    ASSERT_EQ(E->Clone(&Copy), S_OK);
    EXPECT_EQ(Copy->Next(1, F, nullptr), S_OK);
    EXPECT_EQ(F[0].cfFormat, DropRTFFormat()) << "the clone goes on where the original stood";
    Copy->Release();
  }
}

TEST(EsgddSourceData, SkippingPastTheEndStopsAtTheEnd) {
  TComPtr<TSourceEnumFormatEtc> E(new TSourceEnumFormatEtc(false, false));
  EXPECT_EQ(E->Skip(5), S_FALSE);
  FORMATETC F[1];
  ULONG Fetched = 9;
  EXPECT_EQ(E->Next(1, F, &Fetched), S_FALSE);
  EXPECT_EQ(Fetched, 0u) << "the position stays at 3, the end";
  E->Reset();
  EXPECT_EQ(E->Skip(3), S_OK);
  EXPECT_EQ(E->Skip(0), S_OK);
  EXPECT_EQ(E->Skip(1), S_FALSE);
}

TEST(EsgddSourceData, HandsOverEachFormatAsItsPayload) {
  SetRTFDropAllowed(true);
  TMemoryStream Cells;
  Cells.WriteBuffer("XYZ", 3);
  TComPtr<TSourceDataObject> Text(new TSourceDataObject(u"abc", u"{\\rtf1 \u00e9}", -1, &Cells));
  EXPECT_EQ(Payload(Text.Get(), CF_TEXT), Bytes("abc", 4));
  EXPECT_EQ(Payload(Text.Get(), CF_UNICODETEXT), Bytes("a\0b\0c\0\0", 8));
  EXPECT_EQ(Payload(Text.Get(), DropRTFFormat()), Bytes("{\\rtf1 \xE9}", 10));
  EXPECT_EQ(Payload(Text.Get(), DropCellsFormat()), Fixture("cells_xyz.bin"));
  HRESULT R = S_OK;
  EXPECT_TRUE(Payload(Text.Get(), DropColumnFormat(), &R).empty());
  EXPECT_EQ(R, DV_E_FORMATETC);

  // The rich text is offered for any text, even without rich text of its own.
  TComPtr<TSourceDataObject> Plain(new TSourceDataObject(u"x", u"", -1, nullptr));
  EXPECT_EQ(Payload(Plain.Get(), DropRTFFormat()), Bytes("", 1));
  SetRTFDropAllowed(false);
  Payload(Plain.Get(), DropRTFFormat(), &R);
  EXPECT_EQ(R, DV_E_FORMATETC);

  // A column offers only its index, whatever the enumerator lists.
  TComPtr<TSourceDataObject> Column(new TSourceDataObject(u"", u"", -2, nullptr));
  EXPECT_EQ(Payload(Column.Get(), DropColumnFormat()), Bytes("\xFE\xFF\xFF\xFF", 4));
  for (CLIPFORMAT F : {CF_TEXT, CF_UNICODETEXT, DropRTFFormat()}) {
    Payload(Column.Get(), F, &R);
    EXPECT_EQ(R, DV_E_FORMATETC) << "format " << F;
  }
}

TEST(EsgddSourceData, RefusesOtherMediaAndTheOperationsItLacks) {
  TComPtr<TSourceDataObject> D(new TSourceDataObject(u"abc", u"", -1, nullptr));
  struct Case {
    const char* Name;
    DWORD Aspect, Tymed;
    HRESULT Result;
  } Cases[] = {
      {"content in a global block", DVASPECT_CONTENT, TYMED_HGLOBAL, S_OK},
      {"a block among other media", DVASPECT_CONTENT, TYMED_HGLOBAL | 4, DV_E_FORMATETC},
      {"another aspect", 4, TYMED_HGLOBAL, DV_E_FORMATETC},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    FORMATETC F;
    F.cfFormat = CF_UNICODETEXT;
    F.dwAspect = C.Aspect;
    F.tymed = C.Tymed;
    EXPECT_EQ(D->QueryGetData(&F), C.Result);
  }
  FORMATETC F;
  F.cfFormat = CF_TEXT;
  STGMEDIUM M;
  EXPECT_EQ(D->GetDataHere(&F, &M), DV_E_FORMATETC);
  EXPECT_EQ(D->SetData(&F, &M, false), DV_E_FORMATETC);
  FORMATETC Out;
  Out.ptd = reinterpret_cast<DVTARGETDEVICE*>(&Out);
  EXPECT_EQ(D->GetCanonicalFormatEtc(&F, &Out), E_NOTIMPL);
  EXPECT_EQ(Out.ptd, nullptr);
  DWORD Conn = 0;
  EXPECT_EQ(D->DAdvise(&F, 0, nullptr, &Conn), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(D->DUnadvise(0), OLE_E_ADVISENOTSUPPORTED);
  IUnknown* Adv = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(D->EnumDAdvise(&Adv), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(Adv, nullptr);
  IEnumFORMATETC* E = reinterpret_cast<IEnumFORMATETC*>(1);
  EXPECT_EQ(D->EnumFormatEtc(DATADIR_SET, &E), E_NOTIMPL);
  EXPECT_EQ(E, nullptr);
}

TEST(EsgddReader, ReadsEachKindAndLetsGoOfTheBlocks) {
  TComPtr<TForeignData> D = Offer({dfText, dfRTF, dfCol, dfGridCells, dfURL}, u"http://x");
  D->SetFormat(DropRTFFormat(), Bytes("{\\rtf1 \xE9}", 10));
  TEnumFormats R(D.Get());
  EXPECT_EQ(R.Text(), u"http://x");
  EXPECT_EQ(R.RTF(), u"{\\rtf1 \u00e9}");
  EXPECT_EQ(R.Col(), 3);
  std::unique_ptr<TMemoryStream> S = R.Stream();
  ASSERT_NE(S, nullptr);
  EXPECT_EQ(S->Bytes(), "XYZ");
  EXPECT_EQ(S->Position(), 0);
  EXPECT_TRUE(R.HasURL());
  EXPECT_FALSE(R.HasFile());
  EXPECT_FALSE(R.Valid());
  EXPECT_EQ(R.Count(), 6) << "five formats listed, the sixth Next found none";
  ASSERT_EQ(D->Handed.size(), 4u);
  for (HGLOBAL H : D->Handed) EXPECT_EQ(GlobalSize(H), 0u) << "each block was freed once read";

  // Missing payloads.
  TComPtr<TForeignData> Empty = Offer({});
  TEnumFormats E(Empty.Get());
  EXPECT_EQ(E.Text(), u"");
  EXPECT_EQ(E.RTF(), u"");
  EXPECT_EQ(E.Col(), -1);
  EXPECT_EQ(E.Stream(), nullptr);
  // A cells block whose size says more than it holds gives what it holds.
  TComPtr<TForeignData> Short = Offer({});
  Short->SetFormat(DropCellsFormat(), Bytes("\x40\0\0\0\0\0\0\0ab", 10));
  EXPECT_EQ(TEnumFormats(Short.Get()).Stream()->Bytes(), "ab");
}

TEST(EsgddReader, ReadsFileListsOfWideAndNarrowNames) {
  for (const char* Name : {"dropfiles_wide.bin", "dropfiles_ansi.bin"}) {
    SCOPED_TRACE(Name);
    TComPtr<TForeignData> D = Offer({});
    D->SetFormat(CF_HDROP, Fixture(Name));
    TEnumFormats R(D.Get());
    R.Files()->Add(u"stale");
    ASSERT_TRUE(R.HasFile());
    R.ReadFileList();
    ASSERT_EQ(R.Files()->Count(), 2);
    EXPECT_EQ(R.Files()->Get(0), u"/tmp/a.csv");
    EXPECT_EQ(R.Files()->Get(1), u"/tmp/\u00fc.txt");
  }
}

TEST(EsgddReader, AnObjectWithoutFormatListRaises) {
  TComPtr<TNoEnumData> D(new TNoEnumData);
  try {
    TEnumFormats R(D.Get());
    FAIL() << "no error";
  } catch (const EAssertionFailed& E) {
    EXPECT_EQ(E.Message(), u"Cannot get the format enumerator");
  }
}

TEST(EsgddTarget, ClassifiesWhatIsDragged) {
  struct Case {
    const char* Name;
    std::vector<TDropFormat> Offered;
    bool AcceptText, AcceptFiles, AcceptCols, AcceptURLs, RTFAllowed;
    bool Ok;
  } Cases[] = {
      {"text", {dfText}, true, true, false, true, false, true},
      {"text not accepted", {dfText}, false, true, true, true, true, false},
      {"files", {dfFile}, false, true, false, false, false, true},
      {"rich text without the switch", {dfRTF}, true, true, true, true, false, false},
      {"rich text with the switch", {dfRTF}, true, false, false, false, true, true},
      {"rich text with the switch but no text taken", {dfRTF}, false, true, true, true, true, false},
      {"a column is not taken at first", {dfCol}, true, true, false, true, true, false},
      {"a column taken", {dfCol}, false, false, true, false, false, true},
      {"a URL", {dfURL}, false, false, false, true, false, true},
      {"grid cells with nothing accepted", {dfGridCells}, false, false, false, false, false, true},
      {"nothing", {}, true, true, true, true, true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TComPtr<TLogTarget> T(new TLogTarget);
    T->SetAcceptText(C.AcceptText);
    T->SetAcceptFiles(C.AcceptFiles);
    T->SetAcceptCols(C.AcceptCols);
    T->SetAcceptURLs(C.AcceptURLs);
    SetRTFDropAllowed(C.RTFAllowed);
    TDropFormats Offered;
    for (TDropFormat F : C.Offered) Offered.Include(F);
    TComPtr<TForeignData> D = Offer(C.Offered);
    DWORD Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(T->DragEnter(D.Get(), 0, TPoint(1, 1), &Effect), S_OK);
    EXPECT_EQ(Effect, C.Ok ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
    EXPECT_EQ(T->DropFormats(), Offered) << "every offered kind counts, taken or not";
    EXPECT_EQ(T->Log.front(), "enter");
  }
  SetRTFDropAllowed(false);
}

TEST(EsgddTarget, EightBitTextAloneIsNotText) {
  TComPtr<TLogTarget> T(new TLogTarget);
  TComPtr<TForeignData> D = Offer({});
  D->SetFormat(CF_TEXT, Bytes("abc", 4));
  DWORD Effect = DROPEFFECT_COPY;
  T->DragEnter(D.Get(), 0, TPoint(), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  EXPECT_TRUE(T->DropFormats().Empty());
}

TEST(EsgddTarget, TheEffectFollowsTheKeysAndTheOffer) {
  struct Case {
    const char* Name;
    DWORD Keys, Offered, Effect;
  } Cases[] = {
      {"Ctrl copies", MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_COPY},
      {"no Ctrl with move offered moves", 0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
      {"no Ctrl with only link offered copies", 0, DROPEFFECT_LINK, DROPEFFECT_COPY},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(TESGDropTarget::DropEffectFromKeys(C.Keys, C.Offered), C.Effect);
    TComPtr<TLogTarget> T(new TLogTarget);
    TComPtr<TForeignData> D = Offer({dfText});
    DWORD E = C.Offered;
    T->DragEnter(D.Get(), C.Keys, TPoint(), &E);
    EXPECT_EQ(E, C.Effect);
    E = C.Offered;
    T->DragOver(C.Keys, TPoint(), &E);
    EXPECT_EQ(E, C.Effect);
  }
}

TEST(EsgddTarget, DragOverAsksTheMoveHandlerWhichMayRefuse) {
  TComPtr<TLogTarget> T(new TLogTarget);
  TComPtr<TForeignData> D = Offer({dfText, dfFile});
  DWORD E = DROPEFFECT_MOVE;
  T->DragEnter(D.Get(), 0, TPoint(), &E);
  T->DragOver(0, TPoint(), &E);
  EXPECT_EQ(E, DROPEFFECT_MOVE);
  T->Veto = true;
  E = DROPEFFECT_MOVE;
  T->DragOver(0, TPoint(), &E);
  EXPECT_EQ(E, DROPEFFECT_NONE);
  T->DragLeave();
  EXPECT_EQ(T->Log, (std::vector<std::string>{"enter", "move 3 allowed", "move 3 allowed", "leave"}));

  TComPtr<TForeignData> Refused = Offer({dfCol});
  T->Log.clear();
  T->DragEnter(Refused.Get(), 0, TPoint(), &E);
  E = DROPEFFECT_MOVE;
  T->DragOver(0, TPoint(), &E);
  EXPECT_EQ(T->Log.back(), "move 4 refused") << "what is not taken arrives refused";
}

TEST(EsgddTarget, ADropGoesToTheHandlersOfWhatIsOffered) {
  struct Case {
    const char* Name;
    std::vector<TDropFormat> Offered;
    bool RTFAllowed;
    std::vector<std::string> Calls;
  } Cases[] = {
      {"cells, text and files", {dfGridCells, dfText, dfFile}, false,
       {"stream XYZ at 0", "files /tmp/a.csv /tmp/\xC3\xBC.txt"}},
      {"a column with text", {dfCol, dfText, dfFile}, false, {"col 3"}},
      {"rich text with the switch", {dfRTF, dfText}, true, {"rtf {\\rtf1 r}"}},
      {"rich text without the switch", {dfRTF, dfText}, false, {"text t"}},
      {"a URL with its text", {dfURL, dfText}, false, {"text t", "url t"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    SetRTFDropAllowed(C.RTFAllowed);
    TComPtr<TLogTarget> T(new TLogTarget);
    T->SetAcceptCols(true);
    TComPtr<TForeignData> D = Offer(C.Offered);
    DWORD E = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    T->DragEnter(D.Get(), 0, TPoint(), &E);
    T->Log.clear();
    E = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(T->Drop(D.Get(), MK_CONTROL, TPoint(), &E), S_OK);
    EXPECT_EQ(E, DROPEFFECT_COPY);
    const std::vector<std::string>& Got = T->Log;
    EXPECT_EQ(Got, C.Calls);
  }
  SetRTFDropAllowed(false);
}

TEST(EsgddTarget, NothingIsDroppedWhenTheDragWasNotTaken) {
  TComPtr<TLogTarget> T(new TLogTarget);
  TComPtr<TForeignData> D = Offer({dfCol});
  DWORD E = DROPEFFECT_MOVE;
  T->DragEnter(D.Get(), 0, TPoint(), &E);
  E = DROPEFFECT_MOVE;
  T->Drop(D.Get(), 0, TPoint(), &E);
  EXPECT_EQ(E, DROPEFFECT_NONE);
  EXPECT_EQ(T->Log, (std::vector<std::string>{"enter"}));
}

TEST(EsgddSource, EndsOnEscapeOrReleaseAndReportsTheEffect) {
  struct Case {
    const char* Name;
    bool Escape;
    DWORD Keys;
    HRESULT Result;
    std::vector<std::string> Log;
  } Cases[] = {
      {"button held", false, MK_LBUTTON, S_OK, {"query"}},
      {"escape", true, MK_LBUTTON, DRAGDROP_S_CANCEL, {"ended", "query"}},
      {"button released", false, MK_CONTROL, DRAGDROP_S_DROP, {"ended", "query"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TComPtr<TLogSource> S(new TLogSource);
    EXPECT_EQ(S->QueryContinueDrag(C.Escape, C.Keys), C.Result);
    EXPECT_EQ(S->Log, C.Log);
  }
  TComPtr<TLogSource> S(new TLogSource);
  EXPECT_EQ(S->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_FALSE(S->NoAccept());
  S->GiveFeedback(DROPEFFECT_NONE);
  EXPECT_TRUE(S->NoAccept());
  EXPECT_EQ(S->Log, (std::vector<std::string>{"effect 2", "effect 0"}));
}

// Drags through the platform's drag loop onto a panel with a registered target.
class EsgddDragTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(20, 20, 300, 200);
    Form->AfterConstruction();
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(100, 20, 120, 100);
    TestHarness::ShowForm(Form);
    Target = new TLogTarget;
    Target->SetAcceptCols(true);
    ASSERT_EQ(RegisterDragDrop(Panel->Handle(), Target.Get()), S_OK);
    SetWindowFromPointSource([this](TPoint P) {
      const TPoint O = Panel->ClientToScreen(TPoint(0, 0));
      return PtInRect(TRect(O.X, O.Y, O.X + Panel->Width(), O.Y + Panel->Height()), P) ? Panel->Handle()
                                                                                       : Form->Handle();
    });
    SetCursorPosSource([this] { return Form->ClientToScreen(TPoint(5, 5)); });
    SetDragLoopPump([this] {
      if (Script.empty()) return false;
      auto Step = Script.front();
      Script.pop_front();
      Step();
      return true;
    });
    Source = new TLogSource;
    SetKeyDown(VK_LBUTTON, true);
  }
  void TearDown() override {
    SetDragLoopPump(nullptr);
    SetWindowFromPointSource(nullptr);
    SetCursorPosSource(nullptr);
    ClearKeyboardState();
    RevokeDragDrop(Panel->Handle());
    TComponent::Free(Form);
  }
  // The pointer moves over the panel and is released there.
  void OverPanelAndRelease() {
    Script.push_back([this] { TestHarness::SendMouse(Panel, WM_MOUSEMOVE, TPoint(10, 10), MK_LBUTTON); });
    Script.push_back([this] { TestHarness::SendMouse(Panel, WM_LBUTTONUP, TPoint(10, 10), 0); });
  }
  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  TComPtr<TLogTarget> Target;
  TComPtr<TLogSource> Source;
  std::deque<std::function<void()>> Script;
};

TEST_F(EsgddDragTest, TextDroppedOnATargetArrivesAsItsText) {
  OverPanelAndRelease();
  Integer Effect = 0;
  EXPECT_EQ(DragDropText(Source.Get(), u"abc", u"", nullptr, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect),
            DRAGDROP_S_DROP);
  EXPECT_EQ(Effect, static_cast<Integer>(DROPEFFECT_MOVE));
  EXPECT_EQ(Target->Log, (std::vector<std::string>{"enter", "text abc"}));
  EXPECT_EQ(Source->Log.back(), "query");
}

TEST_F(EsgddDragTest, AColumnDroppedArrivesAsItsIndex) {
  OverPanelAndRelease();
  Integer Effect = 0;
  EXPECT_EQ(DragDropColumn(Source.Get(), 7, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect), DRAGDROP_S_DROP);
  EXPECT_EQ(Target->Log, (std::vector<std::string>{"enter", "col 7"}));
}

TEST_F(EsgddDragTest, ADragEndingWhereNoEffectShowsIsCancelled) {
  Target->Veto = true;
  Script.push_back([this] { TestHarness::SendMouse(Panel, WM_MOUSEMOVE, TPoint(10, 10), MK_LBUTTON); });
  Script.push_back([this] { TestHarness::SendMouse(Panel, WM_MOUSEMOVE, TPoint(12, 10), MK_LBUTTON); });
  Script.push_back([this] { TestHarness::SendMouse(Panel, WM_LBUTTONUP, TPoint(12, 10), 0); });
  Integer Effect = 0;
  EXPECT_EQ(DragDropText(Source.Get(), u"abc", u"", nullptr, DROPEFFECT_MOVE, Effect), DRAGDROP_S_CANCEL);
  EXPECT_EQ(Effect, 0);
  EXPECT_TRUE(Source->NoAccept());
  EXPECT_EQ(Target->Log.back(), "leave");
}

}  // namespace
