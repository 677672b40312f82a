#include "report/biff8_workbook.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <system_error>

namespace calvor {
namespace {

constexpr const char* CannotCreate = "Can't create the export output file";

// UTF-8 to UTF-16 code units; malformed bytes become U+FFFD.
std::u16string Utf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 6 && i + 1 < s.size()) {
      cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu), len = 2;
    } else if ((c >> 4) == 14 && i + 2 < s.size()) {
      cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu), len = 3;
    } else if ((c >> 3) == 30 && i + 3 < s.size()) {
      cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) | (s[i + 3] & 0x3Fu);
      len = 4;
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

class Records {
 public:
  void Add(uint16_t type, const std::string& body) {
    U16(out_, type);
    U16(out_, static_cast<uint16_t>(body.size()));
    out_ += body;
  }
  size_t Size() const { return out_.size(); }
  std::string& Bytes() { return out_; }

  static void U8(std::string& b, uint8_t v) { b += static_cast<char>(v); }
  static void U16(std::string& b, uint16_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8);
  }
  static void U32(std::string& b, uint32_t v) {
    U16(b, static_cast<uint16_t>(v & 0xFFFF));
    U16(b, static_cast<uint16_t>(v >> 16));
  }
  // Characters: one byte each when all fit, else UTF-16LE (flag 1).
  static void Chars(std::string& b, const std::u16string& s) {
    const bool wide = std::any_of(s.begin(), s.end(), [](char16_t c) { return c > 0xFF; });
    U8(b, wide ? 1 : 0);
    for (char16_t c : s) wide ? U16(b, c) : U8(b, static_cast<uint8_t>(c));
  }

 private:
  std::string out_;
};

enum : uint16_t {
  BOF = 0x0809, EOF_ = 0x000A, CODEPAGE = 0x0042, WINDOW1 = 0x003D, FONT = 0x0031, XF = 0x00E0,
  STYLE = 0x0293, BOUNDSHEET = 0x0085, DIMENSIONS = 0x0200, WINDOW2 = 0x023E, COLINFO = 0x007D,
  LABEL = 0x0204, DATEMODE = 0x0022,
};
constexpr uint16_t CellXf = 15;  // the first XF after the 15 style XFs

std::string Bof(uint16_t kind) {
  std::string b;
  Records::U16(b, 0x0600);  // BIFF8
  Records::U16(b, kind);    // 0x0005 globals, 0x0010 worksheet
  Records::U16(b, 0x0DBB);  // build
  Records::U16(b, 0x07CC);  // year
  Records::U32(b, 0);
  Records::U32(b, 0x06);
  return b;
}

std::string Font() {
  std::string b;
  Records::U16(b, 200);     // 10 pt
  Records::U16(b, 0);       // no attributes
  Records::U16(b, 0x7FFF);  // automatic colour
  Records::U16(b, 400);     // normal weight
  Records::U16(b, 0);       // no super/subscript
  Records::U8(b, 0);        // no underline
  Records::U8(b, 0);        // family
  Records::U8(b, 0);        // character set
  Records::U8(b, 0);
  const std::u16string name = u"Arial";
  Records::U8(b, static_cast<uint8_t>(name.size()));
  Records::Chars(b, name);
  return b;
}

std::string Xf(bool style) {
  std::string b;
  Records::U16(b, 0);                         // font 0
  Records::U16(b, style ? 0 : 49);            // number format: General / "@" (text)
  Records::U16(b, style ? 0xFFF5 : 0x0001);   // style XF with no parent / cell XF locked, parent 0
  Records::U8(b, 0x20);                       // bottom aligned
  Records::U8(b, 0);                          // no rotation
  Records::U8(b, 0);                          // no indent
  Records::U8(b, style ? 0xF4 : 0x04);        // which attributes this XF sets
  Records::U32(b, 0);                         // no borders
  Records::U32(b, 0);
  Records::U16(b, 0x20C0);                    // pattern colours: automatic
  return b;
}

std::string Label(uint16_t row, uint16_t col, const std::string& text) {
  const std::u16string s = Utf16(text);
  if (s.size() > MaxCellChars) throw ExportError(CannotCreate);
  std::string b;
  Records::U16(b, row);
  Records::U16(b, col);
  Records::U16(b, CellXf);
  Records::U16(b, static_cast<uint16_t>(s.size()));
  Records::Chars(b, s);
  return b;
}

