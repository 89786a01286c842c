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
    class Cfmax : public CNodeAttrInfoXMLv1 {
     public:
      Cfmax()
          : CNodeAttrInfoXMLv1("fmax", true,
                               ValueRange::Dictionary(kTypeUnsigned16, "250\n500\n1000\n2000\n4000\n8000")) {}
      void CheckLinked(const CIndexList& indexes) override;
    };
    class Cfmin : public CNodeAttrInfoXMLv1 {
     public:
      Cfmin() : CNodeAttrInfoXMLv1("fmin", true, ValueRange::Integer(kTypeUnsigned16, 0, 9999)) {}
      void CheckLinked(const CIndexList& indexes) override;
    };
    Cwave_settings() : CNodeTagInfoXMLv1("wave_settings", true, false) { AddAttributes({&samples, &fmax, &fmin}); }
    Csamples samples;
    Cfmax fmax;
    Cfmin fmin;
  };

  class CVibroChannel : public CNodeTagInfoXMLv1 {
   public:
    using CLinear = CVibroChannels::CVibroChannel::CLinear;

    class Cparam : public CNodeTagInfoXMLv1 {
     public:
      class Cminvalue : public CNodeAttrInfoXMLv1 {
       public:
        Cminvalue() : CNodeAttrInfoXMLv1("minvalue", true, ValueRange::Unlimited(kTypeReal, 3)) {}
        void CheckLinked(const CIndexList& indexes) override;
      };
      class Cmaxvalue : public CNodeAttrInfoXMLv1 {
       public:
        Cmaxvalue() : CNodeAttrInfoXMLv1("maxvalue", true, ValueRange::Unlimited(kTypeReal, 3)) {}
        void CheckLinked(const CIndexList& indexes) override;
      };
      using Caverage_time_s = CVibroChannels::CVibroChannel::Cparam::Caverage_time_s;
      using Csp_window = CVibroChannels::CVibroChannel::Cparam::Csp_window;

      Cparam() : CNodeTagInfoXMLv1("param", true, false) {
        AddAttributes({&minvalue, &maxvalue, &average_time_s, &sp_window});
      }
      Cminvalue minvalue;
      Cmaxvalue maxvalue;
      Caverage_time_s average_time_s;
      Csp_window sp_window;
    };

    class CAverage : public CNodeTagBandsContainer {
     public:
      CAverage() : CNodeTagBandsContainer("Average", false, false) {}
    };
    class CPeakPeak : public CNodeTagBandsContainer {
     public:
      CPeakPeak() : CNodeTagBandsContainer("PeakPeak", false, false) {}
    };
    // The RMS value over low_freq < high_freq.
    class COverall_RMS : public CNodeTagBandsContainer {
     public:
      class Clow_freq : public CNodeAttrInfoXMLv1 {
       public:
        Clow_freq() : CNodeAttrInfoXMLv1("low_freq", true, ValueRange::Integer(kTypeUnsigned32, 0, 9999)) {}
        void CheckLinked(const CIndexList& indexes) override;
      };
      class Chigh_freq : public CNodeAttrInfoXMLv1 {
       public:
        Chigh_freq() : CNodeAttrInfoXMLv1("high_freq", true, ValueRange::Integer(kTypeUnsigned32, 1, 10000)) {}
        void CheckLinked(const CIndexList& indexes) override;
      };
      COverall_RMS() : CNodeTagBandsContainer("Overall_RMS", false, false) { AddAttributes({&low_freq, &high_freq}); }
      Clow_freq low_freq;
      Chigh_freq high_freq;
    };

    class CAbsolute_bands : public CNodeTagInfoXMLv1 {
     public:
      class Cband : public CNodeTagBandsContainer {
       public:
        VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv1, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
        class Clow_freq : public CNodeAttrInfoXMLv1 {
         public:
          Clow_freq() : CNodeAttrInfoXMLv1("low_freq", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0")) {}
          void CheckLinked(const CIndexList& indexes) override;
        };
        class Chigh_freq : public CNodeAttrInfoXMLv1 {
         public:
          Chigh_freq()
              : CNodeAttrInfoXMLv1("high_freq", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0")) {}
          void CheckLinked(const CIndexList& indexes) override;
        };
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
        Clow_freq low_freq;
        Chigh_freq high_freq;
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
        class Clower_bound : public CNodeAttrInfoXMLv1 {
         public:
          Clower_bound()
              : CNodeAttrInfoXMLv1("lower_bound", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 3)) {}
          void CheckLinked(const CIndexList& indexes) override;
        };
        class Cupper_bound : public CNodeAttrInfoXMLv1 {
         public:
          Cupper_bound()
              : CNodeAttrInfoXMLv1("upper_bound", true, ValueRange::LowerOnly(kTypeReal, kMinExclusive, "0", 3)) {}
          void CheckLinked(const CIndexList& indexes) override;
        };
        // The phase of the band: its own level regions, no number.
        class Cphase : public CNodeTagBandsContainer {
         public:
          Cphase() : CNodeTagBandsContainer("phase", false, false) {}
        };

        Cband() : CNodeTagBandsContainer("band", false, true) {
          AddAttributes({&number, &shaft, &factor, &ranges_type, &lower_bound, &upper_bound});
          AddChildren({&phase});
          SetKeyAttribute(&number);
        }
        Cnumber number;
        Cshaft shaft;
        Cfactor factor;
        Cranges_type ranges_type;
        Clower_bound lower_bound;
        Cupper_bound upper_bound;
        Cphase phase;
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
    CAverage Average;
    CPeakPeak PeakPeak;
    COverall_RMS Overall_RMS;
    CAbsolute_bands Absolute_bands;
    CRelative_bands Relative_bands;
  };

  using Cspectrum_settings = CVibroChannels::Cspectrum_settings;

  CVibroChannelsV1() : CNodeTagInfoXMLv1("VibroChannels", true, false) {
    AddChildren({&wave_settings, &spectrum_settings, &VibroChannel});
  }

  Cwave_settings wave_settings;
  Cspectrum_settings spectrum_settings;
  CVibroChannel VibroChannel;
};

}  // namespace vrk
