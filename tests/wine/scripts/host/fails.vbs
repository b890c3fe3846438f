' Failed checks make the run fail, but the script goes on.
Host.Check "first", 1, 2
Host.Check "second", "a", "b"
Host.Echo "after the failures"
