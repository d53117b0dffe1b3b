// Smoothed drawing on QPainter: brushes, pens, paths, regions, clipping with combine modes, images
// and strings with a string format.
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextLayout>

#include <cmath>

#include "platform/gui/GdiPlus.h"
#include "platform/gui/GraphicsBackend.h"
#include "platform/qt/QtGraphicsBridge.h"

namespace {

QColor ToQColor(TGPColor C) { return QColor::fromRgba(C); }

QString ToQString(const String& S) {
  return QString::fromUtf16(S.data(), static_cast<qsizetype>(S.size()));
}

QRectF ToQ(const TGPRectF& R) { return QRectF(R.X, R.Y, R.Width, R.Height); }
QRectF ToQ(const TGPRect& R) { return QRectF(R.X, R.Y, R.Width, R.Height); }

// GDI+ angles run clockwise, Qt's counter-clockwise.
void AppendArc(QPainterPath& Path, const QRectF& R, float Start, float Sweep) {
  Path.arcMoveTo(R, -Start);
  Path.arcTo(R, -Start, -Sweep);
}

QImage::Format QtFormat(TPixelFormat F) {
  switch (F) {
    case pf24bit: return QImage::Format_BGR888;
    case pf32bit: return QImage::Format_ARGB32_Premultiplied;
    default: return QImage::Format_RGB32;
  }
}

}  // namespace

struct TGPGraphicsPath::Impl {
  QPainterPath Path;
};

// ---------------------------------------------------------------------------------------------
// Brushes and pens

struct TGPBrush::Impl {
  enum TKind { Solid, Linear, PathGradient } Kind = Solid;
  TGPColor Color1 = 0, Color2 = 0;
  QPointF P1, P2;
  std::vector<float> Factors, Positions;
  TWrapMode Wrap = WrapModeTile;
  bool Degenerate = false;
  QPainterPath Path;
  QPointF Centre;
  TGPColor CentreColor = 0xFFFFFFFF, SurroundColor = 0xFFFFFFFF;

  static QColor Lerp(TGPColor A, TGPColor B, float T) {
    auto Mix = [&](int Shift) {
      const float V = ((A >> Shift) & 0xFF) + (static_cast<float>((B >> Shift) & 0xFF) - ((A >> Shift) & 0xFF)) * T;
      return std::clamp(static_cast<int>(std::lround(V)), 0, 255);
    };
    return QColor(Mix(16), Mix(8), Mix(0), Mix(24));
  }

  QBrush ToQBrush() const {
    switch (Kind) {
      case Solid: return QBrush(ToQColor(Color1));
      case Linear: {
        if (Degenerate) return QBrush(ToQColor(Color1));
        QLinearGradient G(P1, P2);
        G.setInterpolationMode(QGradient::ComponentInterpolation);
        G.setSpread(Wrap == WrapModeClamp                                   ? QGradient::PadSpread
                    : (Wrap == WrapModeTileFlipX || Wrap == WrapModeTileFlipXY) ? QGradient::ReflectSpread
                                                                            : QGradient::RepeatSpread);
        if (Factors.empty()) {
          G.setColorAt(0, ToQColor(Color1));
          G.setColorAt(1, ToQColor(Color2));
        } else {
          for (size_t I = 0; I < Factors.size(); ++I) G.setColorAt(Positions[I], Lerp(Color1, Color2, Factors[I]));
        }
        return QBrush(G);
      }
      case PathGradient: {
        const QRectF B = Path.boundingRect();
        if (B.width() <= 0 || B.height() <= 0) return QBrush(ToQColor(SurroundColor));
        QRadialGradient G(QPointF(0.5, 0.5), 0.5,
                          QPointF((Centre.x() - B.left()) / B.width(), (Centre.y() - B.top()) / B.height()));
        G.setCoordinateMode(QGradient::ObjectMode);
        G.setInterpolationMode(QGradient::ComponentInterpolation);
        G.setColorAt(0, ToQColor(CentreColor));
        G.setColorAt(1, ToQColor(SurroundColor));
        return QBrush(G);
      }
    }
    return QBrush();
  }
};

TGPBrush::TGPBrush() : FImpl(std::make_unique<Impl>()) {}
TGPBrush::~TGPBrush() = default;

TGPSolidBrush::TGPSolidBrush(TGPColor Color) { FImpl->Color1 = Color; }
TGPColor TGPSolidBrush::GetColor() const { return FImpl->Color1; }
TStatus TGPSolidBrush::SetColor(TGPColor Color) {
  FImpl->Color1 = Color;
  return Ok;
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2,
                                               TGPColor Color1, TGPColor Color2) {
  FImpl->Kind = Impl::Linear;
  FImpl->P1 = QPointF(Point1.X, Point1.Y);
  FImpl->P2 = QPointF(Point2.X, Point2.Y);
  FImpl->Color1 = Color1;
  FImpl->Color2 = Color2;
  if (FImpl->P1 == FImpl->P2) {
    FImpl->Degenerate = true;
    FStatus = OutOfMemory;
  }
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2,
                                               TGPColor Color1, TGPColor Color2)
    : TGPLinearGradientBrush(TGPPointF{static_cast<float>(Point1.X), static_cast<float>(Point1.Y)},
                             TGPPointF{static_cast<float>(Point2.X), static_cast<float>(Point2.Y)}, Color1,
                             Color2) {}

