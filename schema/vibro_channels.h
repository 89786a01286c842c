// Vibration channels: waveform and spectrum settings, channels, measured values and bands (version 7).
// Each channel carries its sensor, an optional linearization table, its processing parameters, five overall
// measured values and absolute and relative frequency bands, each with its level thresholds.
#pragma once

#include <vector>

#include "interface/message_ids.h"
#include "schema/bands_container.h"
#include "schema/value_text.h"

namespace vrk {

// Inches per millimetre, rounded: the imperial factor of the vibration quantities.
inline constexpr double kInchesPerMillimetre = 0.0394;

class CVibroChannels : public CNodeTagInfoXMLv7 {
 public:
  // Waveform capture: sample count and the band limits fmin < fmax. The highest absolute band of any channel
  // must stay within fmax.
  class Cwave_settings : public CNodeTagInfoXMLv7 {
   public:
    VRK_ATTRIBUTE(Csamples, CNodeAttrInfoXMLv7, "samples", true,
                  ValueRange::Dictionary(kTypeUnsigned32, "8192\n16384\n32768\n65536"));
    // Also at or above the highest absolute band of every channel.
    class Cfmax : public CComparedAttrInfoXML {
     public:
      Cfmax()
          : CComparedAttrInfoXML("fmax", true,
                                 ValueRange::Dictionary(kTypeUnsigned16, "250\n500\n1000\n2000\n4000\n8000")) {}
      void CheckLinked(const CIndexList& indexes) override;
    };

    Cwave_settings() : CNodeTagInfoXMLv7("wave_settings", true, false) {
      AddAttributes({&samples, &fmax, &fmin});
      CompareAsBounds(fmin, fmax);
    }
    Csamples samples;
    Cfmax fmax;
    CComparedAttrInfoXML fmin{"fmin", true, ValueRange::Integer(kTypeUnsigned16, 0, 9999)};
  };

  class Cspectrum_settings : public CNodeTagInfoXMLv7 {
   public:
    VRK_ATTRIBUTE(Clines, CNodeAttrInfoXMLv7, "lines", true,
                  ValueRange::Dictionary(kTypeUnsigned16, "800\n1600\n3200"));
    Cspectrum_settings() : CNodeTagInfoXMLv7("spectrum_settings", false, false) { AddAttributes({&lines}); }
    Clines lines;
  };

  class CVibroChannel : public CNodeTagInfoXMLv7 {
   public:
    // Sensor output (volt) to measured value, one point per volt value.
    class CLinear : public CNodeTagInfoXMLv7 {
     public:
      class CPoint : public CNodeTagInfoXMLv7 {
       public:
        VRK_ATTRIBUTE(Cvolt, CNodeAttrInfoXMLv7, "volt", true, ValueRange::Real(-2750, 2750, 3).WithDefault("0"));
        VRK_ATTRIBUTE(Cvalue, CNodeAttrInfoXMLv7, "value", true,
                      ValueRange::Unlimited(kTypeReal, 3).WithDefault("0"));
        CPoint() : CNodeTagInfoXMLv7("Point", false, true) {
          AddAttributes({&volt, &value});
          SetKeyAttribute(&volt);
        }
        Cvolt volt;
        Cvalue value;
      };

      VRK_ATTRIBUTE(Ctype, CNodeAttrInfoXMLv7, "type", true,
                    ValueRange::Integer(kTypeUnsigned16, 0, 0).WithDefault("0"));
      CLinear() : CNodeTagInfoXMLv7("Linear", false, false) {
        AddAttributes({&type});
        AddChildren({&Point});
      }
      Ctype type;
      CPoint Point;
    };

