// Documents of versions 1, 2, 3 and 6: each is read and checked with its own schema, carried up to version 7,
// and then behaves like any version-7 configuration.
#include <gtest/gtest.h>

#include "convert/upgrade_failure.h"
#include "converter_fixture.h"
#include "older_documents.h"
#include "schema/device_v6.h"

namespace vrk::test {
namespace {

using OlderDocuments = ConverterTest;

constexpr uint16_t kOlderVersions[] = {1, 2, 3, 6};

TEST_F(OlderDocuments, EveryVersionLoadsAsVersionSevenAndItsImageRoundTrips) {
  for (uint16_t version : kOlderVersions)
    for (DocumentSize size : {DocumentSize::kMinimal, DocumentSize::kFull}) {
      SCOPED_TRACE(testing::Message() << "version " << version << (size == DocumentSize::kFull ? " full" : " minimal"));
      ASSERT_EQ(PutXml(OlderDocument(version, size)), S_OK) << error_;
      EXPECT_EQ(Get("VersionInfo\\version"), "7");
      const std::vector<uint8_t> image = Image();
      ASSERT_FALSE(image.empty()) << error_;
      ASSERT_EQ(PutImage(image), S_OK) << error_;
      EXPECT_EQ(Image(), image);
    }
}

const char kChannel[] = "VibroChannels\\VibroChannel\\";

// The load passes normalise every version; versions 2 to 6 keep the values version 7 has as well.
TEST_F(OlderDocuments, LoadPassesNormaliseEveryVersionAndUpgradesKeepTheValuesBothVersionsHave) {
  for (uint16_t version : kOlderVersions) {
    SCOPED_TRACE(testing::Message() << "version " << version);
    ASSERT_EQ(PutXml(OlderDocument(version, DocumentSize::kFull)), S_OK) << error_;
    EXPECT_EQ(Get("TachoChannels\\TachoChannel\\unit", Key(1)), "202");
    EXPECT_EQ(Get("TachoChannels\\TachoChannel\\maxvalue", Key(1)), "6000");
    EXPECT_EQ(Get("TachoChannels\\TachoChannel\\start_stop_region\\start_level", Key(1)), "1200");
    EXPECT_EQ(Xml().find("profibus_address"), std::string::npos);
    EXPECT_EQ(Get("Relay\\AlarmDelay\\On_ms"), "0");
    if (version == 1) continue;  // its own layout, below
    EXPECT_EQ(Get(std::string(kChannel) + "Average\\abs_level_region\\high_warning_level", Key(1)), "50");
    EXPECT_EQ(Get(std::string(kChannel) + "Relative_bands\\band\\phase\\number", At({0, 0})), "5");
    EXPECT_EQ(Get("Monitoring\\Element\\Tag\\ParamNum", At({0, 0})), "3");
    // Version 2 has no value limits of slave outputs: they get their defaults.
    EXPECT_EQ(Get("Modbus\\Slave_outputs\\Output\\Tag\\ParamMin", Key(1)), version == 2 ? "819" : "100");
    // The high-pass filter follows the unit: on for displacement in micrometres.
    EXPECT_EQ(Get(std::string(kChannel) + "hpf", Key(1)), "0");
    EXPECT_EQ(Get(std::string(kChannel) + "hpf", Key(2)), "1");
  }
}

TEST_F(OlderDocuments, VersionOneChannelsTakeTheVersionTwoLayout) {
  ASSERT_EQ(PutXml(OlderDocument(1, DocumentSize::kFull)), S_OK) << error_;
  const std::string ch = kChannel;
  EXPECT_EQ(Get(ch + "param\\unit", Key(1)), "102");
  EXPECT_EQ(Get(ch + "Average\\number", Key(1)), "1");
  EXPECT_EQ(Get(ch + "Average\\maxvalue", Key(1)), "100");
  EXPECT_EQ(Get(ch + "Average\\abs_level_region\\high_alarm_level", Key(1)), "80");
  EXPECT_EQ(Get(ch + "PeakPeak\\number", Key(1)), "2");
  // Overall_RMS becomes an absolute band after the channel's own ones, numbered before them.
  EXPECT_EQ(Get(ch + "Absolute_bands\\band\\number", At({0, 1})), "3");
  EXPECT_EQ(Get(ch + "Absolute_bands\\band\\low_freq", At({0, 1})), "10");
  EXPECT_EQ(Get(ch + "Absolute_bands\\band\\high_freq", At({0, 1})), "1000");
  EXPECT_EQ(Get(ch + "Absolute_bands\\band\\number", At({0, 0})), "4");
  EXPECT_EQ(Get(ch + "Absolute_bands\\band\\cutting_rel_bands\\cutting_band\\number", At({0, 0, 0})), "5");
  EXPECT_EQ(Get(ch + "Relative_bands\\band\\number", At({0, 0})), "5");
  EXPECT_EQ(Get(ch + "Relative_bands\\band\\factor", At({0, 0})), "1");
  EXPECT_EQ(Get(ch + "Relative_bands\\band\\phase\\number", At({0, 0})), "6");
  // The monitored relative band (version-1 parameter 20) is parameter 4 now.
  EXPECT_EQ(Get("Monitoring\\Element\\Tag\\ParamNum", At({0, 0})), "4");
  EXPECT_EQ(Get("current-outputs\\Output\\Tag\\ParamNum", Key(1)), "1");
  EXPECT_EQ(Xml().find("Overall_RMS"), std::string::npos);
}

// The same edits on the upgraded configuration and on the version-7 document it was written as give the same
// document: nothing of the older version stays behind to make them behave differently.
TEST_F(OlderDocuments, AfterTheUpgradeEditsBehaveAsOnAVersionSevenLoad) {
  auto edit = [this](std::string& edited) {
    ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "10"), S_OK) << error_;
    EXPECT_EQ(Set("Region_settings\\Hysteresis_percent", "95"), E_FAIL);
    ASSERT_EQ(Delete("TachoChannels\\TachoChannel\\", Key(1)), S_OK) << error_;
    ASSERT_EQ(Set(std::string(kChannel) + "Average\\abs_level_region\\high_alarm_level", "90", Key(1)), S_OK)
        << error_;
    edited = Xml();
  };
  for (uint16_t version : kOlderVersions) {
    SCOPED_TRACE(testing::Message() << "version " << version);
    ASSERT_EQ(PutXml(OlderDocument(version, DocumentSize::kFull)), S_OK) << error_;
    const std::string upgraded = Xml();
    std::string after_upgrade, after_reload;
    edit(after_upgrade);
    ASSERT_EQ(PutXml(upgraded), S_OK) << error_;
    edit(after_reload);
    EXPECT_EQ(after_upgrade, after_reload);
    EXPECT_EQ(after_upgrade.find("shaft="), std::string::npos);  // the bands on the removed shaft went too
  }
}