std::string Sheet(const TextTable& t, size_t first, size_t count, bool selected) {
  Records r;
  r.Add(BOF, Bof(0x0010));
  const size_t columns = t.header.size();
  std::string dim;
  Records::U32(dim, 0);
  Records::U32(dim, static_cast<uint32_t>(count + 1));
  Records::U16(dim, 0);
  Records::U16(dim, static_cast<uint16_t>(columns));
  Records::U16(dim, 0);
  r.Add(DIMENSIONS, dim);
  for (uint16_t c = 0; c < columns; ++c) {
    std::string ci;
    Records::U16(ci, c);
    Records::U16(ci, c);
    Records::U16(ci, 12 * 256);  // 12 characters wide
    Records::U16(ci, CellXf);
    Records::U16(ci, 0);
    Records::U16(ci, 0);
    r.Add(COLINFO, ci);
  }
  for (uint16_t c = 0; c < columns; ++c) r.Add(LABEL, Label(0, c, t.header[c]));
  for (size_t i = 0; i < count; ++i) {
    const auto& row = t.rows[first + i];
    for (uint16_t c = 0; c < columns && c < row.size(); ++c)
      r.Add(LABEL, Label(static_cast<uint16_t>(i + 1), c, row[c]));
  }
  std::string w2;
  Records::U16(w2, selected ? 0x06B6 : 0x00B6);  // gridlines, headings, zeros, outline (+ selected)
  Records::U16(w2, 0);
  Records::U16(w2, 0);
  Records::U32(w2, 0x40);  // gridline colour: automatic
  Records::U16(w2, 0);
  Records::U16(w2, 0);
  Records::U32(w2, 0);
  r.Add(WINDOW2, w2);
  r.Add(EOF_, "");
  return std::move(r.Bytes());
}

}  // namespace

std::string Biff8WorkbookStream(const TextTable& table) {
  const size_t perSheet = MaxSheetRows - 1;
  const size_t sheets = std::max<size_t>(1, (table.rows.size() + perSheet - 1) / perSheet);
  std::vector<std::string> bodies;
  for (size_t s = 0; s < sheets; ++s) {
    const size_t first = s * perSheet;
    bodies.push_back(Sheet(table, first, std::min(perSheet, table.rows.size() - first), s == 0));
  }

  Records g;
  g.Add(BOF, Bof(0x0005));
  std::string cp;
  Records::U16(cp, 1200);  // UTF-16
  g.Add(CODEPAGE, cp);
  std::string w1;
  for (uint16_t v : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258}) Records::U16(w1, v);
  g.Add(WINDOW1, w1);
  std::string dm;
  Records::U16(dm, 0);
  g.Add(DATEMODE, dm);
  for (int i = 0; i < 4; ++i) g.Add(FONT, Font());  // font index 4 does not exist in BIFF
  for (int i = 0; i < 15; ++i) g.Add(XF, Xf(true));
  g.Add(XF, Xf(false));
  g.Add(STYLE, std::string("\x00\x80\x00\xFF", 4));  // "Normal", built in, on XF 0

  // BOUNDSHEET records carry the sheets' absolute offsets: size them first.
  std::vector<std::string> names;
  size_t boundsheets = 0;
  for (size_t s = 0; s < sheets; ++s) {
    names.push_back("Sheet" + std::to_string(s + 1));
    boundsheets += 4 + 4 + 2 + 2 + names.back().size();
  }
  size_t offset = g.Size() + boundsheets + 4;  // + the globals' EOF
  for (size_t s = 0; s < sheets; ++s) {
    std::string b;
    Records::U32(b, static_cast<uint32_t>(offset));
    Records::U8(b, 0);  // visible
    Records::U8(b, 0);  // worksheet
    Records::U8(b, static_cast<uint8_t>(names[s].size()));
    Records::Chars(b, Utf16(names[s]));
    g.Add(BOUNDSHEET, b);
    offset += bodies[s].size();
  }
  g.Add(EOF_, "");
  std::string stream = std::move(g.Bytes());
  for (const std::string& body : bodies) stream += body;
  return stream;
}

void WriteXlsWorkbook(const std::filesystem::path& file, const TextTable& table) {
  const std::string stream = Biff8WorkbookStream(table);
  std::filesystem::path temp = file;
  temp += ".tmp";
  static const bool initialised = (gsf_init(), true);
  (void)initialised;
  bool ok = false;
  {
    GError* error = nullptr;
    GsfOutput* sink = gsf_output_stdio_new(temp.string().c_str(), &error);
    if (error) g_error_free(error);
    if (sink) {
      GsfOutfile* ole = gsf_outfile_msole_new(sink);
      GsfOutput* workbook = gsf_outfile_new_child(ole, "Workbook", FALSE);
      ok = gsf_output_write(workbook, stream.size(), reinterpret_cast<const guint8*>(stream.data()));
      ok = gsf_output_close(workbook) && ok;
      g_object_unref(workbook);
      ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;  // closes the sink too
      g_object_unref(ole);
      if (!gsf_output_is_closed(sink)) ok = gsf_output_close(sink) && ok;
      g_object_unref(sink);
    }
  }
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, file, ec);
  if (!ok || ec) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(temp, ignored)) std::filesystem::remove(temp, ignored);
    throw ExportError(CannotCreate);
  }
}

}  // namespace calvor