    class Cparam : public CNodeTagInfoXMLv7 {
     public:
      // The unit codes and their names are filled in by the root, which knows the measurement system.
      VRK_ATTRIBUTE(Cunit, CNodeAttrInfoXMLv7, "unit", true,
                    ValueRange::Unlimited(kTypeUnsigned16).WithDefault("102"));
      VRK_ATTRIBUTE(Caverage_time_s, CNodeAttrInfoXMLv7, "average_time_s", false,
                    ValueRange::Real(0, 3600).WithDefault("1"));
      // Spectrum window: 1 rectangular, 2 Hanning, 3 Hamming.
      class Csp_window : public CNodeAttrInfoXMLv7 {
       public:
        Csp_window()
            : CNodeAttrInfoXMLv7("sp_window", false, ValueRange::Unlimited(kTypeUnsigned16).WithDefault("2")) {
          range().dictionary = {{"1", kMsgWindowRectangular}, {"2", kMsgWindowHanning}, {"3", kMsgWindowHamming}};
        }
      };

      Cparam() : CNodeTagInfoXMLv7("param", true, false) { AddAttributes({&unit, &average_time_s, &sp_window}); }
      Cunit unit;
      Caverage_time_s average_time_s;
      Csp_window sp_window;
    };

    // The five overall measured values. Average has a fixed measuring range; the others get theirs from the
    // root, which derives it from the channel's sensor and unit.
    class CAverage : public CNodeTagBandsContainerV7 {
     public:
      CAverage() : CNodeTagBandsContainerV7("Average", false, false) {
        minvalue.range() = ValueRange::Real(-1000000, 1000000, 3).WithDefault("0");
        maxvalue.range() = ValueRange::Real(-1000000, 1000000, 3).WithDefault("100");
      }
    };

    class CAbsolute_bands : public CNodeTagInfoXMLv7 {
     public:
      // A frequency band low_freq < high_freq <= fmax of the waveform.
      class Cband : public CNodeTagBandsContainerV7 {
       public:
        VRK_ATTRIBUTE(Cvalue_type, CNodeAttrInfoXMLv7, "value_type", false,
                      ValueRange::Integer(kTypeUnsigned16, 1, 3).WithDefault("1"));
        // The relative bands this band's value excludes; derived from the channel's relative bands each time
        // the document is handed out, never edited on its own.
        class Ccutting_rel_bands : public CNodeTagInfoXMLv7 {
         public:
          class Ccutting_band : public CNodeTagInfoXMLv7 {
           public:
            VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv7, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 31));
            Ccutting_band() : CNodeTagInfoXMLv7("cutting_band", true, true) {
              AddAttributes({&number});
              SetKeyAttribute(&number);
            }
            Cnumber number;
          };
          Ccutting_rel_bands() : CNodeTagInfoXMLv7("cutting_rel_bands", false, false) {
            AddChildren({&cutting_band});
          }
          Ccutting_band cutting_band;
        };

        Cband() : CNodeTagBandsContainerV7("band", false, true) {
          AddAttributes({&value_type, &low_freq, &high_freq});
          AddChildren({&cutting_rel_bands});
        }
        Cvalue_type value_type;
        CComparedAttrInfoXML low_freq{"low_freq", true, FrequencyRange("10")};
        CComparedAttrInfoXML high_freq{"high_freq", true, FrequencyRange("1000")};
        Ccutting_rel_bands cutting_rel_bands;

       private:
        static ValueRange FrequencyRange(std::string default_value) {
          return ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0").WithDefault(std::move(default_value));
        }
      };

      CAbsolute_bands() : CNodeTagInfoXMLv7("Absolute_bands", false, false) { AddChildren({&band}); }
      Cband band;
    };

    class CRelative_bands : public CNodeTagInfoXMLv7 {
     public:
      // A band around a multiple (factor) of a shaft's speed, bounded by lower_bound <= upper_bound.
      class Cband : public CNodeTagBandsContainerV7 {
       public:
        VRK_ATTRIBUTE(Cvalue_type, CNodeAttrInfoXMLv7, "value_type", false,
                      ValueRange::Integer(kTypeUnsigned16, 1, 3).WithDefault("1"));
        VRK_ATTRIBUTE(Cshaft, CNodeAttrInfoXMLv7, "shaft", true, ValueRange::Integer(kTypeUnsigned16, 1, 6));
        VRK_ATTRIBUTE(Cfactor, CNodeAttrInfoXMLv7, "factor", true,
                      ValueRange::LowerOnly(kTypeReal, kMinInclusive, FormatRealText(0.01, 3), 2).WithDefault("0"));
        VRK_ATTRIBUTE(Cranges_type, CNodeAttrInfoXMLv7, "ranges_type", true,
                      ValueRange::Dictionary(kTypeUnsigned16, "1\n2\n3").WithDefault("2"));
        class Cphase : public CNodeTagInfoXMLv7 {
         public:
          VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv7, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 31));
          Cphase() : CNodeTagInfoXMLv7("phase", false, false) { AddAttributes({&number}); }
          Cnumber number;
        };

