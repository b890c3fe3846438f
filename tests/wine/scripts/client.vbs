' pkscript client.vbs: the control called as a script does, each family once: run-time
' errors, by-reference and omitted optional arguments, the script's own class
' instances (named through IDispatchEx only).
Option Explicit
Dim pelikar
Set pelikar = CreateObject("PelikarLib.Pelikar")
Host.Check "En_Ir_To_nivo", Host.Codes(pelikar.En_Ir_To_nivo("x ~ff~")), "143 141 32 32 120"
Host.Check "BinToDec is a Byte", TypeName(pelikar.BinToDec("101")), "Byte"

Class ScriptLabel
  Public Caption
  Public FontSize
  Public Refreshed
  Public Sub Refresh()
    Refreshed = Refreshed + 1
  End Sub
End Class
Class NumberField
  Public Tag
End Class
' Run-time errors reach the script with their numbers and source; the control goes on.
On Error Resume Next
pelikar.AscStrToStr "abc"
Host.Check "AscStrToStr abc", Err.Number & " " & Err.Source, "13 PelikarLib.Pelikar"
Err.Clear
pelikar.En_Ir_FileToNivo "Z:\no\such\file.txt", "Z:\no\such\out.txt"
Host.Check "En_Ir_FileToNivo of a missing file", Err.Number, 53
Err.Clear
pelikar.ShapeOval New ScriptLabel, 0, 0, 100, 50
Host.Check "ShapeOval of an object without hWnd", Err.Number, 438
Err.Clear
pelikar.ShapeRect Nothing, 0, 0, 100, 50, 10, 10
Host.Check "ShapeRect of Nothing", Err.Number, 91
Err.Clear

' A by-reference Integer comes back written, as an Integer, or is refused untouched.
Dim field, keyAscii
Set field = New NumberField
field.Tag = " Integer "
keyAscii = "abc"
pelikar.FarsiPress field, keyAscii
Host.Check "FarsiPress of a word", Err.Number & " " & keyAscii, "13 abc"
Err.Clear
keyAscii = CLng(100000)
pelikar.FarsiPress field, keyAscii
Host.Check "FarsiPress of a Long too big", Err.Number & " " & keyAscii, "6 100000"
On Error GoTo 0
keyAscii = CLng(65)
Host.Check "FarsiPress in an integer field", pelikar.FarsiPress(field, keyAscii), False
Host.Check "FarsiPress cancels a letter", keyAscii & " " & TypeName(keyAscii), "0 Integer"
keyAscii = 55
pelikar.FarsiPress field, keyAscii
Host.Check "FarsiPress lets a digit through", keyAscii, 55

' Optional arguments omitted or given as variables: Animate writes the Min it used back.
Dim label, low, high
Set label = New ScriptLabel
label.Refreshed = 0
low = 0
high = 12
Host.Check "ToolTip with Button omitted", pelikar.ToolTip("x"), True
Host.Check "Animate a script label", pelikar.Animate(label, 3, 1000, low, high), True
Host.Check "Animate: Min, Max, font, refreshes", low & " " & high & " " & label.FontSize & " " & _
           label.Refreshed, "10 12 12 3"

