// The component's automation interfaces, record and identifiers, as clients see them.
#pragma once

#include "platform/com_types.h"

// {60488527-D1F6-4F56-8958-D9B80793C60F}
inline constexpr GUID LIBID_VRK5420CfgConverterLib = {
    0x60488527, 0xD1F6, 0x4F56, {0x89, 0x58, 0xD9, 0xB8, 0x07, 0x93, 0xC6, 0x0F}};
// {D289E531-5741-41B3-B57A-972BB7260CF5}
inline constexpr IID IID_IVRK5420CfgConverter = {
    0xD289E531, 0x5741, 0x41B3, {0xB5, 0x7A, 0x97, 0x2B, 0xB7, 0x26, 0x0C, 0xF5}};
// {34B7B891-C981-4997-9BAB-136A41AF325B}
inline constexpr IID IID_IVRK5420CfgConValueIndexes = {
    0x34B7B891, 0xC981, 0x4997, {0x9B, 0xAB, 0x13, 0x6A, 0x41, 0xAF, 0x32, 0x5B}};
// {928364F9-99CC-4205-903F-0991F11B805F}
inline constexpr GUID GUID_VRK5420CfgConDataRange = {
    0x928364F9, 0x99CC, 0x4205, {0x90, 0x3F, 0x09, 0x91, 0xF1, 0x1B, 0x80, 0x5F}};
// {7AE70612-DF6C-4540-9955-C57CFD9A3562}
inline constexpr CLSID CLSID_VRK5420CfgConverter = {
    0x7AE70612, 0xDF6C, 0x4540, {0x99, 0x55, 0xC5, 0x7C, 0xFD, 0x9A, 0x35, 0x62}};
// {B572B8A8-723D-4E42-8F0C-147FED6FC9CE}
inline constexpr CLSID CLSID_VRK5420CfgConValueIndexes = {
    0xB572B8A8, 0x723D, 0x4E42, {0x8F, 0x0C, 0x14, 0x7F, 0xED, 0x6F, 0xC9, 0xCE}};
// {10C4AD8C-F2DB-4982-8BCF-9F368C1FB19D}
inline constexpr GUID APPID_VRK5420CfgConverter = {
    0x10C4AD8C, 0xF2DB, 0x4982, {0x8B, 0xCF, 0x9F, 0x36, 0x8C, 0x1F, 0xB1, 0x9D}};

// Range information of one attribute, as GetValueRanges reports it. The caller owns the strings it receives.
struct VRK5420CfgConDataRange {
  ULONG Type;
  BSTR DefaultVal;
  ULONG MinConstraint;
  BSTR MinVal;
  ULONG MaxConstraint;
  BSTR MaxVal;
  LONG AddConstraint;
  BSTR Increment;
  BSTR Dictionary;
};

// The index list that accompanies a path name: entries of (use-attribute flag, value). Index arguments out of
// range give E_INVALIDARG.
struct IVRK5420CfgConValueIndexes : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Count(ULONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Count(ULONG value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UseAttr(ULONG index, LONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UseAttr(ULONG index, LONG value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Value(ULONG index, ULONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Value(ULONG index, ULONG value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID lcid,
                                                  DISPID* ids) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                           VARIANT* result, EXCEPINFO* excep, UINT* arg_err) = 0;
};

// The converter: one instrument configuration, its edits and its conversions. Every method returns S_OK, or
// E_FAIL with error information describing the failure (MoveNode with a null Offset: E_INVALIDARG).
struct IVRK5420CfgConverter : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_XML(BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_XML(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_BIN(SAFEARRAY** data) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BIN(SAFEARRAY* data) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBIN(SAFEARRAY** data, ULONG* crc32) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateNewCfg() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetValueRanges(BSTR name, IVRK5420CfgConValueIndexes* indexes,
                                                   VRK5420CfgConDataRange* ranges) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetValue(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetValue(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateNode(BSTR name, IVRK5420CfgConValueIndexes* indexes) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteNode(BSTR name, IVRK5420CfgConValueIndexes* indexes) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveNode(BSTR name, IVRK5420CfgConValueIndexes* indexes, LONG* offset) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNodeText(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetNodeText(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE CheckValueRanges(BSTR name, IVRK5420CfgConValueIndexes* indexes,
                                                     BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE BeginUpdate() = 0;
  virtual HRESULT STDMETHODCALLTYPE EndUpdate() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNodesCount(BSTR name, IVRK5420CfgConValueIndexes* indexes, ULONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChanged(ULONG* counter, LONG* changed) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IdenticalVibroBands(LONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_IdenticalVibroBands(LONG value) = 0;
  virtual HRESULT STDMETHODCALLTYPE FlushUndoRedo(ULONG size) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSavePoint() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ImperialSystemMeasurement(LONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ImperialSystemMeasurement(LONG value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ArrangeNodeData(BSTR name, IVRK5420CfgConValueIndexes* indexes) = 0;
  virtual HRESULT STDMETHODCALLTYPE CheckNodeData(BSTR name, IVRK5420CfgConValueIndexes* indexes) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CompatibilityThrsSCADA21(LONG* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CompatibilityThrsSCADA21(LONG value) = 0;
};

// The server's entry points.
VRK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object);
VRK_EXPORT HRESULT DllCanUnloadNow();
VRK_EXPORT HRESULT DllRegisterServer();
VRK_EXPORT HRESULT DllUnregisterServer();
