// The mini-HTML renderer: lays a markup text out line by line in a rectangle, measuring each line
// first and then drawing it (or hit-testing it), with the tags' effects on the drawing state.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/EsgHTMLEInternal.h"
#include "components/gridbase/ExXPVS.h"
#include "platform/rtl/SysUtils.h"

using HtmlInternal::LeadingInt;
using HtmlInternal::TagValue;

namespace {

constexpr Integer kAlignLeft = 0;
constexpr Integer kAlignRight = 1;
constexpr Integer kAlignCenter = 2;
// Border colours of embedded controls, drawn with and without visual styles.
constexpr TColor kControlBorder = 0x808080;
constexpr TColor kThemedControlBorder = 0xB99D7F;

// Numbers written in the markup become pixel sizes and offsets: they are kept to the range of
// 16-bit coordinates, so no sum of them overflows and no size asks for a giant surface.
constexpr Integer kMaxCoord = 32767;
Integer MarkupCoord(Integer V) { return std::clamp(V, -kMaxCoord, kMaxCoord); }
// The largest font size a font tag selects, in points.
constexpr Integer kMaxFontPoints = 1000;

std::unique_ptr<TFont> CopyFont(TFont* F) {
  auto Copy = std::make_unique<TFont>();
  Copy->Assign(F);
  return Copy;
}

bool StartsWithUpper(const String& Upper, const String& Prefix) {
  return Upper.size() >= Prefix.size() && Upper.compare(0, Prefix.size(), Prefix) == 0;
}

// A colour value of a tag: a name when it holds "CL", a hex colour when it holds "#"; false when
// it is neither.
bool BackgroundColor(const String& Value, TColor& Color) {
  if (Value.find(u"CL") != String::npos) {
    Color = HtmlColorByName(LowerCase(Value));
    return true;
  }
  if (Value.find(u'#') != String::npos) {
    Color = HtmlHexColor(Value);
    return true;
  }
  return false;
}

// A colour value of a font tag: "#RRGGBB" or a colour name.
TColor FontColor(const String& Value) {
  return !Value.empty() && Value[0] == u'#' ? HtmlHexColor(Value) : HtmlColorByName(LowerCase(Value));
}

// The text as it shows once the prefix markers are resolved: "&&" gives "&", "&x" gives x.
String WithoutPrefixes(const String& S) {
  String Out;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] != u'&') {
      Out.push_back(S[I]);
      continue;
    }
    if (I + 1 < S.size()) Out.push_back(S[++I]);
  }
  return Out;
}

// The state of one line during one pass.
struct TLineState {
  TRect Rect;           // the line rectangle of this pass; its bottom is the text bottom
  Integer Width = 0;    // line width so far
  Integer X = 0;        // drawing position
  Integer TrailBlank = 0;
  bool Ended = false;   // a tag ended the line
  bool NoRoom = false;  // the next run or element does not fit
  bool DropRest = false;  // the rest of the text is dropped
  bool ListItem = false;
  bool AnchorHit = false;
  bool CtrlHit = false;
  bool HasRun = false;  // a visible run stands on the line
  Char LastChar = 0;    // its last character
  size_t ConsumedEnd = 0;
};

// What the measuring pass and the drawing pass of a line both start from.
struct TSnapshot {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TFont> RotSaved;
  bool InAnchor = false;
  String Href, Title;
  bool Shadow = false, Hidden = false;
  Integer AnchorCounter = 0, ListLevel = 0, ImageCounter = 0;
  bool AnchorStyled = false;
};

// A picture chosen by an image tag.
struct TImageSource {
  Integer ListIndex = -1;          // an image of the image list
  THTMLPicture* Picture = nullptr;  // a picture of the container or the cache
  bool Found() const { return ListIndex >= 0 || Picture; }
};

class THtmlRenderer {
 public:
  // Inputs.
  TCanvas* C = nullptr;
  TRect R;
  TImageList* Images = nullptr;
  Integer HitX = 0, HitY = 0, FocusAnchorIndex = -1, HoverAnchorIndex = 0, ShadowOffset = 0;
  bool HitTestOnly = false, MeasureOnly = false, ScaleImages = false, KeepColors = false;
  bool BlinkVisible = true, UnderlineHoverOnly = false, WordWrap = false, ControlDown = false;
  double ImageScale = 1.0;
  TColor URLColor = clBlue, HoverBackColor = clNone, HoverTextColor = clNone, ShadowColor = clGray;
  THTMLPictureCache* Cache = nullptr;
  TPictureContainer* Container = nullptr;
  String HitControlIDIn;
  HWND WindowHandle = 0;
  Cardinal Flags = 0;
  bool Rtl = false;
  bool Themed = false;

  // Outputs.
  String* HitAnchor = nullptr;
  String* PlainText = nullptr;
  String* FocusedAnchor = nullptr;
  String* HitAnchorTitle = nullptr;
  Integer* MaxLineWidth = nullptr;
  Integer* HitAnchorIndex = nullptr;
  TRect* HitAnchorRect = nullptr;
  TRect* HitControlRect = nullptr;
  String* HitControlID = nullptr;
  String* HitControlValue = nullptr;
  String* HitControlType = nullptr;

  bool Run(const String& Text, Integer& TotalHeight, Integer& AnchorCount);

 private:
  // The formatting state, alive across lines.
  std::unique_ptr<TFont> BaseFont;
  TColor BaseBg = clNone;
  TColor TextBg = clNone;
  bool Sub = false, Sup = false, Shadow = false, Hidden = false, ErrorMark = false, ParaBg = false;
  bool InAnchor = false, AnchorStyled = false;
  Integer ListLevel = 0, Align = kAlignLeft, Indent = 0;
  std::unique_ptr<TFont> RotSaved;
  String Href, Title;
  Integer AnchorCounter = 0, ImageCounter = 0, HoveredImage = -1;
  TColor AnchorSavedBg = clNone, AnchorSavedColor = clNone;
  TColor HiSavedColor = clNone, HiSavedBg = clNone;
  TColor FontSavedBg = clNone, ParaSavedBg = clNone;
  // Focus rectangle of the focused anchor (drawing passes).
  bool InFocusAnchor = false, FocusRestart = false;
  TRect FocusRect;
  // The anchor under the point, until it closes (second passes).
  bool AnchorMarkedHit = false;
  Integer AnchorStartX = 0, AnchorStartTop = 0, AnchorStartLine = -1;
  // The line being laid out.
  Integer LineNo = 0;
  Integer LineS = 0, LineQ = 0, LineR = 0, LineP = 0, LineH0 = 0;
  TLineState LastLine;  // the second pass of the last line

