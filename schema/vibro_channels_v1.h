// Vibration channels of version 1: the channel's measuring range sits in `param` (minvalue < maxvalue), the
// measured values are Average, PeakPeak and Overall_RMS (the latter over its own frequency range), and the bands
// carry level regions only, numbered 1 to 16.
#pragma once

#include "schema/bands_container.h"
#include "schema/vibro_channels.h"

namespace vrk {

class CVibroChannelsV1 : public CNodeTagInfoXMLv1 {
 public:
  // Waveform capture: fmin < fmax; the bands' upper edges are checked against fmax from the bands.
  class Cwave_settings : public CNodeTagInfoXMLv1 {
   public:
    using Csamples = CVibroChannels::Cwave_settings::Csamples;
    Cwave_settings() : CNodeTagInfoXMLv1("wave_settings", true, false) {
      AddAttributes({&samples, &fmax, &fmin});
      CompareAsBounds(fmin, fmax);
    }
    Csamples samples;
    CComparedAttrInfoXML fmax{"fmax", true,
                              ValueRange::Dictionary(kTypeUnsigned16, "250\n500\n1000\n2000\n4000\n8000")};
    CComparedAttrInfoXML fmin{"fmin", true, ValueRange::Integer(kTypeUnsigned16, 0, 9999)};
  };

  class CVibroChannel : public CNodeTagInfoXMLv1 {
   public:
    using CLinear = CVibroChannels::CVibroChannel::CLinear;

    class Cparam : public CNodeTagInfoXMLv1 {
     public:
      using Caverage_time_s = CVibroChannels::CVibroChannel::Cparam::Caverage_time_s;
      using Csp_window = CVibroChannels::CVibroChannel::Cparam::Csp_window;

      Cparam() : CNodeTagInfoXMLv1("param", true, false) {
        AddAttributes({&minvalue, &maxvalue, &average_time_s, &sp_window});
        CompareAsBounds(minvalue, maxvalue);
      }
      CComparedAttrInfoXML minvalue{"minvalue", true, ValueRange::Unlimited(kTypeReal, 3)};
      CComparedAttrInfoXML maxvalue{"maxvalue", true, ValueRange::Unlimited(kTypeReal, 3)};
      Caverage_time_s average_time_s;
      Csp_window sp_window;
    };

    // The RMS value over low_freq < high_freq.
    class COverall_RMS : public CNodeTagBandsContainer {
     public:
      // Both are integers, so the comparison is an integer one.
      COverall_RMS() : CNodeTagBandsContainer("Overall_RMS", false, false) {
        AddAttributes({&low_freq, &high_freq});
        CompareAsBounds(low_freq, high_freq);
      }
      CComparedAttrInfoXML low_freq{"low_freq", true, ValueRange::Integer(kTypeUnsigned32, 0, 9999)};
      CComparedAttrInfoXML high_freq{"high_freq", true, ValueRange::Integer(kTypeUnsigned32, 1, 10000)};
    };

    class CAbsolute_bands : public CNodeTagInfoXMLv1 {
     public:
      class Cband : public CNodeTagBandsContainer {
       public:
        VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv1, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
        class Ccutting_rel_bands : public CNodeTagInfoXMLv1 {
         public:
          class Ccutting_band : public CNodeTagInfoXMLv1 {
           public:
            VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv1, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
            Ccutting_band() : CNodeTagInfoXMLv1("cutting_band", true, true) {
              AddAttributes({&number});
              SetKeyAttribute(&number);
            }
            Cnumber number;
          };
          Ccutting_rel_bands() : CNodeTagInfoXMLv1("cutting_rel_bands", false, false) { AddChildren({&cutting_band}); }
          Ccutting_band cutting_band;
        };

        Cband() : CNodeTagBandsContainer("band", false, true) {
          AddAttributes({&number, &low_freq, &high_freq});
          AddChildren({&cutting_rel_bands});
          SetKeyAttribute(&number);
        }
        Cnumber number;
        CComparedAttrInfoXML low_freq{"low_freq", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0")};
        CComparedAttrInfoXML high_freq{"high_freq", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0")};
        Ccutting_rel_bands cutting_rel_bands;
      };
      CAbsolute_bands() : CNodeTagInfoXMLv1("Absolute_bands", false, false) { AddChildren({&band}); }
      Cband band;
    };

    class CRelative_bands : public CNodeTagInfoXMLv1 {
     public:
      class Cband : public CNodeTagBandsContainer {
       public:
        VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv1, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
        VRK_ATTRIBUTE(Cshaft, CNodeAttrInfoXMLv1, "shaft", true, ValueRange::Integer(kTypeUnsigned16, 1, 3));
        VRK_ATTRIBUTE(Cfactor, CNodeAttrInfoXMLv1, "factor", true,
                      ValueRange::Dictionary(kTypeReal, "0.5\n1.0\n2.0\n3.0"));
        VRK_ATTRIBUTE(Cranges_type, CNodeAttrInfoXMLv1, "ranges_type", true,
                      ValueRange::Dictionary(kTypeUnsigned16, "1\n2\n3"));
        Cband() : CNodeTagBandsContainer("band", false, true) {
          AddAttributes({&number, &shaft, &factor, &ranges_type, &lower_bound, &upper_bound});
          AddChildren({&phase});
          SetKeyAttribute(&number);
          CompareAsBounds(lower_bound, upper_bound, LinkedRule::kLessOrEqual);
        }
        Cnumber number;
        Cshaft shaft;
        Cfactor factor;
        Cranges_type ranges_type;
        CComparedAttrInfoXML lower_bound{"lower_bound", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 3)};
        CComparedAttrInfoXML upper_bound{"upper_bound", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 3)};
        CNodeTagBandsContainer phase{"phase", false, false};  // its own level regions, no number
      };
      CRelative_bands() : CNodeTagInfoXMLv1("Relative_bands", false, false) { AddChildren({&band}); }
      Cband band;
    };

    using Cnumber = CVibroChannels::CVibroChannel::Cnumber;
    using Cunit = CVibroChannels::CVibroChannel::Cunit;
    using Ctrn_sens = CVibroChannels::CVibroChannel::Ctrn_sens;
    using Ctrn_offset = CVibroChannels::CVibroChannel::Ctrn_offset;

    CVibroChannel();

    Cnumber number;
    Cunit unit;
    Ctrn_sens trn_sens;
    Ctrn_offset trn_offset;
    CLinear Linear;
    Cparam param;
    CNodeTagBandsContainer Average{"Average", false, false};
    CNodeTagBandsContainer PeakPeak{"PeakPeak", false, false};
    COverall_RMS Overall_RMS;
    CAbsolute_bands Absolute_bands;
    CRelative_bands Relative_bands;
  };

  using Cspectrum_settings = CVibroChannels::Cspectrum_settings;

  CVibroChannelsV1();

  Cwave_settings wave_settings;
  Cspectrum_settings spectrum_settings;
  CVibroChannel VibroChannel;
};

}  // namespace vrk
