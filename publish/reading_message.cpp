#include "publish/reading_message.h"

#include <cstdio>
#include <cstdlib>

#include "common/json_line.h"
#include "common/text_and_numbers.h"
#include "decode/gbk.h"
#include "table/base_value.h"
#include "table/caption_unit.h"

namespace lcr {

std::string ReadingTopic(std::string_view prefix, std::string_view bench) {
  return std::string(prefix) + "/" + std::string(bench) + "/reading";
}

std::string StatusTopic(std::string_view prefix, std::string_view bench) {
  return std::string(prefix) + "/" + std::string(bench) + "/status";
}

std::string IsoTime(const QDateTime& t) {
  const QDateTime local = t.toLocalTime();
  const QDate d = local.date();
  const QTime tm = local.time();
  const int offset = local.offsetFromUtc() / 60;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", d.year(), d.month(), d.day(),
                tm.hour(), tm.minute(), tm.second(), tm.msec(), offset < 0 ? '-' : '+', std::abs(offset) / 60,
                std::abs(offset) % 60);
  return buf;
}

namespace {

// mainNumber/mainUnit (or sub...), when the value is a number.
void Number(JsonLine& j, const char* numberKey, const char* unitKey, std::string_view value, std::string_view caption) {
  const std::optional<double> v = BaseValue(Trim(value), caption);
  if (!v) return;
  j.Key(numberKey).NumberShortest(*v);
  const std::string_view unit = CaptionBaseUnit(caption);
  if (!unit.empty()) j.Key(unitKey).String(GbkToUtf8(unit));
}

}  // namespace

std::string ReadingPayload(const MeasurementRecord& rec, int family, const QDateTime& sampleTime, std::uint64_t seq,
                           std::string_view session) {
  JsonLine j;
  j.BeginObject()
      .Key("seq").Number(static_cast<long long>(seq))
      .Key("session").String(session)
      .Key("time").String(IsoTime(sampleTime))
      .Key("TimeText").String(GbkToUtf8(Trim(rec.TimeText.View())))
      .Key("MainValue").String(GbkToUtf8(Trim(rec.MainValue.View())))
      .Key("MainCaption").String(GbkToUtf8(Trim(rec.MainCaption.View())))
      .Key("SubValue").String(GbkToUtf8(Trim(rec.SubValue.View())))
      .Key("SubCaption").String(GbkToUtf8(Trim(rec.SubCaption.View())))
      .Key("family").Number(static_cast<long long>(family));
  Number(j, "mainNumber", "mainUnit", rec.MainValue.View(), rec.MainCaption.View());
  Number(j, "subNumber", "subUnit", rec.SubValue.View(), rec.SubCaption.View());
  j.EndObject();
  return j.Text();
}

std::string OnlinePayload(int family) {
  return "{\"state\":\"online\",\"family\":" + std::to_string(family) + "}";
}

std::string OfflinePayload() { return "{\"state\":\"offline\"}"; }

}  // namespace lcr