        Cband() : CNodeTagBandsContainerV7("band", false, true) {
          AddAttributes({&value_type, &shaft, &factor, &ranges_type, &lower_bound, &upper_bound});
          AddChildren({&phase});
          CompareAsBounds(lower_bound, upper_bound, LinkedRule::kLessOrEqual);
        }
        Cvalue_type value_type;
        Cshaft shaft;
        Cfactor factor;
        Cranges_type ranges_type;
        CComparedAttrInfoXML lower_bound{"lower_bound", true, BoundRange()};
        CComparedAttrInfoXML upper_bound{"upper_bound", true, BoundRange()};
        Cphase phase;

       private:
        static ValueRange BoundRange() {
          return ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 3).WithDefault("5");
        }
      };

      CRelative_bands() : CNodeTagInfoXMLv7("Relative_bands", false, false) { AddChildren({&band}); }
      Cband band;
    };

    VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv7, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
    // The unit codes and their names are filled in by the root, which knows the measurement system.
    VRK_ATTRIBUTE(Cunit, CNodeAttrInfoXMLv7, "unit", true, ValueRange::Unlimited(kTypeUnsigned16).WithDefault("102"));
    VRK_ATTRIBUTE(Ctrn_sens, CNodeAttrInfoXMLv7, "trn_sens", false,
                  ValueRange::LowerOnly(kTypeReal, kMinInclusive, FormatRealText(0.001, 3), 3).WithDefault("7"));
    VRK_ATTRIBUTE(Ctrn_offset, CNodeAttrInfoXMLv7, "trn_offset", false,
                  ValueRange::Unlimited(kTypeReal, 3).WithDefault("0"));
    VRK_ATTRIBUTE(Chpf, CNodeAttrInfoXMLv7, "hpf", false, ValueRange::Integer(kTypeFlag, 0, 1).WithDefault("0"));

    CVibroChannel();

    Cnumber number;
    Cunit unit;
    Ctrn_sens trn_sens;
    Ctrn_offset trn_offset;
    Chpf hpf;
    CLinear Linear;
    Cparam param;
    CAverage Average;
    CNodeTagBandsContainerV7 Peak{"Peak", false, false};
    CNodeTagBandsContainerV7 PeakPeak{"PeakPeak", false, false};
    CNodeTagBandsContainerV7 WaveRMS{"WaveRMS", false, false};
    CNodeTagBandsContainerV7 Crest{"Crest", false, false};
    CAbsolute_bands Absolute_bands;
    CRelative_bands Relative_bands;
  };

  CVibroChannels();

  Cwave_settings wave_settings;
  Cspectrum_settings spectrum_settings;
  CVibroChannel VibroChannel;
};

// The four measurement units of vibration channels with their metric or imperial names.
std::vector<DictionaryEntry> VibrationUnitDictionary(bool imperial);

// An absolute band: low_freq < high_freq <= the waveform's fmax.
void CompareBandFrequencies(CComparedAttrInfoXML& low_freq, CComparedAttrInfoXML& high_freq, CNodeAttrInfoXML& fmax);

// At least three linearisation points, no two volt or value entries alike. Throws kMsgTooFewLinearPoints,
// kMsgRepeatedSignalPoint or kMsgRepeatedValuePoint.
void CheckLinearisation(CVibroChannels::CVibroChannel::CLinear& linear, const CIndexList& channel);

}  // namespace vrk
