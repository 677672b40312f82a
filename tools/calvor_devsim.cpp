// calvor-devsim: a stand-in for the temperature indicator on a serial line.
// POSIX only (pseudo-terminals, termios); it is a test and demo tool.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr const char* Help = R"(usage: calvor-devsim [options]

Sends the indicator's status frames (STX, 68 characters from "RD", ETX;
70 bytes) following repeated production batches: ambient below 130 C, a
rise above 130 to a peak, a fall below 130. Answers the transmission
request (02 52 58 50 30 03 6B) with a status frame at once.

Where:
  --pty               open a pseudo-terminal (default); its path is printed
                      on the first line of standard output
  --link PATH         keep a symbolic link PATH to the pseudo-terminal
  --device PATH       use an existing serial device instead
  --baud N            line rate for --device (default 9600)
What:
  --rate FPS          status frames per second (default 2; 0: only answers)
  --count N           stop after N frames (default 0: never)
  --flood N           send N frames as fast as the line takes them (then
                      only answer requests, until ended)
  --wait-request      send nothing until the first transmission request
  --faults P          with probability P (0..1) per frame, also send a fault:
                      garbage bytes, a short packet, a frame with a bad
                      numeric field, or 1500 bytes without ETX
  --seed N            random seed (default 1)
  --stamps FILE       write the monotonic time (ns, 8 bytes each) at which
                      each frame was written, for latency measurements
  --help              this text

Frames carry their sequence number at offset 32 (a part the program does
not read). Ends on SIGINT/SIGTERM, removing the --link.
)";

volatile sig_atomic_t g_stop = 0;
std::string g_link;

void OnSignal(int) { g_stop = 1; }

[[noreturn]] void Die(const std::string& msg) {
  std::fprintf(stderr, "calvor-devsim: %s\n", msg.c_str());
  if (!g_link.empty()) unlink(g_link.c_str());
  std::exit(2);
}

uint64_t NowNs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

speed_t BaudConstant(long baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: Die("unsupported --baud " + std::to_string(baud));
  }
}

void MakeRaw(int fd, speed_t speed) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  cfmakeraw(&t);
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
  t.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd, TCSANOW, &t);
}

// Temperatures of repeated batches, one per frame.
class Profile {
 public:
  explicit Profile(std::mt19937& rng) : rng_(rng) { NewCycle(); }
  int Next() {
    int t = 0;
    switch (phase_) {
      case 0:
        t = Uniform(95, 125);
        if (--left_ <= 0) phase_ = 1, t_ = 120;
        break;
      case 1:
        t_ = std::min(top_, t_ + Uniform(3, 9));
        t = t_;
        if (t_ >= top_) phase_ = 2;
        break;
      default:
        t_ -= Uniform(4, 10);
        t = t_;
        if (t_ < 110) NewCycle();
    }
    peak_ = t > 130 ? std::max(peak_, t) : (phase_ == 0 ? 0 : peak_);
    avg_ = (avg_ * 7 + t) / 8;
    return t;
  }
  int Peak() const { return peak_; }
  int Avg() const { return avg_; }

 private:
  int Uniform(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
  void NewCycle() {
    phase_ = 0;
    left_ = Uniform(3, 12);
    top_ = Uniform(140, 190);
  }
  std::mt19937& rng_;
  int phase_ = 0, left_ = 0, top_ = 150, t_ = 120, peak_ = 0, avg_ = 110;
};

std::string StatusFrame(int t, int avg, int peak, unsigned seq, bool badField = false) {
  char body[96];
  std::snprintf(body, sizeof body, "RD01111O%3s000%3d000000%3d%3d 95%08u", badField ? "1a5" : std::to_string(t).c_str(),
                avg, peak, t, seq);
  std::string frame = "\x02" + std::string(body);
  frame.resize(69, '0');
  return frame + "\x03";
}

bool WriteAll(int fd, std::string_view data, bool dropIfFull) {
  while (!data.empty()) {
    const ssize_t n = write(fd, data.data(), data.size());
    if (n > 0) {
      data.remove_prefix(static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      if (dropIfFull) return false;  // nobody reads: the line does not wait
      pollfd p{fd, POLLOUT, 0};
      poll(&p, 1, 100);
      if (g_stop) return false;
      continue;
    }
    return false;
  }
  return true;
}

struct Options {
  bool pty = true;
  std::string device, link, stamps;
  long baud = 9600;
  double rate = 2, faults = 0;
  unsigned long count = 0, flood = 0;
  bool waitRequest = false;
  unsigned seed = 1;
};

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Die("missing value for " + a);
      return argv[++i];
    };
    auto number = [&](double lo, double hi) {
      const std::string v = value();
      char* end = nullptr;
      const double d = std::strtod(v.c_str(), &end);
      if (v.empty() || *end || d < lo || d > hi) Die("bad value '" + v + "' for " + a);
      return d;
    };
    if (a == "--help" || a == "-h") {
      std::fputs(Help, stdout);
      std::exit(0);
    } else if (a == "--pty") {
      o.pty = true;
    } else if (a == "--device") {
      o.device = value(), o.pty = false;
    } else if (a == "--link") {
      o.link = value();
    } else if (a == "--baud") {
      o.baud = static_cast<long>(number(1, 4000000));
    } else if (a == "--rate") {
      o.rate = number(0, 1e6);
    } else if (a == "--count") {
      o.count = static_cast<unsigned long>(number(0, 4e9));
    } else if (a == "--flood") {
      o.flood = static_cast<unsigned long>(number(1, 4e9));
    } else if (a == "--wait-request") {
      o.waitRequest = true;
    } else if (a == "--faults") {
      o.faults = number(0, 1);
    } else if (a == "--seed") {
      o.seed = static_cast<unsigned>(number(0, 4e9));
    } else if (a == "--stamps") {
      o.stamps = value();
    } else {
      Die("unknown option '" + a + "' (see --help)");
    }
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = Parse(argc, argv);
  signal(SIGINT, OnSignal);
  signal(SIGTERM, OnSignal);
  signal(SIGPIPE, SIG_IGN);