  TSnapshot Save() const;
  void Restore(const TSnapshot& S);
  void Line(const String& Src, size_t& At, TLineState& L, bool Measure, bool FirstPass);
  void RunText(const String& Raw, const String& Shown, size_t& At, TLineState& L, bool Measure, bool FirstPass);
  bool Tag(const String& Src, size_t At, const String& TagText, TLineState& L, bool Measure, bool FirstPass);
  bool OpenTag(const String& T, const String& U, TLineState& L, bool Measure, bool FirstPass);
  void CloseTag(const String& U, TLineState& L, bool Measure, bool FirstPass);
  bool Image(const String& T, const String& U, TLineState& L, bool Measure, bool FirstPass);
  bool Control(const String& T, TLineState& L, bool Measure, bool FirstPass);
  bool ListItem(TLineState& L, bool Measure);
  void Body(const String& T, const String& U);
  TImageSource Resolve(const String& Value, bool ListForms);
  void FinishFocusRect(const TLineState& L);
  void SelectTextBackground();
  void FillRect(const TRect& Rect, TColor Color);
  // The point's x as an offset into the line rectangle (mirrored for right-to-left reading).
  Integer HitOffset(const TLineState& L) const { return Rtl ? L.Rect.Right - HitX : HitX - L.Rect.Left; }
  bool Drawing(bool Measure) const { return !Measure; }
  // Draws a part of a theme class with the window's theme data; false when no theme data opens.
  bool ThemedPart(const Char* ThemeClass, Integer Part, Integer State, const TRect& Box);
};

bool THtmlRenderer::ThemedPart(const Char* ThemeClass, Integer Part, Integer State, const TRect& Box) {
  if (!Themed) return false;
  const HTHEME Theme = ThemeApi.OpenThemeData(WindowHandle, ThemeClass);
  if (!Theme) return false;
  ThemeApi.DrawThemeBackground(Theme, C, Part, State, &Box, nullptr);
  ThemeApi.CloseThemeData(Theme);
  return true;
}

TSnapshot THtmlRenderer::Save() const {
  TSnapshot S;
  S.Font = CopyFont(C->Font());
  if (RotSaved) S.RotSaved = CopyFont(RotSaved.get());
  S.InAnchor = InAnchor;
  S.Href = Href;
  S.Title = Title;
  S.Shadow = Shadow;
  S.Hidden = Hidden;
  S.AnchorCounter = AnchorCounter;
  S.ListLevel = ListLevel;
  S.ImageCounter = ImageCounter;
  S.AnchorStyled = AnchorStyled;
  return S;
}

void THtmlRenderer::Restore(const TSnapshot& S) {
  C->Font()->Assign(S.Font.get());
  RotSaved = S.RotSaved ? CopyFont(S.RotSaved.get()) : nullptr;
  InAnchor = S.InAnchor;
  Href = S.Href;
  Title = S.Title;
  Shadow = S.Shadow;
  Hidden = S.Hidden;
  AnchorCounter = S.AnchorCounter;
  ListLevel = S.ListLevel;
  ImageCounter = S.ImageCounter;
  AnchorStyled = S.AnchorStyled;
}

void THtmlRenderer::SelectTextBackground() {
  if (TextBg == clNone) {
    C->SetBkMode(TRANSPARENT);
  } else {
    C->SetBkMode(OPAQUE);
    C->SetBkColor(TextBg);
  }
}

void THtmlRenderer::FillRect(const TRect& Rect, TColor Color) {
  if (Color == clNone) return;
  C->Brush()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(Rect);
}

bool THtmlRenderer::Run(const String& Text, Integer& TotalHeight, Integer& AnchorCount) {
  BaseFont = CopyFont(C->Font());
  BaseBg = C->Brush()->Color();
  HiSavedColor = BaseFont->Color();
  C->Brush()->SetStyle(bsClear);
  C->SetBkMode(TRANSPARENT);

  const String Work = PrepareHtmlText(Text);
  TRect LineRect = R;
  LineRect.Left += 1;
  size_t At = 0;
  bool Result = false;
  TotalHeight = 0;
  while (At < Work.size()) {
    LineH0 = C->TextHeight(u"gh");
    LineS = LineH0;
    LineP = LineQ = LineR = 0;
    Sub = Sup = false;
    const TSnapshot Snap = Save();

    // Measuring pass: takes the line off the text.
    const size_t Start = At;
    TLineState M;
    M.Rect = LineRect;
    Line(Work, At, M, true, true);
    const String Consumed = Work.substr(Start, M.ConsumedEnd - Start);
    const Integer W = M.Width;

    TRect D = LineRect;
    D.Bottom = D.Top + LineS + LineR + LineQ;
    if (Align == kAlignRight && D.Right - W > D.Left) D.Left = D.Right - W;
    if (Align == kAlignCenter && (D.Right - D.Left - W) / 2 > 0) D.Left += (D.Right - D.Left - W) / 2;
    D.Left += Indent;

    if (!MeasureOnly) {
      Restore(Snap);
      Sub = Sup = false;
      TLineState L2;
      L2.Rect = D;
      size_t At2 = 0;
      Line(Consumed, At2, L2, HitTestOnly, false);
      LastLine = L2;
      const Integer TextBottom = D.Top + LineQ + LineS;
      if (L2.CtrlHit ||
          (L2.AnchorHit && HitY > TextBottom - LineP - LineH0 && HitY < TextBottom - LineP))
        Result = true;
    }

    LineRect.Top += LineS + LineR + LineQ;
    TotalHeight += LineS + LineR + LineQ;
    ++LineNo;
    if (!MeasureOnly && LineRect.Top + LineH0 > R.Bottom) break;
    // A line that took nothing would never end the loop; it cannot happen, but stay safe.
    if (At == Start) break;
  }
  if (AnchorMarkedHit) {
    // The end of the text closes an anchor left open: its rectangle ends where the text ends.
    const bool Started = AnchorStartLine == LineNo - 1;
    *HitAnchorRect = TRect(Started ? AnchorStartX : LastLine.Rect.Left, Started ? AnchorStartTop : LastLine.Rect.Top,
                           LastLine.Rect.Left + LastLine.Width, LastLine.Rect.Bottom);
    *HitAnchorIndex = AnchorCounter;
  }
  if (TotalHeight == 0) {
    C->Font()->Assign(BaseFont.get());
    TotalHeight = C->TextHeight(u"gh");
  }
  AnchorCount = AnchorCounter;
  return Result && !MeasureOnly;
}

