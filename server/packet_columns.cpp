// SPDX-License-Identifier: MIT
#include "packet_columns.h"

namespace margem::server {
namespace {

constexpr auto S = ColumnType::String;
constexpr auto F = ColumnType::Float;
constexpr auto D = ColumnType::DateTime;

constexpr PacketColumn kLookup[] = {{"NRORCAEVENTO", S, 10}, {"CDFILIAL", S, 4}};

constexpr PacketColumn kHeader[] = {
    {"CDFILIAL", S, 4},      {"NRORCAEVENTO", S, 10}, {"NRSEQORCAEVE", S, 2},
    {"DTEVENTO", D, 0},      {"NMFANTCLIE", S, 50},   {"NMCLIEORCEVE", S, 50},
    {"NMTIPOEVENTO", S, 30}, {"NMTPSERVEVEN", S, 30}, {"QTCONVORCEVE", F, 0},
    {"NMSALAOEVEN", S, 50},  {"VRPEDESFIXASERV", F, 0}, {"VRPEACRSALEV", F, 0},
};

constexpr PacketColumn kItems[] = {
    {"CDFILIAL", S, 4},         {"NRORCAEVENTO", S, 10},    {"NROPCAITOREV", S, 2},
    {"CDGRUPPRODREL", S, 10},   {"CDSUBGRPRODREL", S, 10},  {"NMSUBGRPROD", S, 40},
    {"VRTOTALITEM", F, 0},      {"VRPEDESFIXASBGR", F, 0},  {"VRPEIMDEVAVEOU", F, 0},
    {"VRPEIMDEVAVEMP", F, 0},   {"CDARVPROD", S, 20},       {"NMPRODUTO", S, 50},
    {"SGUNIDADE", S, 10},
};

#define MARGIN_ROW_COLUMNS                                                                  \
  {"CDFILIAL", S, 4}, {"NRORCAEVENTO", S, 10}, {"NROPCAITOREV", S, 2},                      \
      {"VRDESCORCEVE", F, 0}, {"VRTOTALITEM", F, 0}, {"CDGRUPPRODREL", S, 10},              \
      {"CDSUBGRPRODREL", S, 10}, {"NMSUBGRPROD", S, 40}, {"VRPEIMDEVAVEMP", F, 0},          \
      {"VRPEIMDEVAVEOU", F, 0}, {"VRPEDESFIXASBGR", F, 0}, {"IDDIFEFRETESBGR", S, 1},       \
      {"VRFRETE", F, 0}, {"IDDESCONTOSBGR", S, 1}, {"IDFRETESBGR", S, 1}

constexpr PacketColumn kMargin[] = {MARGIN_ROW_COLUMNS};
constexpr PacketColumn kPeriodMargin[] = {MARGIN_ROW_COLUMNS, {"VRPEDESFIXASERV", F, 0}};

#undef MARGIN_ROW_COLUMNS

}  // namespace

std::span<const PacketColumn> lookupColumns() { return kLookup; }
std::span<const PacketColumn> headerColumns() { return kHeader; }
std::span<const PacketColumn> itemColumns() { return kItems; }
std::span<const PacketColumn> marginColumns() { return kMargin; }
std::span<const PacketColumn> periodMarginColumns() { return kPeriodMargin; }

}  // namespace margem::server
