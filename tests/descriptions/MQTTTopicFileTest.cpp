// The MQTT topic file: the written form byte for byte, the defaults of attributes a row may lack,
// the rows a file keeps, and the files the reader refuses.
#include "descriptions/MQTTTopicFile.h"

#include <gtest/gtest.h>

#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescTestFiles.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TScratch;

namespace {

// The tables of the fixture "two_tables.xml", plus rows after the first blank Topic that the file
// does not keep.
TMQTT_Topic_Tables Two_Tables() {
  TMQTT_Topic_Tables t;
  TMQTT_Publish_Row temp{u"plant/hall/temp", u"Y", u"1", u"Float", u"4", u"0", u"", u"",
                         u"{\"t\":$VALUE$}", u"Y", u"N", u"Y", u"5000", u"Hall temperature"};
  TMQTT_Publish_Row lamp{u"plant/hall/lamp", u"N", u"0", u"Int", u"1", u"4", u"192.168.2.10", u"a&b",
                         u"line1\r\nline2", u"N", u"Y", u"N", u"", u"Lamp <1>"};
  TMQTT_Publish_Row blank;
  blank.Topic = u"  ";
  blank.Mnemonic = u"blank topic";
  TMQTT_Publish_Row after;
  after.Topic = u"after/the/blank";
  t.Publish = {temp, lamp, blank, after};
  TMQTT_Subscribe_Row cmd{u"plant/cmd/lamp", u"N", u"2", u"String", u"16", u"1439", u"", u"502",
                          u"TCP", u"", u"$VALUE$", u"Lamp command"};
  t.Subscribe = {cmd};
  return t;
}

bool Same(const TMQTT_Publish_Row& A, const TMQTT_Publish_Row& B) {
  return A.Topic == B.Topic && A.Retained == B.Retained && A.QoS == B.QoS && A.DataType == B.DataType &&
         A.Dimension == B.Dimension && A.Position == B.Position && A.IPAddress == B.IPAddress &&
         A.InputTemplate == B.InputTemplate && A.Template == B.Template && A.OnChange == B.OnChange &&
         A.OnCMD == B.OnCMD && A.OnTimer == B.OnTimer && A.Time == B.Time && A.Mnemonic == B.Mnemonic;
}

bool Same(const TMQTT_Subscribe_Row& A, const TMQTT_Subscribe_Row& B) {
  return A.Topic == B.Topic && A.Retained == B.Retained && A.QoS == B.QoS && A.DataType == B.DataType &&
         A.Dimension == B.Dimension && A.Position == B.Position && A.IPAddress == B.IPAddress &&
         A.Port == B.Port && A.EthType == B.EthType && A.InputTemplate == B.InputTemplate &&
         A.Template == B.Template && A.Mnemonic == B.Mnemonic;
}

TEST(MQTTTopicFile, WritesBothTablesUpToTheirFirstBlankTopic) {
  const TMQTT_Topic_Tables tables = Two_Tables();
  EXPECT_EQ(MQTT_Topic_Bytes(tables), Read_Bytes(Fixture("mqtt_topic/two_tables.xml")));
  EXPECT_EQ(MQTT_Topic_Row_Count(tables.Publish), 2);
  EXPECT_EQ(MQTT_Topic_Row_Count(tables.Subscribe), 1);
}

// Quotes, markup characters and the line break of a multi-line template come back unchanged.
TEST(MQTTTopicFile, WrittenFileReadsBackTheSameRows) {
  const TMQTT_Topic_Tables tables = Two_Tables();
  TScratch dir;
  Write_MQTT_Topic_File(dir.Path("MQTT_Set_Topic.xml"), tables);
  const TMQTT_Topic_Tables back = Read_MQTT_Topic_File(dir.Path("MQTT_Set_Topic.xml"));
  ASSERT_EQ(back.Publish.size(), 2u);
  ASSERT_EQ(back.Subscribe.size(), 1u);
  EXPECT_TRUE(Same(back.Publish[0], tables.Publish[0]));
  EXPECT_TRUE(Same(back.Publish[1], tables.Publish[1]));
  EXPECT_EQ(back.Publish[1].Template, u"line1\r\nline2");
  EXPECT_TRUE(Same(back.Subscribe[0], tables.Subscribe[0]));
}

TEST(MQTTTopicFile, EmptyTablesKeepBothElements) {
  EXPECT_EQ(MQTT_Topic_Bytes(TMQTT_Topic_Tables()), Read_Bytes(Fixture("mqtt_topic/empty_tables.xml")));
  const TMQTT_Topic_Tables back = Read_MQTT_Topic_File(Fixture("mqtt_topic/empty_tables.xml"));
  EXPECT_TRUE(back.Publish.empty());
  EXPECT_TRUE(back.Subscribe.empty());
}

TEST(MQTTTopicFile, MissingOptionalAttributesTakeTheirDefaults) {
  const TMQTT_Topic_Tables t = Read_MQTT_Topic_File(Fixture("mqtt_topic/optional_attributes_missing.xml"));
  ASSERT_EQ(t.Publish.size(), 2u);
  TMQTT_Publish_Row only;
  only.Topic = u"a/b";
  only.Retained = u"N";
  only.QoS = u"0";
  only.Mnemonic = u"Only required";
  EXPECT_TRUE(Same(t.Publish[0], only));
  EXPECT_EQ(t.Publish[0].OnChange, u"N");
  EXPECT_EQ(t.Publish[0].OnCMD, u"N");
  EXPECT_EQ(t.Publish[0].OnTimer, u"N");
  EXPECT_EQ(t.Publish[1].DataType, u"Int");
  EXPECT_EQ(t.Publish[1].OnTimer, u"Y");
  EXPECT_EQ(t.Publish[1].Time, u"100");
  ASSERT_EQ(t.Subscribe.size(), 1u);
  EXPECT_EQ(t.Subscribe[0].Port, u"1883");
  EXPECT_EQ(t.Subscribe[0].EthType, u"");
  EXPECT_EQ(t.Subscribe[0].Template, u"");
}

TEST(MQTTTopicFile, RefusedFilesRaiseTheDocumentError) {
  const struct {
    const char* Name;
    const char* Fixture;
  } cases[] = {
      {"row without a required attribute", "mqtt_topic/row_without_mnemonic.xml"},
      {"no subscribe table", "mqtt_topic/no_subscribe_table.xml"},
      {"missing file", "mqtt_topic/no_such_file.xml"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_THROW(Read_MQTT_Topic_File(Fixture(c.Fixture)), EXMLDocError);
  }
  EXPECT_THROW(Read_MQTT_Topic_Bytes("<MQTT_Set_Topic><MQTT_Publish>"), EXMLDocError);
}

}  // namespace