void THtmlRenderer::Line(const String& Src, size_t& At, TLineState& L, bool Measure, bool FirstPass) {
  L.Rect.Bottom -= LineR;
  L.X = Rtl ? L.Rect.Right : L.Rect.Left;
  L.ConsumedEnd = At;
  if (ParaBg && Drawing(Measure)) FillRect(TRect(R.Left, L.Rect.Top, R.Right, L.Rect.Top + LineS), TextBg);
  if (FocusRestart && Drawing(Measure) && InFocusAnchor) {
    FocusRect.Left = L.Rect.Left;
    FocusRestart = false;
  }

  while (At < Src.size() && !L.Ended && !L.NoRoom) {
    // Cut a run: with word wrap up to and including the next blank, else up to the next tag.
    const size_t Lt = Src.find(u'<', At);
    size_t End = Lt == String::npos ? Src.size() : Lt;
    if (WordWrap) {
      const size_t Blank = Src.find(u' ', At);
      if (Blank != String::npos && Blank < End) End = Blank + 1;
    }
    if (End > At) {
      const String Raw = Src.substr(At, End - At);
      String Shown = Raw;
      HtmlInternal::ReplaceRunEntities(Shown);
      RunText(Raw, Shown, At, L, Measure, FirstPass);
    }
    if (L.Ended || L.NoRoom || At >= Src.size()) break;

    const size_t Rest = Src.size() - At;
    if (Src[At] == u'<' && Rest <= 2) {
      At = Src.size();
      break;
    }
    if (Src[At] != u'<') continue;

    const size_t Gt = Src.find(u'>', At);
    const size_t TagEnd = Gt == String::npos ? Src.size() : Gt + 1;
    if (!Tag(Src, At, Src.substr(At, TagEnd - At), L, Measure, FirstPass)) break;
    // The tag is consumed up to its ">"; without one the rest of the text goes with it.
    At = TagEnd;
    L.ConsumedEnd = At;
  }

  if (L.DropRest) At = Src.size();
  L.Width -= L.TrailBlank;
  if (*MaxLineWidth < L.Width) *MaxLineWidth = L.Width;
  if (InFocusAnchor && Drawing(Measure)) {
    // The focused anchor goes on on the next line: close its rectangle for this one.
    FinishFocusRect(L);
    FocusRestart = true;
  }
}

void THtmlRenderer::RunText(const String& Raw, const String& Shown, size_t& At, TLineState& L, bool Measure,
                            bool FirstPass) {
  const Integer H = C->TextHeight(Shown);
  if (LineS < H) LineS = H;
  if (Sub && LineR < H / 4) LineR = H / 4;
  if (Sup && LineQ < H / 4) LineQ = H / 4;
  auto Consume = [&] {
    At += Raw.size();
    L.ConsumedEnd = At;
    if (FirstPass) *PlainText += WithoutPrefixes(Shown);
  };
  if (Hidden) {
    Consume();
    return;
  }

  TRect T = L.Rect;
  DrawText(C, Shown, T, Flags | DT_CALCRECT);
  const Integer W = T.Right - T.Left;
  const Integer Before = L.Width;

  if (Measure) {
    L.Width += W;
    if (!FirstPass && InAnchor) {
      const Integer Off = HitOffset(L);
      if (Off >= Before && Off <= L.Width) {
        L.AnchorHit = true;
        // The anchor counts as hit only when the point lies on this line.
        if (L.Rect.Top < HitY && HitY < L.Rect.Top + LineQ + LineS + LineR) {
          *HitAnchor = Href;
          *HitAnchorTitle = Title;
          AnchorMarkedHit = true;
        }
      }
    }
    L.X += Rtl ? -W : W;
  } else {
    TRect TR = Rtl ? TRect(L.Rect.Left, L.Rect.Top, L.X, L.Rect.Bottom) : TRect(L.X, L.Rect.Top, L.Rect.Right, L.Rect.Bottom);
    if (Sup) TR.Bottom -= LineQ;
    if (Sub) TR.Bottom += LineR;
    TR.Bottom -= LineP;
    const Cardinal F = Rtl ? (Flags | DT_RIGHT) : Flags;
    if (Shadow) {
      const TColor Own = C->Font()->Color();
      TRect SR = TR;
      OffsetRect(SR, ShadowOffset, ShadowOffset);
      C->SetBkMode(TRANSPARENT);
      C->Font()->SetColor(ShadowColor);
      DrawText(C, Shown, SR, F);
      C->Font()->SetColor(Own);
    }
    SelectTextBackground();
    DrawText(C, Shown, TR, F);
    if (InFocusAnchor) *FocusedAnchor = Href;
    if (ErrorMark) {
      const Integer Left = Rtl ? L.X - W : L.X;
      const Integer Bottom = L.Rect.Bottom;
      std::vector<TPoint> Zig;
      for (Integer X = Left & ~1; X <= Left + W; X += 2) Zig.emplace_back(X, X % 4 == 0 ? Bottom + 1 : Bottom - 1);
      if (Zig.size() >= 2) {
        C->Pen()->SetColor(clRed);
        C->Pen()->SetWidth(1);
        C->Pen()->SetStyle(psSolid);
        C->Polyline(Zig);
      }
    }
    L.X += Rtl ? -W : W;
    // The line width follows the drawing too, so indent tags and elements later on the line are
    // placed as the measuring pass placed them.
    L.Width += W;
  }

  if (!FirstPass) {
    Consume();
    L.HasRun = true;
    L.LastChar = Shown.empty() ? Char(0) : Shown.back();
    return;
  }
  // Layout: does the run fit on the line?
  const Integer RectW = L.Rect.Width();
  const bool Fits = L.Width < RectW || (W >= RectW && Before == 0);
  const bool Stays = !Fits && L.HasRun && L.LastChar != u' ';  // a word is not broken at a tag
  if (Fits || Stays || !WordWrap) {
    const bool WasFirst = !L.HasRun;
    Consume();
    L.TrailBlank = !Shown.empty() && Shown.back() == u' ' ? C->TextWidth(u" ") : 0;
    L.HasRun = true;
    if (!Shown.empty()) L.LastChar = Shown.back();
    if (!WordWrap && !Fits && !WasFirst) {
      // One line without word wrap: the text after a run that does not fit is dropped (the run
      // itself ends in an ellipsis when drawn).
      L.NoRoom = true;
      L.DropRest = true;
    }
    return;
  }
  L.Width -= W;
  L.NoRoom = true;
}

