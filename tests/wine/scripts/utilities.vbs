' The system utilities from a VBScript client, where only a script shows them: the
' run-time errors as Err.Number, and window shapes asked of the script's own class
' instances, which Wine's VBScript names through IDispatchEx only.
'   pkscript utilities.vbs
Option Explicit

' A form of the script's own: its window handle is no window.
Class ScriptForm
  Public hWnd
End Class

Class ScriptLabel
  Public Caption
End Class

Dim pelikar, form, answer
Set pelikar = CreateObject("PelikarLib.Pelikar")
Host.Check "BinToDec is a Byte", TypeName(pelikar.BinToDec("101")), "Byte"
Set form = New ScriptForm
form.hWnd = 0
Host.Check "ShapeOval of no window", pelikar.ShapeOval(form, 0, 0, 100, 50), 0

On Error Resume Next
answer = pelikar.BinToDec("99999999")
Host.Check "BinToDec 99999999", Err.Number, 6
Err.Clear
answer = pelikar.FileExist("C:\win*\notepad.exe")
Host.Check "FileExist of a malformed name", Err.Number, 52
Err.Clear
answer = pelikar.ShapeOval(New ScriptLabel, 0, 0, 100, 50)
Host.Check "ShapeOval of an object without hWnd", Err.Number, 438
Err.Clear
answer = pelikar.ShapeRect(Nothing, 0, 0, 100, 50, 10, 10)
Host.Check "ShapeRect of Nothing", Err.Number, 91
On Error GoTo 0

Host.Echo "utilities.vbs: done"
