// The graphics backend on Qt: font metrics, shapes and text rasterised without antialiasing into
// coverage masks, and image decoding and PNG encoding. The layer itself writes every pixel.
#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QTextLayout>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/gui/GraphicsBackend.h"
#include "platform/qt/QtGraphicsBridge.h"

namespace {

QString ToQString(const String& S) {
  return QString::fromUtf16(S.data(), static_cast<qsizetype>(S.size()));
}

// The font a TFont draws with on a canvas: the resolved face at its pixel size, not antialiased.
QFont CanvasFont(const TFont& Font) {
  QFont F = QtGraphicsBridge::ToQFont(Font);
  F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
  F.setHintingPreference(QFont::PreferFullHinting);
  F.setKerning(false);
  return F;
}

// Metrics are asked for very often (every DrawText measures character by character), so the
// fonts and their metrics are kept per face, size and style.
struct TCachedFont {
  QFont Font;
  QFontMetrics Metrics;
  std::optional<GraphicsBackend::TFontInfo> Info;  // worked out when first asked for
  // The advances of the Latin-1 characters, each asked for when first met (-1: not yet).
  std::array<int16_t, 256> Advances;
  // Two bits per pair of Latin-1 characters, worked out when the pair is first met: 1 when the pair
  // measures as its two advances, 2 when the face joins or moves them (a ligature such as "fi").
  std::vector<Byte> Pairs;
  // The ink of each Latin-1 character set on its own, its cell's top-left at (0, 0): Left and Top
  // of the mask are moved to where the character is set. Made when the character is first set.
  struct TGlyph {
    Integer DX = 0, DY = 0;
    GraphicsBackend::TMask Ink;
  };
  std::array<std::unique_ptr<TGlyph>, 256> Glyphs;
  explicit TCachedFont(const QFont& F) : Font(F), Metrics(F) {
    Advances.fill(-1);
    SingleGlyphs.fill(kGlyphUnknown);
  }
  TGlyph& Glyph(Char Ch);

