// Names of the message-table entries. Each constant is the number of one entry; the text it stands for is shown
// beside it (English form). Numbers are part of the interface: callers may compare error texts, so an entry's
// number never changes meaning.
#pragma once

#include <cstdint>

namespace vrk {

// Failures of the binary image and its tags.
inline constexpr uint32_t kMsgTagDataUnreadable = 101;         // Data of tag "%s" cannot be read
inline constexpr uint32_t kMsgTagDataUnwritable = 102;         // Data of tag "%s" cannot be written completely
inline constexpr uint32_t kMsgIncorrectValueType = 103;        // Incorrect value type
inline constexpr uint32_t kMsgDocumentCreationError = 104;     // XML document creation error
inline constexpr uint32_t kMsgDefaultNotFound = 105;           // The default configuration is not found
inline constexpr uint32_t kMsgDefaultLoadingError = 106;       // The default configuration loading error
inline constexpr uint32_t kMsgDefaultNoRoot = 107;             // The default configuration has no root tag
inline constexpr uint32_t kMsgHeaderUnreadable = 108;          // Tag header cannot be read
inline constexpr uint32_t kMsgNoMandatoryTag = 109;            // No mandatory tag: "%s"
inline constexpr uint32_t kMsgDocumentLoadingError = 110;      // XML document loading error
inline constexpr uint32_t kMsgNotLoaded = 111;                 // The configuration has not been loaded
inline constexpr uint32_t kMsgMandatoryTagNotSpecified = 112;  // The mandatory tag "%s" is not specified
inline constexpr uint32_t kMsgNoSearchAttribute = 113;         // The attribute for search of an element is not ...
inline constexpr uint32_t kMsgNoRootTag = 114;                 // The root tag of the XML document is not found
inline constexpr uint32_t kMsgTagSizeIncorrect = 115;          // The size of the tag "%s" is specified incorrectly
inline constexpr uint32_t kMsgTagTooLarge = 116;               // Header of the tag "%s" must have greater data size
inline constexpr uint32_t kMsgHeaderUnwritable = 117;          // Header of the tag "%s" cannot be written completely
inline constexpr uint32_t kMsgCrcError = 118;                  // CRC error in the BIN-file
inline constexpr uint32_t kMsgNoSearchIndex = 119;             // No index for searching an element
inline constexpr uint32_t kMsgTagCreationError = 120;          // Tag creation error
inline constexpr uint32_t kMsgAttributeNotSpecified = 121;     // Attribute is not specified
inline constexpr uint32_t kMsgAttributeCreationError = 122;    // Attribute creation error
inline constexpr uint32_t kMsgValueUnparsable = 123;           // Incorrect value type (a text that does not parse)
inline constexpr uint32_t kMsgIncorrectRange = 124;            // Incorrect value range

// Pieces of the texts that explain a value's range.
inline constexpr uint32_t kMsgValueMustBe = 125;               // Value must be
inline constexpr uint32_t kMsgGreaterOrEqual = 126;            // greater than or equal
inline constexpr uint32_t kMsgGreater = 127;                   // greater than
inline constexpr uint32_t kMsgLessOrEqual = 128;               // less than or equal
inline constexpr uint32_t kMsgLess = 129;                      // less than
inline constexpr uint32_t kMsgAnd = 130;                       // and

// Rules of the model.
inline constexpr uint32_t kMsgNeedCycle = 131;                 // Must be specified at least one 'MCYC' tag
inline constexpr uint32_t kMsgNoMandatoryElement = 132;        // No mandatory tag
inline constexpr uint32_t kMsgNoMandatoryAttribute = 133;      // No mandatory attribute
inline constexpr uint32_t kMsgLine = 134;                      // line:
inline constexpr uint32_t kMsgCharacter = 135;                 // character:
inline constexpr uint32_t kMsgOneOfValues = 136;               // one of the following values:
inline constexpr uint32_t kMsgKeyNotUnique = 137;              // ... value of field "%s" must be unique
inline constexpr uint32_t kMsgKeysNotConsecutive = 138;        // ... must go with %s and further without blanks
inline constexpr uint32_t kMsgUnitMmPerSecond = 139;           // mm/s
inline constexpr uint32_t kMsgReferenceMissing = 140;          // The node "%s" must refer to one of existing ...
inline constexpr uint32_t kMsgSubnodeNotUnique = 141;          // The subnode "%s" must be unique
inline constexpr uint32_t kMsgNodeCount = 142;                 // There must be always %s node(s) of "%s"
inline constexpr uint32_t kMsgUnitMicrometre = 143;            // mkm
inline constexpr uint32_t kMsgUnitMillimetre = 144;            // mm
inline constexpr uint32_t kMsgWindowRectangular = 145;         // Rectangular
inline constexpr uint32_t kMsgWindowHanning = 146;             // Hanning
inline constexpr uint32_t kMsgSignedInteger = 147;             // positive/negative integer
inline constexpr uint32_t kMsgUnsignedInteger = 148;           // positive integer
inline constexpr uint32_t kMsgRealNumber = 149;                // real number
inline constexpr uint32_t kMsgParityNone = 150;                // no
inline constexpr uint32_t kMsgParityOdd = 151;                 // odd
inline constexpr uint32_t kMsgParityEven = 152;                // even
inline constexpr uint32_t kMsgReceivedTableTooLarge = 153;     // Sum of values ... mustn't exceed %s
inline constexpr uint32_t kMsgSpecifyValue = 154;              // Specify attribute value
inline constexpr uint32_t kMsgInvalidAttributePath = 155;      // Invalid path to the attribute
inline constexpr uint32_t kMsgInvalidNodePath = 156;           // Invalid path to the node
inline constexpr uint32_t kMsgNoBeginUpdate = 157;             // No call of BeginUpdate occurred before
inline constexpr uint32_t kMsgWindowHamming = 158;             // Hamming
inline constexpr uint32_t kMsgVersionNotSupported = 159;       // File version is not supported
inline constexpr uint32_t kMsgUnitMetrePerSecond2 = 160;       // m/s2
inline constexpr uint32_t kMsgPhaseWithoutBand = 161;          // Parameter "Phase" is not associated to ...
inline constexpr uint32_t kMsgTooFewLinearPoints = 162;        // The number of linearization points should be ...
inline constexpr uint32_t kMsgRepeatedSignalPoint = 163;       // The linearization points in the column "Signal" ...
inline constexpr uint32_t kMsgRepeatedValuePoint = 164;        // The linearization points in the column "Value" ...
inline constexpr uint32_t kMsgModbusSlave = 165;               // Modbus Slave
inline constexpr uint32_t kMsgModbusMaster = 166;              // Modbus Master
inline constexpr uint32_t kMsgGeneratorAny = 167;              // (any)
inline constexpr uint32_t kMsgGeneratorZero = 168;             // 0
inline constexpr uint32_t kMsgGeneratorOne = 169;              // 1
inline constexpr uint32_t kMsgRelayNormal = 170;               // normally
inline constexpr uint32_t kMsgRelayOff = 171;                  // 0 (OFF)
inline constexpr uint32_t kMsgRelayOn = 172;                   // 1 (ON)

// A number without an entry: the failure that nothing else describes reports an empty text.
inline constexpr uint32_t kMsgNone = 200;

// Entries that read the same in every language.
inline constexpr uint32_t kMsgDataBits7 = 201;                 // 7
inline constexpr uint32_t kMsgDataBits8 = 202;                 // 8
inline constexpr uint32_t kMsgStopBits1 = 203;                 // 1
inline constexpr uint32_t kMsgStopBits1_5 = 204;               // 1,5
inline constexpr uint32_t kMsgStopBits2 = 205;                 // 2
inline constexpr uint32_t kMsgUnitInchPerSecond = 206;         // in/s
inline constexpr uint32_t kMsgUnitMils = 207;                  // mils
inline constexpr uint32_t kMsgUnitInch = 208;                  // in
inline constexpr uint32_t kMsgUnitInchPerSecond2 = 209;        // in/s2
inline constexpr uint32_t kMsgFunctionReadCoils = 210;         // 01 - Read Coils
inline constexpr uint32_t kMsgFunctionReadInputs = 211;        // 02 - Read Discrete Inputs
inline constexpr uint32_t kMsgFunctionReadHolding = 212;       // 03 - Read Holding Registers
inline constexpr uint32_t kMsgFunctionReadInputRegs = 213;     // 04 - Read Input Registers
inline constexpr uint32_t kMsgFunctionWriteCoil = 214;         // 05 - Write Single Coil
inline constexpr uint32_t kMsgFunctionWriteRegister = 215;     // 06 - Write Single Register
inline constexpr uint32_t kMsgFunctionWriteCoils = 216;        // 15 - Write Multiple Coils
inline constexpr uint32_t kMsgFunctionWriteRegisters = 217;    // 16 - Write Multiple Registers

// Refusals of the component's own, past both numbered ranges, so that no existing number changes meaning.
inline constexpr uint32_t kMsgXmlTooLarge = 301;               // "%s": the most characters an XML text may have
inline constexpr uint32_t kMsgImageTooLarge = 302;             // "%s": the most bytes an image may have
inline constexpr uint32_t kMsgOutOfMemory = 303;               // Not enough memory
inline constexpr uint32_t kMsgOlderPath = 304;                 // "%s" the older version, "%s" the value's path there
inline constexpr uint32_t kMsgNoOlderValue = 305;              // "%s" the older version

}  // namespace vrk
