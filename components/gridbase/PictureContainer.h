// Pictures for mini-HTML texts: THTMLPicture keeps the raw bytes of a picture file and decodes them
// with the platform's picture loader (it knows the frames of a GIF file); THTMLPictureCache is an
// owning list of such pictures found by identifier (pictures named by "://" sources);
// TPictureContainer is a component with a named collection of pictures (sources without ":").
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Component.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Threads.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class THTMLPicture;

using TDownloadProgressEvent = std::function<void(TObject* Sender, Cardinal dwSize, Cardinal dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& err)>;

// The raw-data resources of the program (the stand-in for the module's RCDATA resources), found by
// name in any letter case; a resource by number n is the name "#n". Later additions of a name
// replace earlier ones.
void RegisterRCDataResource(const String& Name, std::vector<Byte> Data);
// True and the bytes when the program holds a raw-data resource of that name.
bool FindRCDataResource(const String& Name, std::vector<Byte>& Data);

// A picture kept as the bytes of its file. Decoding happens after every load and frame change;
// a GIF is decoded one frame at a time (the frame's own image at its own size, placed by the
// caller at FrameXPos, FrameYPos).
class THTMLPicture : public TGraphic {
 public:
  THTMLPicture();
  ~THTMLPicture() override;
  String ClassName() const override { return u"THTMLPicture"; }

  // From another THTMLPicture: its bytes, decoded anew at frame 1. nullptr empties the picture;
  // other sources leave it reset and empty.
  void Assign(TPersistent* Source) override;
  bool Empty() const override { return FIsEmpty; }
  // The decoded picture's size at 96 pixels per inch; 0 without one.
  Integer Width() const override;
  Integer Height() const override;
  // The size follows the picture: setting it does nothing.
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}

  // Loads the file's bytes; any failure (reading or decoding) is swallowed and leaves the picture
  // empty. Only a regular file of at most MaxPictureFileSize bytes is read: a device, a pipe or a
  // larger file loads nothing.
  void LoadFromFile(const String& FileName) override;
  // Loads the bytes from the stream's position to its end (nothing for nullptr); decoding errors
  // propagate.
  void LoadFromStream(TStream* Stream) override;
  // Writes the raw bytes (nothing for nullptr).
  void SaveToStream(TStream* Stream) override;
  void LoadFromMemory(const Byte* Data, size_t Size) override;
  std::vector<Byte> SaveToMemory() const override;
  // Streaming of the bytes: ReadData loads like LoadFromStream without the change event.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  // The raw-data resource of that name, when the program holds one; otherwise nothing.
  void LoadFromResourceName(const String& ResName);
  // The raw-data resource of that number; EResNotFound when the program holds none.
  void LoadFromResourceID(Integer ResID);
  // "RES://name" and "FILE://path" load (the prefix in any case); any other URL loads nothing:
  // synchronously it only records the URL as the picture's identifier, asynchronously it starts
  // the (idle) download thread once.
  void LoadFromURL(const String& url);

  // Nothing when empty. With Stretch the picture fills Rect; otherwise it is drawn at Rect's
  // top-left in its natural size for the canvas's resolution.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

  bool Stretch() const { return FStretched; }
  void SetStretch(bool Value) { FStretched = Value; }
  bool Busy() const { return FThreadBusy; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  const String& ID() const { return FID; }
  void SetID(const String& Value) { FID = Value; }
  const String& URL() const { return FURL; }
  bool IsDB() const { return FIsDB; }
  void SetIsDB(bool Value) { FIsDB = Value; }

  // GIF frames. A frame is a graphic control extension directly followed by an image descriptor.
  // True when the data holds at least 5 bytes and begins with "GIF8".
  bool IsGIF() const;
  // The number of frames (counted once), -1 when the data is not a GIF.
  Integer FrameCount();
  // The delay of frame i (1-based) in hundredths of a second, -1 when there is no such frame; also
  // records that frame's transparency flag and disposal method.
  Integer GetFrameTime(Integer i);
  Integer Frame() const { return FFrame; }
  // Selects frame Value (1-based) and decodes it when the picture holds data; fires OnFrameChange.
  void SetFrame(Integer Value);
  // The next frame number (1 after the last) and the previous one (the last before 1); the
  // picture is not decoded again.
  void FrameNext();
  void FramePrev();
  // One animation tick: true when the picture moved to its next frame.
  bool Step();
  // The logical screen of a GIF, else the picture's size.
  Integer MaxWidth() const;
  Integer MaxHeight() const;
  Integer FrameXPos() const { return FFrameXPos; }
  Integer FrameYPos() const { return FFrameYPos; }
  Integer FrameXSize() const { return FFrameXSize; }
  Integer FrameYSize() const { return FFrameYSize; }
  bool FrameTransp() const { return FFrameTransp; }
  Integer FrameDisposal() const { return FFrameDisposal; }

  TNotifyEvent OnFrameChange;
  // Kept for the download a picture would start; this system downloads nothing, so they never fire.
  TDownloadProgressEvent OnDownLoadProgress;
  TDownloadCancelEvent OnDownLoadCancel;
  TDownloadCompleteEvent OnDownLoadComplete;
  TDownloadErrorEvent OnDownLoadError;

 private:
  // Takes new bytes: a new picture starts at frame 1 with its frames not counted yet.
  void SetData(const Byte* Data, size_t Size);
  // Takes new bytes and decodes them; on failure the picture is left empty and the error raised.
  void LoadBytes(const Byte* Data, size_t Size, bool Notify);
  // Decodes the data for the current frame; raises on a picture the loader does not accept.
  void RebuildPicture();
  // The byte offset of the n-th frame pattern (1-based), -1 when there is none.
  Int64 FramePattern(Integer n) const;
  void ResetFrames();

  std::vector<Byte> FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  std::unique_ptr<TGraphic> gpPicture;
  Integer FLogPixX = 96;
  Integer FLogPixY = 96;
  String FURL;
  String FID;
  bool FIsDB = false;
  bool FAsynch = true;
  bool FThreadBusy = false;
  Integer FFrame = 1;
  Integer FFrameCount = -1;
  Word FFrameXPos = 0;
  Word FFrameYPos = 0;
  Word FFrameXSize = 0;
  Word FFrameYSize = 0;
  bool FFrameTransp = false;
  Word FFrameDisposal = 0;
  Word FAnimMaxX = 0;
  Word FAnimMaxY = 0;
  Integer FNextCount = -1;
  Integer FTimerCount = -1;
};

