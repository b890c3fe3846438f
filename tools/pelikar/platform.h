#pragma once
// The few things the tool asks of the operating system. One implementation per
// platform, so that windows.h stays inside platform_windows.cpp.

namespace pelikar::cli {

enum class StandardStream { Input, Output, Error };

// Puts the standard streams in byte mode: codes 128-255 and CR must pass unchanged
// both ways, and a LF written must stay a single LF.
void UseBinaryStandardStreams();

// Whether the stream is an interactive terminal (a console on Windows).
bool IsTerminal(StandardStream stream);

// Lets the terminal show the UTF-8 rendering; restores its former state at exit.
void UseUtf8Terminal();

}  // namespace pelikar::cli
