// CNodeTagBandsContainer: an element that carries the three level regions (absolute levels, relative levels,
// relative percentages) before its own attributes and children. Tachometer channels, Modbus inputs, every
// vibration measurement and every band are such containers. CNodeTagBandsContainerV2 and its per-version
// descendants add the number and the measuring range that vibration measurements and bands carry.
#pragma once

#include "schema/compared_attribute.h"

namespace vrk {

class CNodeTagBandsContainer : public CNodeTagInfoXML {
 public:
  // Absolute thresholds. Warnings lie inside the alarms, the low ones below the high ones; each level first has
  // to respect the measuring range of its parameter (checked by the root).
  class Cabs_level_region : public CNodeTagInfoXML {
   public:
    class CLevel : public CComparedAttrInfoXML {
     public:
      explicit CLevel(std::string name)
          : CComparedAttrInfoXML(std::move(name), false, ValueRange::Unlimited(kTypeReal)) {}
      void CheckLinked(const CIndexList& indexes) override;
    };
    VRK_ATTRIBUTE(Crelay, CNodeAttrInfoXML, "relay", false, ValueRange::Integer(kTypeUnsigned16, 0, 1));

    Cabs_level_region();
    CLevel high_warning_level{"high_warning_level"};
    CLevel high_alarm_level{"high_alarm_level"};
    CLevel low_warning_level{"low_warning_level"};
    CLevel low_alarm_level{"low_alarm_level"};
    CLevel low_inoperative_level{"low_inoperative_level"};
    CLevel high_inoperative_level{"high_inoperative_level"};
    Crelay relay;
  };

  // Thresholds relative to a reference value, as values or as percentages of it: warning below alarm below
  // inoperative.
  class CRelativeLevelRegion : public CNodeTagInfoXML {
   public:
    CRelativeLevelRegion(std::string name, const ValueRange& range);
    CComparedAttrInfoXML high_warning_level;
    CComparedAttrInfoXML high_alarm_level;
    CComparedAttrInfoXML high_inoperative_level;
  };
  class Crel_level_region : public CRelativeLevelRegion {
   public:
    Crel_level_region() : CRelativeLevelRegion("rel_level_region", ValueRange::Unlimited(kTypeReal)) {}
  };
  class Crel_percent_region : public CRelativeLevelRegion {
   public:
    Crel_percent_region() : CRelativeLevelRegion("rel_percent_region", ValueRange::Real(0.1, 99.9)) {}
  };

  CNodeTagBandsContainer(std::string name, bool mandatory, bool repeated)
      : CNodeTagInfoXML(std::move(name), mandatory, repeated) {
    AddChildren({&abs_level_region, &rel_level_region, &rel_percent_region});
  }

  // Sets the imperial unit factor of every attribute of the absolute and relative level regions (percentages
  // have no unit and keep theirs).
  void SetLevelUnitFactor(double factor);

  Cabs_level_region abs_level_region;
  Crel_level_region rel_level_region;
  Crel_percent_region rel_percent_region;
};

// A numbered vibration measurement or band with its measuring range (minvalue below maxvalue). The limits of
// the range are left empty here; the roots set them where they are fixed or prepare them before each check.
class CNodeTagBandsContainerV2 : public CNodeTagBandsContainer {
 public:
  VRK_ATTRIBUTE(Cnumber, CNodeAttrInfoXMLv2, "number", true, ValueRange::Integer(kTypeUnsigned16, 1, 31));
  CNodeTagBandsContainerV2(std::string name, bool mandatory, bool repeated)
      : CNodeTagBandsContainer(std::move(name), mandatory, repeated) {
    AddAttributes({&number, &minvalue, &maxvalue});
    SetKeyAttribute(&number);
    minvalue.CompareWith({{LinkedRule::kLess, &maxvalue}});
    maxvalue.CompareWith({{LinkedRule::kGreater, &minvalue}});
  }

  // Sets the imperial unit factor of the measuring range and of the absolute and relative level regions.
  void SetUnitFactor(double factor);

  Cnumber number;
  CComparedAttrInfoXML minvalue{"minvalue", true, PreparedLimits().WithDefault("0")};
  CComparedAttrInfoXML maxvalue{"maxvalue", true, PreparedLimits().WithDefault("100")};

 private:
  // A real with both limits inclusive whose texts are filled in later; an empty limit text checks nothing.
  static ValueRange PreparedLimits() {
    ValueRange range = ValueRange::Unlimited(kTypeReal, 3);
    range.min_constraint = kMinInclusive;
    range.max_constraint = kMaxInclusive;
    return range;
  }
};

class CNodeTagBandsContainerV3 : public CNodeTagBandsContainerV2 {
 public:
  using CNodeTagBandsContainerV2::CNodeTagBandsContainerV2;
};

class CNodeTagBandsContainerV6 : public CNodeTagBandsContainerV3 {
 public:
  using CNodeTagBandsContainerV3::CNodeTagBandsContainerV3;
};

class CNodeTagBandsContainerV7 : public CNodeTagBandsContainerV6 {
 public:
  using CNodeTagBandsContainerV6::CNodeTagBandsContainerV6;
};

}  // namespace vrk
