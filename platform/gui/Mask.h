// Edits with an input mask: TCustomMaskEdit and TMaskEdit, and the rules of edit masks.
//
// An edit mask has up to three fields separated by ";": the mask, whether the literals are part of
// Text ("0": no, anything else or nothing: yes) and the blank character that stands for an
// unfilled position (default "_"). "!99:99;1;_" is a mask with its two other fields.
//
// Mask characters, each one position of the text unless noted:
//   0  a digit, required            9  a digit, optional
//   #  a digit or a sign (+ -), optional
//   L  a letter, required           l  a letter, optional
//   A  a letter or digit, required  a  a letter or digit, optional
//   C  any character, required      c  any character, optional
//   >  letters from here on are upper case   <  lower case   <>  as typed (no position)
//   \  the next character is a literal
//   :  the time separator and  /  the date separator of the format settings (literals)
//   _  a blank literal
//   !  (no position) a text set in code with fewer characters than the mask fills it from the
//      right, leaving the optional positions blank at the start
//   anything else: a literal.
//
// EditText is what the edit shows: every position, the literals and the blank character
// included. Text holds the filled positions with a blank for each unfilled one, and the literals
// when the mask saves them. The user types over the positions (literals are skipped; a typed
// literal moves past its place), Backspace and Delete blank positions without moving the rest,
// and a character a position does not take is refused with a beep. On leaving a modified edit
// whose required positions are not all filled, EDBEditError is raised with the caret put on the
// first missing position; Esc abandons the changes since the edit was entered.
//
// Without a mask the edit behaves as a plain TCustomEdit.
#pragma once

#include <vector>

#include "platform/gui/StdCtrls.h"

// The error of a masked edit left with required positions unfilled.
KP_DECLARE_EXCEPTION(EDBEditError, Exception)

constexpr Char DefaultBlank = u'_';
constexpr Char MaskFieldSeparator = u';';
constexpr Char MaskNoSave = u'0';

// The positions of an edit mask and what each one takes. Needs no window.
class TEditMaskRules {
 public:
  TEditMaskRules() = default;
  explicit TEditMaskRules(const String& EditMask);

  bool Empty() const { return FPositions.empty(); }
  // The number of positions, the length of EditText.
  Integer Length() const { return static_cast<Integer>(FPositions.size()); }
  Char Blank() const { return FBlank; }
  bool SaveLiterals() const { return FSaveLiterals; }
  bool LeadingBlanks() const { return FLeadingBlanks; }

  bool IsLiteral(Integer Pos) const;
  // The literal at Pos (#0 at an input position).
  Char Literal(Integer Pos) const;
  bool Required(Integer Pos) const;
  // Ch as it stands at input position Pos once taken (case changed as the mask says), or #0 when
  // Pos does not take it. A blank is taken by the optional positions.
  Char Accept(Integer Pos, Char Ch) const;
  // The first input position at or after Pos (Length() when none) and the last one before Pos
  // (-1 when none).
  Integer NextInput(Integer Pos) const;
  Integer PrevInput(Integer Pos) const;

  // EditText with every position unfilled.
  String EmptyEditText() const;
  // EditText for a text: its characters go to the positions in order (from the end with "!" and
  // a shorter text); a character equal to the literal of a literal position is taken as that
  // literal; a blank or the blank character leaves an input position unfilled.
  String EditTextOf(const String& Text) const;
  // Text for an EditText: blanks as spaces, the literals only when the mask saves them.
  String TextOf(const String& EditText) const;
  // The first required position EditText leaves unfilled, -1 when none.
  Integer FirstMissing(const String& EditText) const;

 private:
  enum TKind : Byte { mkLiteral, mkDigit, mkDigitSign, mkLetter, mkAlphaNum, mkAny };
  enum TCase : Byte { mcAsTyped, mcUpper, mcLower };
  struct TPosition {
    TKind Kind = mkLiteral;
    bool Required = false;
    TCase Case = mcAsTyped;
    Char Literal = 0;
  };
  bool IsBlank(Char C) const { return C == FBlank || C == u' '; }
  std::vector<TPosition> FPositions;
  Char FBlank = DefaultBlank;
  bool FSaveLiterals = true;
  bool FLeadingBlanks = false;
};

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  String ClassName() const override { return u"TCustomMaskEdit"; }

  const String& EditMask() const { return FEditMask; }
  // Sets the mask; the text is laid out in it (Text stays what it was where the mask takes it).
  // An empty mask makes a plain edit that keeps the Text.
  void SetEditMask(const String& Value);
  bool IsMasked() const { return !FRules.Empty(); }
  const TEditMaskRules& MaskRules() const { return FRules; }
  // The text as the edit shows it; set, it is laid out in the mask as a Text would be.
  String EditText() const;
  void SetEditText(const String& Value);
  // Raises EDBEditError when a required position is unfilled (see ValidateError).
  virtual void ValidateEdit();
  // Abandons the changes made since the edit was entered.
  void Reset();

  // Esc in a modified masked edit abandons the changes (Reset) and goes no further.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Dispatch(TMessage& M) override;

 protected:
  String GetText() const override;
  void SetTextImpl(const String& v) override;
  void WMChar(TMessage& M) override;
  void WMKeyDown(TMessage& M) override;
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  // A masked edit holds every position of its mask, whatever MaxLength says.
  Integer EditorMaxLength() const override;
  // The check failed at Pos: the focus and the caret go there, then EDBEditError is raised.
  virtual void ValidateError(Integer Pos);
  // The height of the edit's font: its text cell with the internal leading, as a device context
  // with that font selected reports it.
  Integer FontCellHeight() const;
  // The same for the system font of a screen device context.
  static Integer SystemFontCellHeight();

 private:
  // Shows a new EditText with the caret at Caret, as the user's change (modified, OnChange).
  void ApplyUserEdit(const String& NewEditText, Integer Caret);
  // Puts an EditText into the editor as a change made in code.
  void SetEditTextRaw(const String& Value);
  // EditText with the input positions of [Start, Start + Length) unfilled.
  String BlankedRange(const String& Text, Integer Start, Integer Length) const;
  // Enters one character at the caret; false when the position does not take it.
  bool EnterChar(String& Text, Integer& Caret, Char Ch) const;

  String FEditMask;
  TEditMaskRules FRules;
  String FOldValue;  // EditText when the edit was entered (Esc brings it back)
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
  String ClassName() const override { return u"TMaskEdit"; }
};
