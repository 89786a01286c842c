// Diagnoses of monitored elements: per element, numbered diagnoses with their criteria formulas.
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CDiagnoses : public CNodeTagInfoXML {
 public:
  class CElement : public CNodeTagInfoXML {
   public:
    class CDiagnose : public CNodeTagInfoXML {
     public:
      class CCriterions : public CNodeTagInfoXML {
       public:
        class CCriterion : public CNodeTagInfoXML {
         public:
          VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXML, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 100));
          VRK_ATTRIBUTE(CFormula, CNodeAttrInfoXML, "Formula", true, ValueRange::Unlimited(kTypeText));
          CCriterion() : CNodeTagInfoXML("Criterion", false, true) {
            AddAttributes({&Number, &Formula});
            SetKeyAttribute(&Number);
          }
          CNumber Number;
          CFormula Formula;
        };
        CCriterions() : CNodeTagInfoXML("Criterions", false, false) { AddChildren({&Criterion}); }
        CCriterion Criterion;
      };

      VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXML, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 28));
      VRK_ATTRIBUTE(CDescription, CNodeAttrInfoXML, "Description", true, ValueRange::Unlimited(kTypeText));
      VRK_ATTRIBUTE(CConclusion, CNodeAttrInfoXML, "Conclusion", true, ValueRange::Unlimited(kTypeText));
      CDiagnose() : CNodeTagInfoXML("Diagnose", false, true) {
        AddAttributes({&Number, &Description, &Conclusion});
        AddChildren({&Criterions});
        SetKeyAttribute(&Number);
      }
      CNumber Number;
      CDescription Description;
      CConclusion Conclusion;
      CCriterions Criterions;
    };

    VRK_ATTRIBUTE(CNumber, CNodeAttrInfoXML, "Number", true, ValueRange::Integer(kTypeUnsigned16, 1, 16));
    CElement() : CNodeTagInfoXML("Element", false, true) {
      AddAttributes({&Number});
      AddChildren({&Diagnose});
      SetKeyAttribute(&Number);
    }
    CNumber Number;
    CDiagnose Diagnose;
  };

  CDiagnoses() : CNodeTagInfoXML("Diagnoses", false, false) { AddChildren({&Element}); }
  CElement Element;
};

}  // namespace vrk