struct Refusal {
  uint16_t version;
  const char* from;
  const char* to;
  const char* message;
};

TEST_F(OlderDocuments, EachVersionChecksWithItsOwnLimits) {
  const Refusal refusals[] = {
      {1, "<band number=\"1\" low_freq", "<band number=\"17\" low_freq",
       "Incorrect value range (17) \nValue must be\npositive integer\ngreater than or equal 1 and less than or equal 16\n\\VRK_Device\\VibroChannels\\VibroChannel\\Absolute_bands\\band\\number"},
      {1, "low_freq=\"10\" high_freq=\"1000\"", "low_freq=\"1000\" high_freq=\"1000\"",
       "Incorrect value range (1000) \nValue must be less than high_freq (1000)\n\\VRK_Device\\VibroChannels\\VibroChannel\\Overall_RMS\\low_freq"},
      {1, "minvalue=\"0\" maxvalue=\"100\" sp_window", "minvalue=\"100\" maxvalue=\"100\" sp_window",
       "Incorrect value range (100) \nValue must be less than maxvalue (100)\n\\VRK_Device\\VibroChannels\\VibroChannel\\param\\minvalue"},
      {1, "factor=\"1.0\"", "factor=\"1.5\"",
       "Incorrect value range (1.5) \nValue must be\nreal number and\none of the following values:\n0.5\n1.0\n2.0\n3.0\n\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\factor"},
      {1, "<param minvalue=\"0\" ", "<param ",
       "No mandatory attribute\n\\VRK_Device\\VibroChannels\\VibroChannel\\param\\minvalue"},
      {2, "shaft=\"1\"", "shaft=\"4\"",
       "Incorrect value range (4) \nValue must be\npositive integer\ngreater than or equal 1 and less than or equal 3\n"
       "\\VRK_Device\\VibroChannels\\VibroChannel\\Relative_bands\\band\\shaft"},
      {7, "<Table type=\"1\"", "<Table type=\"0\"",
       "Incorrect value range (0) \nValue must be\npositive integer\ngreater than or equal 1 and less than or equal 4\n\\VRK_Device\\Modbus\\Tables\\Table\\type"},
      {7, "<Output Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"0\"", "<Output Number=\"0\"><Tag ChannelNum=\"1\" ParamNum=\"0\"",
       "Incorrect value range (0) \nValue must be\npositive integer\ngreater than or equal 1 and less than or equal 100\n\\VRK_Device\\Modbus\\Slave_outputs\\Output\\Number"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(testing::Message() << "version " << r.version << ": " << r.to);
    const std::string document = Replaced(OlderDocument(r.version, DocumentSize::kFull), r.from, r.to);
    ASSERT_NE(document, OlderDocument(r.version, DocumentSize::kFull));
    EXPECT_EQ(PutXml(document), E_FAIL);
    EXPECT_EQ(error_, r.message);
  }
}

TEST_F(OlderDocuments, WhatOnlyVersionTwoAllowsIsCarriedOver) {
  std::string document = Replaced(OlderDocument(2, DocumentSize::kFull), "<Table type=\"1\"", "<Table type=\"0\"");
  document = Replaced(document, "<Output Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"0\"",
                      "<Output Number=\"0\"><Tag ChannelNum=\"1\" ParamNum=\"0\"");
  ASSERT_EQ(PutXml(document), S_OK) << error_;
  EXPECT_EQ(Get("Modbus\\Tables\\Table\\type", At({0})), "1");
  EXPECT_EQ(Get("Modbus\\Slave_outputs\\Output\\Number", At({0})), "1");
  // Version 6 has no high-pass filter switch: one written into its document is not read, the upgrade sets it.
  ASSERT_EQ(PutXml(Replaced(OlderDocument(6, DocumentSize::kFull), "unit=\"102\" trn_sens", "unit=\"102\" hpf=\"1\" trn_sens")),
            S_OK)
      << error_;
  EXPECT_EQ(Get(std::string(kChannel) + "hpf", Key(1)), "0");
  // Band numbers above 16, which version 1 refuses, are fine in the later versions.
  ASSERT_EQ(PutXml(Replaced(OlderDocument(6, DocumentSize::kFull), "<band number=\"3\"", "<band number=\"17\"")), S_OK)
      << error_;
}

// A value that its own version accepts and version 7 refuses is also named by its path in the document the
// caller gave, where that path differs or does not exist.
TEST_F(OlderDocuments, AValueRefusedAfterTheUpgradeIsNamedInTheOlderDocument) {
  const std::string document = Replaced(OlderDocument(1, DocumentSize::kFull), "minvalue=\"0\" maxvalue=\"100\" sp_window",
                                        "minvalue=\"0\" maxvalue=\"100000000000\" sp_window");
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Incorrect value range (100000000000) \n")) << error_;
  EXPECT_TRUE(error_.ends_with("\\VRK_Device\\VibroChannels\\VibroChannel\\Average\\maxvalue\n"
                               "In the version 1 document: \\VRK_Device\\VibroChannels\\VibroChannel\\param\\maxvalue"))
      << error_;
  SetThreadUILanguage(1049);
  EXPECT_EQ(PutXml(document), E_FAIL);
  EXPECT_TRUE(error_.ends_with("\nВ документе версии 1: \\VRK_Device\\VibroChannels\\VibroChannel\\param\\maxvalue"))
      << error_;
  SetThreadUILanguage(1033);

  // The older schema has the same path: nothing is added. It has no such value: that is said.
  CNodeTag_VRK_DeviceV2 older;
  auto explained = [&](const std::string& detail) {
    try {
      ExplainUpgradeFailure(older, 2, [&] { throw CConvException("Message", detail); });
    } catch (const CConvException& e) {
      EXPECT_EQ(e.message(), "Message");
      return e.detail();
    }
    return std::string("<nothing thrown>");
  };
  EXPECT_EQ(explained("Value must be\n\\VRK_Device\\Modbus\\Tables\\Table\\type"),
            "Value must be\n\\VRK_Device\\Modbus\\Tables\\Table\\type");
  EXPECT_EQ(explained("\\VRK_Device\\Modbus\\ExchangeCycle\\Cycle\\CycleTime"),
            "\\VRK_Device\\Modbus\\ExchangeCycle\\Cycle\\CycleTime\nThe version 2 document has no such value");
  EXPECT_EQ(explained("a detail that names no path"), "a detail that names no path");
}

}  // namespace
}  // namespace vrk::test
