#pragma once
// Frames and reads shared by the benchmarks: a few realistic frames of each
// family from the simulator's encoder, and reads built from them.

#include <cstdint>
#include <vector>

#include "simulator/frame_encoder.h"
#include "link/serial_io.h"

namespace lcr::bench {

using Bytes = std::vector<std::uint8_t>;

// Inductance with Q, capacitance with D, resistance in overload, a negative
// reading with a percent secondary.
inline std::vector<sim::Frame730> Frames730() {
  using namespace sim;
  std::vector<Frame730> frames;
  Frame730Spec l;
  l.annunciators = ann730::kAuto | ann730::kLcr;
  l.parameter = param730::kInductance;
  l.secondaryCode = second730::kQuality;
  l.primary = *PrimaryValue730("1.234", fn730::kMilliHenry);
  l.secondary = *SecondaryValue730("12.5", fn730::kNone, second730::kQuality);
  frames.push_back(EncodeFrame730(l));

  Frame730Spec c;
  c.parameter = param730::kCapacitance;
  c.secondaryCode = second730::kDissipation;
  c.primary = *PrimaryValue730("470.2", fn730::kNanoFarad, true);
  c.secondary = *SecondaryValue730("0.012", fn730::kNone, second730::kDissipation);
  frames.push_back(EncodeFrame730(c));

  Frame730Spec r;
  r.parameter = param730::kResistance;
  r.primary = Word730(state730::kOverload, fn730::kMegaOhm);
  r.secondary = Word730(state730::kSpace, fn730::kNone);
  frames.push_back(EncodeFrame730(r));

  Frame730Spec n;
  n.annunciators = ann730::kRelative;
  n.parameter = param730::kResistance;
  n.primary = *PrimaryValue730("-2.00", fn730::kKiloOhm);
  n.secondary = *SecondaryValue730("-3.5", fn730::kPercent, second730::kNone);
  frames.push_back(EncodeFrame730(n));
  return frames;
}

// DC voltage with a frequency secondary, resistance, capacitance, overload.
inline std::vector<sim::Frame68> Frames68() {
  using namespace sim;
  std::vector<Frame68> frames;
  Frame68Spec v;
  v.primary = *Value68("-4.000");
  v.secondary = *Value68("50.00");
  v.Set(ann68::kDc).Set(ann68::kVolt).Set(ann68::kSubHertz).Set(ann68::kAuto);
  frames.push_back(EncodeFrame68(v));

  Frame68Spec r;
  r.primary = *Value68("12.34");
  r.Set(ann68::kOhm).Set(ann68::kKilo).Set(ann68::kManual);
  frames.push_back(EncodeFrame68(r));

  Frame68Spec c;
  c.primary = *Value68("470.2");
  c.Set(ann68::kFarad).Set(ann68::kNano).Set(ann68::kHold);
  frames.push_back(EncodeFrame68(c));

  Frame68Spec ol;
  ol.primary = Word68("OL");
  ol.secondary = *Value68("23");
  ol.Set(ann68::kOhm).Set(ann68::kMega).Set(ann68::kSubCelsius);
  frames.push_back(EncodeFrame68(ol));
  return frames;
}

// One 2048-byte read of back-to-back frames, cycling through `frames`; the
// last frame is cut short where the read ends.
template <typename Frame>
Bytes BackToBack(const std::vector<Frame>& frames) {
  Bytes read;
  for (std::size_t i = 0; read.size() < kReadChunk; ++i) {
    const Frame& f = frames[i % frames.size()];
    read.insert(read.end(), f.begin(), f.end());
  }
  read.resize(kReadChunk);
  return read;
}

}  // namespace lcr::bench
