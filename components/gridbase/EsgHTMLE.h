// Mini-HTML: the small HTML-like markup of cell texts, hints, captions and drop-down items.
//
// A text alternates plain text and tags; a tag runs from "<" to the next ">" and is recognised by
// its first letter (and, for some letters, the one after it). DrawHtmlText lays such a text out in
// a rectangle and, in one call, measures it, draws it and finds what lies under a point. The other
// routines work on markup texts without drawing them: escaping, stripping, search marking and the
// values of embedded controls (<CONTROL ...> tags).
//
// Colours are 0x00BBGGRR; clNone (0x1FFFFFFF) means none; 0xFF0000nn is system colour nn.
#pragma once

#include "components/gridbase/PictureContainer.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/rtl/System.h"

// ---------------------------------------------------------------------------------------------
// Colours of the markup

// The colours of the highlight tag <HI> for every later rendering (at start clHighlight and
// clHighlightText).
void SetHtmlHighlightColors(TColor BkColor, TColor TextColor);
void GetHtmlHighlightColors(TColor& BkColor, TColor& TextColor);
// The colour of a lower-case colour name ("clred", "clbtnface", ...); black for an unknown name.
TColor HtmlColorByName(const String& Name);
// The colour of "#RRGGBB" (upper-case hexadecimal digits).
TColor HtmlHexColor(const String& Text);

// The text as the renderer lays it out: entities replaced ("&amp;" becomes "&&", the prefix
// form of "&"), "<#" loses its "<" and the ">" after it, carriage returns become "<BR>" and line
// feeds go.
String PrepareHtmlText(const String& Text);

// ---------------------------------------------------------------------------------------------
// Text routines

// "&lt;", "&gt;", "&amp;" and "&quot;" back to their characters; Extended adds the named
// entities of accented letters and a few symbols (é è ... © ® € « »). Each entity is decoded
// once, from the left, so HtmlUnescape(HtmlEscape(S)) is S for every text.
String HtmlUnescape(const String& S, bool Extended);
// "&", '"', "<" and ">" as entities; Extended adds the named entities.
String HtmlEscape(const String& S, bool Extended);
// Every blank as "&nbsp;".
String SpacesToNbsp(const String& S);
// The plain text: <BR> and <HR> (any case) become CR LF, other tags go; a "<" without ">" after
// it stays with the rest of the text.
String StripHtml(const String& S);
// S with every occurrence of Search in its visible text wrapped in "<Tag>" and "</Tag>".
String MarkTextInHtml(const String& S, const String& Search, const String& Tag, bool DoCase);
// S without the tags "<Tag>" and "</Tag>" (any case), "&lt;" and "&gt;" turned back.
String UnmarkTextInHtml(const String& S, const String& Tag);

// The visible text of S for search marking: from the start, each "<" ... ">" is left out as long as
// a ">" follows the next "<"; from the first "<" without one (or a ">" before it) the rest is kept.
String HtmlVisibleText(const String& S);
// The 1-based position in S where the N-th visible character's run begins, in front of the tags
// that precede it; one past the last visible character gives Length(S) + 1.
Integer VisibleToHtmlIndex(const String& S, Integer N);
// The 1-based position of the first occurrence of Search in Visible at or after Offset (1-based),
// 0 when none; without DoCase both texts are compared upper-cased.
Integer FindVisibleText(const String& Visible, const String& Search, Integer Offset, bool DoCase);
// Replaces the first occurrence of Old (any ASCII case) in S by New; false when there is none.
bool ReplaceFirst(const String& Old, const String& New, String& S);

// The attributes of one <CONTROL ...> tag, each the text between the first two double quotes
// after its name (empty when missing). CType is upper-cased; CValue and CProp are unescaped.
struct THtmlControl {
  String CType;
  String CWidth;
  String CHeight;
  String CID;
  String CValue;
  String CProp;
  String CMaxLen;
};
THtmlControl ParseHtmlControl(const String& Tag);

