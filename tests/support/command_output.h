#pragma once
// Runs a command of the test tools (python3's xlrd, pdftotext) and returns
// what it printed.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace calvor::test {

inline std::string CommandOutput(const std::string& command, int* status = nullptr) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int raw = pclose(p);
  if (status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

// A workbook as the independent reader xlrd sees it (tests/tools/read_xls.py).
inline std::string XlrdDump(const std::string& path, int* status = nullptr) {
  return CommandOutput("/usr/bin/python3 " CALVOR_SOURCE_DIR "/tests/tools/read_xls.py '" + path + "'", status);
}

}  // namespace calvor::test
