// Pictures of mini-HTML texts: loading from files, streams, resources and URLs, GIF frames and
// their animation, the picture cache and the picture container.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "components/gridbase/ExGridTypes.h"
#include "tests/components/gridbase/EsgHTMLETestUtil.h"
#include "tests/TempFolder.h"

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

// A file in a fresh temporary folder, removed with the folder.
class TempFile {
 public:
  TempFile(const std::string& Name, const std::vector<Byte>& Bytes) : Path_(Dir_.FsPath(Name)) {
    std::ofstream(Path_, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()),
                                                 static_cast<std::streamsize>(Bytes.size()));
  }
  String Path() const { return Utf8ToString(Path_.string()); }

 private:
  TTempFolder Dir_{"gridhtml"};
  std::filesystem::path Path_;
};

void Load(THTMLPicture& P, const std::vector<Byte>& Bytes) { P.LoadFromMemory(Bytes.data(), Bytes.size()); }

const std::vector<Byte> kTwoFrames =
    MakeGif(2, 1, {TGifFrame{0, 0, 10, 0x01, 0}, TGifFrame{1, 0, 25, 0x08, 1}});

}  // namespace

TEST(PictureContainer, LoadsFilesAndKeepsTheBytes) {
  const std::vector<Byte> Bmp = SolidBmp(5, 3, clRed);
  TempFile F("p.bmp", Bmp);
  THTMLPicture P;
  EXPECT_TRUE(P.Empty());
  Integer Changes = 0;
  P.OnChange = [&](TObject*) { ++Changes; };
  P.LoadFromFile(F.Path());
  EXPECT_FALSE(P.Empty());
  EXPECT_EQ(P.Width(), 5);
  EXPECT_EQ(P.Height(), 3);
  EXPECT_EQ(P.MaxWidth(), 5);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(P.SaveToMemory(), Bmp);
  TMemoryStream M;
  P.SaveToStream(&M);
  EXPECT_EQ(M.Size(), static_cast<Int64>(Bmp.size()));

  // Drawn at its natural size, or stretched.
  auto B = HtmlBitmap(20, 20);
  P.Draw(B->Canvas(), Rect(2, 2, 20, 20));
  EXPECT_EQ(B->Canvas()->Pixels(6, 4), clRed);
  EXPECT_EQ(B->Canvas()->Pixels(7, 4), clWhite);
  P.SetStretch(true);
  P.Draw(B->Canvas(), Rect(2, 2, 20, 20));
  EXPECT_EQ(B->Canvas()->Pixels(19, 19), clRed);
}

TEST(PictureContainer, FailedLoadsLeaveAnEmptyPicture) {
  // A text file: nothing raised, the picture stays empty.
  TempFile Text("t.txt", {'h', 'e', 'l', 'l', 'o'});
  THTMLPicture P;
  const std::vector<Byte> Bmp = SolidBmp(4, 4, clBlue);
  Load(P, Bmp);
  P.LoadFromFile(Text.Path());
  EXPECT_TRUE(P.Empty());
  EXPECT_EQ(P.Width(), 0);
  P.LoadFromFile(u"/nonexistent/folder/pic.bmp");
  EXPECT_TRUE(P.Empty());

  // Streams pass the decoding error on, and the picture is empty afterwards.
  TStringStream S("not a picture");
  try {
    P.LoadFromStream(&S);
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& E) {
    EXPECT_EQ(U8(E.Message()), "Could not load image. Invalid format");
  }
  EXPECT_TRUE(P.Empty());
  // Nothing for no stream.
  P.LoadFromStream(nullptr);
  EXPECT_TRUE(P.Empty());
}

TEST(PictureContainer, OnlyRegularFilesOfAPicturesSizeAreRead) {
  // Names that are no picture file: reading them whole would never end (a device), wait for a
  // writer (a pipe) or take the memory of a huge file. Each loads nothing and raises nothing.
  const TTempFolder Folder("gridhtml_notpic");
  const auto Dir = Folder.FsPath();
  const std::string Fifo = (Dir / "pipe.bmp").string();
  ASSERT_EQ(mkfifo(Fifo.c_str(), 0600), 0);
  const std::string Huge = (Dir / "huge.bmp").string();
  std::ofstream(Huge, std::ios::binary).write("BM", 2);
  std::filesystem::resize_file(Huge, static_cast<std::uintmax_t>(MaxPictureFileSize) + 1);  // sparse
  const struct {
    const char* Name;
    std::string Path;
  } Cases[] = {
      {"an endless device", "/dev/zero"},
      {"a pipe without a writer", Fifo},
      {"a file larger than a picture may be", Huge},
      {"a folder", Dir.string()},
  };
  for (const auto& C : Cases) {
    THTMLPicture P;
    P.LoadFromFile(Utf8ToString(C.Path));
    EXPECT_TRUE(P.Empty()) << C.Name;
    THTMLPicture U;
    U.LoadFromURL(u"FILE://" + Utf8ToString(C.Path));
    EXPECT_TRUE(U.Empty()) << C.Name;
  }
}

