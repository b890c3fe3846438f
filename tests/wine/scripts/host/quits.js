// The script host's own check: Host.Quit ends a JScript script with its code.
Host.Echo("before");
Host.Quit(7);
Host.Echo("not reached");