bool THtmlRenderer::Tag(const String& Src, size_t At, const String& TagText, TLineState& L, bool Measure,
                        bool FirstPass) {
  const String U = UpperCase(TagText);
  const bool Closing = U.size() > 1 && U[1] == u'/' && Src.size() - At > 3;
  if (Closing) {
    CloseTag(U, L, Measure, FirstPass);
    return true;
  }
  return OpenTag(TagText, U, L, Measure, FirstPass);
}

bool THtmlRenderer::OpenTag(const String& T, const String& U, TLineState& L, bool Measure, bool FirstPass) {
  const Char Letter = U.size() > 1 ? U[1] : Char(0);
  const Char Next = U.size() > 2 ? U[2] : Char(0);
  TFont* F = C->Font();
  switch (Letter) {
    case u'A': {
      ++AnchorCounter;
      InAnchor = U.find(u"HREF") != String::npos;
      Href = TagValue(T, U, u"HREF");
      Title = TagValue(T, U, u"TITLE");
      const bool Hovered = HoverAnchorIndex == AnchorCounter;
      AnchorStyled = !UnderlineHoverOnly || Hovered;
      AnchorStartX = L.Rect.Left + L.Width;
      AnchorStartTop = L.Rect.Top;
      AnchorStartLine = LineNo;
      if (Drawing(Measure)) {
        if (AnchorStyled) {
          F->SetStyle(F->Style() << fsUnderline);
          if (HoverBackColor != clNone) {
            AnchorSavedBg = TextBg;
            TextBg = HoverBackColor;
          }
          if (HoverTextColor != clNone) {
            AnchorSavedColor = F->Color();
            F->SetColor(HoverTextColor);
          }
        }
        if (AnchorCounter - 1 == FocusAnchorIndex) {
          InFocusAnchor = true;
          FocusRestart = false;
          FocusRect.Left = L.X;
        }
      }
      if (!KeepColors && !(UnderlineHoverOnly && Hovered && HoverTextColor != clNone)) F->SetColor(URLColor);
      return true;
    }
    case u'B':
      if (Next == u'R') {
        L.Ended = true;
        if (FirstPass) *PlainText += u"\r";
      } else if (Next == u'L') {
        if (!BlinkVisible) F->SetColor(BaseBg);
      } else if (Next == u'O') {
        if (Drawing(Measure)) Body(T, U);
      } else {
        F->SetStyle(F->Style() << fsBold);
      }
      return true;
    case u'C':
      return Control(T, L, Measure, FirstPass);
    case u'E':
      if (Drawing(Measure)) ErrorMark = true;
      return true;
    case u'F': {
      if (U.find(u"FACE") != String::npos) {
        const String Face = TagValue(U, U, u"FACE");
        if (!Face.empty()) F->SetName(Face);
      }
      if (!KeepColors && U.find(u" COLOR") != String::npos) F->SetColor(FontColor(TagValue(U, U, u" COLOR")));
      if (Drawing(Measure) && !KeepColors && U.find(u"BGCOLOR") != String::npos) {
        FontSavedBg = TextBg;
        TextBg = FontColor(TagValue(U, U, u"BGCOLOR"));
      }
      const size_t SizeAt = U.find(u"SIZE");
      if (SizeAt != String::npos) {
        String V = U.substr(SizeAt + 4);
        const size_t Eq = V.find(u'=');
        if (Eq != String::npos) V = V.substr(Eq + 1);
        const size_t Quote = V.find(u'"');
        if (Quote != String::npos) V = V.substr(Quote + 1);
        const Integer N = LeadingInt(V, -1);
        if (N > 0) {
          static const Integer kPoints[] = {0, 8, 10, 12, 14, 16};
          F->SetSize(N <= 5 ? kPoints[N] : std::min(N, kMaxFontPoints));
        }
      }
      return true;
    }
    case u'H':
      if (Next == u'I') {
        if (Drawing(Measure)) {
          TColor Bk, Tx;
          GetHtmlHighlightColors(Bk, Tx);
          HiSavedColor = F->Color();
          HiSavedBg = TextBg;
          TextBg = Bk;
          F->SetColor(Tx);
        }
      } else if (Next == u'R') {
        L.Ended = true;
        if (Drawing(Measure)) {
          C->Pen()->SetColor(clBlack);
          C->Pen()->SetWidth(1);
          C->Pen()->SetStyle(psSolid);
          C->MoveTo(L.Rect.Left, L.Rect.Bottom + 1);
          C->LineTo(L.Rect.Right, L.Rect.Bottom + 1);
        }
      }
      return true;
    case u'I':
      if (Next == u'N') {
        const size_t XAt = U.find(u'X');
        if (XAt != String::npos) {
          const Integer N = MarkupCoord(LeadingInt(TagValue(U.substr(XAt), U.substr(XAt), u"X"), 0));
          if (L.Width < N) {
            L.Width = N;
            L.X = L.Rect.Left + N;
            L.TrailBlank = 0;
          }
        }
      } else if (Next == u'M') {
        return Image(T, U, L, Measure, FirstPass);
      } else {
        F->SetStyle(F->Style() << fsItalic);
      }
      return true;
    case u'L':
      return ListItem(L, Measure);
    case u'P': {
      if (U.find(u"ALIGN") != String::npos) {
        const String V = TagValue(U, U, u"ALIGN");
        if (V.find(u"RIGHT") != String::npos) Align = kAlignRight;
        if (V.find(u"LEFT") != String::npos) Align = kAlignLeft;
        if (V.find(u"CENTER") != String::npos) Align = kAlignCenter;
      }
      if (U.find(u"INDENT") != String::npos) Indent = MarkupCoord(LeadingInt(TagValue(U, U, u"INDENT"), 0));
      if (Drawing(Measure) && U.find(u"BGCOLOR") != String::npos) {
        TColor Color;
        if (BackgroundColor(TagValue(U, U, u"BGCOLOR"), Color)) {
          ParaSavedBg = TextBg;
          TextBg = Color;
          C->Pen()->SetColor(Color);
          FillRect(TRect(R.Left, L.Rect.Top, R.Right, L.Rect.Top + LineS), Color);
          ParaBg = true;
        }
      }
      return true;
    }
    case u'R': {
      const size_t AAt = U.find(u'A', 1);
      Integer Degrees = 0;
      if (AAt != String::npos) Degrees = MarkupCoord(LeadingInt(TagValue(U.substr(AAt), U.substr(AAt), u"A"), 0));
      RotSaved = CopyFont(F);
      F->SetOrientation(Degrees * 10);
      return true;
    }
    case u'S':
      if (U == u"<SUB>") {
        Sub = true;
      } else if (U == u"<SUP>") {
        Sup = true;
      } else if (Next == u'H') {
        Shadow = true;
      } else {
        F->SetStyle(F->Style() << fsStrikeOut);
      }
      return true;
    case u'U':
      if (Next == u'>') {
        F->SetStyle(F->Style() << fsUnderline);
      } else {
        ++ListLevel;
        L.Ended = true;
      }
      return true;
    case u'Z':
      Hidden = true;
      return true;
    default:
      return true;
  }
}

