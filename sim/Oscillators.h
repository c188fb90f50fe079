// The bank of slowly drifting phase oscillators behind every moving quantity.
#pragma once

#include <cstdint>

class SimSettings;

constexpr int kBankChannels = 99;  // room in the bank
constexpr int kOscillators = 60;   // the channels the program runs

struct OscillatorBank {
  double rate[kBankChannels];        // signed speed factor of each channel
  double targetRate[kBankChannels];  // what rate eases toward while active
  int32_t active[kBankChannels];     // 1: easing toward target; 0: decaying
  double phase[kBankChannels];       // accumulated phase, radians
};

extern OscillatorBank oscillatorBank;

// Randomises channels 1..count-1; channel 0 keeps running.
void InitOscillators(int count);
// Advances channels 0..count-1 by one frame of frameDelta seconds.
void UpdateOscillators(int count, float frameDelta, const SimSettings& settings);
// (sin(k * phase) * 0.5 + 0.5) * scale + offset: between offset and offset + scale.
double Oscillate(int index, double k, double scale, double offset);
