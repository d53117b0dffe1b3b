#include "descriptions/GSDMLFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "descriptions/GSDMLFileName.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescTestFiles.h"
#include "tests/platform/xml/XmllintCheck.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TScratch;
using desc_test::Write_Bytes;

namespace {

// The element tree of a written file, read back with the document model (after the byte order
// mark).
void Load_Written(TXMLDocument& Doc, const String& FileName) {
  const std::string bytes = Read_Bytes(FileName);
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  Doc.LoadFromBytes(bytes.substr(3));
}

IXMLNode Find_Element(const IXMLNode& Node, const String& Name) {
  if (Node.NodeType() == ntElement && Node.NodeName() == Name) return Node;
  for (IXMLNode child : Node.ChildNodes()) {
    IXMLNode found = Find_Element(child, Name);
    if (!found.IsNull()) return found;
  }
  return IXMLNode();
}

void Collect(const IXMLNode& Node, std::multiset<String>& Ids,
             std::vector<std::pair<String, String>>& Refs, std::set<String>& Texts) {
  if (Node.NodeType() != ntElement) return;
  for (IXMLNode attr : Node.AttributeNodes()) {
    const String name = attr.NodeName();
    if (name == u"ID") Ids.insert(attr.Text());
    if (name == u"ModuleItemTarget" || name == u"ValueItemTarget" || name == u"MenuTarget" ||
        name == u"ParameterTarget" || name == u"TextId") {
      Refs.emplace_back(name, attr.Text());
    }
  }
  if (Node.NodeName() == u"Text" && Node.HasAttribute(u"TextId")) Texts.insert(Node.Attributes(u"TextId"));
  for (IXMLNode child : Node.ChildNodes()) Collect(child, Ids, Refs, Texts);
}

TEST(GSDMLFile, WritesTheTemplateWithTheLengthsOfParGen) {
  TScratch dir;
  const String name = u"GSDML-V2.31-Tavrel-GX31A09-20240307.xml";
  ASSERT_TRUE(Save_GSDML_File(dir.Path("chosen.xml"), name, Fixture("pargen/in10_out20.xml"), {}));
  const String file = dir.Path(StringToUtf8(name));
  // PROFINET_NB_OUT 20 is the input data item, PROFINET_NB_IN 10 the output one.
  EXPECT_EQ(Read_Bytes(file), Read_Bytes(Fixture("gsdml/in10_out20_serial.xml")));
  EXPECT_TRUE(Xmllint_Accepts(file));
}

TEST(GSDMLFile, ReadsTheValuesWithTheirDefaults) {
  struct Case {
    const char* Name;
    std::string ParGen;  // "" for no file
    Integer Input_Len, Output_Len;
    String Station;
  };
  const Case cases[] = {
      {"no_file", "", 1438, 1438, u"SERIAL"},
      {"lengths_crosswise",
       "<Par_Gen><PROFINET_NB_IN>10</PROFINET_NB_IN><PROFINET_NB_OUT>20</PROFINET_NB_OUT></Par_Gen>",
       20, 10, u"SERIAL"},
      {"not_numbers_keep_1438",
       "<Par_Gen><PROFINET_NB_IN>x</PROFINET_NB_IN><PROFINET_NB_OUT><a/></PROFINET_NB_OUT></Par_Gen>",
       1438, 1438, u"SERIAL"},
      {"hexadecimal_keeps_1438",
       "<Par_Gen><PROFINET_NB_IN>0x0A</PROFINET_NB_IN><PROFINET_NB_OUT>$14</PROFINET_NB_OUT></Par_Gen>",
       1438, 1438, u"SERIAL"},
      {"station_name_as_it_stands",
       "<Par_Gen><PROFINET_NAME_STA> gw-1 </PROFINET_NAME_STA></Par_Gen>", 1438, 1438, u" gw-1 "},
      {"blank_station_name", "<Par_Gen><PROFINET_NAME_STA>   </PROFINET_NAME_STA></Par_Gen>", 1438,
       1438, u"SERIAL"},
      {"empty_station_name", "<Par_Gen><PROFINET_NAME_STA/></Par_Gen>", 1438, 1438, u"SERIAL"},
      {"comment_before_the_root", Read_Bytes(Fixture("pargen/comment_before_root.xml")), 16, 32,
       u"gate-7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TScratch dir;
    const String file = dir.Path("ParGen.xml");
    if (!c.ParGen.empty()) Write_Bytes(file, c.ParGen);
    const TProfinet_Param param = Read_Profinet_Param(file);
    EXPECT_EQ(param.Profinet_Input_Len, c.Input_Len);
    EXPECT_EQ(param.Profinet_Output_Len, c.Output_Len);
    EXPECT_EQ(param.Profinet_Station_Name, c.Station);
  }
  EXPECT_THROW(Read_Profinet_Param(Fixture("pargen/not_well_formed.xml")), EXMLDocError);
}

TEST(GSDMLFile, AStationNameWithMarkupCharactersGivesWellFormedXml) {
  TScratch dir;
  const String station = u"A&B<C\"D'E>F\tG\x01H";
  Write_GSDML_File(dir.Path("out.xml"), TProfinet_Param{1, 2, station});
  EXPECT_TRUE(Xmllint_Accepts(dir.Path("out.xml")));
  TXMLDocument doc;
  Load_Written(doc, dir.Path("out.xml"));
  IXMLNode dap;
  for (IXMLNode node : doc.ChildNodes()) {
    if (dap.IsNull()) dap = Find_Element(node, u"DeviceAccessPointItem");
  }
  ASSERT_FALSE(dap.IsNull());
  // Everything XML can carry reads back as it was; the control character it cannot is left out.
  EXPECT_EQ(dap.Attributes(u"ImplementationType"), u"A&B<C\"D'E>F\tGH");
  EXPECT_EQ(dap.Attributes(u"DNS_CompatibleName"), u"A&B<C\"D'E>F\tGH");
}

TEST(GSDMLFile, IdsAreUniqueAndEveryReferenceResolves) {
  TScratch dir;
  Write_GSDML_File(dir.Path("out.xml"), TProfinet_Param());
  TXMLDocument doc;
  Load_Written(doc, dir.Path("out.xml"));
  std::multiset<String> ids;
  std::vector<std::pair<String, String>> refs;
  std::set<String> texts;
  for (IXMLNode node : doc.ChildNodes()) Collect(node, ids, refs, texts);

  for (const String& id : ids) EXPECT_EQ(ids.count(id), 1u) << StringToUtf8(id);
  for (const auto& [kind, target] : refs) {
    if (kind == u"TextId") {
      EXPECT_EQ(texts.count(target), 1u) << "text " << StringToUtf8(target);
    } else {
      EXPECT_EQ(ids.count(target), 1u) << StringToUtf8(kind) << " " << StringToUtf8(target);
    }
  }
  EXPECT_EQ(texts.size(), 40u);
}

TEST(GSDMLFile, SaveWritesTheComposedNameIntoTheChosenFolder) {
  TScratch dir;
  const String name = u"GSDML-V2.31-Tavrel-GX31A09_ABC-20240307.xml";
  EXPECT_EQ(GSDML_Target_Path(u"/cfg/other.xml", name), u"/cfg/" + name);
  EXPECT_EQ(GSDML_Target_Path(u"/cfg/sub/", name), u"/cfg/sub/" + name);

  std::vector<Integer> asked;
  auto answer = [&asked](TOverwrite_Answer a) {
    return [&asked, a](Integer Text_Id) {
      asked.push_back(Text_Id);
      return a;
    };
  };
  const String target = dir.Path(StringToUtf8(name));
  Write_Bytes(target, "old");
  EXPECT_FALSE(Save_GSDML_File(dir.Path("typed.xml"), name, dir.Path("none.xml"),
                               answer(TOverwrite_Answer::No)));
  EXPECT_EQ(asked, std::vector<Integer>{1811});
  EXPECT_EQ(Read_Bytes(target), "old");
  EXPECT_FALSE(std::filesystem::exists(StringToUtf8(dir.Path("typed.xml"))));

  EXPECT_TRUE(Save_GSDML_File(dir.Path("typed.xml"), name, dir.Path("none.xml"),
                              answer(TOverwrite_Answer::Yes)));
  EXPECT_EQ(Read_Bytes(target).substr(0, 3), "\xEF\xBB\xBF");
}

TEST(GSDMLFileName, ComposesTheThreeForms) {
  const String fix1 = GSDML_Fix1();
  const String fix2 = GSDML_Fix2(2024, 3, 7);
  EXPECT_EQ(fix1, u"GSDML-V2.31-Tavrel-GX31A09");
  EXPECT_EQ(fix2, u"-20240307.xml");
  EXPECT_EQ(GSDML_Fix2(2025, 12, 31), u"-20251231.xml");

  const std::pair<String, String> cases[] = {
      {u"", u"GSDML-V2.31-Tavrel-GX31A09-20240307.xml"},
      {u"   ", u"GSDML-V2.31-Tavrel-GX31A09-20240307.xml"},
      {u"ABC", u"GSDML-V2.31-Tavrel-GX31A09_ABC-20240307.xml"},
      {u"_ABC", u"GSDML-V2.31-Tavrel-GX31A09_ABC-20240307.xml"},
      {u" A B ", u"GSDML-V2.31-Tavrel-GX31A09_ A B -20240307.xml"},
  };
  for (const auto& [user, expected] : cases) {
    EXPECT_EQ(Compose_GSDML_File_Name(fix1, user, fix2), expected) << "'" << StringToUtf8(user) << "'";
  }
}

TEST(GSDMLFileName, RefusesUserPartsThatAreNoFileNames) {
  // A part of blanks and tabs is left out of the name, so it passes as well.
  const String accepted[] = {u"", u"ABC", u"A B", u"_x-1", u"v1.2", u"Plant \u00C4", u" \t "};
  for (const String& user : accepted) {
    EXPECT_EQ(Check_GSDML_User_Part(user), 0) << StringToUtf8(user);
  }
  const String refused[] = {u"a/b", u"a\\b", u"..",  u"a..b", u"a:b", u"a*b", u"a?b",
                            u"a\"b", u"a<b", u"a>b", u"a|b",  u"a\tb", u"a\nb"};
  for (const String& user : refused) {
    EXPECT_EQ(Check_GSDML_User_Part(user), 1812) << StringToUtf8(user);
  }
}

}  // namespace
