// The checks of the MQTT topic tables: each check's limits, the columns whose visibility switches a
// check off, the order of the checks and of the tables, and the rows after the first blank Topic.
#include "descriptions/MQTTTopicChecks.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

// The columns this build hides: IP Address, Input Template, Channel and the swaps (publish); IP
// Address, Port, Type, Input Template, the swaps and Retained (subscribe).
const std::set<Integer> Publish_Hidden{mqpIPAddress, mqpInputTemplate, mqpChannel, mqpSwap, mqpSwapWord};
const std::set<Integer> Subscribe_Hidden{mqsRetained, mqsIPAddress, mqsPort, mqsEthType, mqsInputTemplate,
                                         mqsSwap, mqsSwapWord};

TMQTT_Publish_Row Good_Publish(const String& Topic) {
  TMQTT_Publish_Row r;
  r.Topic = Topic;
  r.Retained = u"N";
  r.QoS = u"0";
  r.DataType = u"Int";
  r.Dimension = u"2";
  r.Position = u"0";
  r.IPAddress = u"192.168.2.167";
  r.Mnemonic = u"m";
  return r;
}

TMQTT_Subscribe_Row Good_Subscribe(const String& Topic) {
  TMQTT_Subscribe_Row r;
  r.Topic = Topic;
  r.Retained = u"N";
  r.QoS = u"1";
  r.DataType = u"Float";
  r.Dimension = u"4";
  r.Position = u"10";
  r.IPAddress = u"192.168.2.168";
  r.Port = u"1883";
  r.Mnemonic = u"m";
  return r;
}

// Which columns a case shows.
enum TShown { This_Build, All_Shown, Type_Hidden };

struct TCase {
  const char* Name;
  std::function<void(TMQTT_Topic_Tables&)> Change;
  Integer Row;      // expected failing row
  Integer Text_Id;  // expected text id, -1 for a pass
  const char16_t* Suffix = u"";
  TShown Shown = This_Build;
};

