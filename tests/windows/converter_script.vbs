' A script client of the registered server, run by cscript: it creates the converter by ProgID, makes the
' default configuration, reads and changes a value, catches the error of a value out of range, and writes the
' binary image. Usage: cscript //nologo converter_script.vbs IMAGE_FILE
' Prints one line per check, the image's CRC-32 and, when it ran to the end, "done"; the exit code is the number
' of failed checks. Counts and the CRC come back as unsigned 32-bit values, which the script converts with CLng
' and Hex before it compares them.
Option Explicit

Const kPath = "BlackBox\decimation_coeff"
Dim failures : failures = 0

Sub Check(ok, what)
  If ok Then
    WScript.Echo "ok - " & what
  Else
    WScript.Echo "FAIL - " & what
    failures = failures + 1
  End If
End Sub

Dim expectedDescription
expectedDescription = "Incorrect value range (10001) " & vbLf & "Value must be" & vbLf & "positive integer" & vbLf & _
  "greater than or equal 0 and less than or equal 10000" & vbLf & "\VRK_Device\BlackBox\decimation_coeff"

Dim converter
Set converter = CreateObject("VRK5420CfgConverter.VRK5420CfgConverter")
converter.CreateNewCfg
Check converter.GetValue(kPath, Nothing) = "0", "GetValue reads the default value"
Check CLng(converter.GetNodesCount("Modbus\Tables\Table\", Nothing)) = 4, "GetNodesCount counts the Modbus tables"

' SetValue gives the value back as stored through its in-out argument.
Dim value : value = "003"
converter.SetValue kPath, Nothing, value
Check value = "3", "SetValue stores the value and gives back its normal form"
Check converter.GetValue(kPath, Nothing) = "3", "GetValue reads the new value"

Dim number, description, source
value = "10001"
On Error Resume Next
converter.SetValue kPath, Nothing, value
number = Err.Number : description = Err.Description : source = Err.Source
On Error GoTo 0
WScript.Echo "# " & Replace(description, vbLf, vbLf & "# ")
Check number = &H80004005, "SetValue out of range raises E_FAIL"
Check description = expectedDescription, "its description names the value, the limits and the path"
Check source = "VRK5420CfgConverter.VRK5420CfgConvert.1", "its source is the registered ProgID"
Check converter.GetValue(kPath, Nothing) = "3", "the failed SetValue leaves the value as it was"

' The index list is an IUnknown-only object: a script cannot create it, and passes Nothing for an empty list.
Dim indexes
On Error Resume Next
Set indexes = CreateObject("VRK5420CfgConverter.VRK5420CfgConValueI")
number = Err.Number
On Error GoTo 0
Check number <> 0, "the index list is not an automation object"

Dim changed, counter
changed = converter.GetChanged(counter)
Check changed = 1 And CLng(counter) = 2, "GetChanged counts the load and the one successful edit"

Dim image, crc
converter.GetBIN image, crc
WScript.Echo "CRC-32 0x" & Right("0000000" & Hex(crc), 8)
' The byte array goes to a Unicode text stream, which writes it as the bytes of a binary string after the
' stream's byte-order mark: script engines that cannot index byte arrays can still save them this way.
Dim files, stream
Set files = CreateObject("Scripting.FileSystemObject")
Set stream = files.CreateTextFile(WScript.Arguments(0), True, True)
stream.Write image
stream.Close
Check files.GetFile(WScript.Arguments(0)).Size > 2, "the image is written"

' Loading the image back gives the same configuration, hence the same CRC.
converter.BIN = image
Dim imageAgain, crcAgain
converter.GetBIN imageAgain, crcAgain
Check Hex(crcAgain) = Hex(crc), "BIN put of the image and GetBIN again give the same CRC"
Check Left(converter.XML, 5) = "<?xml", "XML get gives the document"

WScript.Echo "done"
WScript.Quit failures
