' A client of an installed Pelikar: creates the control by its ProgID, with nothing
' registered by hand, and converts a word through it.
'   pkscript create_control.vbs installed|missing
Option Explicit
Dim pelikar, number
On Error Resume Next
Set pelikar = CreateObject("PelikarLib.Pelikar")
number = Err.Number
On Error GoTo 0
If Host.Argument(0) = "missing" Then
  ' 429: ActiveX component can't create object.
  If number <> 429 Then Host.Fail "CreateObject gave error " & number & ", not 429"
ElseIf number <> 0 Then
  Host.Fail "CreateObject failed with error " & number
ElseIf pelikar.Nivo_To_En(pelikar.En_Ir_To_nivo("~sghl~")) <> "~sghl~" Then
  Host.Fail "the control does not convert"
End If
