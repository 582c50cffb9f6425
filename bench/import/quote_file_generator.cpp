// SPDX-License-Identifier: MIT
#include "quote_file_generator.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "csv_writer.h"
#include "import_columns.h"
#include "text_encoding.h"

namespace benchimport {
namespace {

using margem::server::CsvWriter;

constexpr int kOptions = 10;
constexpr int kItemsPerOption = 10;
constexpr int kProductsPerSubgroup = 50;

const char* const kSubgroups[kItemsPerOption][2] = {{"SALG", "SALGADOS"},
                                                    {"DOCE", "DOCES"},
                                                    {"BEBI", "BEBIDAS"},
                                                    {"PRAT", "PRATOS QUENTES"},
                                                    {"SOBR", "SOBREMESAS"},
                                                    {"DECO", "DECORAÇÃO"},
                                                    {"SOMI", "SOM E ILUMINAÇÃO"},
                                                    {"MAOB", "MÃO DE OBRA"},
                                                    {"LOCA", "LOCAÇÃO DE MATERIAL"},
                                                    {"FRET", "FRETE"}};

class Numbers {
 public:
  double between(double low, double high) {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    const double unit = static_cast<double>(m_state >> 11) / 9007199254740992.0;
    return static_cast<double>(static_cast<long long>((low + (high - low) * unit) * 100)) / 100;
  }

 private:
  std::uint64_t m_state = 42;
};

std::string padded(long long value, int width) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", width, value);
  return text;
}

}  // namespace

std::int64_t writeQuoteFile(const std::string& path, std::int64_t rows) {
  std::vector<char> buffer(1 << 20);
  std::ofstream out;
  out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  out.open(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << margem::server::kUtf8ByteOrderMark;
  CsvWriter csv(out);
  for (const auto column : margem::server::allImportColumns()) {
    csv.text(margem::server::columnTitle(column));
  }
  csv.endLine();

  Numbers numbers;
  const std::int64_t quotes =
      (rows + kOptions * kItemsPerOption - 1) / (kOptions * kItemsPerOption);
  std::int64_t written = 0;
  for (std::int64_t q = 1; q <= quotes; ++q) {
    const int day = static_cast<int>(q % 28) + 1;
    const int month = static_cast<int>(q % 12) + 1;
    const std::string included = padded(day, 2) + "/" + padded(month, 2) + "/2025 10:30";
    const std::string event = padded(day, 2) + "/" + padded(month, 2) + "/2026 20:00";
    const double guests = 50 + static_cast<double>(q % 300);
    for (int option = 1; option <= kOptions; ++option) {
      const double discount = option % 3 == 0 ? numbers.between(100, 900) : 0.0;
      for (int k = 0; k < kItemsPerOption; ++k) {
        const int product = static_cast<int>((q * 7 + option * 3 + k) % kProductsPerSubgroup);
        csv.text(padded(q % 3 + 1, 4));
        csv.text(padded(q, 10));
        csv.text("01");
        csv.text(event);
        csv.text(included);
        csv.text(q % 4 == 0 ? "" : "Cliente " + std::to_string(q % 500));
        csv.text("Cliente do orçamento " + std::to_string(q));
        csv.text(q % 2 ? "Casamento" : "Formatura");
        csv.text("Buffet completo");
        csv.number(20.0);
        csv.number(guests);
        csv.text("Salão Nobre");
        csv.number(5.0);
        csv.text(padded(option, 2));
        csv.number(discount);
        csv.text(k < 5 ? "ALIM" : "SERV");
        csv.text(k < 5 ? "ALIMENTAÇÃO" : "SERVIÇOS");
        csv.text(kSubgroups[k][0]);
        csv.text(kSubgroups[k][1]);
        csv.number(10.0 + k * 5);
        csv.text("S");
        csv.text(k == 0 ? "S" : "N");
        csv.text(k == 9 ? "S" : "N");
        csv.text(std::string(kSubgroups[k][0]) + padded(product, 3));
        csv.text(std::string("Produto ") + kSubgroups[k][1] + " " + std::to_string(product));
        csv.text("UN");
        csv.number(numbers.between(100, 5000));
        csv.number(numbers.between(25, 45));
        csv.number(numbers.between(5, 15));
        csv.number(k == 0 ? numbers.between(150, 800) : 0.0);
        csv.endLine();
        ++written;
      }
    }
  }
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
  return written;
}

}  // namespace benchimport