  int16_t Advance(Char Ch) {
    int16_t& A = Advances[Ch];
    if (A < 0) A = static_cast<int16_t>(Metrics.horizontalAdvance(QChar(Ch)));
    return A;
  }
  // The state of the pair A, B: 0 not worked out yet, 1 adds up, 2 joined or moved by the face.
  Byte PairState(Char A, Char B) const {
    if (Pairs.empty()) return 0;
    const size_t I = static_cast<size_t>(A) * 256 + B;
    return (Pairs[I / 4] >> (static_cast<int>(I % 4) * 2)) & 3;
  }
  bool PairAddsUp(Char A, Char B) {
    if (Pairs.empty()) Pairs.assign(256 * 256 / 4, 0);
    const size_t I = static_cast<size_t>(A) * 256 + B;
    Byte& Bits = Pairs[I / 4];
    const int Shift = static_cast<int>(I % 4) * 2;
    Byte State = (Bits >> Shift) & 3;
    if (State == 0) {
      const QChar Two[2] = {QChar(A), QChar(B)};
      State = PairStandsApart(A, B) && Metrics.horizontalAdvance(QString(Two, 2)) == Advance(A) + Advance(B) ? 1 : 2;
      Bits = static_cast<Byte>(Bits | (State << Shift));
    }
    return State == 1;
  }
  // Lays S out on one line: its glyphs and their positions, false unless it is one run.
  bool Shape(const QString& S, QList<quint32>& Ids, QList<QPointF>& At) const {
    QTextLayout Layout(S, Font);
    Layout.beginLayout();
    Layout.createLine();
    Layout.endLayout();
    const QList<QGlyphRun> Runs = Layout.glyphRuns();
    if (Runs.size() != 1) return false;
    Ids = Runs.front().glyphIndexes();
    At = Runs.front().positions();
    return Ids.size() == At.size();
  }
  // The one glyph the face sets for Ch on its own, or -1 when it sets none or several; laid out
  // once per character, as every pair with it asks again.
  int64_t SingleGlyph(Char Ch) {
    int64_t& G = SingleGlyphs[Ch];
    if (G == kGlyphUnknown) {
      QList<quint32> Ids;
      QList<QPointF> At;
      G = Shape(QString(QChar(Ch)), Ids, At) && Ids.size() == 1 ? static_cast<int64_t>(Ids[0]) : -1;
    }
    return G;
  }
  // The glyphs the face sets for A followed by B are those of A and of B alone, B one advance of A
  // after A (a ligature may be as wide as its letters).
  bool PairStandsApart(Char A, Char B) {
    const int64_t GA = SingleGlyph(A), GB = SingleGlyph(B);
    if (GA < 0 || GB < 0) return false;
    QList<quint32> IAB;
    QList<QPointF> PAB;
    const QChar Two[2] = {QChar(A), QChar(B)};
    if (!Shape(QString(Two, 2), IAB, PAB)) return false;
    return IAB.size() == 2 && IAB[0] == GA && IAB[1] == GB && PAB[1].x() - PAB[0].x() == Advance(A);
  }
  // Printable Latin-1 text whose characters stand as their advances say, pair by pair: it measures
  // as the sum of its advances and is set character by character. Pairs met for the first time
  // are worked out (a layout each), unless there are more than MostToLearn of them: a text then is
  // better shaped once than learnt pair by pair (a caption measured once at start).
  bool AddsUp(const String& Text, size_t MostToLearn = SIZE_MAX) {
    size_t Unknown = 0;
    for (size_t I = 0; I < Text.size(); ++I) {
      const Char Ch = Text[I];
      if (Ch < 0x20 || (Ch >= 0x7F && Ch < 0xA0) || Ch == 0xAD || Ch > 0xFF) return false;
      if (I == 0) continue;
      const Byte State = PairState(Text[I - 1], Ch);
      if (State == 2) return false;
      if (State == 0 && ++Unknown > MostToLearn) return false;
    }
    for (size_t I = 1; I < Text.size() && Unknown > 0; ++I) {
      if (!PairAddsUp(Text[I - 1], Text[I])) return false;
    }
    return true;
  }
  static constexpr int64_t kGlyphUnknown = -2;
  std::array<int64_t, 256> SingleGlyphs;
};

TCachedFont& Cached(const TFont& Font) {
  using Key = std::tuple<String, Integer, Byte>;
  thread_local std::map<Key, std::unique_ptr<TCachedFont>> Cache;
  // The font asked for last, by what decides its entry: a paint asks for one font cell after cell.
  thread_local struct {
    String Name;
    TFontPitch Pitch = fpDefault;
    Integer Size = 0;
    Byte Style = 0;
    TCachedFont* Entry = nullptr;
  } Last;
  const Integer Size = GraphicsBackend::FontPixelSize(Font);
  if (Last.Entry && Last.Size == Size && Last.Style == Font.Style().Bits() && Last.Pitch == Font.Pitch() &&
      Last.Name == Font.Name())
    return *Last.Entry;
  const Key K(GraphicsBackend::ResolveFontFamily(Font.Name(), Font.Pitch()), Size, Font.Style().Bits());
  auto It = Cache.find(K);
  if (It == Cache.end()) {
    if (Cache.size() > 256) Cache.clear();
    It = Cache.emplace(K, std::make_unique<TCachedFont>(CanvasFont(Font))).first;
  }
  Last.Name = Font.Name();
  Last.Pitch = Font.Pitch();
  Last.Size = Size;
  Last.Style = Font.Style().Bits();
  Last.Entry = It->second.get();
  return *It->second;
}

// Turns the painted pixels of Img (alpha > 0) into a mask placed at (Left, Top).
void ToMask(const QImage& Img, Integer Left, Integer Top, GraphicsBackend::TMask& Mask) {
  Mask.Left = Left;
  Mask.Top = Top;
  Mask.Width = Img.width();
  Mask.Height = Img.height();
  Mask.Bits.assign(static_cast<size_t>(Mask.Width) * Mask.Height, 0);
  const int W = Mask.Width, H = Mask.Height;
  for (int Y = 0; Y < H; ++Y) {
    const QRgb* Row = reinterpret_cast<const QRgb*>(Img.constScanLine(Y));
    Byte* Bits = Mask.Bits.data() + static_cast<size_t>(Y) * W;
    for (int X = 0; X < W; ++X)
      if (qAlpha(Row[X]) >= 128) Bits[X] = 1;
  }
}

QImage NewMaskImage(const QRect& R) {
  QImage Img(std::max(R.width(), 1), std::max(R.height(), 1), QImage::Format_ARGB32_Premultiplied);
  Img.fill(Qt::transparent);
  return Img;
}

TCachedFont::TGlyph& TCachedFont::Glyph(Char Ch) {
  std::unique_ptr<TGlyph>& G = Glyphs[Ch];
  if (G) return *G;
  G = std::make_unique<TGlyph>();
  // Drawn as a text of one character, with room on every side for any overhang.
  const int Ascent = Metrics.ascent();
  const int Pad = std::max({2, Ascent + Metrics.descent(), Metrics.maxWidth()});
  QImage Img = NewMaskImage(QRect(0, 0, Advance(Ch) + 2 * Pad, Ascent + Metrics.descent() + 2 * Pad));
  {
    QPainter P(&Img);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setFont(Font);
    P.setPen(Qt::black);
    P.drawText(QPointF(Pad, Pad + Ascent), QString(QChar(Ch)));
  }
  // Only the rows and columns that hold ink are kept.
  GraphicsBackend::TMask All;
  ToMask(Img, 0, 0, All);
  int L = All.Width, T = All.Height, R = -1, B = -1;
  for (int Y = 0; Y < All.Height; ++Y)
    for (int X = 0; X < All.Width; ++X)
      if (All.Bits[static_cast<size_t>(Y) * All.Width + X]) {
        L = std::min(L, X);
        R = std::max(R, X);
        T = std::min(T, Y);
        B = std::max(B, Y);
      }
  if (R < 0) return *G;  // a blank
  G->DX = L - Pad;
  G->DY = T - Pad;
  G->Ink.Width = R - L + 1;
  G->Ink.Height = B - T + 1;
  G->Ink.Bits.resize(static_cast<size_t>(G->Ink.Width) * G->Ink.Height);
  for (int Y = 0; Y < G->Ink.Height; ++Y)
    std::memcpy(G->Ink.Bits.data() + static_cast<size_t>(Y) * G->Ink.Width,
                All.Bits.data() + static_cast<size_t>(Y + T) * All.Width + L, static_cast<size_t>(G->Ink.Width));
  return *G;
}

// The angle (degrees, counter-clockwise, parametric) on the ellipse in R of the ray from its
// centre towards P, as GDI picks arc ends: where the ray meets the ellipse.
double RayAngle(const QRectF& R, const TPoint& P) {
  const double RX = std::max(R.width() / 2, 0.5), RY = std::max(R.height() / 2, 0.5);
  const double DX = P.X - R.center().x(), DY = -(P.Y - R.center().y());
  if (DX == 0 && DY == 0) return 0;
  return std::atan2(DY * RX, DX * RY) * 180.0 / M_PI;
}

// The shape's outline path in pixel-centre coordinates: integer k is the centre of pixel k.
QPainterPath ShapePath(const GraphicsBackend::TShape& S) {
  using GraphicsBackend::TShapeKind;
  QPainterPath Path;
  const QRectF Box(S.Bounds.Left, S.Bounds.Top, S.Bounds.Width() - 1, S.Bounds.Height() - 1);
  switch (S.Kind) {
    case TShapeKind::Ellipse: Path.addEllipse(Box); break;
    case TShapeKind::RoundRect:
      Path.addRoundedRect(Box, std::min<double>(S.Corner.cx, Box.width()) / 2,
                          std::min<double>(S.Corner.cy, Box.height()) / 2);
      break;
    case TShapeKind::Polygon:
    case TShapeKind::Polyline: {
      if (S.Points.empty()) break;
      Path.moveTo(S.Points[0].X, S.Points[0].Y);
      for (size_t I = 1; I < S.Points.size(); ++I) Path.lineTo(S.Points[I].X, S.Points[I].Y);
      if (S.Kind == TShapeKind::Polygon) Path.closeSubpath();
      Path.setFillRule(S.Winding ? Qt::WindingFill : Qt::OddEvenFill);
      break;
    }
    case TShapeKind::Arc:
    case TShapeKind::Pie: {
      const double A1 = RayAngle(Box, S.Start), A2 = RayAngle(Box, S.End);
      double Sweep = A2 - A1;
      while (Sweep <= 0) Sweep += 360;  // the same ray twice gives the whole ellipse
      if (S.Kind == TShapeKind::Pie) {
        Path.moveTo(Box.center());
        Path.arcTo(Box, A1, Sweep);
        Path.closeSubpath();
      } else {
        Path.arcMoveTo(Box, A1);
        Path.arcTo(Box, A1, Sweep);
      }
      break;
    }
  }
  return Path;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Fonts

namespace GraphicsBackend {

TFontInfo FontInfo(const TFont& Font) {
  TCachedFont& C = Cached(Font);
  if (C.Info) return *C.Info;
  const QFontMetrics& M = C.Metrics;
  TFontInfo I;
  I.Ascent = M.ascent();
  I.Descent = M.descent();
  I.Height = I.Ascent + I.Descent;
  I.InternalLeading = std::max(0, I.Height - FontPixelSize(Font));
  I.ExternalLeading = std::max(0, M.leading());
  I.AveCharWidth = M.averageCharWidth();
  I.MaxCharWidth = M.maxWidth();
  I.UnderlinePos = M.underlinePos();
  I.LineWidth = std::max(1, M.lineWidth());
  C.Info = I;
  return I;
}

Integer TextWidth(const TFont& Font, const String& Text) {
  if (Text.empty()) return 0;
  TCachedFont& C = Cached(Font);
  // Printable Latin-1 text adds up its characters' advances (the canvas fonts are hinted to whole
  // pixels and set without kerning), unless two of its characters are joined by the face. Other
  // text is shaped, and so is text with more than two pairs not met before: one shaping costs less
  // than learning them, and painting learns the pairs of what it sets.
  if (!C.AddsUp(Text, 2)) return C.Metrics.horizontalAdvance(ToQString(Text));
  Integer Width = 0;
  for (const Char Ch : Text) Width += C.Advance(Ch);
  return Width;
}

// ---------------------------------------------------------------------------------------------
// Shapes

void RasterizeShape(const TShape& Shape, const TShapePen& Pen, bool WantFill, TMask& Fill,
                    TMask& Outline, const TRect* Within) {
  Fill = TMask();
  Outline = TMask();
  const bool HasArea = Shape.Kind != TShapeKind::Arc && Shape.Kind != TShapeKind::Polyline;
  const bool Wide = Pen.Width > 1;
  const QPainterPath Path = ShapePath(Shape);
  QRect Box = Path.boundingRect().toAlignedRect().adjusted(-Pen.Width - 2, -Pen.Width - 2, Pen.Width + 2,
                                                           Pen.Width + 2);
  if (Within) {
    Box = Box.intersected(QRect(QPoint(Within->Left, Within->Top), QPoint(Within->Right - 1, Within->Bottom - 1)));
    if (Box.isEmpty()) return;
  }
  if (WantFill && HasArea) {
    // Pixels whose centres lie inside the shape.
    QImage Img = NewMaskImage(Box);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.translate(-Box.left() + 0.5, -Box.top() + 0.5);
    P.fillPath(Path, Qt::black);
    P.end();
    ToMask(Img, Box.left(), Box.top(), Fill);
  }
  if (Pen.Style != psClear) {
    QImage Img = NewMaskImage(Box);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, false);
    QPen QP(Qt::black);
    QP.setCapStyle(Qt::FlatCap);
    QP.setJoinStyle(Qt::MiterJoin);
    switch (Pen.Style) {
      case psDash: QP.setStyle(Qt::DashLine); break;
      case psDot: QP.setStyle(Qt::DotLine); break;
      case psDashDot: QP.setStyle(Qt::DashDotLine); break;
      case psDashDotDot: QP.setStyle(Qt::DashDotDotLine); break;
      default: break;
    }
    if (Wide) {
      // A wide pen covers the pixel centres within half its width of the path.
      QP.setWidth(Pen.Width);
      P.setPen(QP);
      P.translate(-Box.left() + 0.5, -Box.top() + 0.5);
      P.drawPath(Path);
    } else {
      // One-pixel outlines go through the pixels on the path (their centres).
      QP.setWidth(0);
      P.setPen(QP);
      P.translate(-Box.left() + 0.5, -Box.top() + 0.5);
      P.drawPath(Path);
    }
    P.end();
    ToMask(Img, Box.left(), Box.top(), Outline);
    if (Shape.Kind == TShapeKind::Polyline && !Shape.Points.empty() && !Wide) {
      // An open figure leaves out its last point.
      const TPoint& L = Shape.Points.back();
      if (Outline.At(L.X, L.Y))
        Outline.Bits[static_cast<size_t>(L.Y - Outline.Top) * Outline.Width + (L.X - Outline.Left)] = 0;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Text

void RasterizeText(const TFont& Font, Integer X, Integer Y, const String& Text, bool RightToLeft,
                   TMask& Glyphs, TMask& Cell) {
  Glyphs = TMask();
  Cell = TMask();
  const TCachedFont& C = Cached(Font);
  const QString S = ToQString(Text);
  const int Advance = C.Metrics.horizontalAdvance(S);
  const int Height = C.Metrics.ascent() + C.Metrics.descent();
  const int Pad = std::max(2, Height / 2);  // room for italic overhang and accents
  const QRectF CellRect(0, 0, Advance, Height);
  const QRectF Inked = CellRect.adjusted(-Pad, -Pad, Pad, Pad);

  QTransform T;
  T.translate(X, Y);
  if (Font.Orientation() % 3600 != 0) T.rotate(-Font.Orientation() / 10.0);
  const QRect Box = T.mapRect(Inked).toAlignedRect();

  QImage Img = NewMaskImage(Box);
  {
    QPainter P(&Img);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.translate(-Box.left(), -Box.top());
    P.setTransform(T, true);
    P.setFont(C.Font);
    P.setPen(Qt::black);
    if (RightToLeft) {
      QTextLayout Layout(S, C.Font);
      QTextOption Option;
      Option.setTextDirection(Qt::RightToLeft);
      Layout.setTextOption(Option);
      Layout.beginLayout();
      QTextLine Line = Layout.createLine();
      Line.setLineWidth(Advance);
      Layout.endLayout();
      Layout.draw(&P, QPointF(0, 0));
    } else {
      P.drawText(QPointF(0, C.Metrics.ascent()), S);
    }
  }
  ToMask(Img, Box.left(), Box.top(), Glyphs);

  const QRect CellBox = T.mapRect(CellRect).toAlignedRect();
  if (Font.Orientation() % 3600 == 0) {
    Cell.Left = X;
    Cell.Top = Y;
    Cell.Width = Advance;
    Cell.Height = Height;
    Cell.Bits.assign(static_cast<size_t>(Advance) * Height, 1);
  } else {
    QImage CellImg = NewMaskImage(CellBox);
    QPainter P(&CellImg);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.translate(-CellBox.left() + 0.5, -CellBox.top() + 0.5);
    QPainterPath Path;
    Path.addPolygon(T.map(QPolygonF(CellRect.adjusted(0, 0, -1, -1))));
    Path.closeSubpath();
    P.fillPath(Path, Qt::black);
    P.end();
    ToMask(CellImg, CellBox.left(), CellBox.top(), Cell);
  }
}

bool SetTextPixels(TBitmap::Image& Image, const TRegion& Clip, const TFont& Font, Integer X, Integer Y,
                   const String& Text, TColor RGB) {
  if (Font.Orientation() % 3600 != 0) return false;
  if (Text.empty() || Image.Empty() || Clip.IsEmpty()) return true;
  TCachedFont& C = Cached(Font);
  const TFontStyles Style = Font.Style();
  if (!Style.Contains(fsUnderline) && !Style.Contains(fsStrikeOut) && C.AddsUp(Text)) {
    // Each character's ink, kept from its first drawing, is coloured where the advances put it.
    GraphicsRaster::TRasterBrush Brush;
    Brush.RGB = RGB & 0xFFFFFF;
    Integer Pen = X;
    for (const Char Ch : Text) {
      TCachedFont::TGlyph& G = C.Glyph(Ch);
      if (!G.Ink.Bits.empty()) {
        G.Ink.Left = Pen + G.DX;
        G.Ink.Top = Y + G.DY;
        GraphicsRaster::FillMask(Image, Clip, G.Ink, Brush, pmCopy);
      }
      Pen += C.Advance(Ch);
    }
    return true;
  }
  QImage::Format Format = QImage::Format_RGB32;
  if (Image.Format == pf24bit) Format = QImage::Format_BGR888;
  if (Image.Format == pf32bit) Format = QImage::Format_ARGB32_Premultiplied;
  QImage Img(Image.Bits(), Image.Width, Image.Height, Image.BytesPerLine, Format);
  QPainter P(&Img);
  P.setRenderHint(QPainter::TextAntialiasing, false);
  P.setRenderHint(QPainter::Antialiasing, false);
  const std::vector<TRect>& Rects = Clip.Rects();
  if (Rects.size() == 1) {
    const TRect& R = Rects.front();
    P.setClipRect(QRect(R.Left, R.Top, R.Width(), R.Height()));
  } else {
    QRegion Region;
    for (const TRect& R : Rects) Region += QRect(R.Left, R.Top, R.Width(), R.Height());
    P.setClipRegion(Region);
  }
  P.setFont(C.Font);
  P.setPen(QColor(GetRValue(RGB), GetGValue(RGB), GetBValue(RGB)));
  P.drawText(QPointF(X, Y + C.Metrics.ascent()), ToQString(Text));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Image files

bool DecodeImage(const Byte* Data, size_t Size, TBitmap& Bitmap) {
  QByteArray Bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::ReadOnly);
  QImageReader Reader(&Buffer);
  Reader.setAutoTransform(false);
  QImage Img;
  if (!Reader.read(&Img) || Img.isNull()) return false;
  QtGraphicsBridge::ImageToBitmap(Img, &Bitmap);
  return true;
}

std::vector<Byte> EncodePng(const TBitmap& Bitmap) {
  const QImage View = QtGraphicsBridge::BitmapImage(const_cast<TBitmap*>(&Bitmap));
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  QImageWriter Writer(&Buffer, "PNG");
  Writer.write(View);
  return std::vector<Byte>(Bytes.begin(), Bytes.end());
}

}  // namespace GraphicsBackend

// ---------------------------------------------------------------------------------------------
// Recorded pages

namespace {

QColor QColorOf(TColor RGB) { return QColor(GetRValue(RGB), GetGValue(RGB), GetBValue(RGB)); }

Qt::PenStyle QtPenStyle(TPenStyle S) {
  switch (S) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

QPen PenOf(const TCanvasRecording::TCommand& C) {
  QPen Pen(QColorOf(C.RGB));
  Pen.setWidth(C.Width);
  Pen.setStyle(QtPenStyle(C.Style));
  Pen.setCapStyle(Qt::FlatCap);
  Pen.setJoinStyle(Qt::MiterJoin);
  return Pen;
}

}  // namespace

void QtGraphicsBridge::PaintRecording(QPainter& P, const TCanvasRecording& R) {
  using TCommand = TCanvasRecording::TCommand;
  for (const TCommand& C : R.Commands) {
    P.save();
    if (C.Clip >= 0 && C.Clip < static_cast<Integer>(R.Clips.size())) {
      QRegion Clip;
      for (const TRect& Rc : R.Clips[C.Clip].Rects()) Clip += QRect(Rc.Left, Rc.Top, Rc.Width(), Rc.Height());
      P.setClipRegion(Clip);
    }
    switch (C.Kind) {
      case TCommand::Fill:
        P.fillRect(QRect(C.Rect.Left, C.Rect.Top, C.Rect.Width(), C.Rect.Height()), QColorOf(C.RGB));
        break;
      case TCommand::Lines: {
        // A pixel line runs through the pixels' centres.
        P.setPen(PenOf(C));
        QPolygonF Poly;
        const double Half = C.Width % 2 ? 0.5 : 0.0;
        for (const TPoint& Pt : C.Points) Poly << QPointF(Pt.X + Half, Pt.Y + Half);
        P.drawPolyline(Poly);
        break;
      }
      case TCommand::Shape: {
        const auto* Shape = static_cast<const GraphicsBackend::TShape*>(C.ShapeData.get());
        if (!Shape) break;
        const QPainterPath Path = ShapePath(*Shape);
        if (C.Filled) P.fillPath(Path, QColorOf(C.FillRGB));
        if (C.Style != psClear) P.strokePath(Path, PenOf(C));
        break;
      }
      case TCommand::Text: {
        if (!C.Font) break;
        const TCachedFont& F = Cached(*C.Font);
        const QString S = ToQString(C.Line);
        P.translate(C.Rect.Left, C.Rect.Top);
        if (C.Font->Orientation() % 3600 != 0) P.rotate(-C.Font->Orientation() / 10.0);
        if (C.Opaque)
          P.fillRect(QRectF(0, 0, F.Metrics.horizontalAdvance(S), F.Metrics.ascent() + F.Metrics.descent()),
                     QColorOf(C.BkRGB));
        P.setFont(F.Font);
        P.setPen(QColorOf(C.RGB));
        P.drawText(QPointF(0, F.Metrics.ascent()), S);
        break;
      }
      case TCommand::Image: {
        if (!C.Pixels || C.Pixels->Empty()) break;
        const QImage Img(C.Pixels->Bits(), C.Pixels->Width, C.Pixels->Height, C.Pixels->BytesPerLine,
                         C.Pixels->Format == pf32bit ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        P.drawImage(QRect(C.Rect.Left, C.Rect.Top, C.Rect.Width(), C.Rect.Height()), Img);
        break;
      }
    }
    P.restore();
  }
}
