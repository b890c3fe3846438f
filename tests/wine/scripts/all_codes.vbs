' pkscript all_codes.vbs EXPECTED_ANSI_CODE_PAGE: Chr(0) to Chr(255) cross the control
' unchanged, reversed and whole, under the ANSI code page the test runs with.
Option Explicit
Host.Check "ANSI code page", Host.AnsiCodePage, Host.Argument
Dim pelikar, allCodes, codeText, reversedCodes, code
Set pelikar = CreateObject("PelikarLib.Pelikar")
For code = 0 To 255
  allCodes = allCodes & Chr(code)
  codeText = codeText & Right("00" & code, 3)
  reversedCodes = " " & code & reversedCodes
Next
Host.Check "Reverse", " " & Host.Codes(pelikar.Reverse(allCodes)), reversedCodes
Host.Check "StrToAscStr", pelikar.StrToAscStr(allCodes), codeText
Host.Check "AscStrToStr", StrComp(pelikar.AscStrToStr(codeText), allCodes, vbBinaryCompare), 0
Host.Echo "all_codes.vbs: code page " & Host.AnsiCodePage & ", 256 codes round-trip"
