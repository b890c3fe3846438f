' A script whose checks pass: it succeeds.
Host.Echo "hello", 42
Host.Check "the argument", Host.Argument, "an argument"
