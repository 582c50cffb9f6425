// SPDX-License-Identifier: MIT
#include "rpcrequest.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace margem {
namespace {

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

nlohmann::json toJson(const QVariant& value, int position) {
  if (!value.isValid()) return nullptr;
  const auto invalid = [position](const char* what) {
    return std::invalid_argument("Parâmetro " + std::to_string(position) +
                                 " da chamada ao servidor: " + what + ".");
  };
  switch (value.typeId()) {
    case QMetaType::QString:
      return utf8(value.toString());
    case QMetaType::Bool:
      return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
      return value.toLongLong();
    case QMetaType::Double:
    case QMetaType::Float: {
      const double number = value.toDouble();
      if (!std::isfinite(number)) throw invalid("número inválido");
      return number;
    }
    case QMetaType::QDateTime: {
      const QDateTime moment = value.toDateTime();
      if (!moment.isValid()) return nullptr;
      return utf8(moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    }
    case QMetaType::QDate: {
      const QDate day = value.toDate();
      if (!day.isValid()) return nullptr;
      return utf8(day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("T00:00:00"));
    }
    case QMetaType::Nullptr:
      return nullptr;
    default:
      throw invalid("tipo de valor não suportado");
  }
}

}  // namespace

std::string WriteRpcRequest(qint64 id, const QString& method, const QVariantList& params) {
  nlohmann::json list = nlohmann::json::array();
  for (int i = 0; i < params.size(); ++i) list.push_back(toJson(params[i], i + 1));
  const nlohmann::json request = {
      {"jsonrpc", "2.0"}, {"id", id}, {"method", utf8(method)}, {"params", list}};
  return request.dump();
}

}  // namespace margem
