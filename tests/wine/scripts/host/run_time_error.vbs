' The script host's own check: a run-time error (division by zero) on line 4.
Dim zero
zero = 0
Host.Echo 1 / zero
Host.Echo "not reached"