TEST(MQTTTopicChecks, TableOfCases) {
  const TCase cases[] = {
      {"good rows pass", [](TMQTT_Topic_Tables&) {}, 0, -1},
      {"publish type empty", [](TMQTT_Topic_Tables& t) { t.Publish[0].DataType = u"  "; }, 1, 1452},
      {"publish int dimension 3", [](TMQTT_Topic_Tables& t) { t.Publish[0].Dimension = u"3"; }, 1, 1453},
      {"publish int type trimmed, any case", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].DataType = u" iNt ";
         t.Publish[0].Dimension = u"8";
       }, 0, -1},
      {"publish float 4 passes", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].DataType = u"Float";
         t.Publish[0].Dimension = u"4";
       }, 0, -1},
      {"publish float 2", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].DataType = u"Float";
         t.Publish[0].Dimension = u"2";
       }, 1, 1454},
      {"publish string 0", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].DataType = u"String";
         t.Publish[0].Dimension = u"0";
       }, 1, 1455},
      {"publish base64 16 passes", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].DataType = u"Base64";
         t.Publish[0].Dimension = u"16";
       }, 0, -1},
      {"publish position 1439 passes", [](TMQTT_Topic_Tables& t) { t.Publish[0].Position = u"1439"; }, 0, -1},
      {"publish position 1440", [](TMQTT_Topic_Tables& t) { t.Publish[0].Position = u"1440"; }, 1, 1456, u"1439"},
      {"publish position not a number", [](TMQTT_Topic_Tables& t) { t.Publish[0].Position = u"12a"; }, 1, 1456,
       u"1439"},
      {"publish position in hexadecimal", [](TMQTT_Topic_Tables& t) { t.Publish[0].Position = u"0x10"; }, 1,
       1456, u"1439"},
      {"publish position empty", [](TMQTT_Topic_Tables& t) { t.Publish[0].Position = u""; }, 1, 1456, u"1439"},
      {"publish bad address while hidden", [](TMQTT_Topic_Tables& t) { t.Publish[0].IPAddress = u"x"; }, 0, -1},
      {"publish bad address while shown", [](TMQTT_Topic_Tables& t) { t.Publish[0].IPAddress = u"1.2.3"; }, 1,
       1474, u"", All_Shown},
      {"publish address with blanks while shown", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].IPAddress = u" 192.168.2.167 ";
       }, 0, -1, u"", All_Shown},
      {"publish odd input template while hidden", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].InputTemplate = u"$A";
       }, 0, -1},
      {"publish odd input template while shown", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].IPAddress = u"10.0.0.1";
         t.Publish[0].InputTemplate = u"$A";
       }, 1, 1477, u"", All_Shown},
      {"publish template with three $", [](TMQTT_Topic_Tables& t) { t.Publish[0].Template = u"$A$ $"; }, 1, 1478},
      {"publish template $VALUE$", [](TMQTT_Topic_Tables& t) { t.Publish[0].Template = u"$VALUE$"; }, 0, -1},
      {"publish template without $", [](TMQTT_Topic_Tables& t) { t.Publish[0].Template = u"plain"; }, 0, -1},
      {"timer time at the limit", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].OnTimer = u"Y";
         t.Publish[0].Time = u"1000000000";
       }, 0, -1},
      {"timer time 0", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].OnTimer = u"Y";
         t.Publish[0].Time = u"0";
       }, 1, 1489},
      {"timer time empty, flag trimmed and lower case", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].OnTimer = u" y";
         t.Publish[0].Time = u"";
       }, 1, 1489},
      {"timer time above the limit", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].OnTimer = u"Y";
         t.Publish[0].Time = u"1000000001";
       }, 1, 1489},
      {"no timer, any time", [](TMQTT_Topic_Tables& t) { t.Publish[0].Time = u"junk"; }, 0, -1},
      {"type check off while its column is hidden", [](TMQTT_Topic_Tables& t) {
         t.Publish[0].DataType = u"";
         t.Publish[0].Dimension = u"";
       }, 0, -1, u"", Type_Hidden},
      {"failure of the second row", [](TMQTT_Topic_Tables& t) { t.Publish[1].Dimension = u"5"; }, 2, 1453},
      {"rows after a blank topic are not checked", [](TMQTT_Topic_Tables& t) {
         t.Publish[1].Topic = u" ";
         t.Publish[2].DataType = u"";
       }, 0, -1},
      {"publish fails before subscribe", [](TMQTT_Topic_Tables& t) {
         t.Publish[1].DataType = u"";
         t.Subscribe[0].DataType = u"";
       }, 2, 1452},
      {"subscribe type empty", [](TMQTT_Topic_Tables& t) { t.Subscribe[0].DataType = u""; }, 1, 1457},
      {"subscribe int 3", [](TMQTT_Topic_Tables& t) {
         t.Subscribe[0].DataType = u"Int";
         t.Subscribe[0].Dimension = u"3";
       }, 1, 1458},
      {"subscribe float 2", [](TMQTT_Topic_Tables& t) { t.Subscribe[0].Dimension = u"2"; }, 1, 1459},
      {"subscribe string -1", [](TMQTT_Topic_Tables& t) {
         t.Subscribe[0].DataType = u"String";
         t.Subscribe[0].Dimension = u"-1";
       }, 1, 1460},
      {"subscribe position 1440", [](TMQTT_Topic_Tables& t) { t.Subscribe[0].Position = u"1440"; }, 1, 1461,
       u"1439"},
      {"subscribe bad address while shown", [](TMQTT_Topic_Tables& t) { t.Subscribe[0].IPAddress = u"a.b.c.d"; },
       1, 1475, u"", All_Shown},
      {"subscribe port 65536 while shown", [](TMQTT_Topic_Tables& t) {
         t.Subscribe[0].IPAddress = u"10.0.0.2";
         t.Subscribe[0].Port = u"65536";
       }, 1, 1476, u"", All_Shown},
      {"subscribe port 65535 while shown", [](TMQTT_Topic_Tables& t) {
         t.Subscribe[0].IPAddress = u"10.0.0.2";
         t.Subscribe[0].Port = u"65535";
       }, 0, -1, u"", All_Shown},
      {"subscribe empty port while hidden", [](TMQTT_Topic_Tables& t) { t.Subscribe[0].Port = u""; }, 0, -1},
      {"subscribe odd input template while shown", [](TMQTT_Topic_Tables& t) {
         t.Subscribe[0].IPAddress = u"10.0.0.2";
         t.Subscribe[0].Port = u"502";
         t.Subscribe[0].InputTemplate = u"$";
       }, 1, 1479, u"", All_Shown},
      {"subscribe odd template", [](TMQTT_Topic_Tables& t) { t.Subscribe[0].Template = u"$VALUE"; }, 1, 1480},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMQTT_Topic_Tables t;
    t.Publish = {Good_Publish(u"a"), Good_Publish(u"b"), Good_Publish(u"c")};
    t.Subscribe = {Good_Subscribe(u"s")};
    c.Change(t);
    const TColumn_Shown pub = [&](Integer col) {
      if (c.Shown == Type_Hidden && col == mqpDataType) return false;
      return c.Shown == All_Shown || !Publish_Hidden.count(col);
    };
    const TColumn_Shown sub = [&](Integer col) { return c.Shown == All_Shown || !Subscribe_Hidden.count(col); };
    const TTable_Check_Result r = Check_MQTT_Topic_Tables(t, pub, sub, 1440, 1440);
    EXPECT_EQ(r.Text_Id, c.Text_Id);
    EXPECT_EQ(r.Row, c.Row);
    EXPECT_EQ(r.Suffix, String(c.Suffix));
  }
}

TEST(MQTTTopicChecks, TemplateDollarsComeInPairs) {
  const struct {
    const char16_t* Text;
    bool Error;
  } cases[] = {{u"", false}, {u"$", true}, {u"$VALUE$", false}, {u"$A$$B$", false}, {u"$A$ $", true},
               {u"no keyword", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.Text));
    EXPECT_EQ(Error_In_Topic_Template(c.Text), c.Error);
  }
}

}  // namespace
