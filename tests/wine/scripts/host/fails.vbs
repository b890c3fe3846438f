' The script host's own check: Host.Fail makes the run fail but the script goes on.
Host.Fail "first"
Host.Fail "second"
Host.Echo "after the failures"
