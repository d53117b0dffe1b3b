// Streams: the base stream, file streams and memory streams.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/rtl/Classes.h"

// ---------------------------------------------------------------------------------------------
// TStream

Int64 TStream::Size() {
  const Int64 pos = Seek(0, soCurrent);
  const Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(Int64 /*NewSize*/) {}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError(u"Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  const Int64 total = Count;
  char buf[65536];
  while (Count > 0) {
    const Int64 n = Count > static_cast<Int64>(sizeof buf) ? static_cast<Int64>(sizeof buf) : Count;
    Source->ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    Count -= n;
  }
  return total;
}

std::string TStream::ReadAllBytes() {
  std::string out;
  char buf[65536];
  while (true) {
    const Int64 n = Read(buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// THandleStream / TFileStream

Int64 THandleStream::Read(void* Buffer, Int64 Count) {
  auto* p = static_cast<char*>(Buffer);
  Int64 done = 0;
  while (done < Count) {
    const ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 THandleStream::Write(const void* Buffer, Int64 Count) {
  const auto* p = static_cast<const char*>(Buffer);
  Int64 done = 0;
  while (done < Count) {
    const ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  return static_cast<Int64>(::lseek(FHandle, static_cast<off_t>(Offset), whence));
}

void THandleStream::SetSize(Int64 NewSize) {
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) throw EWriteError(u"Stream write error");
  if (Position() > NewSize) SetPosition(NewSize);
}

TFileStream::TFileStream(const String& FileName, Word Mode) : THandleStream(-1), FFileName(FileName) {
  const std::string path = StringToUtf8(FileName);
  if ((Mode & fmCreate) == fmCreate) {
    FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0) {
      const int err = errno;
      throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + SysErrorMessage(err));
    }
    return;
  }
  // A file opened for reading only must be a regular file: a folder, a device or a pipe is refused
  // without waiting for a pipe's writer and without reading forever from a device.
  const Word access = Mode & 3;
  if (access != fmOpenWrite && access != fmOpenReadWrite) {
    FHandle = OpenRegularFile(FileName);
    return;
  }
  // Opened without waiting, so a pipe without a reader is refused; the writes then wait as usual.
  const int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (access == fmOpenWrite ? O_WRONLY : O_RDWR);
  FHandle = ::open(path.c_str(), flags);
  if (FHandle < 0) {
    const int err = errno;
    throw EFOpenError(u"Cannot open file \"" + FileName + u"\". " + SysErrorMessage(err));
  }
  const int status = ::fcntl(FHandle, F_GETFL);
  if (status != -1) ::fcntl(FHandle, F_SETFL, status & ~O_NONBLOCK);
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

// ---------------------------------------------------------------------------------------------
// TMemoryStream

Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
  const Int64 size = static_cast<Int64>(FData.size());
  if (Count <= 0 || FPosition >= size) return 0;
  const Int64 n = Count < size - FPosition ? Count : size - FPosition;
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  const Int64 end = FPosition + Count;
  if (end > static_cast<Int64>(FData.size())) FData.resize(static_cast<size_t>(end), '\0');
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = static_cast<Int64>(FData.size()) + Offset; break;
  }
  if (FPosition < 0) FPosition = 0;
  return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) NewSize = 0;
  FData.resize(static_cast<size_t>(NewSize), '\0');
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  FData = Stream->ReadAllBytes();
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FData); }

void TMemoryStream::SaveToFile(const String& FileName) { WriteFileBytes(FileName, FData); }

// ---------------------------------------------------------------------------------------------
// TStringStream

TStringStream::TStringStream(std::string_view Bytes) { FData.assign(Bytes.data(), Bytes.size()); }

TStringStream::TStringStream(const String& Text, TEncoding Encoding) {
  FData = TextToBytes(Text, Encoding);
  // Without the byte-order mark.
  const size_t bom = Encoding == TEncoding::UTF8 ? 3 : (Encoding == TEncoding::ANSI ? 0 : 2);
  FData.erase(0, bom);
}
