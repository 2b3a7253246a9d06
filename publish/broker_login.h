#pragma once
// The broker password: never on the command line, where every user of the
// machine can read it, but from the environment or from a private file.

#include <string>

namespace lcr {

inline constexpr char kMqttPasswordVariable[] = "LCR_TAVRIK_MQTT_PASSWORD";

// With a `file`, its first line (without the line end); the file is refused
// when its group or others may read it. Without one, the environment
// variable LCR_TAVRIK_MQTT_PASSWORD, or no password. False with the reason
// in `why`.
bool ReadMqttPassword(const std::string& file, std::string* password, std::string* why);

}  // namespace lcr