TStatus TGPLinearGradientBrush::SetBlend(const float* Factors, const float* Positions, Integer Count) {
  if (!Factors || !Positions || Count < 2 || Positions[0] != 0.0f || Positions[Count - 1] != 1.0f)
    return FStatus = InvalidParameter;
  for (Integer I = 0; I < Count; ++I) {
    if (Factors[I] < 0 || Factors[I] > 1 || (I > 0 && Positions[I] <= Positions[I - 1]))
      return FStatus = InvalidParameter;
  }
  FImpl->Factors.assign(Factors, Factors + Count);
  FImpl->Positions.assign(Positions, Positions + Count);
  return Ok;
}

TStatus TGPLinearGradientBrush::SetWrapMode(TWrapMode Mode) {
  FImpl->Wrap = Mode;
  return Ok;
}

TWrapMode TGPLinearGradientBrush::GetWrapMode() const { return FImpl->Wrap; }

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath* Path) {
  FImpl->Kind = Impl::PathGradient;
  if (!Path) {
    FStatus = InvalidParameter;
    return;
  }
  FImpl->Path = Path->GetImpl()->Path;
  FImpl->Centre = FImpl->Path.boundingRect().center();
}

TStatus TGPPathGradientBrush::SetCenterPoint(const TGPPointF& Point) {
  FImpl->Centre = QPointF(Point.X, Point.Y);
  return Ok;
}

TStatus TGPPathGradientBrush::SetCenterPoint(const TGPPoint& Point) {
  FImpl->Centre = QPointF(Point.X, Point.Y);
  return Ok;
}

TStatus TGPPathGradientBrush::SetCenterColor(TGPColor Color) {
  FImpl->CentreColor = Color;
  return Ok;
}

TStatus TGPPathGradientBrush::SetSurroundColors(const TGPColor* Colors, Integer* Count) {
  if (!Colors || !Count || *Count < 1) return FStatus = InvalidParameter;
  FImpl->SurroundColor = Colors[0];
  return Ok;
}

struct TGPPen::Impl {
  QPen Pen;
};

