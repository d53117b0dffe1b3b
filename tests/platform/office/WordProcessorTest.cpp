#include "platform/office/WordProcessor.h"

#include <gtest/gtest.h>

#include "tests/platform/office/OfficeTestUtil.h"

using namespace OfficeTest;

namespace {

// The body as python-docx reads it: "p <text> [alignment]" per paragraph and "t <rows>x<cols>"
// with "c r,c <text> [alignment]" per cell, in document order.
const char* const DumpDocument = R"PY(
import sys, docx
from docx.table import Table
from docx.text.paragraph import Paragraph
d = docx.Document(sys.argv[1])
def al(p):
    return "" if p.alignment is None else " " + str(p.alignment).split(".")[-1].split(" ")[0]
for child in d.element.body.iterchildren():
    tag = child.tag.split("}")[1]
    if tag == "p":
        p = Paragraph(child, d)
        print("p " + p.text + al(p))
    elif tag == "tbl":
        t = Table(child, d)
        print("t %dx%d" % (len(t.rows), len(t.columns)))
        for r, row in enumerate(t.rows):
            for c, cell in enumerate(row.cells):
                print("c %d,%d %s%s" % (r, c, "|".join(p.text for p in cell.paragraphs), al(cell.paragraphs[0])))
print("spelling hidden" if d.settings.element.find(docx.oxml.ns.qn("w:hideSpellingErrors")) is not None else "spelling shown")
)PY";

TEST(WordProcessorTest, ANewDocumentWithATableAtItsStartIsWhatOtherProgramsRead) {
  TScratch Dir;
  auto App = TTextApplication::Create();
  TTextDocument* Doc = App->Documents().Add();
  Doc->SetShowSpellingErrors(false);
  App->Selection().TypeText(u"Caption");
  App->Selection().TypeParagraph();
  TTextTable* T = Doc->Tables().Add(Doc->Range(Doc->StartOfDocument(), Doc->StartOfDocument()), 2, 2);
  T->Cell(1, 1).InsertAfter(u"a");
  T->Cell(1, 2).InsertAfter(u"two\r\nlines");
  T->Cell(1, 2).SetParagraphAlignment(2);
  T->Cell(2, 1).InsertAfter(u"<&>");
  T->Cell(2, 1).SetParagraphAlignment(1);
  EXPECT_THROW(T->Cell(3, 1), EOleException);
  EXPECT_THROW(Doc->Tables().Add(Doc->Range(Doc->StartOfDocument(), Doc->StartOfDocument()), 1, 64), EOleException);
  Doc->SaveAs(Dir.File("new.docx"));
  App->Quit();
  EXPECT_EQ(RunPython(DumpDocument, {Dir.Path("new.docx")}),
            "t 2x2\nc 0,0 a\nc 0,1 two|lines RIGHT\nc 1,0 <&> CENTER\nc 1,1 \n"
            "p Caption\np \nspelling hidden\n");
}

TEST(WordProcessorTest, AnOpenedDocumentTakesATableAtABookmarkOrAtItsEnd) {
  TScratch Dir;
  // A document of another program with a bookmark "Here" in the middle of its second paragraph.
  RunPython(R"PY(
import sys, docx
from docx.oxml import OxmlElement
from docx.oxml.ns import qn
d = docx.Document()
d.add_paragraph("First")
p = d.add_paragraph("Before ")
start = OxmlElement("w:bookmarkStart"); start.set(qn("w:id"), "0"); start.set(qn("w:name"), "Here")
end = OxmlElement("w:bookmarkEnd"); end.set(qn("w:id"), "0")
p._p.append(start); p._p.append(end)
p.add_run("after")
d.add_paragraph("Last")
d.save(sys.argv[1])
)PY",
            {Dir.Path("doc.docx")});

  auto App = TTextApplication::Create();
  TTextDocument* Doc = App->Documents().Open(Dir.File("doc.docx"));
  EXPECT_TRUE(Doc->BookmarkExists(u"here"));
  EXPECT_FALSE(Doc->BookmarkExists(u"There"));
  TTextTable* T = Doc->Tables().Add(Doc->GotoBookmark(u"Here"), 1, 1);
  T->Cell(1, 1).InsertAfter(u"at mark");
  Doc->AddParagraph();
  App->Selection().GotoLastLine();
  T = Doc->Tables().Add(Doc->Range(App->Selection().End(), App->Selection().End()), 1, 1);
  T->Cell(1, 1).InsertAfter(u"at end");
  EXPECT_THROW(Doc->GotoBookmark(u"There"), EOleException);
  Doc->SaveAs(Dir.File("doc.docx"));
  App->Quit();
  const std::string Dump = RunPython(DumpDocument, {Dir.Path("doc.docx")});
  // python-docx's own template starts with its styles: they are kept, and so is the bookmark.
  EXPECT_EQ(Dump,
            "p First\np Before \nt 1x1\nc 0,0 at mark\np after\np Last\nt 1x1\nc 0,0 at end\np \nspelling shown\n");
  EXPECT_EQ(RunPython("import sys, docx\nd = docx.Document(sys.argv[1])\nprint(d.paragraphs[0].style.name, "
                      "len(d.element.body.xpath('.//w:bookmarkStart')))",
                      {Dir.Path("doc.docx")}),
            "Normal 1\n");
}

TEST(WordProcessorTest, FilesThatAreNoDocumentRaiseTheAutomationError) {
  TScratch Dir;
  auto App = TTextApplication::Create();
  EXPECT_THROW(App->Documents().Open(Dir.File("missing.docx")), EOleException);
  if (FILE* F = std::fopen(Dir.Path("bad.docx").c_str(), "wb")) {
    std::fputs("PK\x03\x04 not really", F);
    std::fclose(F);
  }
  EXPECT_THROW(App->Documents().Open(Dir.File("bad.docx")), EOleException);
  EXPECT_EQ(App->Documents().Count(), 0);
  EXPECT_THROW(App->Selection(), EOleException);
  App->Quit();
}


TEST(WordProcessorTest, ContentReadIntoADocumentTakesTheTypingAtItsStart) {
  // The insertion point of the replaced content does not outlive it (found by docx_fuzz under
  // AddressSanitizer: the typing went to the freed old content).
  TScratch Dir;
  std::string Bytes;
  if (FILE* F = std::fopen(FixturePath("docx/plain.docx").c_str(), "rb")) {
    char Buf[4096];
    size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) Bytes.append(Buf, N);
    std::fclose(F);
  }
  auto App = TTextApplication::Create();
  TTextDocument* Doc = App->Documents().Add();
  App->Selection().TypeText(u"lost");
  office::ReadDocx(*Doc, Bytes);
  App->Selection().TypeText(u"First");
  Doc->SaveAs(Dir.File("typed.docx"));
  App->Quit();
  const std::string Dump = RunPython(DumpDocument, {Dir.Path("typed.docx")});
  EXPECT_EQ(Dump.substr(0, 7), "p First") << Dump;
  EXPECT_EQ(Dump.find("lost"), std::string::npos) << Dump;
}

}  // namespace
