// The cell graphic model: the fields by kind, the setters, ownership and picture fitting.
#include "components/grid/ExGridGraphics.h"

#include "components/gridbase/ExObj.h"

TCellGraphic::~TCellGraphic() { FreeOwnedObject(); }

void TCellGraphic::FreeOwnedObject() {
  switch (FCellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      if (FCellCreated) {
        delete FCellBitmap;
        FCellBitmap = nullptr;
        FCellCreated = false;
      }
      break;
    case ctIcon:
      if (FCellCreated) {
        delete FCellIcon;
        FCellIcon = nullptr;
        FCellCreated = false;
      }
      break;
    case ctImages:
    case ctBalloon:
      delete FCellBitmap;
      FCellBitmap = nullptr;
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
      // A balloon attached to a check box or radio button is the graphic's own list.
      if (FCellAngle == 1 && FCellBitmap) {
        delete FCellBitmap;
        FCellBitmap = nullptr;
        FCellAngle = 0;
      }
      break;
    default:
      break;
  }
}

void TCellGraphic::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TCellGraphic*>(Source);
  if (!Src) {
    TPersistent::Assign(Source);
    return;
  }
  FCellType = Src->FCellType;
  FCellVAlign = Src->FCellVAlign;
  FCellHAlign = Src->FCellHAlign;
  FCellIndex = Src->FCellIndex;
  FCellTransparent = Src->FCellTransparent;
  FCellValue = Src->FCellValue;
  FCellAngle = Src->FCellAngle;
  FCellBoolean = Src->FCellBoolean;
  FCellErrFrom = Src->FCellErrFrom;
  FCellErrLen = Src->FCellErrLen;
  FCellText = Src->FCellText;
  FCellCreated = Src->FCellCreated;
}

TBitmap* TCellGraphic::Bitmap() const { return dynamic_cast<TBitmap*>(FCellBitmap); }
TStrings* TCellGraphic::Strings() const { return dynamic_cast<TStrings*>(FCellBitmap); }
TPicture* TCellGraphic::Picture() const { return dynamic_cast<TPicture*>(FCellBitmap); }
TFilePicture* TCellGraphic::FilePicture() const { return dynamic_cast<TFilePicture*>(FCellBitmap); }
TIntList* TCellGraphic::IntList() const { return dynamic_cast<TIntList*>(FCellBitmap); }
TCellDrawer* TCellGraphic::Drawer() const { return dynamic_cast<TCellDrawer*>(FCellBitmap); }

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctBitmap;
  FCellBitmap = ABmp;
  FCellTransparent = Transparent;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctIcon;
  FCellIcon = AIcon;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, Integer Padding,
                              TCellHAlign hal, TCellVAlign val) {
  FCellType = ctPicture;
  FCellBitmap = APicture;
  FCellTransparent = Transparent;
  FCellAngle = static_cast<Integer>(StretchMode);
  FCellIndex = Padding;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                                  Integer Padding, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctFilePicture;
  FCellBitmap = APicture;
  FCellTransparent = Transparent;
  FCellAngle = static_cast<Integer>(StretchMode);
  FCellIndex = Padding;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetImageIdx(Integer Idx, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctImageList;
  FCellIndex = Idx;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetDataImage(Integer Idx, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctDataImage;
  FCellIndex = Idx;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetMultiImage(Integer Col, Integer Row, Integer Dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier) {
  // A list this graphic already owns would otherwise be lost when the slot is overwritten.
  if (FCellType == ctImages) delete FCellBitmap;
  FCellType = ctImages;
  FCellHAlign = hal;
  FCellVAlign = val;
  FCellBoolean = Dir == 0;
  auto* List = new TIntList(Col, Row);
  List->OnChange = std::move(Notifier);
  FCellBitmap = List;
  FCellCreated = true;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellType = Data ? ctDataCheckBox : ctCheckBox;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctTriStateCheckBox;
  FCellCheckBoxState = Value;
  FCellBoolean = false;
  FCellTransparent = Flat;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctRadioButton;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetButton(Integer bw, Integer bh, const String& Caption, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctButton;
  FCellIndex = static_cast<Integer>(((static_cast<Cardinal>(bh) & 0xFFFFu) << 16) | (static_cast<Cardinal>(bw) & 0xFFFFu));
  FCellBoolean = false;
  FCellText = Caption;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetBitButton(Integer bw, Integer bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val) {
  SetButton(bw, bh, Caption, hal, val);
  FCellType = ctBitButton;
  FCellBitmap = Glyph;
}

void TCellGraphic::SetInterfacedCell(TCellDrawer* AObject) {
  FCellType = ctInterface;
  FCellBitmap = AObject;
}

void TCellGraphic::SetAngle(int16_t AAngle) {
  FCellType = ctRotated;
  Integer A = AAngle;
  while (A < 0) A += 360;
  while (A > 360) A -= 360;
  FCellAngle = A;
}

TPoint TCellGraphic::GetPictureSize(Integer cw, Integer rh, bool HasText) const {
  (void)HasText;
  Integer w = 0;
  Integer h = 0;
  if (FCellType == ctPicture) {
    if (TPicture* P = Picture()) {
      w = P->Width();
      h = P->Height();
    }
  } else if (FCellType == ctFilePicture) {
    if (TFilePicture* P = FilePicture()) {
      w = P->Width();
      h = P->Height();
    }
  } else {
    return TPoint(0, 0);
  }
  const Integer aw = cw - FCellIndex;
  const Integer ah = rh - FCellIndex;
  auto Ratios = [&](double& rx, double& ry) {
    rx = w > 0 ? static_cast<double>(aw) / w : 1.0;
    ry = h > 0 ? static_cast<double>(ah) / h : 1.0;
  };
  auto ByRatio = [&](double rx, double ry) {
    if (rx < ry) return TPoint(aw, static_cast<Integer>(Round(h * rx)));
    return TPoint(static_cast<Integer>(Round(w * ry)), ah);
  };
  switch (FCellAngle) {
    case static_cast<Integer>(Stretch):
      return TPoint(aw, ah);
    case static_cast<Integer>(Shrink):
      if (w > aw || h > ah) return TPoint(aw, ah);
      return TPoint(w, h);
    case static_cast<Integer>(StretchWithAspectRatio): {
      double rx, ry;
      Ratios(rx, ry);
      return ByRatio(rx, ry);
    }
    case static_cast<Integer>(ShrinkWithAspectRatio): {
      if (w <= aw && h <= ah) return TPoint(w, h);
      double rx, ry;
      Ratios(rx, ry);
      if (rx > 1.0) rx = 1.0;
      if (ry > 1.0) ry = 1.0;
      return ByRatio(rx, ry);
    }
    default:
      return TPoint(w, h);
  }
}