TGPPen::TGPPen(TGPColor Color, float Width) : FImpl(std::make_unique<Impl>()) {
  FImpl->Pen = QPen(ToQColor(Color), Width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

TGPPen::TGPPen(const TGPBrush* Brush, float Width) : FImpl(std::make_unique<Impl>()) {
  FImpl->Pen = QPen(Brush ? Brush->GetImpl()->ToQBrush() : QBrush(Qt::black), Width, Qt::SolidLine,
                    Qt::FlatCap, Qt::MiterJoin);
  if (!Brush) FStatus = InvalidParameter;
}

TGPPen::~TGPPen() = default;

TStatus TGPPen::SetColor(TGPColor Color) {
  FImpl->Pen.setColor(ToQColor(Color));
  return Ok;
}

TGPColor TGPPen::GetColor() const { return FImpl->Pen.color().rgba(); }

TStatus TGPPen::SetWidth(float Width) {
  FImpl->Pen.setWidthF(Width);
  return Ok;
}

float TGPPen::GetWidth() const { return static_cast<float>(FImpl->Pen.widthF()); }

// ---------------------------------------------------------------------------------------------
// Paths and regions

TGPGraphicsPath::TGPGraphicsPath(TFillMode FillMode) : FImpl(std::make_unique<Impl>()) {
  SetFillMode(FillMode);
}

TGPGraphicsPath::TGPGraphicsPath(const TGPGraphicsPath& Other)
    : FImpl(std::make_unique<Impl>(*Other.FImpl)) {}

TGPGraphicsPath::~TGPGraphicsPath() = default;

TStatus TGPGraphicsPath::SetFillMode(TFillMode Mode) {
  FImpl->Path.setFillRule(Mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
  return Ok;
}

TFillMode TGPGraphicsPath::GetFillMode() const {
  return FImpl->Path.fillRule() == Qt::WindingFill ? FillModeWinding : FillModeAlternate;
}

TStatus TGPGraphicsPath::Reset() {
  const Qt::FillRule Rule = FImpl->Path.fillRule();
  FImpl->Path = QPainterPath();
  FImpl->Path.setFillRule(Rule);
  return Ok;
}

TStatus TGPGraphicsPath::StartFigure() {
  FImpl->Path.moveTo(FImpl->Path.currentPosition());
  return Ok;
}

TStatus TGPGraphicsPath::CloseFigure() {
  FImpl->Path.closeSubpath();
  return Ok;
}

TStatus TGPGraphicsPath::AddLine(float X1, float Y1, float X2, float Y2) {
  FImpl->Path.moveTo(X1, Y1);
  FImpl->Path.lineTo(X2, Y2);
  return Ok;
}

TStatus TGPGraphicsPath::AddPolygon(const TGPPoint* Points, Integer Count) {
  if (!Points || Count < 3) return InvalidParameter;
  QPolygonF Poly;
  for (Integer I = 0; I < Count; ++I) Poly << QPointF(Points[I].X, Points[I].Y);
  FImpl->Path.addPolygon(Poly);
  FImpl->Path.closeSubpath();
  return Ok;
}

TStatus TGPGraphicsPath::AddPolygon(const TGPPointF* Points, Integer Count) {
  if (!Points || Count < 3) return InvalidParameter;
  QPolygonF Poly;
  for (Integer I = 0; I < Count; ++I) Poly << QPointF(Points[I].X, Points[I].Y);
  FImpl->Path.addPolygon(Poly);
  FImpl->Path.closeSubpath();
  return Ok;
}

TStatus TGPGraphicsPath::AddRectangle(const TGPRectF& R) {
  FImpl->Path.addRect(ToQ(R));
  return Ok;
}

TStatus TGPGraphicsPath::AddRectangle(const TGPRect& R) {
  FImpl->Path.addRect(ToQ(R));
  return Ok;
}

TStatus TGPGraphicsPath::AddEllipse(const TGPRectF& R) {
  FImpl->Path.addEllipse(ToQ(R));
  return Ok;
}

TStatus TGPGraphicsPath::AddEllipse(const TGPRect& R) {
  FImpl->Path.addEllipse(ToQ(R));
  return Ok;
}

TStatus TGPGraphicsPath::AddArc(const TGPRectF& R, float StartAngle, float SweepAngle) {
  AppendArc(FImpl->Path, ToQ(R), StartAngle, SweepAngle);
  return Ok;
}

TStatus TGPGraphicsPath::GetBounds(TGPRectF& Bounds) const {
  const QRectF B = FImpl->Path.boundingRect();
  Bounds = TGPRectF{static_cast<float>(B.x()), static_cast<float>(B.y()), static_cast<float>(B.width()),
                    static_cast<float>(B.height())};
  return Ok;
}

bool TGPGraphicsPath::IsVisible(float X, float Y) const { return FImpl->Path.contains(QPointF(X, Y)); }

struct TGPRegion::Impl {
  bool Infinite = true;
  QPainterPath Path;  // in world coordinates when not infinite
};

TGPRegion::TGPRegion() : FImpl(std::make_unique<Impl>()) {}

TGPRegion::TGPRegion(const TGPRectF& R) : TGPRegion() {
  FImpl->Infinite = false;
  FImpl->Path.addRect(ToQ(R));
}

TGPRegion::TGPRegion(const TGPGraphicsPath* Path) : TGPRegion() {
  if (!Path) return;
  FImpl->Infinite = false;
  FImpl->Path = Path->GetImpl()->Path;
}

TGPRegion::TGPRegion(const TGPRegion& Other) : FImpl(std::make_unique<Impl>(*Other.FImpl)) {}
TGPRegion::~TGPRegion() = default;
bool TGPRegion::IsInfinite() const { return FImpl->Infinite; }

TStatus TGPRegion::MakeInfinite() {
  FImpl->Infinite = true;
  FImpl->Path = QPainterPath();
  return Ok;
}

TStatus TGPRegion::MakeEmpty() {
  FImpl->Infinite = false;
  FImpl->Path = QPainterPath();
  return Ok;
}

// ---------------------------------------------------------------------------------------------
// Fonts

TGPFont::TGPFont(const String& FamilyName, float EmSize, Integer Style, TUnit Unit)
    : FFamily(FamilyName), FSize(EmSize), FStyle(Style), FUnit(Unit) {}

float TGPFont::PixelSize() const { return FUnit == UnitPoint ? FSize * 96.0f / 72.0f : FSize; }

namespace {

QFont ToQFont(const TGPFont& F) {
  QFont Q(ToQString(GraphicsBackend::ResolveFontFamily(F.FamilyName(), fpDefault)));
  // Sizes in points on a 96 pixels-per-inch image.
  Q.setPointSizeF(std::max(0.5f, F.PixelSize()) * 72.0 / 96.0);
  Q.setBold(F.GetStyle() & FontStyleBold);
  Q.setItalic(F.GetStyle() & FontStyleItalic);
  Q.setUnderline(F.GetStyle() & FontStyleUnderline);
  Q.setStrikeOut(F.GetStyle() & FontStyleStrikeout);
  Q.setKerning(false);
  return Q;
}

// A paint device at 96 pixels per inch, for measuring without a target.
QImage& MeasureDevice() {
  thread_local QImage Device(1, 1, QImage::Format_ARGB32_Premultiplied);
  Device.setDotsPerMeterX(3780);
  Device.setDotsPerMeterY(3780);
  return Device;
}

// Text laid out in lines by a string format.
struct TTextBlock {
  std::vector<QString> Lines;
  qreal LineHeight = 0;
  qreal Padding = 0;  // on each side
  qreal Width = 0;    // the widest line
};

QString TrimLine(const QString& Line, const QFontMetricsF& M, qreal Width, TStringTrimming Trimming) {
  if (M.horizontalAdvance(Line) <= Width || Trimming == StringTrimmingNone) return Line;
  const QString Ellipsis = QString(QChar(0x2026));
  switch (Trimming) {
    case StringTrimmingEllipsisCharacter: return M.elidedText(Line, Qt::ElideRight, Width);
    case StringTrimmingEllipsisPath: return M.elidedText(Line, Qt::ElideMiddle, Width);
    case StringTrimmingEllipsisWord: {
      QString S = Line;
      while (S.contains(u' ')) {
        S = S.left(S.lastIndexOf(u' ')).trimmed();
        if (M.horizontalAdvance(S + Ellipsis) <= Width) return S + Ellipsis;
      }
      return M.elidedText(Line, Qt::ElideRight, Width);
    }
    case StringTrimmingWord: {
      QString S = Line;
      while (S.contains(u' ')) {
        S = S.left(S.lastIndexOf(u' ')).trimmed();
        if (M.horizontalAdvance(S) <= Width) return S;
      }
      [[fallthrough]];
    }
    default: {  // character
      QString S = Line;
      while (!S.isEmpty() && M.horizontalAdvance(S) > Width) S.chop(1);
      return S;
    }
  }
}

TTextBlock LayOut(const String& Text, const QFont& Font, const TGPRectF& Rect,
                  const TGPStringFormat& Format) {
  TTextBlock B;
  const QFontMetricsF M(Font, &MeasureDevice());
  B.LineHeight = M.lineSpacing();
  B.Padding = Font.pointSizeF() * 96.0 / 72.0 / 6.0;  // a sixth of the em
  const bool Limited = Rect.Width > 0;
  const qreal Width = std::max<qreal>(0, Rect.Width - 2 * B.Padding);
  const bool NoWrap = (Format.GetFormatFlags() & StringFormatFlagsNoWrap) != 0;
  const QStringList Paragraphs = ToQString(Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QChar(u'\n'));
  for (const QString& P : Paragraphs) {
    if (NoWrap || !Limited || P.isEmpty()) {
      B.Lines.push_back(P);
      continue;
    }
    QTextLayout Layout(P, Font, &MeasureDevice());
    QTextOption Option;
    Option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Layout.setTextOption(Option);
    Layout.beginLayout();
    for (;;) {
      QTextLine L = Layout.createLine();
      if (!L.isValid()) break;
      L.setLineWidth(Width);
      B.Lines.push_back(P.mid(L.textStart(), L.textLength()).trimmed());
    }
    Layout.endLayout();
  }
  // Lines below the rectangle are dropped; a partly visible one stays unless the lines are limited.
  if (Rect.Height > 0) {
    const bool LineLimit = (Format.GetFormatFlags() & StringFormatFlagsLineLimit) != 0;
    size_t Fit = 0;
    while (Fit < B.Lines.size()) {
      const qreal Top = Fit * B.LineHeight;
      if (LineLimit ? Top + B.LineHeight > Rect.Height + 0.01 : Top >= Rect.Height) break;
      ++Fit;
    }
    Fit = std::max<size_t>(Fit, 1);
    if (Fit < B.Lines.size()) {
      B.Lines.resize(Fit);
      if (Format.GetTrimming() != StringTrimmingNone && Limited) {
        // The last line shows that text is missing.
        QString& Last = B.Lines.back();
        if (Format.GetTrimming() >= StringTrimmingEllipsisCharacter) {
          const QString Ellipsis = QString(QChar(0x2026));
          while (!Last.isEmpty() && M.horizontalAdvance(Last + Ellipsis) > Width) Last.chop(1);
          Last += Ellipsis;
        }
      }
    }
  }
  if (Limited)
    for (QString& L : B.Lines) L = TrimLine(L, M, Width, Format.GetTrimming());
  for (const QString& L : B.Lines) B.Width = std::max(B.Width, M.horizontalAdvance(L));
  return B;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Graphics

struct TGPGraphics::Impl {
  TBitmap::Image* Target = nullptr;
  QImage View;
  QPainter Painter;
  TPoint Org;
  TSmoothingMode Smoothing = SmoothingModeDefault;
  TPixelOffsetMode Offset = PixelOffsetModeDefault;
  TTextRenderingHint Hint = TextRenderingHintSystemDefault;
  bool HasClip = false;
  QPainterPath Clip;  // device pixels
  struct State {
    TSmoothingMode Smoothing;
    TPixelOffsetMode Offset;
    TTextRenderingHint Hint;
    bool HasClip;
    QPainterPath Clip;
  };
  std::vector<State> Saved;

  bool Ready() const { return Painter.isActive(); }
  bool Smooth() const { return Smoothing == SmoothingModeAntiAlias || Smoothing == SmoothingModeHighQuality; }
  // GDI+ puts pixel centres on whole coordinates unless asked for the half offset; Qt puts them
  // on halves. Smoothed drawing is moved by half a pixel to match. Unsmoothed drawing fills the
  // same pixels in both systems without any shift (a pixel is in when its centre is).
  qreal PixelShift() const {
    if (!Smooth()) return 0.0;
    return (Offset == PixelOffsetModeHalf || Offset == PixelOffsetModeHighQuality) ? 0.0 : 0.5;
  }
  QTransform World() const {
    return QTransform::fromTranslate(PixelShift() - Org.X, PixelShift() - Org.Y);
  }
  QPainterPath DeviceRect() const {
    QPainterPath P;
    P.addRect(QRectF(0, 0, View.width(), View.height()));
    return P;
  }
  void Apply() {
    if (!Ready()) return;
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setTransform(QTransform());
    if (HasClip)
      Painter.setClipPath(Clip, Qt::ReplaceClip);
    else
      Painter.setClipping(false);
    Painter.setTransform(World());
    Painter.setRenderHint(QPainter::Antialiasing, Smooth());
    Painter.setRenderHint(QPainter::SmoothPixmapTransform, Smooth());
    Painter.setRenderHint(QPainter::TextAntialiasing, true);
  }
  void Combine(const QPainterPath& WorldPath, TCombineMode Mode) {
    QPainterPath P = World().map(WorldPath);
    switch (Mode) {
      case CombineModeReplace: Clip = P, HasClip = true; break;
      case CombineModeIntersect: Clip = HasClip ? Clip.intersected(P) : P, HasClip = true; break;
      case CombineModeUnion:
        if (HasClip) Clip = Clip.united(P);
        break;
      case CombineModeXor: {
        const QPainterPath Base = HasClip ? Clip : DeviceRect();
        Clip = Base.united(P).subtracted(Base.intersected(P));
        HasClip = true;
        break;
      }
      case CombineModeExclude: Clip = (HasClip ? Clip : DeviceRect()).subtracted(P), HasClip = true; break;
      case CombineModeComplement: Clip = P.subtracted(HasClip ? Clip : DeviceRect()), HasClip = true; break;
    }
    Apply();
  }
};

TGPGraphics::TGPGraphics(TBitmap* Bitmap) : FImpl(std::make_unique<Impl>()) {
  if (!Bitmap || Bitmap->Empty()) {
    FStatus = InvalidParameter;
    return;
  }
  FImpl->Target = Bitmap->GetImage();
  FImpl->View = QtGraphicsBridge::BitmapImage(Bitmap);
  FImpl->Painter.begin(&FImpl->View);
  FImpl->Apply();
}

TGPGraphics::TGPGraphics(TCanvas* Canvas) : FImpl(std::make_unique<Impl>()) {
  TBitmap::Image* Target = nullptr;
  TRegion Clip;
  TPoint Org;
  if (!Canvas || !GraphicsRaster::CanvasTarget(*Canvas, Target, Clip, Org)) {
    FStatus = InvalidParameter;
    return;
  }
  FImpl->Target = Target;
  FImpl->View = QImage(Target->Bits(), Target->Width, Target->Height, Target->BytesPerLine,
                       QtFormat(Target->Format));
  FImpl->Org = Org;
  if (Canvas->HasClip()) {
    FImpl->HasClip = true;
    for (const TRect& R : Clip.Rects()) FImpl->Clip.addRect(QRectF(R.Left, R.Top, R.Width(), R.Height()));
  }
  FImpl->Painter.begin(&FImpl->View);
  FImpl->Apply();
}

TGPGraphics::~TGPGraphics() {
  if (FImpl->Painter.isActive()) FImpl->Painter.end();
}

TStatus TGPGraphics::SetSmoothingMode(TSmoothingMode Mode) {
  if (Mode == SmoothingModeInvalid) return Done(InvalidParameter);
  FImpl->Smoothing = Mode;
  FImpl->Apply();
  return Done(Ok);
}

TSmoothingMode TGPGraphics::GetSmoothingMode() const { return FImpl->Smoothing; }

TStatus TGPGraphics::SetPixelOffsetMode(TPixelOffsetMode Mode) {
  if (Mode == PixelOffsetModeInvalid) return Done(InvalidParameter);
  FImpl->Offset = Mode;
  FImpl->Apply();
  return Done(Ok);
}

TPixelOffsetMode TGPGraphics::GetPixelOffsetMode() const { return FImpl->Offset; }

TStatus TGPGraphics::SetTextRenderingHint(TTextRenderingHint Hint) {
  FImpl->Hint = Hint;
  return Done(Ok);
}

TTextRenderingHint TGPGraphics::GetTextRenderingHint() const { return FImpl->Hint; }

TStatus TGPGraphics::Clear(TGPColor Color) {
  if (!FImpl->Ready()) return Done(WrongState);
  QPainter& P = FImpl->Painter;
  P.save();
  P.setTransform(QTransform());
  P.setCompositionMode(QPainter::CompositionMode_Source);
  P.fillRect(QRectF(0, 0, FImpl->View.width(), FImpl->View.height()), ToQColor(Color));
  P.restore();
  return Done(Ok);
}

namespace {

bool FillWith(TGPGraphics::Impl& G, const TGPBrush* Brush, const QPainterPath& Path) {
  if (!Brush || !G.Ready()) return false;
  G.Painter.fillPath(Path, Brush->GetImpl()->ToQBrush());
  return true;
}

bool StrokeWith(TGPGraphics::Impl& G, const TGPPen* Pen, const QPainterPath& Path) {
  if (!Pen || !G.Ready()) return false;
  G.Painter.strokePath(Path, Pen->GetImpl()->Pen);
  return true;
}

QPainterPath RectPath(const QRectF& R) {
  QPainterPath P;
  P.addRect(R);
  return P;
}

QPainterPath EllipsePath(const QRectF& R) {
  QPainterPath P;
  P.addEllipse(R);
  return P;
}

template <typename Point>
QPainterPath PolygonPath(const Point* Points, Integer Count, TFillMode Mode) {
  QPainterPath P;
  QPolygonF Poly;
  for (Integer I = 0; I < Count; ++I) Poly << QPointF(Points[I].X, Points[I].Y);
  P.addPolygon(Poly);
  P.closeSubpath();
  P.setFillRule(Mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
  return P;
}

}  // namespace

TStatus TGPGraphics::FillRectangle(const TGPBrush* Brush, const TGPRectF& R) {
  return Done(FillWith(*FImpl, Brush, RectPath(ToQ(R))) ? Ok : InvalidParameter);
}
TStatus TGPGraphics::FillRectangle(const TGPBrush* Brush, const TGPRect& R) {
  return Done(FillWith(*FImpl, Brush, RectPath(ToQ(R))) ? Ok : InvalidParameter);
}
TStatus TGPGraphics::DrawRectangle(const TGPPen* Pen, const TGPRectF& R) {
  return Done(StrokeWith(*FImpl, Pen, RectPath(ToQ(R))) ? Ok : InvalidParameter);
}
TStatus TGPGraphics::FillEllipse(const TGPBrush* Brush, const TGPRectF& R) {
  return Done(FillWith(*FImpl, Brush, EllipsePath(ToQ(R))) ? Ok : InvalidParameter);
}
TStatus TGPGraphics::FillEllipse(const TGPBrush* Brush, const TGPRect& R) {
  return Done(FillWith(*FImpl, Brush, EllipsePath(ToQ(R))) ? Ok : InvalidParameter);
}
TStatus TGPGraphics::DrawEllipse(const TGPPen* Pen, const TGPRectF& R) {
  return Done(StrokeWith(*FImpl, Pen, EllipsePath(ToQ(R))) ? Ok : InvalidParameter);
}
TStatus TGPGraphics::DrawEllipse(const TGPPen* Pen, const TGPRect& R) {
  return Done(StrokeWith(*FImpl, Pen, EllipsePath(ToQ(R))) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawArc(const TGPPen* Pen, const TGPRectF& R, float StartAngle, float SweepAngle) {
  QPainterPath P;
  AppendArc(P, ToQ(R), StartAngle, SweepAngle);
  return Done(StrokeWith(*FImpl, Pen, P) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawLine(const TGPPen* Pen, float X1, float Y1, float X2, float Y2) {
  QPainterPath P;
  P.moveTo(X1, Y1);
  P.lineTo(X2, Y2);
  return Done(StrokeWith(*FImpl, Pen, P) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawLine(const TGPPen* Pen, Integer X1, Integer Y1, Integer X2, Integer Y2) {
  return DrawLine(Pen, static_cast<float>(X1), static_cast<float>(Y1), static_cast<float>(X2),
                  static_cast<float>(Y2));
}

TStatus TGPGraphics::FillPolygon(const TGPBrush* Brush, const TGPPoint* Points, Integer Count, TFillMode FillMode) {
  if (!Points || Count < 1) return Done(InvalidParameter);
  return Done(FillWith(*FImpl, Brush, PolygonPath(Points, Count, FillMode)) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::FillPolygon(const TGPBrush* Brush, const TGPPointF* Points, Integer Count, TFillMode FillMode) {
  if (!Points || Count < 1) return Done(InvalidParameter);
  return Done(FillWith(*FImpl, Brush, PolygonPath(Points, Count, FillMode)) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawPolygon(const TGPPen* Pen, const TGPPoint* Points, Integer Count) {
  if (!Points || Count < 2) return Done(InvalidParameter);
  return Done(StrokeWith(*FImpl, Pen, PolygonPath(Points, Count, FillModeAlternate)) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawPolygon(const TGPPen* Pen, const TGPPointF* Points, Integer Count) {
  if (!Points || Count < 2) return Done(InvalidParameter);
  return Done(StrokeWith(*FImpl, Pen, PolygonPath(Points, Count, FillModeAlternate)) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::FillPath(const TGPBrush* Brush, const TGPGraphicsPath* Path) {
  if (!Path) return Done(InvalidParameter);
  return Done(FillWith(*FImpl, Brush, Path->GetImpl()->Path) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawPath(const TGPPen* Pen, const TGPGraphicsPath* Path) {
  if (!Path) return Done(InvalidParameter);
  return Done(StrokeWith(*FImpl, Pen, Path->GetImpl()->Path) ? Ok : InvalidParameter);
}

TStatus TGPGraphics::DrawImage(const TGPImage* Image, float X, float Y) {
  if (!Image || !FImpl->Ready()) return Done(InvalidParameter);
  if (Image->Pixels().Empty()) return Done(Ok);
  // At natural size an image lands on whole pixels, whatever the pixel offset.
  QPainter& P = FImpl->Painter;
  const QImage Src = QtGraphicsBridge::BitmapImage(const_cast<TBitmap*>(&Image->Pixels()));
  P.save();
  P.setTransform(QTransform());
  P.drawImage(QPoint(static_cast<int>(std::lround(X)) - FImpl->Org.X, static_cast<int>(std::lround(Y)) - FImpl->Org.Y),
              Src);
  P.restore();
  return Done(Ok);
}

TStatus TGPGraphics::DrawImage(const TGPImage* Image, Integer X, Integer Y) {
  return DrawImage(Image, static_cast<float>(X), static_cast<float>(Y));
}

TStatus TGPGraphics::DrawImage(const TGPImage* Image, const TGPRectF& R) {
  if (!Image || !FImpl->Ready()) return Done(InvalidParameter);
  if (Image->Pixels().Empty()) return Done(Ok);
  const QImage Src = QtGraphicsBridge::BitmapImage(const_cast<TBitmap*>(&Image->Pixels()));
  FImpl->Painter.drawImage(ToQ(R).translated(-FImpl->PixelShift(), -FImpl->PixelShift()), Src);
  return Done(Ok);
}

TStatus TGPGraphics::DrawString(const String& Text, const TGPFont* Font, const TGPRectF& LayoutRect,
                                const TGPStringFormat* Format, const TGPBrush* Brush) {
  if (!Font || !Brush || !FImpl->Ready()) return Done(InvalidParameter);
  const TGPStringFormat Default;
  const TGPStringFormat& F = Format ? *Format : Default;
  const QFont QF = ToQFont(*Font);
  const TTextBlock B = LayOut(Text, QF, LayoutRect, F);
  const bool Rtl = (F.GetFormatFlags() & StringFormatFlagsDirectionRightToLeft) != 0;
  QPainter& P = FImpl->Painter;
  P.save();
  if (!(F.GetFormatFlags() & StringFormatFlagsNoClip) && LayoutRect.Width > 0 && LayoutRect.Height > 0)
    P.setClipRect(ToQ(LayoutRect), Qt::IntersectClip);
  P.setFont(QF);
  P.setPen(QPen(Brush->GetImpl()->ToQBrush(), 0));
  const qreal BlockH = B.LineHeight * B.Lines.size();
  qreal Y = LayoutRect.Y;
  if (F.GetLineAlignment() == StringAlignmentCenter)
    Y += (LayoutRect.Height - BlockH) / 2;
  else if (F.GetLineAlignment() == StringAlignmentFar)
    Y += LayoutRect.Height - BlockH;
  const QFontMetricsF M(QF, &MeasureDevice());
  // Pixel centres are on whole coordinates; text is laid out on pixel edges.
  const qreal Shift = FImpl->PixelShift();
  for (const QString& Line : B.Lines) {
    const qreal W = M.horizontalAdvance(Line);
    TStringAlignment A = F.GetAlignment();
    if (Rtl && A != StringAlignmentCenter) A = A == StringAlignmentNear ? StringAlignmentFar : StringAlignmentNear;
    qreal X = LayoutRect.X + B.Padding;
    const qreal Inner = LayoutRect.Width > 0 ? LayoutRect.Width - 2 * B.Padding : W;
    if (A == StringAlignmentCenter)
      X += (Inner - W) / 2;
    else if (A == StringAlignmentFar)
      X += Inner - W;
    QTextLayout Layout(Line, QF, &MeasureDevice());
    QTextOption Option;
    Option.setTextDirection(Rtl ? Qt::RightToLeft : Qt::LeftToRight);
    Option.setWrapMode(QTextOption::NoWrap);
    Layout.setTextOption(Option);
    Layout.beginLayout();
    QTextLine L = Layout.createLine();
    if (L.isValid()) L.setLineWidth(W);
    Layout.endLayout();
    Layout.draw(&P, QPointF(X - Shift, Y - Shift));
    Y += B.LineHeight;
  }
  P.restore();
  return Done(Ok);
}

TStatus TGPGraphics::MeasureString(const String& Text, const TGPFont* Font, const TGPRectF& LayoutRect,
                                   const TGPStringFormat* Format, TGPRectF& BoundingBox) {
  if (!Font) return Done(InvalidParameter);
  const TGPStringFormat Default;
  const TTextBlock B = LayOut(Text, ToQFont(*Font), LayoutRect, Format ? *Format : Default);
  qreal W = Text.empty() ? 0 : B.Width + 2 * B.Padding;
  const bool NoWrap = Format && (Format->GetFormatFlags() & StringFormatFlagsNoWrap);
  if (LayoutRect.Width > 0 && !NoWrap) W = std::min<qreal>(W, LayoutRect.Width);
  qreal H = Text.empty() ? 0 : B.LineHeight * B.Lines.size();
  if (LayoutRect.Height > 0) H = std::min<qreal>(H, LayoutRect.Height);
  BoundingBox = TGPRectF{LayoutRect.X, LayoutRect.Y, static_cast<float>(W), static_cast<float>(H)};
  return Done(Ok);
}

TStatus TGPGraphics::SetClip(const TGPGraphicsPath* Path, TCombineMode Mode) {
  if (!Path || !FImpl->Ready()) return Done(InvalidParameter);
  FImpl->Combine(Path->GetImpl()->Path, Mode);
  return Done(Ok);
}

TStatus TGPGraphics::SetClip(const TGPRectF& R, TCombineMode Mode) {
  if (!FImpl->Ready()) return Done(WrongState);
  FImpl->Combine(RectPath(ToQ(R)), Mode);
  return Done(Ok);
}

TStatus TGPGraphics::SetClip(const TGPRect& R, TCombineMode Mode) {
  if (!FImpl->Ready()) return Done(WrongState);
  FImpl->Combine(RectPath(ToQ(R)), Mode);
  return Done(Ok);
}

TStatus TGPGraphics::SetClip(const TGPRegion* Region, TCombineMode Mode) {
  if (!Region || !FImpl->Ready()) return Done(InvalidParameter);
  if (Region->IsInfinite()) {
    if (Mode == CombineModeReplace || (Mode == CombineModeUnion)) {
      FImpl->HasClip = false;
      FImpl->Clip = QPainterPath();
      FImpl->Apply();
    } else if (Mode == CombineModeExclude) {
      FImpl->HasClip = true;
      FImpl->Clip = QPainterPath();
      FImpl->Apply();
    }
    return Done(Ok);
  }
  FImpl->Combine(Region->GetImpl()->Path, Mode);
  return Done(Ok);
}

TStatus TGPGraphics::ResetClip() {
  FImpl->HasClip = false;
  FImpl->Clip = QPainterPath();
  FImpl->Apply();
  return Done(Ok);
}

TStatus TGPGraphics::GetClip(TGPRegion* Region) const {
  if (!Region) return InvalidParameter;
  if (!FImpl->HasClip) {
    Region->MakeInfinite();
  } else {
    Region->MakeEmpty();
    Region->GetImpl()->Path = FImpl->World().inverted().map(FImpl->Clip);
  }
  return Ok;
}

bool TGPGraphics::IsClipEmpty() const { return FImpl->HasClip && FImpl->Clip.isEmpty(); }

TGraphicsState TGPGraphics::Save() {
  FImpl->Saved.push_back({FImpl->Smoothing, FImpl->Offset, FImpl->Hint, FImpl->HasClip, FImpl->Clip});
  return static_cast<TGraphicsState>(FImpl->Saved.size());
}

TStatus TGPGraphics::Restore(TGraphicsState State) {
  if (State < 1 || State > FImpl->Saved.size()) return Done(InvalidParameter);
  const Impl::State& S = FImpl->Saved[State - 1];
  FImpl->Smoothing = S.Smoothing;
  FImpl->Offset = S.Offset;
  FImpl->Hint = S.Hint;
  FImpl->HasClip = S.HasClip;
  FImpl->Clip = S.Clip;
  FImpl->Saved.resize(State - 1);
  FImpl->Apply();
  return Done(Ok);
}
