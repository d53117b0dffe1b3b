// Fuzz entry point of the document reader: bytes as a document package, a table added at its start,
// at each bookmark and at its end, and the document written back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/office/WordProcessor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  auto App = TTextApplication::Create();
  TTextDocument* Doc = App->Documents().Add();
  try {
    office::ReadDocx(*Doc, std::string(reinterpret_cast<const char*>(Data), Size));
    App->Selection().TypeText(u"a\r\nb");
    App->Selection().TypeParagraph();
    Doc->Tables().Add(Doc->Range(Doc->StartOfDocument(), Doc->StartOfDocument()), 1, 2)->Cell(1, 2).InsertAfter(u"x");
    if (Doc->BookmarkExists(u"b")) Doc->Tables().Add(Doc->GotoBookmark(u"b"), 2, 1)->Cell(2, 1).SetParagraphAlignment(2);
    Doc->AddParagraph();
    App->Selection().GotoLastLine();
    Doc->Tables().Add(Doc->Range(App->Selection().End(), App->Selection().End()), 1, 1);
  } catch (const Exception&) {
  }
  App->Quit();
  return 0;
}
