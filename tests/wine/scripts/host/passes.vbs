' The script host's own check: a script that reports nothing succeeds.
Host.Echo "hello", 42
If Host.ArgumentCount = 1 Then
  Host.Echo Host.Argument(0)
Else
  Host.Fail "expected one argument"
End If
