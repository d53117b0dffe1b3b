// A shared library loaded when it is first used instead of when the program starts: libraries that
// only some commands need (HTTP, office files, databases) then cost the start nothing.
#pragma once

#include <mutex>
#include <string>

// One library named by its file name with the ABI version (the loader's search path finds it).
// Safe to use from several threads; the library stays loaded until the process ends.
class TSharedLibrary {
 public:
  explicit TSharedLibrary(const char* SoName) : SoName_(SoName) {}
  TSharedLibrary(const TSharedLibrary&) = delete;
  TSharedLibrary& operator=(const TSharedLibrary&) = delete;

  // Loads the library at the first call; false when it cannot be loaded (LoadError() says why).
  bool Load();
  // The loader's message for a library that could not be loaded; empty otherwise.
  const std::string& LoadError();
  // The address of the named function, or nullptr when the library or the name is missing.
  void* Find(const char* Name);
  // The address of the named function; raises Exception naming the library and the function when
  // either is missing.
  void* Need(const char* Name);
  const char* SoName() const { return SoName_; }

 private:
  const char* SoName_;
  std::once_flag Once_;
  void* Handle_ = nullptr;
  std::string Error_;
};

// Calls the function Name of Lib, resolved at its first call: for a library function that the
// program calls under its own name (a forwarding definition with the header's prototype).
#define KP_LAZY_CALL(Lib, Name, ...)                                                    \
  ([]() {                                                                               \
    static const auto Fn = reinterpret_cast<decltype(&::Name)>((Lib).Need(#Name));      \
    return Fn;                                                                          \
  }())(__VA_ARGS__)