// True when S holds "<CONTROL" (any case).
bool HasHtmlControl(const String& S);
// The ID of the first editable control (type not BUTTON, CHECK or RADIO) after the control with
// ID (the first one when ID is empty); empty when there is none.
String NextHtmlControlID(const String& S, const String& ID);
// S with the value of every RADIO control set to "FALSE".
String ClearHtmlRadios(const String& S);
// True and the VALUE of the first control whose ID equals ID; false and Value untouched otherwise.
bool GetHtmlControlValue(const String& S, const String& ID, String& Value);
String GetHtmlControlProp(const String& S, const String& ID);
// The leading integer of the control's MAXLEN, 0 when the control or the attribute is missing.
Integer GetHtmlControlMaxLen(const String& S, const String& ID);
// Rewrites the tag of the control with ID with the new value; false (S unchanged) when there is no
// such control.
bool SetHtmlControlValue(String& S, const String& ID, const String& Value);

// One "*" per character.
String PasswordMask(const String& S);

// ---------------------------------------------------------------------------------------------
// Rendering

// Bidirectional modes of the calling control.
constexpr Integer bdHtmlLeftToRight = 0;
constexpr Integer bdHtmlRightToLeft = 1;
constexpr Integer bdHtmlRightToLeftNoAlign = 2;
constexpr Integer bdHtmlRightToLeftReadingOnly = 3;

// The text-drawing flags for a control's BiDiMode. Only on a right-to-left system locale does it
// change anything: right-to-left mirrors the alignment, and every mode but left-to-right adds
// right-to-left reading. The two-argument form asks the system's locale.
Cardinal BiDiDrawFlags(Cardinal Flags, Integer BiDiMode, bool RightToLeftLocale);
Cardinal BiDiDrawFlags(Cardinal Flags, Integer BiDiMode);
// True when the user's locale (LC_ALL, LC_MESSAGES, LANG) is one written right to left.
bool SysLocaleRightToLeft();

// Lays out Text in Rect (lines start 1 pixel right of its left edge) and, depending on the modes,
// measures it (MeasureOnly), hit-tests it without painting (HitTestOnly) or draws it; it returns
// true when the point (HitX, HitY) lies on an anchor, on an image inside an anchor or on an
// embedded control. The canvas's pen, brush, text background and font are given back at the end.
//
// The out parameters: HitAnchor (HREF under the point, "ctrl" for a control; written only on a
// hit), PlainText (visible text, CR for each <BR>), FocusedAnchor (HREF of the focused anchor),
// HitAnchorTitle, MaxLineWidth, TotalHeight, AnchorCount, HitAnchorIndex (1-based, -1 none),
// HitAnchorRect (written only on a hit), HitControlRect ((0, 0, 0, 0) none), HitControlID (an
// input too with HitTestOnly: that control counts as hit wherever the point is), HitControlValue,
// HitControlType. Pictures of "://" sources are loaded once into PictureCache.
bool DrawHtmlText(TCanvas* Canvas, const String& Text, const TRect& Rect, TImageList* Images, Integer HitX,
                  Integer HitY, Integer FocusAnchorIndex, Integer HoverAnchorIndex, Integer ShadowOffset,
                  bool HitTestOnly, bool MeasureOnly, bool ScaleImages, bool KeepColors, bool BlinkVisible,
                  bool UnderlineHoverOnly, bool WordWrap, bool ControlDown, double ImageScale, TColor URLColor,
                  TColor HoverBackColor, TColor HoverTextColor, TColor ShadowColor, String& HitAnchor,
                  String& PlainText, String& FocusedAnchor, String& HitAnchorTitle, Integer& MaxLineWidth,
                  Integer& TotalHeight, Integer& AnchorCount, Integer& HitAnchorIndex, TRect& HitAnchorRect,
                  TRect& HitControlRect, String& HitControlID, String& HitControlValue, String& HitControlType,
                  THTMLPictureCache* PictureCache, TPictureContainer* Container, HWND WindowHandle,
                  Integer BiDiMode);
