#include "platform/os/SharedLibrary.h"

#include <dlfcn.h>

#include "platform/rtl/SysUtils.h"

bool TSharedLibrary::Load() {
  std::call_once(Once_, [this] {
    // Local binding: the library's names do not take part in resolving anybody else's.
    Handle_ = dlopen(SoName_, RTLD_NOW | RTLD_LOCAL);
    if (!Handle_) {
      const char* Why = dlerror();
      Error_ = Why ? Why : std::string(SoName_) + ": cannot be loaded";
    }
  });
  return Handle_ != nullptr;
}

const std::string& TSharedLibrary::LoadError() {
  Load();
  return Error_;
}

void* TSharedLibrary::Find(const char* Name) { return Load() ? dlsym(Handle_, Name) : nullptr; }

void* TSharedLibrary::Need(const char* Name) {
  if (!Load()) throw Exception(u"The library " + Utf8ToString(SoName_) + u" could not be loaded: " + Utf8ToString(Error_));
  void* Address = dlsym(Handle_, Name);
  if (!Address) {
    throw Exception(u"The library " + Utf8ToString(SoName_) + u" has no function " + Utf8ToString(Name));
  }
  return Address;
}
