// Fuzz entry point of the reader of saved tab strip options and look and feel: any input either
// raises one of the library's errors or loads, and what loaded saves to a text that loads again
// into a fresh tree and saves to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/tabs/TabStripClasses.h"
#include "platform/rtl/Classes.h"

namespace {

template <class TTree, class TLoad, class TSave>
void Check(const std::string& Bytes, TLoad Load, TSave Save) {
  TTree tree(nullptr);
  try {
    TStringStream in(Bytes);
    Load(&tree, &in);
  } catch (const Exception&) {
    return;
  }
  TStringStream first;
  Save(&tree, &first);
  TTree again(nullptr);
  TStringStream in(first.DataString());
  Load(&again, &in);
  TStringStream second;
  Save(&again, &second);
  if (first.DataString() != second.DataString()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check<TOptions>(bytes, LoadTabStripOptions, SaveTabStripOptions);
  Check<TTabStripLookAndFeel>(bytes, LoadTabStripLookAndFeel, SaveTabStripLookAndFeel);
  return 0;
}
