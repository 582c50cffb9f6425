// SPDX-License-Identifier: MIT
#include "demo_generator.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

#include "demo_catalog.h"
#include "quote_writer.h"

namespace margem::server {
namespace {

// Mapped from the raw engine output by hand, so the same seed gives the same data everywhere.
class Random {
 public:
  explicit Random(std::uint32_t seed) : m_engine(seed) {}
  int between(int low, int high) {
    return low + static_cast<int>(m_engine() % static_cast<std::uint32_t>(high - low + 1));
  }
  double real(double low, double high) { return low + (high - low) * (m_engine() / 4294967296.0); }
  bool chance(double probability) { return real(0, 1) < probability; }

 private:
  std::mt19937 m_engine;
};

double cents(double value) { return std::round(value * 100) / 100; }

std::string quoteNumber(std::int64_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%010lld", static_cast<long long>(number));
  return text;
}

std::string optionNumber(int option) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", option);
  return text;
}

std::string dateTime(std::chrono::sys_days day, int hour, int minute) {
  const std::chrono::year_month_day ymd(day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:00", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), hour, minute);
  return text;
}

constexpr auto kFirstDay = std::chrono::sys_days(std::chrono::year(2025) / 1 / 1);
constexpr int kDaysInDemo = 730;  // 2025 and 2026

// The subgroups whose items may be common to every option of a quote.
constexpr int kCommonSubgroups[] = {7, 8};  // MÃO DE OBRA, LOCAÇÃO DE MATERIAL
constexpr int kFreightSubgroup = 9;

struct QuoteShape {
  std::int64_t number;
  std::string branch;
  std::chrono::sys_days included;
  int options;       // 0: every item is common
  bool commonItems;  // items shared by every option
  bool withItems = true;
  int client;
  int eventType;
  int serviceType;
  int hall;
  int guests;
};

// The items of one option (or of the common part): some subgroups, one to three products each.
// The option's freight is carried on the first item of every subgroup that shares it, so that
// each of those subgroups' margin rows shows the freight to be spread.
std::vector<ItemSpec> planItems(Random& random, const std::vector<int>& subgroupIndexes, int guests,
                                double priceFactor, double freight) {
  std::vector<ItemSpec> items;
  const auto subgroups = demo::subgroups();
  const auto products = demo::products();
  for (const int s : subgroupIndexes) {
    std::vector<const demo::Product*> candidates;
    for (const auto& product : products) {
      if (product.subgroup == s) candidates.push_back(&product);
    }
    const int count = std::min<int>(random.between(1, 3), static_cast<int>(candidates.size()));
    const int start = random.between(0, static_cast<int>(candidates.size()) - 1);
    for (int k = 0; k < count; ++k) {
      const auto& product = *candidates[(start + k) % candidates.size()];
      const auto& subgroup = subgroups[s];
      ItemSpec item{product.code, product.name, product.unit, subgroup.code};
      if (s == kFreightSubgroup) {
        item.value = freight;
      } else {
        item.value = cents(guests * random.real(subgroup.perGuestLow, subgroup.perGuestHigh) *
                           priceFactor / count);
      }
      item.materialsPct = cents(random.real(25, 45));
      item.otherPct = cents(random.real(5, 15));
      item.freight = (k == 0 && std::string(subgroup.sharesFreight) == "S") ? freight : 0;
      items.push_back(item);
    }
  }
  return items;
}

std::vector<int> optionSubgroups(Random& random, bool commonItems) {
  std::vector<int> chosen;
  for (int s = 0; s < kFreightSubgroup; ++s) {
    const bool common = s == kCommonSubgroups[0] || s == kCommonSubgroups[1];
    if (commonItems && common) continue;
    if (s == 0 || s == 1 || random.chance(0.55)) chosen.push_back(s);
  }
  if (random.chance(0.6)) chosen.push_back(kFreightSubgroup);
  return chosen;
}

void writeQuote(QuoteWriter& writer, Random& random, const QuoteShape& shape) {
  const auto client = demo::clients()[shape.client];
  const auto service = demo::serviceTypes()[shape.serviceType];
  QuoteSpec spec;
  spec.branch = shape.branch;
  spec.number = quoteNumber(shape.number);
  // One draw a statement: the order of the draws is the data, and arguments have none.
  const int includedMinute = random.between(0, 59);
  const int includedHour = random.between(8, 18);
  spec.includedAt = dateTime(shape.included, includedHour, includedMinute);
  const int eventMinute = random.chance(0.5) ? 0 : 30;
  const int eventHour = random.between(11, 21);
  const auto eventDay = shape.included + std::chrono::days(random.between(15, 240));
  spec.eventAt = dateTime(eventDay, eventHour, eventMinute);
  spec.clientTradeName = client.tradeName;
  spec.clientName = client.nameOnQuote;
  spec.eventType = demo::eventTypes()[shape.eventType];
  spec.serviceType = service.name;
  spec.serviceExpensePct = service.fixedExpensePct;
  spec.guests = shape.guests;
  spec.hall = demo::halls()[shape.hall];
  spec.commissionPct = random.chance(0.3) ? 0.0 : cents(random.real(2, 10));
  const std::int64_t quoteId = writer.addQuote(spec);
  if (!shape.withItems) return;

  if (shape.commonItems || shape.options == 0) {
    std::vector<int> common(std::begin(kCommonSubgroups), std::end(kCommonSubgroups));
    if (shape.options == 0) common = optionSubgroups(random, false);
    const double freight = cents(random.real(150, 800));
    for (const auto& item : planItems(random, common, shape.guests, 1.0, freight)) {
      writer.addItem(quoteId, std::nullopt, item);
    }
  }
  for (int option = 1; option <= shape.options; ++option) {
    const double factor = (1 + 0.08 * (option - 1)) * random.real(0.92, 1.08);
    const double freight = cents(random.real(150, 800));
    const auto items = planItems(random, optionSubgroups(random, shape.commonItems), shape.guests,
                                 factor, freight);
    double total = 0;
    for (const auto& item : items) total += item.value;
    const double discount = random.chance(0.3) ? cents(total * random.real(0.02, 0.06)) : 0.0;
    const std::int64_t optionId = writer.addOption(quoteId, optionNumber(option), discount);
    for (const auto& item : items) writer.addItem(quoteId, optionId, item);
  }
}

void defineSubgroups(QuoteWriter& writer) {
  for (const auto& s : demo::subgroups()) {
    writer.defineSubgroup({s.groupCode, s.groupName, s.code, s.name, s.expensePct, s.takesDiscounts,
                           s.sharesFreight, s.isFreight});
  }
}

QuoteShape randomShape(Random& random, std::int64_t number) {
  static const char* const kBranches[] = {"0001", "0001", "0002", "0003"};
  QuoteShape shape;
  shape.number = number;
  shape.branch = kBranches[random.between(0, 3)];
  shape.included = kFirstDay + std::chrono::days(random.between(0, kDaysInDemo - 1));
  shape.options = random.between(1, 10);
  shape.commonItems = random.chance(0.4);
  shape.client = random.between(0, static_cast<int>(demo::clients().size()) - 1);
  shape.eventType = random.between(0, static_cast<int>(demo::eventTypes().size()) - 1);
  shape.serviceType = random.between(0, static_cast<int>(demo::serviceTypes().size()) - 1);
  shape.hall = random.between(0, static_cast<int>(demo::halls().size()) - 1);
  shape.guests = random.between(5, 80) * 5;
  return shape;
}

std::vector<QuoteShape> fixedShapes() {
  using std::chrono::days;
  return {
      {1, "0001", kFirstDay + days(68), 3, true, true, 0, 0, 0, 0, 150},
      {2, "0001", kFirstDay + days(95), 0, true, true, 1, 3, 2, 2, 80},
      {3, "0001", kFirstDay + days(130), 12, false, true, 2, 1, 3, 1, 300},
      {4, "0002", kFirstDay + days(160), 0, false, false, 3, 2, 1, 4, 40},
      {5, "0002", kFirstDay + days(200), 10, true, true, 4, 3, 0, 3, 220},
  };
}

// One quote after another until the branch holds the asked number of margin rows: ten options
// of ten subgroups each, one or two items a subgroup, all included during 2025.
void writeBenchmarkBranch(Connection& db, QuoteWriter& writer, Random& random,
                          std::int64_t marginRows) {
  const auto subgroups = demo::subgroups();
  std::vector<ItemSpec> productOf;  // the first product of every subgroup
  for (std::size_t s = 0; s < subgroups.size(); ++s) {
    for (const auto& product : demo::products()) {
      if (product.subgroup == static_cast<int>(s)) {
        productOf.push_back({product.code, product.name, product.unit, subgroups[s].code});
        break;
      }
    }
  }
  std::vector<std::int64_t> productIds;
  for (const auto& item : productOf) productIds.push_back(writer.productId(item));

  // Items go in by bulk, a batch at a time, between the quotes' own inserts (PostgreSQL takes
  // no other statement while a bulk copy is open).
  std::vector<SqlParams> pending;
  const auto flush = [&db, &pending] {
    auto items = db.bulkInsert("quote_item", {"quote_id", "option_id", "product_id", "value",
                                              "materials_pct", "other_pct", "freight"});
    for (const auto& row : pending) items->add(row);
    items->finish();
    pending.clear();
  };
  std::int64_t written = 0;
  for (std::int64_t q = 1; written < marginRows; ++q) {
    QuoteShape shape = randomShape(random, 9000000000LL + q);
    shape.branch = "0099";
    shape.included = kFirstDay + std::chrono::days(q % 365);
    const auto service = demo::serviceTypes()[shape.serviceType];
    QuoteSpec spec{"0099",
                   quoteNumber(shape.number),
                   "01",
                   dateTime(shape.included + std::chrono::days(60), 20, 0),
                   dateTime(shape.included, 10, 0),
                   "",
                   "Cliente de carga " + std::to_string(q),
                   "Corporativo",
                   service.name,
                   service.fixedExpensePct,
                   shape.guests,
                   "",
                   std::nullopt};
    const std::int64_t quoteId = writer.addQuote(spec);
    for (int option = 1; option <= 10 && written < marginRows; ++option) {
      const std::int64_t optionId = writer.addOption(quoteId, optionNumber(option), 0);
      for (std::size_t s = 0; s < subgroups.size() && written < marginRows; ++s, ++written) {
        const int count = 1 + static_cast<int>((q + s) % 2);
        for (int k = 0; k < count; ++k) {
          const double value = cents(
              shape.guests * random.real(subgroups[s].perGuestLow, subgroups[s].perGuestHigh));
          const double materials = cents(random.real(25, 45));
          const double other = cents(random.real(5, 15));
          const double freight = k == 0 ? cents(random.real(150, 800)) : 0.0;
          pending.push_back({quoteId, optionId, productIds[s], value, materials, other, freight});
        }
      }
    }
    if (pending.size() >= 100000) flush();
  }
  flush();
}

}  // namespace

void writeDemo(Connection& db, const DemoOptions& options) {
  {
    auto existing = db.query("SELECT COUNT(*) FROM quote", {});
    if (!existing->atEnd() && existing->integer(0) > 0) {
      throw std::invalid_argument("o banco já contém orçamentos; use um banco novo para a demo");
    }
  }
  Transaction transaction(db);
  QuoteWriter writer(db);
  defineSubgroups(writer);
  for (const auto& branch : {std::pair{"0001", "Matriz - São Paulo"}, std::pair{"0002", "Campinas"},
                             std::pair{"0003", "Rio de Janeiro"}}) {
    db.query("UPDATE branch SET name = ? WHERE id = ?",
             {branch.second, writer.branchId(branch.first)});
  }
  if (options.quotes > 0) {
    for (const auto& shape : fixedShapes()) {
      Random random(1000 + static_cast<std::uint32_t>(shape.number));
      writeQuote(writer, random, shape);
    }
    Random random(options.seed);
    for (std::int64_t number = 6; number <= options.quotes; ++number) {
      writeQuote(writer, random, randomShape(random, number));
    }
  }
  if (options.marginRows > 0) {
    Random random(options.seed + 99);
    db.query("UPDATE branch SET name = ? WHERE id = ?",
             {std::string("Filial de carga"), writer.branchId("0099")});
    writeBenchmarkBranch(db, writer, random, options.marginRows);
  }
  transaction.commit();
  db.execute("ANALYZE");  // the planner's statistics, as the database's own upkeep would leave them
}

}  // namespace margem::server
