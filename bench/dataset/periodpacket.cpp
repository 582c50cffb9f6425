// SPDX-License-Identifier: MIT
#include "periodpacket.h"

#include <array>
#include <cstdio>
#include <random>

namespace bench {

namespace {

constexpr std::array kNames = {
    "SALGADOS FRITOS E ASSADOS", "DOCES FINOS", "BEBIDAS NÃO ALCOÓLICAS", "DECORAÇÃO DO SALÃO",
    "SERVIÇO DE GARÇONS",        "BUFFET QUENTE", "SOBREMESAS GELADAS", "LOCAÇÃO DE LOUÇA",
    "CERIMONIAL E RECEPÇÃO",     "FRIOS E ANTEPASTOS"};

// Characters of a UTF-8 text.
std::size_t Chars(const char* text) {
  std::size_t count = 0;
  for (const char* p = text; *p; ++p) count += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
  return count;
}

}  // namespace

GeneratedPacket MakePeriodPacket(std::size_t rows, unsigned seed) {
  GeneratedPacket out;
  out.rows = rows;
  out.json.reserve(rows * 160 + 1024);
  out.json +=
      R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},)"
      R"({"name":"NRORCAEVENTO","type":"string","size":10},)"
      R"({"name":"NROPCAITOREV","type":"string","size":2},)"
      R"({"name":"VRDESCORCEVE","type":"float"},{"name":"VRTOTALITEM","type":"float"},)"
      R"({"name":"CDGRUPPRODREL","type":"string","size":10},)"
      R"({"name":"CDSUBGRPRODREL","type":"string","size":10},)"
      R"({"name":"NMSUBGRPROD","type":"string","size":40},)"
      R"({"name":"VRPEIMDEVAVEMP","type":"float"},{"name":"VRPEIMDEVAVEOU","type":"float"},)"
      R"({"name":"VRPEDESFIXASBGR","type":"float"},)"
      R"({"name":"IDDIFEFRETESBGR","type":"string","size":1},{"name":"VRFRETE","type":"float"},)"
      R"({"name":"IDDESCONTOSBGR","type":"string","size":1},)"
      R"({"name":"IDFRETESBGR","type":"string","size":1},{"name":"VRPEDESFIXASERV","type":"float"}],)"
      "\n\"rows\":[";
  std::mt19937 random(seed);
  auto cents = [&random](int maxUnits) {
    return double(random() % (unsigned(maxUnits) * 100)) / 100.0;
  };
  char line[512];
  for (std::size_t row = 0; row < rows; ++row) {
    const unsigned quote = 1 + unsigned(row / 40);
    const char* name = kNames[random() % kNames.size()];
    const bool common = row % 7 == 0;
    const char* flag1 = random() % 2 ? "S" : "N";
    const char* flag2 = random() % 2 ? "S" : "N";
    const char* flag3 = random() % 2 ? "S" : "N";
    const int n = std::snprintf(
        line, sizeof line,
        "%s[\"0001\",\"%010u\",\"%s\",%.2f,%.2f,\"%010u\",\"%010u\",\"%s\",%.4f,%.4f,%.4f,\"%s\","
        "%.2f,\"%s\",\"%s\",%.4f]\n",
        row ? "," : "", quote, common ? "" : (row % 3 ? "01" : "02"), cents(5000),
        cents(900000), unsigned(random() % 40), unsigned(random() % 400), name, cents(40) / 7,
        cents(30) / 7, cents(20) / 7, flag1, cents(9000), flag2, flag3, cents(25) / 7);
    out.json.append(line, std::size_t(n));
    out.textChars += 4 + 10 + (common ? 0 : 2) + 10 + 10 + Chars(name) + 3;
  }
  out.json += "]}";
  return out;
}

}  // namespace bench
