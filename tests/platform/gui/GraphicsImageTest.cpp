// Bitmaps (pixel formats, scan lines, BMP files), JPEG images, icons, pictures and image lists.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"
#include "tests/TempFolder.h"
#include "tests/platform/rtl/FileSizeLimit.h"

namespace {

std::string Fixture(const char* Name) {
  return std::string(KP_FIXTURES_DIR) + "/platform/gui/graphics/" + Name;
}

std::vector<Byte> ReadBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::vector<Byte>(std::istreambuf_iterator<char>(In), {});
}

String ToStr(const std::string& S) { return Utf8ToString(S); }

// A scratch file in a folder of its own, removed at the end of the test.
struct TTempFile {
  TTempFolder Folder{"graphics"};
  std::string Path;
  explicit TTempFile(const char* Name) : Path(Folder.FsPath(Name).string()) {}
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Bitmaps

TEST(GraphicsBitmap, ScanLinesUseTheWindowsByteOrder) {
  struct Row {
    const char* Name;
    TPixelFormat Format;
    std::vector<Byte> Expected;
  } Rows[] = {{"24 bits", pf24bit, {0x30, 0x20, 0x10}},
              {"32 bits", pf32bit, {0x30, 0x20, 0x10, 0xFF}},
              {"device", pfDevice, {0x30, 0x20, 0x10, 0xFF}}};
  for (const Row& R : Rows) {
    TBitmap B;
    B.SetPixelFormat(R.Format);
    B.SetSize(3, 2);
    B.Canvas()->SetPixels(1, 1, RGB(0x10, 0x20, 0x30));
    const Byte* P = static_cast<const Byte*>(B.ScanLine(1)) + R.Expected.size();
    EXPECT_EQ(std::vector<Byte>(P, P + R.Expected.size()), R.Expected) << R.Name;
    EXPECT_EQ(B.BytesPerScanLine() % 4, 0) << R.Name;
    EXPECT_EQ(B.PixelFormat(), R.Format) << R.Name;
  }
  TBitmap B;
  B.SetSize(2, 2);
  EXPECT_THROW(B.ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(B.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(GraphicsBitmap, SidesAreKeptWhileTheOtherIsZeroAndNewPixelsAreWhite) {
  TBitmap B;
  B.SetWidth(5);
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.Width(), 5);
  B.SetHeight(3);
  EXPECT_FALSE(B.Empty());
  EXPECT_EQ(B.Canvas()->Pixels(4, 2), clWhite);
  B.Canvas()->SetPixels(0, 0, clRed);
  B.SetSize(6, 4);
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(B.Canvas()->Pixels(5, 3), clWhite);
  TBitmap A;
  A.SetPixelFormat(pf32bit);
  A.SetSize(1, 1);
  const Byte* P = static_cast<const Byte*>(A.ScanLine(0));
  EXPECT_EQ(P[3], 0) << "new 32-bit pixels are transparent";
}

TEST(GraphicsBitmap, HandWrittenBmpFilesLoad) {
  struct Row {
    const char* File;
    Integer W, H;
    TPixelFormat Format;
    std::vector<TColor> Pixels;  // top-down
  } Rows[] = {
      {"rgbw-2x2-24bit.bmp", 2, 2, pf24bit, {clRed, clLime, clBlue, clWhite}},
      {"pal8-3x1.bmp", 3, 1, pf24bit, {RGB(0, 128, 255), clRed, clBlack}},
      {"rle8-4x2.bmp", 4, 2, pf24bit,
       {clBlack, clBlack, RGB(0, 128, 255), RGB(0, 128, 255), clRed, clRed, clRed, clRed}},
      {"rgb555-2x1-16bit.bmp", 2, 1, pf24bit, {clRed, clLime}},
      {"topdown-1x2-32bit.bmp", 1, 2, pf32bit, {RGB(3, 2, 1), RGB(0x30, 0x20, 0x10)}},
  };
  for (const Row& R : Rows) {
    TBitmap B;
    B.LoadFromFile(ToStr(Fixture(R.File)));
    EXPECT_EQ(B.Width(), R.W) << R.File;
    EXPECT_EQ(B.Height(), R.H) << R.File;
    EXPECT_EQ(B.PixelFormat(), R.Format) << R.File;
    std::vector<TColor> Got;
    for (Integer Y = 0; Y < B.Height(); ++Y)
      for (Integer X = 0; X < B.Width(); ++X) Got.push_back(B.Canvas()->Pixels(X, Y));
    EXPECT_EQ(Got, R.Pixels) << R.File;
  }
  // The fourth byte of a 32-bit file is kept.
  TBitmap B;
  B.LoadFromFile(ToStr(Fixture("topdown-1x2-32bit.bmp")));
  EXPECT_EQ(static_cast<const Byte*>(B.ScanLine(0))[3], 0x80);
}

TEST(GraphicsBitmap, SavingWritesTheSameBytesAsTheHandWrittenFile) {
  const std::vector<Byte> File = ReadBytes(Fixture("rgbw-2x2-24bit.bmp"));
  TBitmap B;
  B.LoadFromMemory(File.data(), File.size());
  EXPECT_EQ(B.SaveToMemory(), File);
  TTempFile Temp("graphics-roundtrip.bmp");
  B.SaveToFile(ToStr(Temp.Path));
  EXPECT_EQ(ReadBytes(Temp.Path), File);
}

TEST(GraphicsBitmap, RoundTripsKeepEveryByteInEachFormat) {
  for (TPixelFormat F : {pf24bit, pf32bit, pfDevice}) {
    TBitmap B;
    B.SetPixelFormat(F);
    B.SetSize(5, 3);  // odd width: rows are padded
    for (Integer Y = 0; Y < 3; ++Y) {
      Byte* P = static_cast<Byte*>(B.ScanLine(Y));
      for (Integer I = 0; I < 5 * (F == pf24bit ? 3 : 4); ++I) P[I] = static_cast<Byte>(Y * 40 + I * 7);
    }
    const std::vector<Byte> Bytes = B.SaveToMemory();
    TBitmap C;
    C.LoadFromMemory(Bytes.data(), Bytes.size());
    ASSERT_EQ(C.Width(), 5);
    ASSERT_EQ(C.Height(), 3);
    const Integer RowBytes = 5 * (F == pf24bit ? 3 : 4);
    for (Integer Y = 0; Y < 3; ++Y) {
      const Byte* P = static_cast<const Byte*>(B.ScanLine(Y));
      const Byte* Q = static_cast<const Byte*>(C.ScanLine(Y));
      EXPECT_EQ(std::vector<Byte>(P, P + RowBytes), std::vector<Byte>(Q, Q + RowBytes)) << F << " row " << Y;
    }
  }
}

TEST(GraphicsBitmap, BrokenFilesRaiseAndLeaveTheBitmapAsItWas) {
  const std::vector<Byte> Good = ReadBytes(Fixture("rgbw-2x2-24bit.bmp"));
  auto Patched = [&](size_t At, std::vector<Byte> Bytes) {
    std::vector<Byte> B = Good;
    std::copy(Bytes.begin(), Bytes.end(), B.begin() + At);
    return B;
  };
  struct Row {
    const char* Name;
    std::vector<Byte> Data;
  } Rows[] = {
      {"empty", {}},
      {"not a bitmap", Patched(0, {'X', 'M'})},
      {"truncated pixels", std::vector<Byte>(Good.begin(), Good.end() - 4)},
      {"header cut short", std::vector<Byte>(Good.begin(), Good.begin() + 30)},
      {"huge width", Patched(18, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"bad bit count", Patched(28, {7, 0})},
      {"pixels beyond the end", Patched(10, {0xFF, 0xFF, 0, 0})},
      {"unknown compression", Patched(30, {9, 0, 0, 0})},
  };
  for (const Row& R : Rows) {
    TBitmap B;
    B.SetSize(3, 3);
    EXPECT_THROW(B.LoadFromMemory(R.Data.data(), R.Data.size()), EInvalidGraphic) << R.Name;
    EXPECT_EQ(B.Width(), 3) << R.Name;
  }
}

TEST(GraphicsBitmap, StreamsReadExactlyOneBitmap) {
  const std::vector<Byte> File = ReadBytes(Fixture("rgbw-2x2-24bit.bmp"));
  TMemoryStream S;
  S.WriteBuffer(File.data(), static_cast<Int64>(File.size()));
  S.WriteBuffer("tail", 4);
  S.SetPosition(0);
  TBitmap B;
  B.LoadFromStream(&S);
  EXPECT_EQ(B.Width(), 2);
  EXPECT_EQ(S.Position(), static_cast<Int64>(File.size()));
}

TEST(GraphicsBitmap, ResourcesLoadByNameAndUnknownNamesRaise) {
  RegisterBitmapResource(u"TESTRGBW", ReadBytes(Fixture("rgbw-2x2-24bit.bmp")));
  TBitmap B;
  B.LoadFromResourceName(u"TestRgbw");
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed);
  EXPECT_THROW(B.LoadFromResourceName(u"NOSUCHBITMAP"), EResNotFound);
}

TEST(GraphicsBitmap, MaskTurnsTheKeyColourWhiteAndTheRestBlack) {
  TBitmap B;
  B.SetSize(2, 1);
  B.Canvas()->SetPixels(0, 0, clFuchsia);
  B.Canvas()->SetPixels(1, 0, clBlue);
  B.Mask(clFuchsia);
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(B.Canvas()->Pixels(1, 0), clBlack);
}

// ---------------------------------------------------------------------------------------------
// JPEG, PNG, GIF, icons, pictures

TEST(GraphicsJpeg, RoundTripKeepsSizeAndColoursAndQualityMatters) {
  TBitmap B;
  B.SetPixelFormat(pf24bit);
  B.SetSize(32, 16);
  for (Integer Y = 0; Y < 16; ++Y)
    for (Integer X = 0; X < 32; ++X) B.Canvas()->SetPixels(X, Y, RGB(X * 8, Y * 16, 128));
  TJPEGImage J;
  J.Assign(&B);
  J.SetCompressionQuality(95);
  const std::vector<Byte> High = J.SaveToMemory();
  J.SetCompressionQuality(10);
  const std::vector<Byte> Low = J.SaveToMemory();
  EXPECT_LT(Low.size(), High.size());
  TJPEGImage K;
  K.LoadFromMemory(High.data(), High.size());
  ASSERT_EQ(K.Width(), 32);
  ASSERT_EQ(K.Height(), 16);
  TBitmap D;
  D.Assign(&K);
  for (Integer Y = 0; Y < 16; Y += 5)
    for (Integer X = 0; X < 32; X += 7) {
      const Integer A = B.Canvas()->Pixels(X, Y), C = D.Canvas()->Pixels(X, Y);
      for (int Shift : {0, 8, 16})
        EXPECT_NEAR((A >> Shift) & 0xFF, (C >> Shift) & 0xFF, 12) << X << "," << Y;
    }
  const Byte Junk[] = {0xFF, 0xD8, 0xFF, 0x00, 0x01, 0x02};
  EXPECT_THROW(K.LoadFromMemory(Junk, sizeof Junk), EInvalidGraphic);
  EXPECT_EQ(K.Width(), 32) << "a failed load keeps the image";
}

TEST(GraphicsJpeg, GrayscaleEncodingGivesGreyPixels) {
  TBitmap B;
  B.SetSize(8, 8);
  B.Canvas()->Brush()->SetColor(clRed);
  B.Canvas()->FillRect(Rect(0, 0, 8, 8));
  TJPEGImage J;
  J.Assign(&B);
  J.SetGrayscale(true);
  const std::vector<Byte> Bytes = J.SaveToMemory();
  TJPEGImage K;
  K.LoadFromMemory(Bytes.data(), Bytes.size());
  EXPECT_TRUE(K.Grayscale());
  const TColor C = K.Bitmap()->GetImage() ? GraphicsBackend::GetPixel(*K.Bitmap()->GetImage(), 4, 4) : 0;
  EXPECT_EQ(GetRValue(C), GetGValue(C));
  EXPECT_EQ(GetGValue(C), GetBValue(C));
}

TEST(GraphicsPicture, LoadsByExtensionAndContent) {
  TPicture P;
  int Changes = 0;
  P.OnChange = [&](TObject*) { ++Changes; };
  P.LoadFromFile(ToStr(Fixture("rgbw-2x2-24bit.bmp")));
  ASSERT_NE(dynamic_cast<TBitmap*>(P.Graphic()), nullptr);
  EXPECT_EQ(P.Width(), 2);
  EXPECT_GT(Changes, 0);
  // PNG from our own encoder, read back by content.
  const std::vector<Byte> Png = GraphicsBackend::EncodePng(*P.Bitmap());
  TPicture Q;
  Q.LoadFromMemory(Png.data(), Png.size());
  ASSERT_NE(Q.Graphic(), nullptr);
  EXPECT_EQ(Q.Bitmap()->Canvas()->Pixels(1, 0), clLime);
  EXPECT_EQ(Q.Bitmap()->Canvas()->Pixels(0, 1), clBlue);
}

TEST(GraphicsPicture, GifGivesItsFirstFrameAtTheFramesOwnSize) {
  TPicture P;
  P.LoadFromFile(ToStr(Fixture("frame-at-1-2.gif")));
  ASSERT_EQ(P.Width(), 2);
  ASSERT_EQ(P.Height(), 1);
  EXPECT_EQ(P.Bitmap()->Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(P.Bitmap()->Canvas()->Pixels(1, 0), clRed);
}

TEST(GraphicsPicture, MetafilesAndUnknownKindsFailCleanly) {
  TPicture P;
  P.LoadFromFile(ToStr(Fixture("rgbw-2x2-24bit.bmp")));
  TTempFile Wmf("graphics-picture.wmf");
  {
    std::ofstream Out(Wmf.Path, std::ios::binary);
    const char Placeable[] = {'\xD7', '\xCD', '\xC6', '\x9A', 0, 0, 0, 0};
    Out.write(Placeable, sizeof Placeable);
  }
  EXPECT_THROW(P.LoadFromFile(ToStr(Wmf.Path)), EInvalidGraphic);
  EXPECT_EQ(P.Width(), 2) << "the picture keeps what it had";
  EXPECT_THROW(P.LoadFromFile(u"picture.xyz"), EInvalidGraphic);
  const Byte Emf[4] = {0xD7, 0xCD, 0xC6, 0x9A};
  EXPECT_THROW(LoadGraphicFromMemory(Emf, sizeof Emf), EInvalidGraphic);
  const Byte Text[] = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_EQ(LoadGraphicFromMemory(Text, sizeof Text), nullptr);
  TPicture Empty;
  EXPECT_THROW(Empty.LoadFromFile(u"/no/such/folder/picture.bmp"), EFOpenError);
  EXPECT_EQ(Empty.Graphic(), nullptr);
}

TEST(GraphicsIcon, LoadsTheHandWrittenIconAndSavesItBack) {
  auto Check = [](TIcon& I, const char* Name) {
    ASSERT_EQ(I.Width(), 2) << Name;
    ASSERT_EQ(I.Height(), 2) << Name;
    TBitmap B;
    B.SetSize(2, 2);
    B.Canvas()->Brush()->SetColor(clBlack);
    B.Canvas()->FillRect(Rect(0, 0, 2, 2));
    B.Canvas()->Draw(0, 0, &I);
    EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed) << Name;
    EXPECT_EQ(B.Canvas()->Pixels(1, 0), clBlack) << Name << ": transparent";
    EXPECT_EQ(B.Canvas()->Pixels(0, 1), clBlue) << Name;
    EXPECT_EQ(B.Canvas()->Pixels(1, 1), clGreen) << Name << ": half of full green";
  };
  TIcon I;
  I.LoadFromFile(ToStr(Fixture("alpha-2x2-32bit.ico")));
  Check(I, "loaded");
  const std::vector<Byte> Saved = I.SaveToMemory();
  TIcon J;
  J.LoadFromMemory(Saved.data(), Saved.size());
  Check(J, "saved and loaded again");
  const Byte NotIcon[] = {1, 2, 3, 4};
  EXPECT_THROW(J.LoadFromMemory(NotIcon, sizeof NotIcon), EInvalidGraphic);
  EXPECT_EQ(J.Width(), 2);
}

// ---------------------------------------------------------------------------------------------
// Saving to a file that cannot be finished

namespace {

// A bitmap whose stream form fails after its first bytes.
class TBrokenBitmap : public TBitmap {
 public:
  void SaveToStream(TStream* Stream) override {
    Stream->WriteBuffer(std::string_view("BM"));
    throw EInvalidGraphic(u"broken");
  }
};

}  // namespace

// A graphic saved to a file that cannot take it all (a full disk), or whose writing raises midway,
// leaves an old file as it was and a new one not there, nothing else in the folder, and the
// failure reaches the caller.
TEST(GraphicsFiles, SaveThatCannotFinishKeepsTheOldFileAndLeavesNoNewOne) {
  TBitmap Bitmap;
  Bitmap.SetSize(64, 64);
  TJPEGImage Jpeg;
  Jpeg.Assign(&Bitmap);
  TPicture Picture;
  Picture.SetBitmap(&Bitmap);
  TBrokenBitmap Broken;
  Broken.SetSize(2, 2);
  struct Writer {
    const char* Name;
    bool FullDisk;  // else the writing itself raises
    std::function<void(const String& File)> Save;
  };
  const Writer Writers[] = {
      {"bitmap", true, [&](const String& F) { Bitmap.SaveToFile(F); }},
      {"JPEG", true, [&](const String& F) { Jpeg.SaveToFile(F); }},
      {"picture", true, [&](const String& F) { Picture.SaveToFile(F); }},
      {"a graphic whose writing raises", false, [&](const String& F) { Broken.SaveToFile(F); }},
  };
  for (const Writer& W : Writers) {
    for (const bool Existed : {true, false}) {
      SCOPED_TRACE(std::string(W.Name) + (Existed ? ", over an old file" : ", a new file"));
      const TTempFolder Dir("graphics_save");
      const std::string Path = Dir.FsPath("saved.img").string();
      if (Existed) std::ofstream(Path, std::ios::binary) << "old content";
      try {
        std::unique_ptr<TFileSizeLimit> Limit;
        if (W.FullDisk) Limit = std::make_unique<TFileSizeLimit>(64);
        W.Save(ToStr(Path));
        ADD_FAILURE() << "no exception";
      } catch (const EWriteError&) {
        EXPECT_TRUE(W.FullDisk);
      } catch (const EInvalidGraphic&) {
        EXPECT_FALSE(W.FullDisk);
      }
      std::set<std::string> Entries;
      for (const auto& E : std::filesystem::directory_iterator(Dir.FsPath())) Entries.insert(E.path().filename().string());
      if (Existed) {
        const std::vector<Byte> Old = ReadBytes(Path);
        EXPECT_EQ(std::string(Old.begin(), Old.end()), "old content");
        EXPECT_EQ(Entries, std::set<std::string>{"saved.img"});
      } else {
        EXPECT_EQ(Entries, std::set<std::string>{});
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Image lists

TEST(GraphicsImageList, AddMaskedCutsAStripAndDrawsWithTransparency) {
  TImageList L(nullptr, 2, 2);
  TBitmap Strip;
  Strip.SetSize(4, 2);
  Strip.Canvas()->Brush()->SetColor(clFuchsia);
  Strip.Canvas()->FillRect(Rect(0, 0, 4, 2));
  Strip.Canvas()->SetPixels(0, 0, clRed);
  Strip.Canvas()->SetPixels(3, 1, clBlue);
  EXPECT_EQ(L.AddMasked(&Strip, clFuchsia), 0);
  EXPECT_EQ(L.Count(), 2);
  TBitmap B;
  B.SetSize(4, 2);
  B.Canvas()->Brush()->SetColor(clLime);
  B.Canvas()->FillRect(Rect(0, 0, 4, 2));
  L.Draw(B.Canvas(), 0, 0, 0);
  L.Draw(B.Canvas(), 2, 0, 1);
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(B.Canvas()->Pixels(1, 0), clLime);
  EXPECT_EQ(B.Canvas()->Pixels(3, 1), clBlue);
  EXPECT_EQ(B.Canvas()->Pixels(2, 1), clLime);
  L.Draw(B.Canvas(), 0, 0, 0, false);
  const TColor Grey = B.Canvas()->Pixels(0, 0);
  EXPECT_EQ(GetRValue(Grey), GetGValue(Grey));
  EXPECT_EQ(GetGValue(Grey), GetBValue(Grey));
  EXPECT_EQ(B.Canvas()->Pixels(1, 0), clLime);
  L.Draw(B.Canvas(), 0, 0, 5);  // out of range: nothing
  TBitmap G;
  EXPECT_TRUE(L.GetBitmap(1, &G));
  EXPECT_EQ(G.Width(), 2);
  EXPECT_FALSE(L.GetBitmap(2, &G));
  L.SetWidth(3);
  EXPECT_EQ(L.Count(), 0) << "a new size clears the list";
}