  int fd = -1, slaveFd = -1;
  std::string path;
  if (o.pty) {
    fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) Die(std::string("no pseudo-terminal: ") + strerror(errno));
    path = ptsname(fd);
    // Our own hold on the other side keeps the terminal alive while the
    // program stops and starts.
    slaveFd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (slaveFd >= 0) MakeRaw(slaveFd, B9600);
  } else {
    path = o.device;
    fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) Die("cannot open " + path + ": " + strerror(errno));
    MakeRaw(fd, BaudConstant(o.baud));
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  if (!o.link.empty()) {
    unlink(o.link.c_str());
    if (symlink(path.c_str(), o.link.c_str()) != 0) Die("cannot link " + o.link + ": " + strerror(errno));
    g_link = o.link;
  }
  std::printf("%s\n", path.c_str());
  std::fflush(stdout);

  std::FILE* stamps = o.stamps.empty() ? nullptr : std::fopen(o.stamps.c_str(), "wb");
  if (!o.stamps.empty() && !stamps) Die("cannot write " + o.stamps);

  std::mt19937 rng(o.seed);
  std::uniform_real_distribution<double> chance(0, 1);
  Profile profile(rng);
  unsigned seq = 0;
  auto sendFrame = [&](bool mustArrive) {
    const int t = profile.Next();
    const bool ok = WriteAll(fd, StatusFrame(t, profile.Avg(), profile.Peak(), seq), !mustArrive);
    if (ok && stamps) {
      const uint64_t ns = NowNs();
      std::fwrite(&ns, sizeof ns, 1, stamps);
    }
    ++seq;
    if (o.faults > 0 && chance(rng) < o.faults) {
      switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
        case 0: {
          std::string junk(std::uniform_int_distribution<int>(1, 20)(rng), '\0');
          for (char& c : junk) c = static_cast<char>(rng());
          WriteAll(fd, junk, !mustArrive);
          break;
        }
        case 1: WriteAll(fd, "\x02RD0111O12\x03", !mustArrive); break;
        case 2: WriteAll(fd, StatusFrame(t, t, t, seq, true), !mustArrive); break;
        default: WriteAll(fd, std::string(1500, 'x'), !mustArrive);
      }
    }
  };

  const std::string request("\x02RXP0\x03\x6B", 7);
  std::string received;
  bool started = !o.waitRequest;
  bool flooding = o.flood > 0;
  const double period = o.rate > 0 ? 1.0 / o.rate : 0;
  auto next = std::chrono::steady_clock::now();
  while (!g_stop) {
    if (started && flooding) {
      for (unsigned long i = 0; i < o.flood && !g_stop; ++i) sendFrame(true);
      flooding = false;
      if (stamps) std::fflush(stamps);
      // Stay: the terminal must outlive the frames still on their way.
      std::fprintf(stderr, "calvor-devsim: flood of %lu frames sent\n", o.flood);
    }
    if (o.count > 0 && seq >= o.count) break;
    int timeout = 200;
    if (started && period > 0) {
      const auto ms =
          std::chrono::duration_cast<std::chrono::milliseconds>(next - std::chrono::steady_clock::now()).count();
      timeout = static_cast<int>(std::max<long long>(0, std::min<long long>(ms, 200)));
    }
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, timeout) > 0 && (p.revents & POLLIN)) {
      char buf[512];
      const ssize_t n = read(fd, buf, sizeof buf);
      if (n > 0) {
        received.append(buf, static_cast<size_t>(n));
        size_t at;
        while ((at = received.find(request)) != std::string::npos) {
          received.erase(0, at + request.size());
          started = true;
          sendFrame(false);  // the answer
        }
        if (received.size() > 64) received.erase(0, received.size() - 8);
      }
    }
    if (started && !flooding && period > 0 && std::chrono::steady_clock::now() >= next) {
      sendFrame(false);
      next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(period));
      if (next < std::chrono::steady_clock::now() - std::chrono::seconds(1)) next = std::chrono::steady_clock::now();
    }
  }
  if (stamps) std::fclose(stamps);
  if (!g_link.empty()) unlink(g_link.c_str());
  return 0;
}
