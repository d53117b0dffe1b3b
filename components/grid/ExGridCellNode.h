// The look of the string grid's node rows (the grid's CellNode): the kind and colours of the
// expand / contract glyph, the indent per nesting level and the tree lines. The node rows
// themselves are kept by the grid (ExGrid.h, the row node operations).
#pragma once

#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;

class TCellNode : public TPersistent {
 public:
  // The kind of node glyph. It belongs to the node look: the XML DOM has a node type of the same
  // name.
  enum TNodeType : Byte { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

  // The grid is repainted by the setters; it may be nullptr for a free-standing copy.
  explicit TCellNode(TExStringGrid* AOwner);
  ~TCellNode() override;
  String ClassName() const override { return u"TCellNode"; }

  // Copies all ten settings of another TCellNode, the glyphs by copy; any other source is ignored.
  void Assign(TPersistent* Source) override;

  TExStringGrid* Owner() const { return FOwner; }

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // Expanding a node contracts every other expanded node first.
  bool ExpandOne() const { return FExpandOne; }
  void SetExpandOne(bool Value) { FExpandOne = Value; }
  // The setters of NodeType, NodeIndent, ShowTree, ShowTreeFull and TreeColor repaint the grid when
  // the value changes.
  TNodeType NodeType() const { return FNodeType; }
  void SetNodeType(TNodeType Value);
  TColor NodeColor() const { return FNodeColor; }
  void SetNodeColor(TColor Value) { FNodeColor = Value; }
  // Pixels of indent per nesting level.
  Integer NodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(Integer Value);
  // The glyphs of cnGlyph; the setters copy the bitmap (nullptr empties it) and do not repaint.
  TBitmap* ExpandGlyph() const { return FExpandGlyph; }
  void SetExpandGlyph(const TBitmap* Value);
  TBitmap* ContractGlyph() const { return FContractGlyph; }
  void SetContractGlyph(const TBitmap* Value);
  bool ShowTree() const { return FShowTree; }
  void SetShowTree(bool Value);
  bool ShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool Value);
  TColor TreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor Value);

 private:
  void Repaint();

  TColor FColor = 0x00C0C0C0;
  TNodeType FNodeType = cnXP;
  TColor FNodeColor = 0;
  TBitmap* FExpandGlyph;
  bool FExpandOne = false;
  TBitmap* FContractGlyph;
  TExStringGrid* FOwner;
  bool FShowTree = true;
  bool FShowTreeFull = true;
  Integer FNodeIndent = 12;
  TColor FTreeColor = 0x00808080;
};
