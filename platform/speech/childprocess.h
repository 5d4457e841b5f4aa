#pragma once

#include <string>
#include <vector>

namespace kvr::speech {

// Runs a program with the given arguments, writes input to its standard input, and waits
// for it to end; its output is discarded. A program still running after timeoutMs is
// killed. Returns its exit status, or -1 when it could not start, was killed or died on
// a signal. Blocking: call it off the UI thread.
int runWithInput(const std::string &program, const std::vector<std::string> &args,
                 const std::string &input, int timeoutMs);

// The program's path: a name with "/" as given when it is executable, else the first
// executable of that name on PATH. Empty when none is found.
std::string findProgram(const std::string &program);

} // namespace kvr::speech
