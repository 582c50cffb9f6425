// SPDX-License-Identifier: MIT
// What a catering business sells, as the demo generator uses it: product groups and subgroups
// with their expense percentages and flags, products, clients, event and service types, halls.
#pragma once

#include <span>

namespace margem::server::demo {

struct Subgroup {
  const char* groupCode;
  const char* groupName;
  const char* code;
  const char* name;
  double expensePct;
  const char* takesDiscounts;  // "N": keeps its value when the option's price changes
  const char* sharesFreight;   // "S": receives a share of the option's freight
  const char* isFreight;       // "S": the freight itself
  double perGuestLow, perGuestHigh;  // sale value per guest of one product
};

struct Product {
  const char* code;
  const char* name;
  const char* unit;
  int subgroup;  // index into subgroups()
};

struct Client {
  const char* tradeName;  // empty for a private person without registration
  const char* nameOnQuote;
};

struct ServiceType {
  const char* name;
  double fixedExpensePct;
};

std::span<const Subgroup> subgroups();
std::span<const Product> products();
std::span<const Client> clients();
std::span<const char* const> eventTypes();
std::span<const ServiceType> serviceTypes();
std::span<const char* const> halls();

}  // namespace margem::server::demo