TEST(PictureContainer, ResourcesAndUrls) {
  RegisterRCDataResource(u"HtmlTestPic", SolidBmp(3, 2, clRed));
  struct Case {
    const char* Name;
    String Url;
    bool Empty;
    String ID;
  };
  const Case Cases[] = {
      {"a resource the program holds", u"res://HTMLTESTPIC", false, u"res://HTMLTESTPIC"},
      {"a resource the program does not hold", u"RES://nothing", true, u"RES://nothing"},
      {"no resource name", u"RES://", true, u"RES://"},
      {"no file name", u"file://", true, u"file://"},
      {"network source, synchronous", u"http://example.invalid/x.gif", true, u"http://example.invalid/x.gif"},
  };
  for (const Case& C : Cases) {
    THTMLPicture P;
    P.SetAsynch(false);
    P.LoadFromURL(C.Url);
    EXPECT_EQ(P.Empty(), C.Empty) << C.Name;
    EXPECT_EQ(U8(P.ID()), U8(C.ID)) << C.Name;
  }

  // A file URL.
  TempFile F("u.bmp", SolidBmp(7, 2, clRed));
  THTMLPicture P;
  P.LoadFromURL(u"file://" + F.Path());
  EXPECT_FALSE(P.Empty());
  EXPECT_EQ(P.Width(), 7);

  // A network source loaded asynchronously starts the (idle) download once and loads nothing.
  THTMLPicture A;
  A.LoadFromURL(u"http://example.invalid/y.gif");
  EXPECT_TRUE(A.Busy());
  EXPECT_TRUE(A.Empty());
  EXPECT_EQ(U8(A.URL()), "http://example.invalid/y.gif");
  EXPECT_EQ(U8(A.ID()), "");
  A.LoadFromURL(u"http://example.invalid/z.gif");
  EXPECT_EQ(U8(A.URL()), "http://example.invalid/y.gif");

  // By number: a missing one raises the resource error.
  THTMLPicture N;
  EXPECT_THROW(N.LoadFromResourceID(4711), EResNotFound);
  RegisterRCDataResource(u"#4711", SolidBmp(2, 2, clRed));
  N.LoadFromResourceID(4711);
  EXPECT_EQ(N.Width(), 2);
}