void THtmlRenderer::CloseTag(const String& U, TLineState& L, bool Measure, bool FirstPass) {
  const Char Letter = U.size() > 2 ? U[2] : Char(0);
  const Char Next = U.size() > 3 ? U[3] : Char(0);
  TFont* F = C->Font();
  switch (Letter) {
    case u'A':
      if (Drawing(Measure) && AnchorStyled) {
        F->SetStyle(F->Style() >> fsUnderline);
        if (HoverBackColor != clNone) TextBg = AnchorSavedBg;
        if (HoverTextColor != clNone) F->SetColor(AnchorSavedColor);
        AnchorSavedBg = clNone;
      }
      if (!KeepColors) F->SetColor(BaseFont->Color());
      if (Drawing(Measure) && InFocusAnchor) {
        FinishFocusRect(L);
        InFocusAnchor = false;
        FocusRestart = false;
      }
      if (AnchorMarkedHit && !FirstPass) {
        const bool Started = AnchorStartLine == LineNo;
        const Integer Left = Started ? AnchorStartX : L.Rect.Left;
        const Integer Top = Started ? AnchorStartTop : L.Rect.Top;
        *HitAnchorRect = TRect(Left, Top, L.Rect.Left + L.Width, L.Rect.Bottom);
        *HitAnchorIndex = AnchorCounter;
        AnchorMarkedHit = false;
      }
      InAnchor = false;
      break;
    case u'B':
      if (U == u"</B>")
        F->SetStyle(F->Style() >> fsBold);
      else
        F->SetColor(BaseFont->Color());
      break;
    case u'E':
      if (Drawing(Measure)) ErrorMark = false;
      break;
    case u'F':
      F->SetName(BaseFont->Name());
      F->SetHeight(BaseFont->Height());
      if (Drawing(Measure) && !KeepColors) {
        F->SetColor(BaseFont->Color());
        TextBg = FontSavedBg;
        FontSavedBg = clNone;
      }
      break;
    case u'H':
      if (Drawing(Measure)) {
        F->SetColor(HiSavedColor);
        TextBg = HiSavedBg;
      }
      break;
    case u'I':
      F->SetStyle(F->Style() >> fsItalic);
      break;
    case u'L':
      L.Ended = true;
      break;
    case u'P':
      L.Ended = true;
      if (Drawing(Measure)) {
        TextBg = ParaSavedBg;
        ParaSavedBg = clNone;
        ParaBg = false;
      }
      break;
    case u'R':
      if (RotSaved) {
        F->Assign(RotSaved.get());
        RotSaved.reset();
      }
      break;
    case u'S':
      if (Next == u'U') {
        Sub = Sup = false;
      } else if (Next == u'H') {
        Shadow = false;
      } else {
        F->SetStyle(F->Style() >> fsStrikeOut);
      }
      break;
    case u'U':
      if (U == u"</U>" || ListLevel == 0)
        F->SetStyle(F->Style() >> fsUnderline);
      else
        --ListLevel;
      break;
    case u'Z':
      Hidden = false;
      break;
    default:
      break;
  }
}

void THtmlRenderer::FinishFocusRect(const TLineState& L) {
  TRect FR = FocusRect;
  FR.Right = L.X;
  FR.Bottom = L.Rect.Bottom - LineP;
  FR.Top = FR.Bottom - LineH0;
  InflateRect(FR, 1, 0);
  C->DrawFocusRect(FR);
}

bool THtmlRenderer::ListItem(TLineState& L, bool Measure) {
  if (L.ListItem) {
    // A second list item on one line opens the next line.
    L.NoRoom = true;
    return false;
  }
  L.ListItem = true;
  if (Drawing(Measure)) {
    // The bullet of the symbol font; on this system every face draws from the same font, so the
    // bullet is written as the bullet character itself.
    const String Bullet = ListLevel % 2 != 0 ? String(1, u'\u2022') : String(u"o");
    auto Saved = CopyFont(C->Font());
    C->Font()->SetName(u"Symbol");
    C->SetBkMode(TRANSPARENT);
    TRect B(L.X + (ListLevel - 1) * 12, L.Rect.Top, L.Rect.Right, L.Rect.Bottom);
    DrawText(C, Bullet, B, 0);
    C->Font()->Assign(Saved.get());
  }
  L.X += ListLevel * 12;
  L.Width += ListLevel * 12;
  L.TrailBlank = 0;
  return true;
}

