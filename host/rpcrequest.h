// SPDX-License-Identifier: MIT
// Writes the JSON-RPC 2.0 request body of one remote call.
#pragma once

#include <QString>
#include <QVariantList>
#include <string>

namespace margem {

// {"jsonrpc":"2.0","id":id,"method":method,"params":[...]}. Parameters: QString a string,
// numbers a number, bool a boolean, QDateTime/QDate "YYYY-MM-DDTHH:MM:SS", invalid or null a
// null. Another type, or a number that is not finite, raises std::invalid_argument.
std::string WriteRpcRequest(qint64 id, const QString& method, const QVariantList& params);

}  // namespace margem
