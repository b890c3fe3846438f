' All 256 codes cross the control unchanged under the ANSI code page the test runs
' with: Chr(0) to Chr(255) go in, come back reversed, and come back whole.
'   pkscript all_codes.vbs EXPECTED_ANSI_CODE_PAGE
Option Explicit

Sub Check(label, actual, expected)
  If actual <> expected Then
    Host.Fail label & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

' The process must really run under the code page the test is about.
Check "ANSI code page", Host.AnsiCodePage, CLng(Host.Argument(0))

Dim pelikar, allCodes, code, reversed, twice, codeText, mismatches
Set pelikar = CreateObject("PelikarLib.Pelikar")

allCodes = ""
codeText = ""
For code = 0 To 255
  allCodes = allCodes & Chr(code)
  codeText = codeText & Right("00" & code, 3)
Next
Check "the script's own string", Len(allCodes), 256

reversed = pelikar.Reverse(allCodes)
Check "Len(Reverse)", Len(reversed), 256
mismatches = 0
For code = 0 To 255
  If Asc(Mid(reversed, code + 1, 1)) <> 255 - code Then
    mismatches = mismatches + 1
    Host.Fail "Reverse: position " & code + 1 & " has code " & Asc(Mid(reversed, code + 1, 1))
  End If
Next
Check "positions out of place", mismatches, 0

twice = pelikar.Reverse(reversed)
Check "Reverse twice", StrComp(twice, allCodes, vbBinaryCompare), 0

' The code texts, in both directions.
Check "StrToAscStr of all codes", pelikar.StrToAscStr(allCodes), codeText
Check "AscStrToStr of all codes", StrComp(pelikar.AscStrToStr(codeText), allCodes, vbBinaryCompare), 0

Host.Echo "all_codes.vbs: code page " & Host.AnsiCodePage & ", 256 codes round-trip"
