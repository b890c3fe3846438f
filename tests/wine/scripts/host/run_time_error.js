// The script host's own check: a JScript run-time error on line 3.
Host.Echo("before");
undefinedFunction();
