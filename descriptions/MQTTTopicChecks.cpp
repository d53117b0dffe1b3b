#include "descriptions/MQTTTopicChecks.h"

#include "app/ShellRoutines.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The text ids of the checks both tables share, and the columns they are tied to.
struct TCommon_Checks {
  Integer Type_Missing, Dim_Int, Dim_Float, Dim_Other, Position, IP, Input_Template, Template;
  Integer Col_DataType, Col_Position, Col_IPAddress, Col_InputTemplate, Col_Template;
};

const TCommon_Checks Publish_Checks{1452, 1453, 1454, 1455, 1456, 1474, 1477, 1478,
                                    mqpDataType, mqpPosition, mqpIPAddress, mqpInputTemplate, mqpTemplate};
const TCommon_Checks Subscribe_Checks{1457, 1458, 1459, 1460, 1461, 1475, 1479, 1480,
                                      mqsDataType, mqsPosition, mqsIPAddress, mqsInputTemplate, mqsTemplate};

Integer Number(const String& Text) { return DecStrToIntDef(Text, -1); }

// The id of the first failing check of the fields both tables have, -1 when they pass; a position
// failure sets Suffix to the highest position.
template <class TRow>
Integer Check_Common(const TRow& Row, const TCommon_Checks& C, const TColumn_Shown& Shown,
                     Integer Positions, String& Suffix) {
  if (Shown(C.Col_DataType)) {
    const String type = UpperCase(Trim(Row.DataType));
    if (type.empty()) return C.Type_Missing;
    const Integer dim = Number(Row.Dimension);
    if (type == u"INT") {
      if (dim != 1 && dim != 2 && dim != 4 && dim != 8) return C.Dim_Int;
    } else if (type == u"FLOAT") {
      if (dim != 4 && dim != 8) return C.Dim_Float;
    } else if (dim < 1) {
      return C.Dim_Other;
    }
  }
  if (Shown(C.Col_Position)) {
    const Integer pos = Number(Row.Position);
    if (pos < 0 || pos >= Positions) {
      Suffix = IntToStr(Positions - 1);
      return C.Position;
    }
  }
  if (Shown(C.Col_IPAddress)) {
    String p1, p2, p3, p4;
    if (!Check_IP_Address(Trim(Row.IPAddress), p1, p2, p3, p4)) return C.IP;
  }
  return -1;
}

TTable_Check_Result Check_Publish(const std::vector<TMQTT_Publish_Row>& Rows, const TColumn_Shown& Shown,
                                  Integer Byte_IN) {
  const Integer count = MQTT_Topic_Row_Count(Rows);
  for (Integer i = 0; i < count; ++i) {
    const TMQTT_Publish_Row& row = Rows[static_cast<size_t>(i)];
    const Integer r = i + 1;
    String suffix;
    if (const Integer id = Check_Common(row, Publish_Checks, Shown, Byte_IN, suffix); id >= 0) {
      return TTable_Check_Result::Fail(r, id, suffix);
    }
    if (Shown(mqpInputTemplate) && Error_In_Topic_Template(Trim(row.InputTemplate))) {
      return TTable_Check_Result::Fail(r, Publish_Checks.Input_Template);
    }
    if (Shown(mqpTemplate) && Error_In_Topic_Template(Trim(row.Template))) {
      return TTable_Check_Result::Fail(r, Publish_Checks.Template);
    }
    if (UpperCase(Trim(row.OnTimer)) == u"Y") {
      const Integer time = Number(row.Time);
      if (time < 1 || time > MQTT_Max_Publish_Time) return TTable_Check_Result::Fail(r, 1489);
    }
  }
  return TTable_Check_Result::Pass();
}

TTable_Check_Result Check_Subscribe(const std::vector<TMQTT_Subscribe_Row>& Rows,
                                    const TColumn_Shown& Shown, Integer Byte_OUT) {
  const Integer count = MQTT_Topic_Row_Count(Rows);
  for (Integer i = 0; i < count; ++i) {
    const TMQTT_Subscribe_Row& row = Rows[static_cast<size_t>(i)];
    const Integer r = i + 1;
    String suffix;
    if (const Integer id = Check_Common(row, Subscribe_Checks, Shown, Byte_OUT, suffix); id >= 0) {
      return TTable_Check_Result::Fail(r, id, suffix);
    }
    if (Shown(mqsPort)) {
      const Integer port = Number(row.Port);
      if (port < 0 || port > 65535) return TTable_Check_Result::Fail(r, 1476);
    }
    if (Shown(mqsInputTemplate) && Error_In_Topic_Template(Trim(row.InputTemplate))) {
      return TTable_Check_Result::Fail(r, Subscribe_Checks.Input_Template);
    }
    if (Shown(mqsTemplate) && Error_In_Topic_Template(Trim(row.Template))) {
      return TTable_Check_Result::Fail(r, Subscribe_Checks.Template);
    }
  }
  return TTable_Check_Result::Pass();
}

}  // namespace

bool Error_In_Topic_Template(const String& Str) {
  Integer dollars = 0;
  for (Char c : Str) {
    if (c == u'$') ++dollars;
  }
  return dollars % 2 != 0;
}

TTable_Check_Result Check_MQTT_Topic_Tables(const TMQTT_Topic_Tables& Tables,
                                            const TColumn_Shown& Publish_Shown,
                                            const TColumn_Shown& Subscribe_Shown, Integer Byte_IN,
                                            Integer Byte_OUT) {
  TTable_Check_Result result = Check_Publish(Tables.Publish, Publish_Shown, Byte_IN);
  if (!result.Ok()) return result;
  return Check_Subscribe(Tables.Subscribe, Subscribe_Shown, Byte_OUT);
}
