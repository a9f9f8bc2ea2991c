#include "tools/assetgen/SmfWriter.h"

#include "tools/assetgen/ByteSink.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {
namespace {

bool isRelease(const MidiEvent& e) {
  if (e.bytes.size() != 3) return false;
  const std::uint8_t status = e.bytes[0] & 0xF0;
  return status == 0x80 || (status == 0x90 && e.bytes[2] == 0);
}

std::uint8_t data7(int v) {
  if (v < 0 || v > 127) throw std::invalid_argument("MIDI data byte out of 0..127");
  return static_cast<std::uint8_t>(v);
}

std::uint8_t status(int kind, int channel) {
  if (channel < 0 || channel > 15) throw std::invalid_argument("MIDI channel out of 0..15");
  return static_cast<std::uint8_t>(kind | channel);
}

}  // namespace

std::string SmfWriter::encode(const std::vector<MidiTrack>& tracks, std::uint16_t ticksPerQuarter) {
  ByteSink out;
  out.text("MThd");
  out.u32be(6);
  out.u16be(1);
  out.u16be(static_cast<std::uint16_t>(tracks.size()));
  out.u16be(ticksPerQuarter);
  for (const MidiTrack& track : tracks) {
    std::vector<MidiEvent> events = track.events;
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
      if (a.tick != b.tick) return a.tick < b.tick;
      return isRelease(a) && !isRelease(b);
    });
    ByteSink body;
    std::uint32_t now = 0;
    for (const MidiEvent& e : events) {
      body.varLength(e.tick - now);
      now = e.tick;
      for (std::uint8_t b : e.bytes) body.u8(b);
    }
    body.varLength(0);
    body.u8(0xFF), body.u8(0x2F), body.u8(0x00);
    const std::string bytes = body.take();
    out.text("MTrk");
    out.u32be(static_cast<std::uint32_t>(bytes.size()));
    out.bytes(bytes);
  }
  return out.take();
}

MidiEvent SmfWriter::noteOn(std::uint32_t tick, int channel, int key, int velocity) {
  return {tick, {status(0x90, channel), data7(key), data7(velocity)}};
}
MidiEvent SmfWriter::noteOff(std::uint32_t tick, int channel, int key) {
  return {tick, {status(0x80, channel), data7(key), 64}};
}
MidiEvent SmfWriter::programChange(std::uint32_t tick, int channel, int program) {
  return {tick, {status(0xC0, channel), data7(program)}};
}
MidiEvent SmfWriter::controlChange(std::uint32_t tick, int channel, int controller, int value) {
  return {tick, {status(0xB0, channel), data7(controller), data7(value)}};
}
MidiEvent SmfWriter::tempo(std::uint32_t tick, double quartersPerMinute) {
  const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / quartersPerMinute));
  return {tick, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16),
                 static_cast<std::uint8_t>(micros >> 8), static_cast<std::uint8_t>(micros)}};
}
MidiEvent SmfWriter::timeSignature(std::uint32_t tick, int numerator, int denominator) {
  int power = 0;
  while ((1 << power) < denominator) ++power;
  return {tick, {0xFF, 0x58, 0x04, static_cast<std::uint8_t>(numerator), static_cast<std::uint8_t>(power), 24, 8}};
}
MidiEvent SmfWriter::keySignature(std::uint32_t tick, int sharps, bool minor) {
  return {tick, {0xFF, 0x59, 0x02, static_cast<std::uint8_t>(static_cast<std::int8_t>(sharps)),
                 static_cast<std::uint8_t>(minor ? 1 : 0)}};
}
MidiEvent SmfWriter::trackName(std::uint32_t tick, const std::string& name) {
  MidiEvent e{tick, {0xFF, 0x03}};
  ByteSink length;
  length.varLength(static_cast<std::uint32_t>(name.size()));
  for (char c : length.take()) e.bytes.push_back(static_cast<std::uint8_t>(c));
  for (char c : name) e.bytes.push_back(static_cast<std::uint8_t>(c));
  return e;
}

}  // namespace assetgen
