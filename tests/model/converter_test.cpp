// The converter object through its interface: lifecycle, change counting, result codes and error texts.
#include "converter_fixture.h"

#include "interface/server_identity.h"

namespace vrk::test {
namespace {

using ConverterLifecycle = ConverterTest;

TEST_F(ConverterLifecycle, ChangeCounterFollowsLoadsEditsAndSavePoints) {
  EXPECT_EQ(Changed(), std::make_pair(0u, 0));
  LoadDefault();
  EXPECT_EQ(Changed(), std::make_pair(1u, 0));
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "10"), S_OK) << error_;
  EXPECT_EQ(Changed(), std::make_pair(2u, 1));
  EXPECT_EQ(cvt_->SetSavePoint(), S_OK);
  EXPECT_EQ(Changed(), std::make_pair(2u, 0));
  ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "10"), S_OK);  // same value still counts
  EXPECT_EQ(Changed(), std::make_pair(3u, 1));
  EXPECT_EQ(cvt_->FlushUndoRedo(100), S_OK);
  EXPECT_EQ(Changed(), std::make_pair(3u, 0));
}

// The error information names the interface and the ProgID, in the thread's language.
TEST_F(ConverterLifecycle, WithoutConfigurationEveryMethodNeedingOneFails) {
  BStr name("Cfg\\DeviceType"), value;
  ASSERT_EQ(cvt_->GetValue(name.get(), nullptr, value.Out()), E_FAIL);
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.Out()), S_OK);
  GUID guid{};
  BStr source, description;
  info->GetGUID(&guid);
  info->GetSource(source.Out());
  info->GetDescription(description.Out());
  EXPECT_TRUE(guid == IID_IVRK5420CfgConverter);
  EXPECT_EQ(source.ToUtf8(), kConverterProgId);
  EXPECT_EQ(description.ToUtf8(), "The configuration has not been loaded");
  EXPECT_EQ(Set("Cfg\\DeviceType", "1"), E_FAIL);
  EXPECT_EQ(Track(cvt_->BeginUpdate()), E_FAIL);
  EXPECT_EQ(error_, "The configuration has not been loaded");
  EXPECT_EQ(Track(cvt_->get_XML(value.Out())), E_FAIL);
  EXPECT_EQ(error_, "The configuration has not been loaded");
  SetThreadUILanguage(1049);
  EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>");
  EXPECT_EQ(error_, "Конфигурация не была загружена");
}

TEST_F(ConverterLifecycle, FailedLoadLeavesNoConfigurationAndGivesThePosition) {
  LoadDefault();
  EXPECT_EQ(PutXml("<VRK_Device><Cfg></VRK_Device>"), E_FAIL);
  EXPECT_TRUE(error_.starts_with("XML document loading error\n")) << error_;
  EXPECT_TRUE(error_.ends_with("line: 1, character: 31")) << error_;
  EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>");
  EXPECT_EQ(error_, "The configuration has not been loaded");
  EXPECT_EQ(Changed(), std::make_pair(2u, 0));  // a failed load moves the counter too
  SetThreadUILanguage(1049);
  EXPECT_EQ(PutXml("<a>\n<b>"), E_FAIL);
  EXPECT_TRUE(error_.starts_with("Ошибка загрузки XML документа\n")) << error_;
  EXPECT_TRUE(error_.ends_with("строка: 2, символ: 4")) << error_;
}

TEST_F(ConverterLifecycle, DocumentsAskingForOutsideResourcesOrOfOtherVersionsAreRefused) {
  EXPECT_EQ(PutXml("<?xml version=\"1.0\"?><!DOCTYPE d SYSTEM \"/etc/passwd\"><VRK_Device/>"), E_FAIL);
  EXPECT_TRUE(error_.starts_with("XML document loading error\n")) << error_;
  for (const char* version : {"5", "4", "0", "8"}) {
    EXPECT_EQ(PutXml(std::string("<VRK_Device><VersionInfo version=\"") + version + "\"/></VRK_Device>"), E_FAIL);
    EXPECT_EQ(error_, "File version is not supported");
  }
}

TEST_F(ConverterLifecycle, NullPointersAreRefusedWithAnEmptyDescription) {
  BStr name("Monitoring\\Element\\");
  EXPECT_EQ(cvt_->MoveNode(name.get(), nullptr, nullptr), E_INVALIDARG);
  LoadDefault();
  EXPECT_EQ(Track(cvt_->get_XML(nullptr)), E_FAIL);
  EXPECT_EQ(error_, "");
  ULONG counter = 0;
  EXPECT_EQ(Track(cvt_->GetChanged(&counter, nullptr)), E_FAIL);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(Track(cvt_->GetNodesCount(name.get(), nullptr, nullptr)), E_FAIL);
  EXPECT_EQ(error_, "");
}

// The root has no siblings to move among: a move of it applies no displacement and changes nothing.
TEST_F(ConverterLifecycle, MovingTheRootMovesNothing) {
  LoadDefault();
  const std::string before = Xml();
  LONG offset = 4;
  ASSERT_EQ(Move("", {}, offset), S_OK) << error_;
  EXPECT_EQ(offset, 0);
  EXPECT_EQ(Xml(), before);
}

TEST_F(ConverterLifecycle, AnswersForItsInterfacesOnly) {
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(cvt_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.Out())), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IVRK5420CfgConverter), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
  ComPtr<IUnknown> other;
  EXPECT_EQ(cvt_->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(other.Out())), E_NOINTERFACE);
}

TEST_F(ConverterLifecycle, ADomFailureIsReportedAfterALineFeed) {
  LoadDefault();
  const std::string before = Xml();
  EXPECT_EQ(Set("Header\\device_description", "a\x01b"), E_FAIL);  // not a character XML allows
  EXPECT_TRUE(error_.starts_with("\n") && error_.size() > 1) << error_;
  EXPECT_EQ(Xml(), before);
}

using DefaultConfiguration = ConverterTest;

// Paths match without regard to case; the text keeps its declaration and Cyrillic comments and loads back.
TEST_F(DefaultConfiguration, HoldsTheDocumentValuesAndRoundTripsItsText) {
  LoadDefault();
  for (const auto& [path, value] : {std::pair{"VersionInfo\\version", "7"}, {"cfg\\DEVICETYPE", "1"}, {"Cfg\\CfgId", ""},
                                    {"Header\\SW_version", "0.0"}, {"Data_transfer_settings\\param_min_int", "0"},
                                    {"Data_transfer_settings\\param_max_int", "65000"},
                                    {"Region_settings\\DelayDn_ms", "5000"}, {"BlackBox\\decimation_coeff", "0"}})
    EXPECT_EQ(Get(path), value) << path;
  EXPECT_EQ(Count("TachoChannels\\TachoChannel\\"), 0u);
  EXPECT_EQ(Count(""), 1u);
  const std::string xml = Xml();
  EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n")) << xml.substr(0, 80);
  EXPECT_NE(xml.find("<!--Конфигурация прибора VRK-5420 фирмы \"Велмора\"-->"), std::string::npos);
  EXPECT_NE(xml.find("<!--Test - режим \"Тест\"-->"), std::string::npos);
  EXPECT_NE(xml.find("\t<!--Header - заголовок конфигурации (общая информация о приборе)\t-->"), std::string::npos);
  ASSERT_EQ(PutXml(xml), S_OK) << error_;
  EXPECT_EQ(Xml(), xml);
}

}  // namespace
}  // namespace vrk::test
