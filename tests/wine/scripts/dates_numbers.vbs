' The date and number members from a script client: exact results for good input,
' the empty result (and never an error) for bad input.
Option Explicit

Sub Check(label, actual, expected)
  If actual <> expected Then
    Host.Fail label & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

Dim pelikar
Set pelikar = CreateObject("PelikarLib.Pelikar")

' Persian words: the Nivo conversion of the typed words.
Function Words(typed)
  Words = pelikar.En_Ir_To_nivo(typed)
End Function

Dim joiner
joiner = " " & Chr(246) & " "

' Both directions of the calendar.
Check "1370/10/11", pelikar.Shamsi_To_Miladi("1370/10/11"), "01/01/1992"
Check "01/01/1992", pelikar.Miladi_To_Shamsi("01/01/1992"), "1370/10/11"
Check "20/03/2024", pelikar.Miladi_To_Shamsi("20/03/2024"), "1403/01/01"
Check "1403/12/30 (1403 is leap)", pelikar.Shamsi_To_Miladi("1403/12/30"), "20/03/2025"
Check "1370/10/5", pelikar.Shamsi_To_Miladi(" 1370/10/5 "), "26/12/1991"

Check "DayOfWeek 1370/10/11", pelikar.DayOfWeek("1370/10/11"), Words("~]ihvakfi~")
Check "DayOfWeek 1403/01/01", pelikar.DayOfWeek("1403/01/01"), Words("~]ihvakfi~")
Check "MonthOfYear 1370/10/11", pelikar.MonthOfYear("1370/10/11"), Words("~nd~")
Check "MonthOfYear 1370/13/01", pelikar.MonthOfYear("1370/13/01"), "31"
Check "SpellDate 1370/10/11", pelikar.SpellDate("1370/10/11"), _
      pelikar.SpellNum(70) & " " & Words("~nd~") & " " & pelikar.SpellNum(11)
Check "SpellDate empty", pelikar.SpellDate(""), "ZERO  ZERO"

Check "SpellNum 21", pelikar.SpellNum(21), Words("~d;~") & joiner & Words("~fdsj~")
Check "SpellNum 12.9", pelikar.SpellNum(12.9), Words("~n,hcni~")
Check "SpellNum 1000100", pelikar.SpellNum(1000100), _
      Words("~d;wn~") & joiner & Words("~ldgd,k~") & " " & Words("~d;~")
Check "SpellNum -5", pelikar.SpellNum(-5), Words("~`k[~") & " " & Words("~lktd~")
Check "SpellNum 0.7", pelikar.SpellNum(0.7), "ZERO"
Check "SpellNum too large", pelikar.SpellNum(2147483648), Words("~fda hc 7463847412~")
Check "SpellNum too small", pelikar.SpellNum(-1E+300), Words("~lktd  ;ljv hc 7463847412 - ~")

' Today, from the system clock: the Shamsi form of the script's own date.
Dim today
today = Right("0" & Day(Date), 2) & "/" & Right("0" & Month(Date), 2) & "/" & Year(Date)
Check "SystemDate", pelikar.SystemDate, pelikar.Miladi_To_Shamsi(today)
Check "SystemDate is a date", Len(pelikar.SystemDate), 10

' Bad input: the empty result, never an error.
Dim badDates, badDate, member, result
badDates = Array("", "1370/13/01", "abcd/ef/gh", "1501/01/01", "1404/12/30", "1370-10-11", _
                 "0000/01/01", "32/01/1992", "01/01/2101", String(300, "9"))
On Error Resume Next
For Each badDate In badDates
  result = pelikar.Shamsi_To_Miladi(badDate)
  Check "Shamsi_To_Miladi [" & badDate & "] error", Err.Number, 0
  Check "Shamsi_To_Miladi [" & badDate & "]", result, ""
  result = pelikar.Miladi_To_Shamsi(badDate)
  Check "Miladi_To_Shamsi [" & badDate & "] error", Err.Number, 0
  Check "Miladi_To_Shamsi [" & badDate & "]", result, ""
  result = pelikar.DayOfWeek(badDate)
  Check "DayOfWeek [" & badDate & "] error", Err.Number, 0
  Check "DayOfWeek [" & badDate & "]", result, ""
  result = pelikar.SpellDate(badDate)
  Check "SpellDate [" & badDate & "] error", Err.Number, 0
  result = pelikar.MonthOfYear(badDate)
  Check "MonthOfYear [" & badDate & "] error", Err.Number, 0
Next
Dim hugeNumbers, number
hugeNumbers = Array(1E+308, -1E+308, 2147483647, -2147483647, 4294967296, -0.5)
For Each number In hugeNumbers
  result = pelikar.SpellNum(number)
  Check "SpellNum " & number & " error", Err.Number, 0
  Check "SpellNum " & number & " answers", Len(result) > 0, True
Next
On Error GoTo 0

Host.Echo "dates_numbers.vbs: done"
