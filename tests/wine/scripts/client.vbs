' A VBScript client of the control: creates it by its ProgID and calls every member
' that is implemented, with exact expected results, the run-time errors it raises,
' the property rules, by-reference and omitted optional arguments, and a file
' conversion.
'   pkscript client.vbs SCRATCH_DIRECTORY
Option Explicit

Sub Check(label, actual, expected)
  If actual <> expected Then
    Host.Fail label & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

' The codes of a string, as "143 142 141".
Function Codes(text)
  Dim i, list
  list = ""
  For i = 1 To Len(text)
    If i > 1 Then list = list & " "
    list = list & Asc(Mid(text, i, 1))
  Next
  Codes = list
End Function

' The error the last statement raised, taken: Array(number, source). Wine's VBScript
' has no Execute, so each failing call stands inline between On Error Resume Next and
' On Error GoTo 0, and hands its error over to CheckError.
Function TakeError()
  TakeError = Array(Err.Number, Err.Source)
  Err.Clear
End Function

' The error must be the expected one, and the control must keep working afterwards.
Sub CheckError(label, caught, expectedNumber)
  Check label & " Err.Number", caught(0), expectedNumber
  If caught(0) <> 0 Then Check label & " Err.Source", caught(1), "PelikarLib.Pelikar"
  Check label & " then Reverse", pelikar.Reverse("ab"), "ba"
  ' Counted last: an error inside this Sub would be swallowed by the caller's
  ' On Error Resume Next, and then the count falls short.
  errorsChecked = errorsChecked + 1
End Sub

Dim pelikar, errorsChecked
errorsChecked = 0
Set pelikar = CreateObject("PelikarLib.Pelikar")

' Conversions: keyboard-typed text to the two code pages, in visual order.
Check "En_Ir_To_nivo ~fff~", Codes(pelikar.En_Ir_To_nivo("~fff~")), "143 142 141"
Check "En_To_Ir ~fff~", Codes(pelikar.En_To_Ir("~fff~")), "146 147 147"
Check "En_Ir_To_nivo x ~ff~", Codes(pelikar.En_Ir_To_nivo("x ~ff~")), "143 141 32 32 120"
Check "En_Ir_To_nivo 12~f~", Codes(pelikar.En_Ir_To_nivo("12~f~")), "144 32 50 49"
Check "En_Ir_To_nivo empty", pelikar.En_Ir_To_nivo(""), ""

' Single letters, clamped to the alphabet.
Check "NivoFarsiChar 0", Codes(pelikar.NivoFarsiChar(0)), "134"
Check "NivoFarsiChar 1000", Codes(pelikar.NivoFarsiChar(1000)), "254"

' Back to keyboard-typed text.
Check "Nivo_To_En empty", pelikar.Nivo_To_En(""), "~~"
Check "Nivo_To_En of three beh", pelikar.Nivo_To_En(pelikar.En_Ir_To_nivo("~fff~")), "~fff~"

Check "Reverse", pelikar.Reverse("abc"), "cba"
Check "StrToAscStr", pelikar.StrToAscStr("abc"), "097098099"
Check "AscStrToStr", pelikar.AscStrToStr("097098099"), "abc"
Check "AscStrToStr high codes", Codes(pelikar.AscStrToStr("200255128")), "200 255 128"

Dim attribute, reservedText, sameText
reservedText = "many powerful capability in this method in future"
sameText = 0
For attribute = 0 To 255
  If pelikar.Reserved(attribute) = reservedText Then sameText = sameText + 1
Next
Check "Reserved gives one text for all 256 arguments", sameText, 256

' Run-time errors reach the script with their numbers.
Dim keyAscii, button, answer
On Error Resume Next
pelikar.AscStrToStr "abc"
CheckError "AscStrToStr abc", TakeError(), 13
pelikar.AscStrToStr "300"
CheckError "AscStrToStr 300", TakeError(), 5
pelikar.En_Ir_FileToNivo "Z:\no\such\file.txt", "Z:\no\such\out.txt"
CheckError "En_Ir_FileToNivo of a missing file", TakeError(), 53

' A code page that is no number.
pelikar.CodePage = "Nivo"
CheckError "CodePage let with a word", TakeError(), 13
On Error GoTo 0
Check "error cases checked", errorsChecked, 4

