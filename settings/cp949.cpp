#include "settings/cp949.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace calvor {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no iconv conversion ") + from);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; returns false at the first byte it cannot
  // take, leaving in and left pointing at it.
  bool Run(const char*& in, size_t& left, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[256];
    while (left > 0) {
      char* dst = buf;
      size_t room = sizeof buf;
      char* src = const_cast<char*>(in);
      const size_t r = iconv(cd_, &src, &left, &dst, &room);
      in = src;
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    char* dst = buf;
    size_t room = sizeof buf;
    iconv(cd_, nullptr, nullptr, &dst, &room);
    out.append(buf, static_cast<size_t>(dst - buf));
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<std::string> Utf8ToCp949(std::string_view utf8) {
  Converter c("CP949", "UTF-8");
  const char* in = utf8.data();
  size_t left = utf8.size();
  std::string out;
  if (!c.Run(in, left, out)) return std::nullopt;
  return out;
}

std::string Cp949ToUtf8(std::string_view cp949) {
  Converter c("UTF-8", "CP949");
  const char* in = cp949.data();
  size_t left = cp949.size();
  std::string out;
  while (!c.Run(in, left, out)) {
    out += "\xEF\xBF\xBD";  // U+FFFD for the byte that is not CP949
    ++in;
    --left;
  }
  return out;
}

}  // namespace calvor
