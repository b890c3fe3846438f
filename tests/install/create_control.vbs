' A client of an installed Pelikar: creates the control by its ProgID, with nothing
' registered by hand, and converts a word through it.
'   pkscript create_control.vbs installed|missing
Dim pelikar, number
On Error Resume Next
Set pelikar = CreateObject("PelikarLib.Pelikar")
number = Err.Number
On Error GoTo 0
If Host.Argument = "missing" Then
  Host.Check "CreateObject (429: can't create object)", number, 429
Else
  Host.Check "CreateObject", number, 0
  Host.Check "a conversion", pelikar.Nivo_To_En(pelikar.En_Ir_To_nivo("~sghl~")), "~sghl~"
End If
