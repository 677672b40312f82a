// calvor-replay: turns a recorded capture of the indicator's line into the
// batch log, through the same framer and frame processing as the program.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <optional>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "link/packet_framer.h"
#include "measurement/device_frame.h"
#include "measurement/frame_processing.h"

using namespace calvor;

namespace {

constexpr const char* Usage =
    "usage: calvor-replay [--start YYYY-MM-DDTHH:MM:SS] [--step SECONDS] [--chunk BYTES] [--json] [FILE]\n"
    "\n"
    "Feeds the raw bytes of FILE (or standard input) to the packet framer (end\n"
    "marker ETX) in chunks of --chunk bytes (default 256) and processes every\n"
    "packet as the program does. The k-th packet (from 0) is processed at\n"
    "--start + k * --step seconds (defaults: now, 1). Prints the final readouts,\n"
    "batch state and log; --json prints one JSON object instead.\n";

struct Options {
  LocalDateTime start;
  int64_t step_us = 1000000;
  size_t chunk = 256;
  bool json = false;
  const char* file = nullptr;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "calvor-replay: %s\n", message.c_str());
  std::fprintf(stderr, "%s", Usage);
  std::exit(2);
}

bool ParseStart(const char* s, LocalDateTime& t) {
  char tail = 0;
  if (std::strlen(s) != 19) return false;
  if (std::sscanf(s, "%4d-%2d-%2dT%2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second,
                  &tail) != 6)
    return false;
  for (int i : {4, 7, 10, 13, 16}) {
    if (s[i] != "--T::"[(i - 4) / 3]) return false;
  }
  for (int i = 0; i < 19; ++i) {
    if (i == 4 || i == 7 || i == 10 || i == 13 || i == 16) continue;
    if (s[i] < '0' || s[i] > '9') return false;
  }
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.hour > 23 || t.minute > 59 || t.second > 59) return false;
  // Reject days the month does not have (2023-02-30 and the like).
  return FromEpochSeconds(ToEpochSeconds(t)) == t;
}

// A non-negative decimal number of seconds, kept exactly in microseconds.
bool ParseStep(const char* s, int64_t& us) {
  int64_t whole = 0, frac = 0;
  int frac_digits = 0;
  const char* p = s;
  if (*p == '\0') return false;
  bool any = false;
  for (; *p >= '0' && *p <= '9'; ++p, any = true) {
    whole = whole * 10 + (*p - '0');
    if (whole > 100000000) return false;
  }
  if (*p == '.') {
    for (++p; *p >= '0' && *p <= '9'; ++p, any = true) {
      if (frac_digits < 6) {
        frac = frac * 10 + (*p - '0');
        ++frac_digits;
      }
    }
  }
  if (*p != '\0' || !any) return false;
  while (frac_digits++ < 6) frac *= 10;
  us = whole * 1000000 + frac;
  return true;
}

bool ParseChunk(const char* s, size_t& n) {
  if (*s == '\0') return false;
  size_t v = 0;
  for (const char* p = s; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = v * 10 + static_cast<size_t>(*p - '0');
    if (v > (size_t{1} << 30)) return false;
  }
  if (v == 0) return false;
  n = v;
  return true;
}

Options ParseArgs(int argc, char** argv) {
  Options o;
  o.start = SystemClock().Now();
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    auto value = [&](const char* name) -> const char* {
      if (i + 1 >= argc) Fail(std::string("missing value for ") + name);
      return argv[++i];
    };
    if (a == "--help" || a == "-h") {
      std::printf("%s", Usage);
      std::exit(0);
    } else if (a == "--start") {
      const char* v = value("--start");
      if (!ParseStart(v, o.start)) Fail(std::string("bad --start '") + v + "' (want YYYY-MM-DDTHH:MM:SS)");
    } else if (a == "--step") {
      const char* v = value("--step");
      if (!ParseStep(v, o.step_us)) Fail(std::string("bad --step '") + v + "' (want a number of seconds >= 0)");
    } else if (a == "--chunk") {
      const char* v = value("--chunk");
      if (!ParseChunk(v, o.chunk)) Fail(std::string("bad --chunk '") + v + "' (want a whole number >= 1)");
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "-") {
      if (o.file) Fail("more than one input file");
      o.file = "-";
    } else if (a.size() > 1 && a[0] == '-') {
      Fail("unknown option '" + std::string(a) + "'");
    } else {
      if (o.file) Fail("more than one input file");
      o.file = argv[i];
    }
  }
  return o;
}

bool ReadAll(std::FILE* f, std::string& out) {
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  return !std::ferror(f);
}