TImageSource THtmlRenderer::Resolve(const String& Value, bool ListForms) {
  TImageSource S;
  const String UV = UpperCase(Value);
  if (StartsWithUpper(UV, u"IDX:")) {
    if (!ListForms) return S;
    const Integer N = StrToIntDef(Value.substr(4), -1);
    if (Images && N >= 0 && N < Images->Count()) S.ListIndex = N;
    return S;
  }
  if (StartsWithUpper(UV, u"SSYS:") || StartsWithUpper(UV, u"LSYS:")) {
    // This system has no shell image list: the icon is not found.
    return S;
  }
  if (Value.find(u':') == String::npos) {
    if (Container) S.Picture = Container->FindPicture(Value);
  } else if (Value.find(u"://") != String::npos && Cache) {
    THTMLPicture* P = Cache->FindPicture(Value);
    if (!P) {
      P = Cache->AddPicture();
      P->SetAsynch(false);
      try {
        P->LoadFromURL(Value);
      } catch (const Exception&) {
        // A picture that cannot be loaded stays empty and is not drawn.
      }
      P = Cache->FindPicture(Value);
    }
    S.Picture = P;
  }
  if (S.Picture && S.Picture->Empty()) S.Picture = nullptr;
  return S;
}

bool THtmlRenderer::Image(const String& T, const String& U, TLineState& L, bool Measure, bool FirstPass) {
  const Integer Index = ++ImageCounter;
  const Integer Ppi = C->PixelsPerInch();
  const Integer AttrW = MarkupCoord(LeadingInt(TagValue(U, U, u"WIDTH"), 0));
  const Integer AttrH = MarkupCoord(LeadingInt(TagValue(U, U, u"HEIGHT"), 0));
  // Picture sources keep the case they were written in: file paths depend on it here.
  const String Src = TagValue(T, U, u"SRC");
  const String Alt = TagValue(T, U, u"ALT");

  // The size an image takes (ElemW x ElemH) and the size it is drawn at (DrawW x DrawH).
  struct TPlaced {
    TImageSource Source;
    Integer ElemW = 0, ElemH = 0, DrawW = 0, DrawH = 0;
  };
  auto Place = [&](const String& Value) {
    TPlaced P;
    P.Source = Resolve(Value, true);
    if (P.Source.ListIndex >= 0) {
      P.ElemW = P.DrawW = MulDiv(Images->Width(), Ppi, 96);
      P.ElemH = P.DrawH = MulDiv(Images->Height(), Ppi, 96);
    } else if (THTMLPicture* Pic = P.Source.Picture) {
      const Integer PW = Pic->Width(), PH = Pic->Height();
      if (AttrW > 0 && AttrH > 0) {
        P.DrawW = AttrW;
        P.DrawH = AttrH;
      } else if (AttrW > 0) {
        P.DrawW = AttrW;
        P.DrawH = PW > 0 ? static_cast<Integer>(Round(static_cast<double>(PH) * AttrW / PW)) : 0;
      } else if (AttrH > 0) {
        P.DrawH = AttrH;
        P.DrawW = PH > 0 ? static_cast<Integer>(Round(static_cast<double>(PW) * AttrH / PH)) : 0;
      } else {
        P.DrawW = PW;
        P.DrawH = PH;
      }
      P.DrawW = MarkupCoord(P.DrawW);
      P.DrawH = MarkupCoord(P.DrawH);
      const bool Sized = AttrW > 0 || AttrH > 0;
      P.ElemW = MulDiv(Sized ? P.DrawW : Pic->MaxWidth(), Ppi, 96);
      P.ElemH = MulDiv(Sized ? P.DrawH : Pic->MaxHeight(), Ppi, 96);
    }
    return P;
  };

  const bool UseAlt = Index == HoveredImage && !Alt.empty();
  TPlaced P = Place(UseAlt ? Alt : Src);
  if (!P.Source.Found()) return true;  // takes no room and draws nothing

  const Integer Top = L.Rect.Top;
  if (!FirstPass && InAnchor) {
    const Integer Off = HitOffset(L);
    if (Off > L.Width && Off < L.Width + P.ElemW && HitY > Top && HitY < Top + P.ElemH) {
      L.CtrlHit = true;
      *HitAnchor = Href;
      *HitAnchorTitle = Title;
      if (HoveredImage != Index) {
        HoveredImage = Index;
        // The image under the point shows its second look from now on.
        if (!Alt.empty() && Drawing(Measure)) {
          const Integer ElemW = P.ElemW, ElemH = P.ElemH;
          TPlaced A = Place(Alt);
          if (A.Source.Found()) {
            P = A;
            P.ElemW = ElemW;
            P.ElemH = ElemH;
          }
        }
      }
    }
  }

  const Integer RectW = L.Rect.Width();
  if (FirstPass && RectW < L.Width + P.ElemW && P.ElemW < RectW) {
    L.NoRoom = true;
    return false;
  }

  if (Drawing(Measure)) {
    const Integer X = Rtl ? L.X - P.ElemW : L.X;
    if (P.Source.ListIndex >= 0) {
      if (ScaleImages) {
        TBitmap B;
        Images->GetBitmap(P.Source.ListIndex, &B);
        C->StretchDraw(Bounds(X, Top, static_cast<Integer>(Round(B.Width() * ImageScale)),
                              static_cast<Integer>(Round(B.Height() * ImageScale))),
                       &B);
      } else {
        Images->Draw(C, X, Top, P.Source.ListIndex, true);
      }
    } else {
      THTMLPicture* Pic = P.Source.Picture;
      if (AttrW > 0 || AttrH > 0) {
        Pic->SetStretch(true);
        Pic->Draw(C, Bounds(X, Top, P.DrawW, P.DrawH));
      } else {
        if (Pic->FrameCount() > 1) FillRect(Bounds(X, Top, Pic->MaxWidth(), Pic->MaxHeight()), BaseBg);
        Pic->Draw(C, Bounds(X + Pic->FrameXPos(), Top + Pic->FrameYPos(), P.DrawW, P.DrawH));
      }
    }
  }

  L.X += Rtl ? -P.ElemW : P.ElemW;
  L.Width += P.ElemW;
  L.TrailBlank = 0;
  if (LineS < P.ElemH) LineS = P.ElemH;

  const String AlignV = TagValue(U, U, u"ALIGN");
  if (!AlignV.empty()) {
    const Integer Gh = C->TextHeight(u"gh");
    if (StartsWithUpper(AlignV, u"TOP"))
      LineP = LineS - Gh;
    else if (StartsWithUpper(AlignV, u"MIDDLE"))
      LineP = (LineS - Gh) / 2;
  }
  return true;
}

