#pragma once
// The program's start-up sequence, its message loop and its end.

#include <functional>

// Runs the program and returns its exit code. whenShown, if given, runs once the main
// window has been shown and the message loop has started (the start-up benchmark quits
// there).
int RunProgram(int argc, char** argv, const std::function<void()>& whenShown = {});
