// A JScript client of the registered server, run by cscript: it calls every member of the converter that a
// script can call, through the type library's dispatch. JScript has no variables by reference, so [out] and
// [in, out] arguments are passed as plain values, which the call accepts and whose results the script does not
// see. GetValueRanges is left out: its [out] record cannot be passed as a plain value. Usage: cscript //nologo converter_script.js IMAGE_FILE
// Prints one line per check and, when it ran to the end, "done"; the image written is that of the default
// configuration with BlackBox\decimation_coeff set to 3.
var kPath = "BlackBox\\decimation_coeff";
var kEFail = -2147467259;  // 0x80004005 as JScript's signed error number
var failures = 0;

function check(ok, what) {
  WScript.Echo((ok ? "ok - " : "FAIL - ") + what);
  if (!ok) failures++;
}

// The error number and description of a call that is expected to fail, or null when it succeeds.
function failureOf(call) {
  try {
    call();
  } catch (e) {
    return { number: e.number, description: e.description };
  }
  return null;
}

var converter = new ActiveXObject("VRK5420CfgConverter.VRK5420CfgConverter");
var none = failureOf(function () { converter.GetValue(kPath, null); });
check(none !== null && none.number === kEFail && none.description === "The configuration has not been loaded",
      "without a configuration a call raises E_FAIL with the component's message");
check(converter.GetChanged(0) === 0, "GetChanged with a plain value for its [out] counter");

converter.CreateNewCfg();
check(converter.GetValue(kPath, null) === "0", "GetValue reads the default value");
check(converter.CheckValueRanges(kPath, null, "007") === undefined && converter.GetValue(kPath, null) === "0",
      "CheckValueRanges tries a value and leaves the configuration as it was");
var wrong = failureOf(function () { converter.SetValue(kPath, null, "10001"); });
check(wrong !== null && wrong.number === kEFail && wrong.description.indexOf("Incorrect value range (10001)") === 0,
      "SetValue out of range raises E_FAIL with the validation message");

// Elements: removed, created, counted, moved, read, replaced and checked. A script cannot make an index list
// (it has no IDispatch), so only elements that occur once are reachable.
var kElement = "Monitoring\\";
converter.DeleteNode(kElement, null);
check(converter.GetNodesCount(kElement, null) === 0, "DeleteNode removes an element");
converter.CreateNode(kElement, null);
check(converter.GetNodesCount(kElement, null) === 1, "CreateNode adds it again");
converter.MoveNode(kElement, null, 1);
converter.GetNodeText(kElement, null, "");
converter.SetNodeText("data_transfer_settings\\", null,
                      "<data_transfer_settings param_min_int=\"5\" param_max_int=\"65000\"/>");
check(converter.GetValue("data_transfer_settings\\param_min_int", null) === "5", "SetNodeText replaces an element");
converter.ArrangeNodeData("Monitoring\\", null);
converter.CheckNodeData("Monitoring\\", null);

// Brackets, the change counter and the modes.
converter.SetSavePoint();
converter.BeginUpdate();
converter.SetValue("region_settings\\Hysteresis_percent", null, "20");
converter.EndUpdate();
check(converter.GetChanged(0) === 1, "an edit in an update bracket is a change since the save point");
converter.FlushUndoRedo(0);
check(converter.GetChanged(0) === 0, "FlushUndoRedo marks the configuration as saved");
converter.ImperialSystemMeasurement = 1;
check(converter.ImperialSystemMeasurement === 1, "ImperialSystemMeasurement is set and read");
converter.ImperialSystemMeasurement = 0;
converter.IdenticalVibroBands = 1;
check(converter.IdenticalVibroBands === 1, "IdenticalVibroBands is set and read");
converter.CompatibilityThrsSCADA21 = 1;
check(converter.CompatibilityThrsSCADA21 === 1, "CompatibilityThrsSCADA21 is set and read");

// The image: the default configuration with one value changed, written as the VBScript client writes it.
converter.CreateNewCfg();
converter.SetValue(kPath, null, "003");
check(converter.GetValue(kPath, null) === "3", "SetValue with a plain value stores the value");
converter.GetBIN(0, 0);
var image = converter.BIN;
var files = new ActiveXObject("Scripting.FileSystemObject");
var stream = files.CreateTextFile(WScript.Arguments(0), true, true);
stream.Write(image);
stream.Close();
check(files.GetFile(WScript.Arguments(0)).Size > 2, "the image is written");
var text = converter.XML;
converter.BIN = image;
check(converter.GetValue(kPath, null) === "3", "BIN put loads the image back");
converter.XML = text;
check(converter.XML.substr(0, 5) === "<?xml" && converter.GetValue(kPath, null) === "3",
      "XML get and put give the document back");

WScript.Echo("done");
WScript.Quit(failures);