bool THtmlRenderer::Control(const String& T, TLineState& L, bool Measure, bool FirstPass) {
  const THtmlControl Ctl = ParseHtmlControl(T);
  if (Ctl.CWidth.empty()) return true;  // no width: the tag is ignored
  const String& Type = Ctl.CType;
  const bool Box = Type == u"CHECK" || Type == u"RADIO";
  const Integer Gh = C->TextHeight(u"gh");
  const Integer Height = MarkupCoord(StrToIntDef(Ctl.CHeight, 25));
  const Integer W = Box ? 16 : MarkupCoord(LeadingInt(Ctl.CWidth, 0));
  Integer H = Gh + 10;
  if (Type == u"COMBO" || Type == u"BUTTON") H = 25;
  if (Box) H = 16;

  Integer LineHeight = Box ? 16 : 23;
  if (Height > 25) LineHeight = Height - 2;
  if (LineS < LineHeight) LineS = LineHeight;

  const Integer Top = L.Rect.Top;
  if (!FirstPass) {
    const Integer Off = HitOffset(L);
    const bool Under = Off > L.Width && Off < L.Width + W && HitY > Top && HitY < Top + H;
    const bool Named = HitTestOnly && !HitControlIDIn.empty() && Ctl.CID == HitControlIDIn;
    if (Under || Named) {
      L.CtrlHit = true;
      *HitAnchor = u"ctrl";
      *HitControlRect = Bounds(L.Rect.Left + L.Width, Top, W, H);
      *HitControlValue = Ctl.CValue;
      *HitControlID = Ctl.CID;
      *HitControlType = Type;
    }
  }

  const Integer RectW = L.Rect.Width();
  if (FirstPass && RectW < L.Width + W && W < RectW) {
    L.NoRoom = true;
    return false;
  }

  if (Drawing(Measure)) {
    const Integer x = Rtl ? L.X - W : L.X;
    const Integer b = L.Rect.Bottom;
    const Integer s = LineS;
    auto Hot = [&](Integer h) { return HitX > x - 2 && HitX < x + W - 2 && HitY > b - h - 2 && HitY < b - 2; };
    auto WhiteBox = [&] {
      C->Pen()->SetColor(Themed ? kThemedControlBorder : kControlBorder);
      C->Pen()->SetWidth(1);
      C->Pen()->SetStyle(psSolid);
      C->Brush()->SetColor(clWhite);
      C->Brush()->SetStyle(bsSolid);
      C->Rectangle(x, b - s + 4, x + W, b + 2);
    };
    auto Value = [&](const String& Text, TRect Where, Cardinal Extra) {
      C->SetBkMode(TRANSPARENT);
      DrawText(C, Text, Where, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | Extra);
    };
    const bool Checked = UpperCase(Ctl.CValue) == u"TRUE";
    if (Type == u"EDIT" || Type == u"MASK") {
      WhiteBox();
      Value(Ctl.CValue, TRect(x + 2, b - s + 4, x + W, b), 0);
    } else if (Type == u"PASSWORD") {
      WhiteBox();
      Value(PasswordMask(Ctl.CValue), TRect(x + 2, b - s + 4, x + W, b), 0);
    } else if (Type == u"COMBO") {
      WhiteBox();
      Value(Ctl.CValue, TRect(x + 4, b - s + 4, x + W - 18, b), 0);
      TRect Btn(x + W - 18, b - s + 5, x + W - 1, b + 1);
      if (!ThemedPart(u"combobox", 1, Hot(Gh + 10) ? 2 : 1, Btn))
        DrawFrameControl(C, Btn, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else if (Type == u"CHECK") {
      TRect Bx(x + 2, b - 15, x + 15, b);
      if (!ThemedPart(u"button", 3, Checked ? 5 : 1, Bx))
        DrawFrameControl(C, Bx, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (Checked ? DFCS_CHECKED : 0));
    } else if (Type == u"RADIO") {
      TRect Bx(x + 2, b - 14, x + 14, b);
      if (!ThemedPart(u"button", 2, Checked ? 5 : 1, Bx))
        DrawFrameControl(C, Bx, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (Checked ? DFCS_CHECKED : 0));
    } else if (Type == u"BUTTON") {
      TRect Bx(x + 2, b - Height, x + W - 2, b);
      // Pressed only under the point, as in the classic look: the button held is the one there.
      const Integer State = Hot(24) ? (ControlDown ? 3 : 2) : 1;
      if (!ThemedPart(u"button", 1, State, Bx))
        DrawFrameControl(C, Bx, DFC_BUTTON, DFCS_BUTTONPUSH | (Hot(24) && ControlDown ? DFCS_PUSHED : 0));
      TRect Caption(x + 2, b - Height, x + W - 2, b);
      InflateRect(Caption, -2, -2);
      Value(Ctl.CValue, Caption, DT_CENTER);
    }
  }

  L.X += Rtl ? -W : W;
  L.Width += W;
  L.TrailBlank = 0;
  if (LineS < H) LineS = H;
  return true;
}

void THtmlRenderer::Body(const String& T, const String& U) {
  if (U.find(u"BGCOLOR") != String::npos) {
    TColor Color;
    if (BackgroundColor(TagValue(U, U, u"BGCOLOR"), Color)) {
      TextBg = Color;
      FillRect(R, Color);
    }
  }
  if (U.find(u"BACKGROUND") != String::npos) {
    const TImageSource S = Resolve(TagValue(T, U, u"BACKGROUND"), false);
    THTMLPicture* Pic = S.Picture;
    if (!Pic || Pic->Width() <= 0 || Pic->Height() <= 0) return;
    const Integer Level = C->SaveDC();
    C->IntersectClipRect(R);
    for (Integer Y = R.Top; Y < R.Bottom; Y += Pic->Height())
      for (Integer X = R.Left; X < R.Right; X += Pic->Width()) Pic->Draw(C, Bounds(X, Y, Pic->Width(), Pic->Height()));
    C->RestoreDC(Level);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

bool SysLocaleRightToLeft() {
  static const bool Rtl = [] {
    const char* Names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* N : Names) {
      const char* V = std::getenv(N);
      if (!V || !*V) continue;
      const std::string L(V);
      for (const char* Code : {"ar", "he", "iw", "fa", "ur", "yi", "ps", "sd", "ug", "dv"}) {
        const std::string C(Code);
        if (L.compare(0, C.size(), C) == 0 && (L.size() == C.size() || L[C.size()] == '_' || L[C.size()] == '.'))
          return true;
      }
      return false;
    }
    return false;
  }();
  return Rtl;
}

Cardinal BiDiDrawFlags(Cardinal Flags, Integer BiDiMode, bool RightToLeftLocale) {
  if (!RightToLeftLocale) return Flags;
  if (BiDiMode == bdHtmlRightToLeft) {
    if (Flags & DT_RIGHT)
      Flags &= ~DT_RIGHT;
    else if (!(Flags & DT_CENTER))
      Flags |= DT_RIGHT;
  }
  if (BiDiMode != bdHtmlLeftToRight) Flags |= DT_RTLREADING;
  return Flags;
}

Cardinal BiDiDrawFlags(Cardinal Flags, Integer BiDiMode) {
  return BiDiDrawFlags(Flags, BiDiMode, SysLocaleRightToLeft());
}

bool DrawHtmlText(TCanvas* Canvas, const String& Text, const TRect& Rect, TImageList* Images, Integer HitX,
                  Integer HitY, Integer FocusAnchorIndex, Integer HoverAnchorIndex, Integer ShadowOffset,
                  bool HitTestOnly, bool MeasureOnly, bool ScaleImages, bool KeepColors, bool BlinkVisible,
                  bool UnderlineHoverOnly, bool WordWrap, bool ControlDown, double ImageScale, TColor URLColor,
                  TColor HoverBackColor, TColor HoverTextColor, TColor ShadowColor, String& HitAnchor,
                  String& PlainText, String& FocusedAnchor, String& HitAnchorTitle, Integer& MaxLineWidth,
                  Integer& TotalHeight, Integer& AnchorCount, Integer& HitAnchorIndex, TRect& HitAnchorRect,
                  TRect& HitControlRect, String& HitControlID, String& HitControlValue, String& HitControlType,
                  THTMLPictureCache* PictureCache, TPictureContainer* Container, HWND WindowHandle,
                  Integer BiDiMode) {
  HitControlRect = TRect(0, 0, 0, 0);
  const String HitControlIDIn = HitControlID;
  if (!HitTestOnly) HitControlID.clear();
  HitControlValue.clear();
  HitControlType.clear();
  PlainText.clear();
  FocusedAnchor.clear();
  HitAnchorTitle.clear();
  MaxLineWidth = 0;
  TotalHeight = 0;
  AnchorCount = 0;
  HitAnchorIndex = -1;
  if (!Canvas) return false;

  // What the renderer changes on the canvas, given back at the end.
  const TColor PenColor = Canvas->Pen()->Color();
  const Integer PenWidth = Canvas->Pen()->Width();
  const TPenStyle PenStyle = Canvas->Pen()->Style();
  TBrush Brush;
  Brush.Assign(Canvas->Brush());
  TFont Font;
  Font.Assign(Canvas->Font());
  const Integer BkMode = Canvas->BkMode();
  const TColor BkColor = Canvas->BkColor();

  THtmlRenderer H;
  H.C = Canvas;
  H.R = Rect;
  H.Images = Images;
  H.HitX = HitX;
  H.HitY = HitY;
  H.FocusAnchorIndex = FocusAnchorIndex;
  H.HoverAnchorIndex = HoverAnchorIndex;
  H.ShadowOffset = ShadowOffset;
  H.HitTestOnly = HitTestOnly;
  H.MeasureOnly = MeasureOnly;
  H.ScaleImages = ScaleImages;
  H.KeepColors = KeepColors;
  H.BlinkVisible = BlinkVisible;
  H.UnderlineHoverOnly = UnderlineHoverOnly;
  H.WordWrap = WordWrap;
  H.ControlDown = ControlDown;
  H.ImageScale = ImageScale;
  H.URLColor = URLColor;
  H.HoverBackColor = HoverBackColor;
  H.HoverTextColor = HoverTextColor;
  H.ShadowColor = ShadowColor;
  H.Cache = PictureCache;
  H.Container = Container;
  H.HitControlIDIn = HitControlIDIn;
  H.WindowHandle = WindowHandle;
  // Decided once per call: visual styles count only on a system version that has them.
  H.Themed = IsWinXPOrLater() && ThemeApi.IsThemeActive() != 0;
  H.Flags = BiDiDrawFlags(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING, BiDiMode);
  if (!WordWrap) H.Flags |= DT_END_ELLIPSIS;
  H.Rtl = (H.Flags & DT_RTLREADING) != 0;
  H.HitAnchor = &HitAnchor;
  H.PlainText = &PlainText;
  H.FocusedAnchor = &FocusedAnchor;
  H.HitAnchorTitle = &HitAnchorTitle;
  H.MaxLineWidth = &MaxLineWidth;
  H.HitAnchorIndex = &HitAnchorIndex;
  H.HitAnchorRect = &HitAnchorRect;
  H.HitControlRect = &HitControlRect;
  H.HitControlID = &HitControlID;
  H.HitControlValue = &HitControlValue;
  H.HitControlType = &HitControlType;

  const bool Result = H.Run(Text, TotalHeight, AnchorCount);

  Canvas->Pen()->SetColor(PenColor);
  Canvas->Pen()->SetWidth(PenWidth);
  Canvas->Pen()->SetStyle(PenStyle);
  Canvas->Brush()->Assign(&Brush);
  Canvas->Font()->Assign(&Font);
  Canvas->SetBkMode(BkMode);
  Canvas->SetBkColor(BkColor);
  return Result;
}
