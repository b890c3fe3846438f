' The system utilities from a VBScript client, where only a script shows them: the
' run-time errors as Err.Number, and window shapes asked of the script's own class
' instances, which Wine's VBScript names through IDispatchEx only.
'   pkscript utilities.vbs
Option Explicit

Sub Check(label, actual, expected)
  If actual <> expected Then
    Host.Fail label & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

Function TakeError()
  TakeError = Err.Number
  Err.Clear
End Function

' A form of the script's own: its window handle is no window.
Class ScriptForm
  Public hWnd
End Class

Class ScriptLabel
  Public Caption
End Class

Dim pelikar, form, answer
Set pelikar = CreateObject("PelikarLib.Pelikar")

Check "WinPath", LCase(pelikar.WinPath), "c:\windows"
Check "BinToDec is a Byte", TypeName(pelikar.BinToDec("101")), "Byte"
Set form = New ScriptForm
form.hWnd = 0
Check "ShapeOval of no window", pelikar.ShapeOval(form, 0, 0, 100, 50), 0
Check "ShapeRect of no window", pelikar.ShapeRect(form, 0, 0, 100, 50, 10, 10), 0

On Error Resume Next
answer = pelikar.BinToDec("99999999")
Check "BinToDec 99999999", TakeError(), 6
answer = pelikar.FileExist("C:\win*\notepad.exe")
Check "FileExist of a malformed name", TakeError(), 52
answer = pelikar.ShapeOval(New ScriptLabel, 0, 0, 100, 50)
Check "ShapeOval of an object without hWnd", TakeError(), 438
answer = pelikar.ShapeRect(Nothing, 0, 0, 100, 50, 10, 10)
Check "ShapeRect of Nothing", TakeError(), 91
On Error GoTo 0

Host.Echo "utilities.vbs: done"
