#pragma once
// What a bench publishes: the topics under PREFIX/BENCH, one JSON message
// per recorded record, and the bench's retained status.
//
// PREFIX/BENCH/reading  {"seq":1,"session":"...","time":"2026-12-09T18:08:23.500+01:00",
//                        "TimeText":"18:08:23","MainValue":"4.700","MainCaption":"Cs 2.000 nF",
//                        "SubValue":"0.012","SubCaption":"D","family":730,
//                        "mainNumber":0.0000000047,"mainUnit":"F",...}
// PREFIX/BENCH/status   {"state":"online","family":730} while linked to a meter,
//                       {"state":"offline"} otherwise, and as the connection's last will.

#include <QDateTime>
#include <cstdint>
#include <string>
#include <string_view>

#include "table/measurement_table.h"

namespace lcr {

std::string ReadingTopic(std::string_view prefix, std::string_view bench);
std::string StatusTopic(std::string_view prefix, std::string_view bench);

// ISO 8601 in local time with milliseconds and the offset: "2026-12-09T18:08:23.500+01:00".
std::string IsoTime(const QDateTime& t);

// The message of one record. The texts are trimmed and in UTF-8, as the
// CSV export writes them (`lcrtool open` prints them untrimmed); the numbers
// are in base units with their unit, and left out for value words (OL,
// ----, Pass, ...).
std::string ReadingPayload(const MeasurementRecord& rec, int family, const QDateTime& sampleTime, std::uint64_t seq,
                           std::string_view session);

std::string OnlinePayload(int family);
std::string OfflinePayload();

}  // namespace lcr
