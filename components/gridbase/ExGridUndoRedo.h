// The undo / redo component of a grid: a linear history of cell text changes that it steps back
// and forth through. The grid reports each change it makes (RegisterChange), and brackets changes
// of many cells at once with StartSequence and StopSequence, which are then undone and redone as
// one step.
#pragma once

#include <memory>
#include <vector>

#include "components/gridbase/ExGridTypes.h"
#include "platform/gui/Component.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TBaseGrid;
class TGridRowMark;

// One change of a cell's text, or a sequence marker (Col and Row -1, texts empty).
class TUndoRedoItem : public TCollectionItem {
 public:
  explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
  String ClassName() const override { return u"TUndoRedoItem"; }

  Integer Row() const { return FRow; }
  void SetRow(Integer Value) { FRow = Value; }
  Integer Col() const { return FCol; }
  void SetCol(Integer Value) { FCol = Value; }
  // The text after the change.
  const String& Value() const { return FValue; }
  void SetValue(const String& Value) { FValue = Value; }
  // The text before the change.
  const String& OrigValue() const { return FOrigValue; }
  void SetOrigValue(const String& Value) { FOrigValue = Value; }
  bool SequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool Value) { FSequenceStart = Value; }
  bool SequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool Value) { FSequenceStop = Value; }
  // The mark on the changed cell's row, by which the row is found again after rows moved; none for
  // a change registered without a grid (its Row is then used as it stands).
  const std::shared_ptr<TGridRowMark>& RowMark() const { return FRowMark; }
  void SetRowMark(std::shared_ptr<TGridRowMark> Value) { FRowMark = std::move(Value); }

 private:
  Integer FRow = 0;
  Integer FCol = 0;
  String FValue;
  String FOrigValue;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
  std::shared_ptr<TGridRowMark> FRowMark;
};

class TUndoRedoCollection : public TCollection {
 public:
  TUndoRedoCollection();
  String ClassName() const override { return u"TUndoRedoCollection"; }
  TUndoRedoItem* Items(Integer Index) const { return static_cast<TUndoRedoItem*>(GetItem(Index)); }
  TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
};

class TExGridUndoRedo : public TComponent {
 public:
  explicit TExGridUndoRedo(TComponent* AOwner);
  ~TExGridUndoRedo() override;
  String ClassName() const override { return u"TExGridUndoRedo"; }

  // The history, oldest first: items [0, Level) can be undone, items [Level, Count) redone.
  TUndoRedoCollection* Items() const { return FItems.get(); }
  TBaseGrid* Grid() const { return FGrid; }
  // Set by the grid's UndoRedo setter; forgotten when that grid goes away.
  void SetGrid(TBaseGrid* Value);
  Integer Level() const { return FLevel; }
  // The most change items kept; 0 = no limit.
  Integer MaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(Integer Value) { FMaxLevel = Value; }

  // Fired for every cell an undo (a redo) writes, with the cell's text now and the text written.
  TExGridUndoRedoEvent OnUndo;
  TExGridUndoRedoEvent OnRedo;

  // Appends a change of (ACol, ARow) from OldValue to NewValue. Changes that were undone and not
  // redone are discarded first: a new change starts a new line of history. The oldest change goes
  // when MaxLevel items are held.
  virtual void RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue);
  // Bracket changes that undo and redo as one step.
  virtual void StartSequence();
  virtual void StopSequence();

  // Undoes the change or sequence before Level, newest first, moving the grid's current cell to
  // each changed cell. A sequence bracketed inside a sequence is part of the outer step. A change
  // follows its row: rows inserted, removed, sorted, moved or filtered since leave it writing into
  // the row it was made in, wherever that row stands now. A change whose row is gone (removed, or
  // hidden at the moment) or whose cell is no longer inside the grid is stepped over without
  // writing anything, for undo and redo alike, so the history keeps moving.
  void Undo();
  // Redoes the change or sequence at Level, oldest first; a sequence never closed redoes to the
  // end of the history.
  void Redo();
  // Empties the history.
  void Reset();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->Count(); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // Drops the items from Level on (changes undone and not redone).
  void DropRedoItems();
  // Writes Text into the item's cell, firing Event first, and makes it the current cell; false
  // (nothing written) for a marker or a cell outside the grid.
  bool WriteItem(const TUndoRedoItem* X, const String& Text, const TExGridUndoRedoEvent& Event);
  // Puts each item's Row where its row stands now (-1 for a row that is gone).
  void FindRows(const std::vector<TUndoRedoItem*>& Items);
  bool UndoItem(const TUndoRedoItem* X) { return WriteItem(X, X->OrigValue(), OnUndo); }
  bool RedoItem(const TUndoRedoItem* X) { return WriteItem(X, X->Value(), OnRedo); }
  static bool IsMarker(const TUndoRedoItem* X) { return X->SequenceStart() || X->SequenceStop(); }

  std::unique_ptr<TUndoRedoCollection> FItems;
  TBaseGrid* FGrid = nullptr;
  Integer FLevel = 0;
  Integer FMaxLevel = 0;
};
