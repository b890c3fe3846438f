' A host form that types through the control: each text box forwards its key-down
' to FarsiDown and its key-press to FarsiPress, as a form's key handlers do, and then
' does what a real text box does with the key (its own Delete and caret keys after
' the key-down, the character the key-press leaves, Backspace included). The results
' are those of the typing engine's own tests for the same keys.
'   pkscript typing.vbs
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

Class TextBox
  Public Text
  Public SelStart
  Public SelLength
  Public Tag
  Public Name
  Public Locked
  Public MaxLength
  Public MultiLine

  Private Sub Class_Initialize()
    Text = ""
    SelStart = 0
    SelLength = 0
    Tag = ""
    Locked = False
    MaxLength = 0
    MultiLine = False
  End Sub

  Public Property Get SelText()
    SelText = Mid(Text, SelStart + 1, SelLength)
  End Property

  ' The selection replaced; the caret after what took its place.
  Public Property Let SelText(value)
    Text = Left(Text, SelStart) & value & Mid(Text, SelStart + SelLength + 1)
    SelStart = SelStart + Len(value)
    SelLength = 0
  End Property

  Public Sub OwnKeyDown(key)
    Select Case key
      Case 46  ' Delete: the selection, else the character right of the caret
        If SelLength = 0 And SelStart < Len(Text) Then SelLength = 1
        Me.SelText = ""
      Case 37
        If SelStart > 0 Then SelStart = SelStart - 1
      Case 39
        If SelStart < Len(Text) Then SelStart = SelStart + 1
      Case 36
        SelStart = 0
      Case 35
        SelStart = Len(Text)
    End Select
    SelLength = 0
  End Sub

  Public Sub OwnKeyPress(code)
    If code = 0 Then Exit Sub
    If code = 8 Then  ' Backspace: the selection, else the character left of the caret
      If SelLength = 0 And SelStart > 0 Then
        SelStart = SelStart - 1
        SelLength = 1
      End If
      Me.SelText = ""
    Else
      Me.SelText = Chr(code)
    End If
  End Sub
End Class

Function NewBox(name, tag)
  Dim box
  Set box = New TextBox
  box.Name = name
  box.Tag = tag
  Set NewBox = box
End Function

' The form's key handlers.
Sub KeyDown(box, key, shift)
  pelikar.FarsiDown box, key, shift
  box.OwnKeyDown key
End Sub

Sub KeyPress(box, code)
  Dim character
  character = code
  pelikar.FarsiPress box, character
  box.OwnKeyPress character
End Sub

' The key of a character on a US keyboard: Array(virtual-key code, shift).
Function KeyOf(c)
  Select Case c
    Case " ": KeyOf = Array(32, 0)
    Case ";": KeyOf = Array(186, 0)
    Case "=": KeyOf = Array(187, 0)
    Case ",": KeyOf = Array(188, 0)
    Case "-": KeyOf = Array(189, 0)
    Case ".": KeyOf = Array(190, 0)
    Case "/": KeyOf = Array(191, 0)
    Case "`": KeyOf = Array(192, 0)
    Case "[": KeyOf = Array(219, 0)
    Case "\": KeyOf = Array(220, 0)
    Case "]": KeyOf = Array(221, 0)
    Case "'": KeyOf = Array(222, 0)
    Case Else
      If Asc(c) >= 65 And Asc(c) <= 90 Then  ' a capital: Shift with the letter
        KeyOf = Array(Asc(c), 1)
      Else
        KeyOf = Array(Asc(UCase(c)), 0)
      End If
  End Select
End Function

' Types each character with its key: key-down, then key-press.
Sub TypeKeys(box, typed)
  Dim i, c, key
  For i = 1 To Len(typed)
    c = Mid(typed, i, 1)
    key = KeyOf(c)
    KeyDown box, key(0), key(1)
    KeyPress box, Asc(c)
  Next
End Sub

Sub PressBackspace(box)
  KeyDown box, 8, 0
  KeyPress box, 8
End Sub

Dim pelikar
Set pelikar = CreateObject("PelikarLib.Pelikar")
pelikar.Farsi = True  ' Scroll Lock on: Persian mode
pelikar.CodePage = 0

' Words typed letter by letter give what ConvertText gives for the same keys; the
' caret stays left of the last letter, at 0.
Dim box
Set box = NewBox("Text1", "")
TypeKeys box, "sghl"
Check "salaam in Nivo", Codes(box.Text), Codes(pelikar.En_Ir_To_nivo("~sghl~"))
Check "the caret stays at 0", box.SelStart, 0
Set box = NewBox("Text2", "text")
TypeKeys box, "sghl fv alh"
Check "a sentence", Codes(box.Text), Codes(pelikar.En_Ir_To_nivo("~sghl fv alh~"))

pelikar.CodePage = 1
Set box = NewBox("RichTextBox1", "")
TypeKeys box, "sghl"
Check "salaam in Ir", Codes(box.Text), Codes(pelikar.En_To_Ir("~sghl~"))
pelikar.CodePage = 0

' A number typed after a word reads left to right; ConvertText reverses it with the
' whole line.
Set box = NewBox("Text3", "")
TypeKeys box, "jhvdo 1403"
Check "a date's year after a word", Codes(box.Text), _
      Codes(Replace(pelikar.En_Ir_To_nivo("~jhvdo 1403~"), "3041", "1403"))

' Backspace at caret 0 of a single-line field takes the letter right of the caret,
' the last one typed, and reshapes its neighbour.
Set box = NewBox("Text4", "")
TypeKeys box, "sghl"
PressBackspace box
Check "Backspace", Codes(box.Text), Codes(pelikar.En_Ir_To_nivo("~sgh~"))

' A masked Shamsi date: digits fill the placeholders, the caret skips the separators.
Set box = NewBox("MaskedBox1", "shamsi")
TypeKeys box, "13700101"
Check "a Shamsi date", box.Text, "1370/01/01"
Check "the caret after the date", box.SelStart, 10
TypeKeys box, "9"
Check "a ninth digit", box.Text, "1370/01/01"

' An integer field takes digits only, in either mode.
Set box = NewBox("Amount", " Integer ")
TypeKeys box, "12a3"
Check "an integer field", box.Text, "123"

' Scroll Lock off: the keys reach the field as they are.
pelikar.Farsi = False
Set box = NewBox("Text5", "")
TypeKeys box, "abc"
Check "English typing", box.Text, "abc"
Check "the caret after it", box.SelStart, 3
Check "Farsi off", pelikar.Farsi, False

Host.Echo "typing.vbs: done"
