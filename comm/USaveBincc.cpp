// The builder of the configuration image and the writing of the two bank files.
#include "comm/USaveBincc.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

String Reason(int Err) { return Utf8ToString(std::strerror(Err)); }

String Cannot_Write(const String& FileName, int Err) {
  return u"Cannot write the file \"" + FileName + u"\": " + Reason(Err);
}

// Writes Data to a new temporary file beside Target and returns its name. Every step is checked;
// on failure the temporary file is removed and EConfigImageError names the target.
String Write_Temporary(const String& Target, const Byte* Data, Integer Len) {
  const String Temp = Target + u".tmp";
  const std::string Path = StringToUtf8(Temp);
  const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (Fd < 0) throw EConfigImageError(Cannot_Write(Target, errno));
  Integer Done = 0;
  while (Done < Len) {
    const ssize_t N = ::write(Fd, Data + Done, static_cast<size_t>(Len - Done));
    if (N < 0) {
      if (errno == EINTR) continue;
      const int Err = errno;
      ::close(Fd);
      ::unlink(Path.c_str());
      throw EConfigImageError(Cannot_Write(Target, Err));
    }
    Done += static_cast<Integer>(N);
  }
  // The file is closed whether or not it reached the disk, so a failed flush leaks no descriptor.
  int Err = ::fsync(Fd) == 0 ? 0 : errno;
  if (::close(Fd) != 0 && Err == 0) Err = errno;
  if (Err != 0) {
    ::unlink(Path.c_str());
    throw EConfigImageError(Cannot_Write(Target, Err));
  }
  return Temp;
}

void Remove_File(const String& FileName) { ::unlink(StringToUtf8(FileName).c_str()); }

}  // namespace

TSaveBincc::TSaveBincc() : Bank1_Buf(Bank_Buf_Size, 0), Bank2_Buf(Bank_Buf_Size, 0) {}

void TSaveBincc::Build_Configuration_Image(const String& File_ParGen, const String& File_EnOcean,
                                           const TCatalog_EnOcean& Catalog) {
  FBuilt = false;
  Bank1_Len = 0;
  Bank2_Len = 0;

  Init_Default_Parameters(Param_Rec);
  Read_ParGen_XML(Param_Rec, File_ParGen);
  // The record tells the device where its EnOcean tables are; set whether or not "ParGen.xml"
  // exists, and before the checksum, which covers them.
  Param_Rec.Set_Cardinal(Bank1_Ofs::EnOcean_Address, EnOcean_Image_Base);
  Param_Rec.Set_Cardinal(Bank1_Ofs::EnOcean_Present, 1);

  EnOcean_ID_List = Read_EnOcean_XML(EnOcean_Image_Base, File_EnOcean, Catalog);
  // Refuse a network that does not fit in its bank before anything is serialised.
  const Int64 Size = EnOcean_Image_Size(EnOcean_ID_List);
  if (Size > Bank_Buf_Size) {
    throw EConfigImageError(u"The EnOcean network needs " + IntToStr(Size) +
                            u" bytes in the configuration image, more than the " +
                            IntToStr(static_cast<Int64>(Bank_Buf_Size)) + u" bytes it can hold.");
  }

  Bank1_Len = Write_Param_Bank(Param_Rec, 0, Bank1_Buf);
  Bank2_Len = Write_EnOcean_Bank(EnOcean_ID_List, 0, Bank2_Buf);
  FBuilt = true;
}

void TSaveBincc::Create_Bin(const String& File_ParGen, const String& File_EnOcean,
                            const TCatalog_EnOcean& Catalog) {
  Build_Configuration_Image(File_ParGen, File_EnOcean, Catalog);
}

void TSaveBincc::Save_Bin(const String& Path_Conf) const { Save_Bin_Files(Path_Conf); }

void TSaveBincc::Save_Bin_Files(const String& Path_Conf) const {
  if (!FBuilt) throw EConfigImageError(u"The configuration image has not been built.");
  const String Dir = Path_Conf + PathDelim + u"bin" + PathDelim;
  const String Bank1 = Dir + u"bank1.bin";
  const String Bank2 = Dir + u"bank2.bin";

  // Both files are written completely before either replaces its old version.
  const String Temp1 = Write_Temporary(Bank1, Bank1_Buf.data(), Bank1_Len);
  String Temp2;
  try {
    Temp2 = Write_Temporary(Bank2, Bank2_Buf.data(), Bank2_Len);
  } catch (...) {
    Remove_File(Temp1);
    throw;
  }
  if (std::rename(StringToUtf8(Temp1).c_str(), StringToUtf8(Bank1).c_str()) != 0) {
    const int Err = errno;
    Remove_File(Temp1);
    Remove_File(Temp2);
    throw EConfigImageError(Cannot_Write(Bank1, Err));
  }
  if (std::rename(StringToUtf8(Temp2).c_str(), StringToUtf8(Bank2).c_str()) != 0) {
    const int Err = errno;
    Remove_File(Temp2);
    throw EConfigImageError(Cannot_Write(Bank2, Err));
  }
}