TEST(PictureContainer, GifFrames) {
  THTMLPicture P;
  Load(P, kTwoFrames);
  EXPECT_TRUE(P.IsGIF());
  EXPECT_EQ(P.FrameCount(), 2);
  EXPECT_EQ(P.Frame(), 1);
  // The first frame alone, at its own size; the logical screen is the maximum size.
  EXPECT_EQ(P.Width(), 1);
  EXPECT_EQ(P.MaxWidth(), 2);
  EXPECT_EQ(P.MaxHeight(), 1);
  EXPECT_EQ(P.FrameXPos(), 0);

  EXPECT_EQ(P.GetFrameTime(1), 10);
  EXPECT_TRUE(P.FrameTransp());
  EXPECT_EQ(P.GetFrameTime(2), 25);
  EXPECT_FALSE(P.FrameTransp());
  EXPECT_EQ(P.FrameDisposal(), 2);
  EXPECT_EQ(P.GetFrameTime(3), -1);

  Integer Changes = 0;
  P.OnFrameChange = [&](TObject*) { ++Changes; };
  P.SetFrame(2);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(P.FrameXPos(), 1);
  EXPECT_EQ(P.FrameYPos(), 0);
  EXPECT_EQ(P.Width(), 1);
  auto B = HtmlBitmap(4, 4);
  P.Draw(B->Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(B->Canvas()->Pixels(0, 0), clBlue);  // the second frame's own pixel

  P.FrameNext();
  EXPECT_EQ(P.Frame(), 1);
  P.FramePrev();
  EXPECT_EQ(P.Frame(), 2);
  P.FrameNext();
  P.FramePrev();
  EXPECT_EQ(P.Frame(), 2);

  // A frame the picture does not have shows the first one.
  P.SetFrame(7);
  EXPECT_EQ(P.FrameXPos(), 0);
  EXPECT_FALSE(P.Empty());

  // A new picture starts again at frame 1 with its own frame count.
  Load(P, MakeGif(1, 1, {TGifFrame{}}));
  EXPECT_EQ(P.Frame(), 1);
  EXPECT_EQ(P.FrameCount(), 1);
  EXPECT_EQ(P.Width(), 1);
}

TEST(PictureContainer, NotAGif) {
  THTMLPicture P;
  const std::vector<Byte> Short = {'G', 'I', 'F', '8'};
  EXPECT_THROW(Load(P, Short), Exception);
  EXPECT_FALSE(P.IsGIF());
  EXPECT_EQ(P.FrameCount(), -1);
  Load(P, SolidBmp(2, 2, clRed));
  EXPECT_FALSE(P.IsGIF());
  EXPECT_EQ(P.FrameCount(), -1);
  EXPECT_EQ(P.GetFrameTime(1), -1);
  EXPECT_FALSE(P.Step());
}

TEST(PictureContainer, AnimationSteps) {
  THTMLPictureCache Cache;
  THTMLPicture* P = Cache.AddPicture();
  Load(*P, kTwoFrames);
  Cache.AddPicture();  // an empty picture never steps
  // Frame 1 lasts 10 hundredths (one tick is 10), frame 2 lasts 25.
  std::string Frames;
  for (int I = 0; I < 8; ++I) {
    const bool Changed = Cache.Animate();
    Frames += Changed ? std::to_string(P->Frame()) : ".";
  }
  EXPECT_EQ(Frames, ".2..12.1");
}

TEST(PictureContainer, AssignCopiesTheBytes) {
  THTMLPicture A, B;
  Load(A, kTwoFrames);
  A.SetFrame(2);
  B.Assign(&A);
  EXPECT_FALSE(B.Empty());
  EXPECT_EQ(B.Frame(), 1);
  EXPECT_EQ(B.SaveToMemory(), kTwoFrames);
  // An empty picture copies as an empty picture; nullptr empties.
  THTMLPicture Empty;
  B.Assign(&Empty);
  EXPECT_TRUE(B.Empty());
  A.Assign(nullptr);
  EXPECT_TRUE(A.Empty());
  EXPECT_TRUE(A.SaveToMemory().empty());
}

TEST(PictureContainer, CacheFindsByExactIdentifier) {
  THTMLPictureCache Cache;
  THTMLPicture* A = Cache.AddPicture();
  A->SetID(u"http://a");
  EXPECT_EQ(Cache.FindPicture(u"http://a"), A);
  EXPECT_EQ(Cache.FindPicture(u"HTTP://A"), nullptr);
  EXPECT_THROW(Cache.GetPicture(1), EListError);
  Cache.SetPicture(0, new THTMLPicture());
  EXPECT_EQ(Cache.FindPicture(u"http://a"), nullptr);
  Cache.ClearPictures();
  EXPECT_EQ(Cache.Count(), 0);
}

TEST(PictureContainer, ContainerFindsByNameInAnyCase) {
  TPictureContainer Box(nullptr);
  TPictureItem* Logo = Box.Items()->Add();
  Logo->SetName(u"Logo");
  Logo->SetTag(7);
  Load(*Logo->Picture(), SolidBmp(2, 2, clRed));
  Box.Items()->Add()->SetName(u"Other");
  EXPECT_EQ(Box.FindPicture(u"LOGO"), Logo->Picture());
  EXPECT_EQ(Box.FindPicture(u"logo"), Logo->Picture());
  EXPECT_EQ(Box.FindPicture(u"none"), nullptr);
  EXPECT_EQ(Box.Items()->Owner(), &Box);

  // Setting the items copies them, pictures included.
  TPictureContainer Copy(nullptr);
  Copy.SetItems(Box.Items());
  ASSERT_EQ(Copy.Items()->Count(), 2);
  EXPECT_EQ(U8(Copy.Items()->GetItem(0)->Name()), "Logo");
  EXPECT_EQ(Copy.Items()->GetItem(0)->Tag(), 7);
  EXPECT_EQ(Copy.FindPicture(u"logo")->Width(), 2);
  EXPECT_TRUE(Copy.Items()->GetItem(1)->Picture()->Empty());

  // An item takes only another item.
  TCollection Other([](TCollection* C) { return new TCollectionItem(C); });
  EXPECT_THROW(Logo->Assign(Other.Add()), EInvalidCast);
  EXPECT_THROW(Logo->Assign(nullptr), EInvalidCast);
  EXPECT_THROW(Box.Items()->GetItem(5), EListError);
}