// An owning list of pictures found by identifier.
class THTMLPictureCache : public TObject {
 public:
  THTMLPictureCache() = default;
  ~THTMLPictureCache() override;
  String ClassName() const override { return u"THTMLPictureCache"; }

  // A new empty picture at the end of the list.
  THTMLPicture* AddPicture();
  // The first picture whose ID equals ID exactly, nullptr when none does.
  THTMLPicture* FindPicture(const String& ID) const;
  // Frees every picture.
  void ClearPictures();
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  // EListError outside the list.
  THTMLPicture* GetPicture(Integer Index) const;
  // The cache takes Value over and frees the picture it replaces.
  void SetPicture(Integer Index, THTMLPicture* Value);
  // Steps every picture; true when any of them changed frame.
  bool Animate();

 private:
  std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

// One named picture of a container.
class TPictureItem : public TCollectionItem {
 public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  String ClassName() const override { return u"TPictureItem"; }
  // Name, Tag and picture of another TPictureItem; EInvalidCast for anything else.
  void Assign(TPersistent* Source) override;

  THTMLPicture* Picture() const { return FPicture.get(); }
  // Copies Value (Assign).
  void SetPicture(THTMLPicture* Value);
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }

 private:
  std::unique_ptr<THTMLPicture> FPicture;
  Integer FTag = 0;
  String FName;
};

class TPictureCollection : public TOwnedCollection {
 public:
  explicit TPictureCollection(TPersistent* AOwner);
  String ClassName() const override { return u"TPictureCollection"; }
  TPictureItem* Add();
  TPictureItem* Insert(Integer Index);
  TPictureItem* GetItem(Integer Index) const;
  TPictureItem* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TPictureItem* Value);
  // Steps the pictures of all items; true when any of them changed frame.
  bool Animate();
};

// A component holding named pictures.
class TPictureContainer : public TComponent {
 public:
  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;
  String ClassName() const override { return u"TPictureContainer"; }

  TPictureCollection* Items() const { return FItems.get(); }
  // Copies the items of Value.
  void SetItems(TPictureCollection* Value);
  // The picture of the first item whose name equals s in any letter case, nullptr when none.
  virtual THTMLPicture* FindPicture(const String& s);

 private:
  std::unique_ptr<TPictureCollection> FItems;
};

// The thread started for an asynchronous URL load. Downloading is not part of this system: the
// thread ends at once and frees itself.
class TDownLoadThread : public TThread {
 public:
  explicit TDownLoadThread(THTMLPicture* aHTMLPicture);
  String ClassName() const override { return u"TDownLoadThread"; }
  THTMLPicture* HTMLPicture() const { return FHTMLPicture; }

 protected:
  void Execute() override;

 private:
  THTMLPicture* FHTMLPicture;
  struct StartGate;
  std::shared_ptr<StartGate> FGate;
};