std::string ReadInput(const char* file) {
  std::string data;
  if (!file || std::strcmp(file, "-") == 0) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    if (!ReadAll(stdin, data)) Fail("cannot read standard input");
    return data;
  }
  std::FILE* f = std::fopen(file, "rb");
  if (!f) Fail(std::string("cannot open '") + file + "': " + std::strerror(errno));
  const bool ok = ReadAll(f, data);
  std::fclose(f);
  if (!ok) Fail(std::string("cannot read '") + file + "'");
  return data;
}

// The k-th packet is processed at start + k * step.
class ReplayClock final : public Clock {
 public:
  ReplayClock(const LocalDateTime& start, int64_t step_us) : start_(ToEpochSeconds(start)), step_us_(step_us) {}
  LocalDateTime Now() const override {
    // Split so that k * step cannot overflow: whole seconds, then the rest.
    const int64_t k = static_cast<int64_t>(packet_);
    const int64_t seconds = k * (step_us_ / 1000000) + k * (step_us_ % 1000000) / 1000000;
    return FromEpochSeconds(start_ + seconds);
  }
  void Next() { ++packet_; }
  uint64_t Packets() const { return packet_; }

 private:
  int64_t start_;
  int64_t step_us_;
  uint64_t packet_ = 0;
};

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Number(const std::optional<int32_t>& v) { return v ? std::to_string(*v) : "null"; }

void PrintJson(uint64_t packets, const ReadoutValues& r, const TBatchState& b, const BatchLogRows& log) {
  std::string out = "{\"packets\": " + std::to_string(packets) + ", \"readouts\": {";
  for (size_t i = 0; i < NumberBoxCount; ++i) {
    out += (i ? ", \"" : "\"") + std::string(NumberBoxNames[i]) + "\": " + Number(r.Value(static_cast<NumberBox>(i)));
  }
  for (size_t i = 0; i < StateBoxCount; ++i) {
    out += ", \"" + std::string(StateBoxNames[i]) + "\": " + std::to_string(r.ItemIndex(static_cast<StateBox>(i)));
  }
  out += "}, \"batch\": {\"Armed\": ";
  out += b.Armed ? "true" : "false";
  out += ", \"InBatch\": ";
  out += b.InBatch ? "true" : "false";
  out += ", \"Peak\": " + std::to_string(b.Peak) + "}, \"log\": [";
  bool first = true;
  for (size_t i : DisplayOrder(log.Rows())) {
    const BatchLogRow& row = log.Rows()[i];
    out += first ? "" : ", ";
    first = false;
    out += "{\"time\": " + JsonString(row.time) + ", \"temp\": " + Number(row.temp) + "}";
  }
  out += "]}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
}

void PrintText(uint64_t packets, const ReadoutValues& r, const TBatchState& b, const BatchLogRows& log) {
  std::printf("packets   %llu\n\nreadouts\n", static_cast<unsigned long long>(packets));
  for (size_t i = 0; i < NumberBoxCount; ++i) {
    const auto v = r.Value(static_cast<NumberBox>(i));
    std::printf("  %-11s %s\n", NumberBoxNames[i].data(), v ? std::to_string(*v).c_str() : "(empty)");
  }
  for (size_t i = 0; i < StateBoxCount; ++i) {
    const int idx = r.ItemIndex(static_cast<StateBox>(i));
    const auto& items = StateBoxItems[i];
    const std::string_view text = idx >= 0 && static_cast<size_t>(idx) < items.size() ? items[size_t(idx)] : "(none)";
    std::printf("  %-11s %.*s\n", StateBoxNames[i].data(), static_cast<int>(text.size()), text.data());
  }
  std::printf("\nbatch     %s, peak %d\n", b.InBatch ? "in progress" : "armed (waiting for T > 130)", b.Peak);
  std::printf("\nlog       %zu rows (newest time first)\n", log.RowCount());
  std::printf("  Time   온도(℃)\n");
  for (size_t i : DisplayOrder(log.Rows())) {
    const BatchLogRow& row = log.Rows()[i];
    std::printf("  %-6s %s\n", row.time.c_str(), FormatLogTemp(row.temp).c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseArgs(argc, argv);
  const std::string data = ReadInput(options.file);

  ReadoutValues readouts;
  BatchLogRows log;
  TBatchState state;
  ReplayClock clock(options.start, options.step_us);
  PacketFramer framer([&](std::string_view packet) {
    ProcessPacket(packet, {readouts, log, state, clock});
    clock.Next();
  });
  framer.SetEndMarker(std::string(1, ETX));
  for (size_t at = 0; at < data.size(); at += options.chunk) {
    framer.Receive(std::string_view(data).substr(at, options.chunk));
  }

  if (options.json) {
    PrintJson(clock.Packets(), readouts, state, log);
  } else {
    PrintText(clock.Packets(), readouts, state, log);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
