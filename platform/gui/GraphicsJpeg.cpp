// JPEG images through libjpeg: decoding into 24-bit pixels and encoding with a quality setting.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

const String kInvalidJpeg = u"JPEG image is not valid";
constexpr JDIMENSION kMaxSide = 32768;

// libjpeg reports fatal errors through error_exit; ours jumps back to the caller, which then
// raises an exception in C++ code (no exception ever unwinds through the library).
struct TErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr Info) {
  auto* Err = reinterpret_cast<TErrorManager*>(Info->err);
  (*Info->err->format_message)(Info, Err->Message);
  std::longjmp(Err->Jump, 1);
}

void Silent(j_common_ptr, int) {}

// Decodes into Out (pf24bit). False on any error; Error then holds libjpeg's text.
bool Decode(const Byte* Data, size_t Size, TBitmap::Image& Out, bool& Gray, std::string& Error) {
  jpeg_decompress_struct Info;
  TErrorManager Err;
  Info.err = jpeg_std_error(&Err.Base);
  Err.Base.error_exit = ErrorExit;
  Err.Base.emit_message = Silent;
  Err.Message[0] = 0;
  std::vector<Byte> Line;  // declared before the jump point, so a jump skips no destructor
  if (setjmp(Err.Jump)) {
    jpeg_destroy_decompress(&Info);
    Error = Err.Message;
    return false;
  }
  jpeg_create_decompress(&Info);
  jpeg_mem_src(&Info, const_cast<unsigned char*>(Data), static_cast<unsigned long>(Size));
  jpeg_read_header(&Info, TRUE);
  if (Info.image_width == 0 || Info.image_height == 0 || Info.image_width > kMaxSide ||
      Info.image_height > kMaxSide ||
      static_cast<Int64>(Info.image_width) * Info.image_height > (Int64(1) << 26)) {
    jpeg_destroy_decompress(&Info);
    Error = "image size out of range";
    return false;
  }
  const bool Cmyk = Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK;
  Gray = Info.jpeg_color_space == JCS_GRAYSCALE;
  Info.out_color_space = Cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&Info);
  GraphicsBackend::ResizeImage(Out, static_cast<Integer>(Info.output_width),
                               static_cast<Integer>(Info.output_height), pf24bit, 0);
  Line.resize(static_cast<size_t>(Info.output_width) * Info.output_components);
  while (Info.output_scanline < Info.output_height) {
    const Integer Y = static_cast<Integer>(Info.output_scanline);
    JSAMPROW Row = Cmyk ? Line.data() : Out.Row(Y);
    jpeg_read_scanlines(&Info, &Row, 1);
    if (Cmyk) {
      // Adobe writes CMYK inverted; then each channel times K gives the colour.
      const bool Inverted = Info.saw_Adobe_marker;
      Byte* P = Out.Row(Y);
      for (JDIMENSION X = 0; X < Info.output_width; ++X) {
        Cardinal C = Line[4 * X], M = Line[4 * X + 1], Ye = Line[4 * X + 2], K = Line[4 * X + 3];
        if (!Inverted) {
          C = 255 - C;
          M = 255 - M;
          Ye = 255 - Ye;
          K = 255 - K;
        }
        P[3 * X + 0] = static_cast<Byte>((Ye * K + 127) / 255);
        P[3 * X + 1] = static_cast<Byte>((M * K + 127) / 255);
        P[3 * X + 2] = static_cast<Byte>((C * K + 127) / 255);
      }
    }
  }
  jpeg_finish_decompress(&Info);
  jpeg_destroy_decompress(&Info);
  return true;
}

bool Encode(const TBitmap::Image& In, Integer Quality, bool Gray, std::vector<Byte>& Out,
            std::string& Error) {
  jpeg_compress_struct Info;
  TErrorManager Err;
  Info.err = jpeg_std_error(&Err.Base);
  Err.Base.error_exit = ErrorExit;
  Err.Base.emit_message = Silent;
  Err.Message[0] = 0;
  unsigned char* Buffer = nullptr;
  unsigned long BufferSize = 0;
  if (setjmp(Err.Jump)) {
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
    Error = Err.Message;
    return false;
  }
  jpeg_create_compress(&Info);
  jpeg_mem_dest(&Info, &Buffer, &BufferSize);
  Info.image_width = static_cast<JDIMENSION>(In.Width);
  Info.image_height = static_cast<JDIMENSION>(In.Height);
  Info.input_components = In.BytesPerPixel();
  Info.in_color_space = In.BytesPerPixel() == 3 ? JCS_EXT_BGR : JCS_EXT_BGRX;
  jpeg_set_defaults(&Info);
  if (Gray) jpeg_set_colorspace(&Info, JCS_GRAYSCALE);
  jpeg_set_quality(&Info, Quality, TRUE);
  jpeg_start_compress(&Info, TRUE);
  while (Info.next_scanline < Info.image_height) {
    JSAMPROW Row = const_cast<JSAMPROW>(In.Row(static_cast<Integer>(Info.next_scanline)));
    jpeg_write_scanlines(&Info, &Row, 1);
  }
  jpeg_finish_compress(&Info);
  Out.assign(Buffer, Buffer + BufferSize);
  jpeg_destroy_compress(&Info);
  std::free(Buffer);
  return true;
}

}  // namespace

TJPEGImage::TJPEGImage() { FBitmap.SetPixelFormat(pf24bit); }

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* Source) {
  if (auto* J = dynamic_cast<TJPEGImage*>(Source)) {
    if (J != this) {
      FBitmap.Assign(&J->FBitmap);
      FQuality = J->FQuality;
      FGrayscale = J->FGrayscale;
    }
    Changed();
    return;
  }
  if (auto* B = dynamic_cast<TBitmap*>(Source)) {
    FBitmap.Assign(B);
    FBitmap.SetPixelFormat(pf24bit);
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

bool TJPEGImage::Empty() const { return FBitmap.Empty(); }
Integer TJPEGImage::Width() const { return FBitmap.Width(); }
Integer TJPEGImage::Height() const { return FBitmap.Height(); }
void TJPEGImage::SetWidth(Integer) {
  throw EInvalidGraphicOperation(u"Cannot change the size of a JPEG image");
}
void TJPEGImage::SetHeight(Integer) {
  throw EInvalidGraphicOperation(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(Integer Value) {
  FQuality = std::clamp<Integer>(Value, 1, 100);
}

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  Changed();
}

void TJPEGImage::LoadFromMemory(const Byte* Data, size_t Size) {
  TBitmap::Image Pixels;
  bool Gray = false;
  std::string Error;
  if (!Data || Size == 0 || !Decode(Data, Size, Pixels, Gray, Error)) throw EInvalidGraphic(kInvalidJpeg);
  TBitmap::Image& Mine = *FBitmap.GetImage();
  Mine = std::move(Pixels);
  FBitmap.SetSize(Mine.Width, Mine.Height);  // the sizes follow the pixels already there
  FGrayscale = Gray;
  Changed();
}

std::vector<Byte> TJPEGImage::SaveToMemory() const {
  if (Empty()) throw EInvalidGraphicOperation(u"Cannot save an empty JPEG image");
  std::vector<Byte> Out;
  std::string Error;
  if (!Encode(*FBitmap.GetImage(), FQuality, FGrayscale, Out, Error))
    throw EInvalidGraphic(kInvalidJpeg);
  return Out;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& R) { FBitmap.Draw(ACanvas, R); }
