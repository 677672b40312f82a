#pragma once
// A legacy Excel workbook (BIFF8 records in an OLE2 compound file) holding
// text cells only: one header row and the rows under it, continued on
// further sheets past the 65,536 rows a sheet can hold.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace calvor {

class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every text is UTF-8; a cell holds at most 255 characters.
struct TextTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

constexpr size_t MaxSheetRows = 65536;  // the header row included
constexpr size_t MaxCellChars = 255;

// The "Workbook" stream: globals, then the sheets.
std::string Biff8WorkbookStream(const TextTable& table);

// Writes the workbook to a temporary file beside the target and renames it
// into place, so a failure leaves the previous file as it was. Throws
// ExportError("Can't create the export output file") on any failure.
void WriteXlsWorkbook(const std::filesystem::path& file, const TextTable& table);

}  // namespace calvor
