#pragma once
// What the simulated meter sends at each step of a scenario. Plain functions
// of (scenario, family, step), so that tests can walk every step without a
// pseudo-terminal.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lcr::sim {

enum class Scenario { kSteady, kSweep, kTour, kOverload, kNoise, kSwitch };

inline constexpr std::array<std::string_view, 6> kScenarioNames = {
    "steady", "sweep", "tour", "overload", "noise", "switch"};

std::optional<Scenario> ParseScenario(std::string_view name);
std::string_view ScenarioName(Scenario scenario);

// What the meter's display is meant to show for one frame, as the decoders
// spell it ('.' as the decimal mark, GBK unit symbols). An empty mainRange
// means the step does not state one.
struct Intended {
  std::string mainValue;
  std::string subValue;
  std::string mainFunction;
  std::string subFunction;
  std::string mainRange;
};

struct ScenarioStep {
  int family = 0;                     // 730 or 68
  std::vector<std::uint8_t> leading;  // stray bytes sent in front of the frame
  std::vector<std::uint8_t> frame;    // 17 or 31 bytes
  Intended intended;
};

// The number of steps after which a scenario repeats itself.
int ScenarioPeriod(Scenario scenario, int family);

// The step-th transmission of a meter of `family` (730 or 68) running
// `scenario`; `family` is the one the switch scenario starts with.
ScenarioStep ScenarioFrame(Scenario scenario, int family, std::uint64_t step);

// Steps a tour or overload display is held, so that a person can read it.
inline constexpr int kHoldSteps = 8;
inline constexpr int kWordHoldSteps = 4;
// Steps each family gets in the switch scenario before the other takes over.
inline constexpr int kSwitchSteps = 40;

}  // namespace lcr::sim
