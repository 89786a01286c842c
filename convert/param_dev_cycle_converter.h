// CParamDevCycleConverter: conversion between the document's milliseconds and hertz and the device's measuring
// cycles and spectral lines. T (ms per cycle) and df (Hz per line) follow from the waveform and spectrum settings.
#pragma once

#include <cstdint>

namespace vrk {

class CNodeTag_VRK_DeviceV7;

class CParamDevCycleConverter {
 public:
  virtual ~CParamDevCycleConverter() = default;

  // Whole cycles for `ms` milliseconds, at least `minimum`.
  int64_t CyclesFromTime(double ms, int64_t minimum) const;
  // Milliseconds for `cycles` cycles, rounded.
  int64_t TimeFromCycles(int64_t cycles) const;
  // `ms` moved onto whole cycles (at least `minimum`).
  int64_t SnapTime(double ms, int64_t minimum) const;
  // `hz` moved onto whole spectral lines, up or down, rounded to 3 decimals.
  double SnapFrequency(double hz, bool up) const;

  double cycle_ms() const { return cycle_ms_; }
  double line_hz() const { return line_hz_; }

 protected:
  double cycle_ms_ = 0;
  double line_hz_ = 0;
};

// The version-7 converter: fmax and lines from VibroChannels\wave_settings and spectrum_settings.
class CParamDevCycleConverterV7 : public CParamDevCycleConverter {
 public:
  // T = 800 / fmax x 1000. Throws CConvException when fmax is missing (kMsgAttributeNotSpecified) or not a positive
  // number (kMsgIncorrectValueType).
  void InitCycle(CNodeTag_VRK_DeviceV7& root);
  // df = fmax / lines. Throws as InitCycle, and for lines.
  void InitLines(CNodeTag_VRK_DeviceV7& root);
  // Whether the document holds the settings InitCycle / InitLines read (spectrum settings are optional).
  static bool HasCycleSettings(CNodeTag_VRK_DeviceV7& root);
  static bool HasLineSettings(CNodeTag_VRK_DeviceV7& root);
};

}  // namespace vrk