' The properties and their rules.
pelikar.CodePage = 7
Check "CodePage 7 is stored as 0", pelikar.CodePage, 0
pelikar.CodePage = 1
Check "CodePage 1", pelikar.CodePage, 1
pelikar.Environment = 9
Check "Environment 9", pelikar.Environment, 9
pelikar.MultiLine = True
Check "MultiLine", pelikar.MultiLine, True
pelikar.Farsi = False
Check "Farsi off", pelikar.Farsi, False
pelikar.Farsi = True
Check "Farsi on", pelikar.Farsi, True

' A variable passed to a by-reference Integer reaches the member and comes back
' written: an integer field lets digits through and cancels everything else.
Class NumberField
  Public Tag
  Public Name
End Class
Dim numberField
Set numberField = New NumberField
numberField.Tag = " Integer "
numberField.Name = "Amount"
keyAscii = 65
pelikar.FarsiPress numberField, keyAscii
Check "FarsiPress cancels a letter in an integer field", keyAscii, 0
keyAscii = 55
answer = pelikar.FarsiPress(numberField, keyAscii)
Check "FarsiPress lets a digit through", keyAscii, 55
Check "FarsiPress answers False for an integer field", answer, False
' A field the control cannot read is a failure it traps: False, KeyAscii unchanged.
keyAscii = 65
Check "FarsiPress with Nothing", pelikar.FarsiPress(Nothing, keyAscii), False
Check "FarsiPress with Nothing leaves KeyAscii", keyAscii, 65
pelikar.FarsiPress numberField, 13

' Optional arguments omitted or given as variables. Animate writes the Min and Max it
' used back into the variables; a label it cannot reach is a failure it traps.
Check "ToolTip with Button omitted", pelikar.ToolTip("x"), True
Check "ToolTip with a Button variable", pelikar.ToolTip("", button), True
Class Label
  Public Caption
  Public ForeColor
  Public FontSize
  Public Refreshed
  Public Sub Refresh()
    Refreshed = Refreshed + 1
  End Sub
End Class
Dim label, low, high
Set label = New Label
label.Refreshed = 0
low = 0
high = 12
Check "Animate a script label", pelikar.Animate(label, 3, 1000, low, high), True
Check "Animate wrote Min back", low, 10
Check "Animate kept Max", high, 12
Check "Animate left the font at Max", label.FontSize, 12
Check "Animate refreshed every step", label.Refreshed, 3
Check "Animate with Nothing", pelikar.Animate(Nothing, 3, 1000), False

' File conversion: every line by itself, back in the order it stood in the file.
Const kForReading = 1
Dim fileSystem, folder, inputPath, outputPath, stream, lines, i, converted, expected
Set fileSystem = CreateObject("Scripting.FileSystemObject")
folder = Host.Argument(0)
inputPath = fileSystem.BuildPath(folder, "client_vbs_input.txt")
outputPath = fileSystem.BuildPath(folder, "client_vbs_output.txt")
lines = Array("~fff~", "x ~ff~", "12~f~ ab", "")
Set stream = fileSystem.CreateTextFile(inputPath, True, False)
For i = 0 To UBound(lines)
  stream.Write lines(i) & vbCrLf
Next
stream.Close

Check "En_Ir_FileToNivo", pelikar.En_Ir_FileToNivo(inputPath, outputPath), True
Set stream = fileSystem.OpenTextFile(outputPath, kForReading, False, 0)
converted = stream.ReadAll
stream.Close
expected = ""
For i = 0 To UBound(lines)
  expected = expected & pelikar.En_Ir_To_nivo(pelikar.Reverse(lines(i))) & vbCrLf
Next
Check "En_Ir_FileToNivo output", Codes(converted), Codes(expected)
Check "En_Ir_FileToNivo first line", Codes(Left(converted, 5)), "143 142 141 13 10"

' An empty file gives an empty file.
fileSystem.CreateTextFile(inputPath, True, False).Close
Check "En_Ir_FileToNivo of an empty file", pelikar.En_Ir_FileToNivo(inputPath, outputPath), True
Check "empty output", fileSystem.GetFile(outputPath).Size, 0
fileSystem.DeleteFile inputPath
fileSystem.DeleteFile outputPath

Host.Echo "client.vbs: done"
