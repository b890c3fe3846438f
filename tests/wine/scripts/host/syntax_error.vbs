' The script host's own check: a syntax error on line 3.
Host.Echo "before"
If Then
