// SPDX-License-Identifier: MIT
// Turns a server reply into the value the caller uses directly as data. With raise true every
// failure ends in a Portuguese message through MensErro (which throws SilentAbort):
//   error reply          -> the server's own message;
//   refused              -> "Não foi possível conectar ao servidor de aplicação em HOST:PORT. …";
//   not connected        -> "Não há conexão com o servidor de aplicação. Feche a tela e abra-a …";
//   time-out             -> "O servidor de aplicação não respondeu a tempo. Tente novamente.";
//   reply too large      -> "A resposta do servidor de aplicação passou do limite de N MB …";
//   anything else        -> "Resposta inválida do servidor de aplicação.".
// With raise false a failure returns a Null value and shows nothing. flags is reserved (0).
#pragma once

#include "hostexport.h"
#include "netconnection.h"
#include "servervalue.h"

namespace margem {

MARGEM_HOST_EXPORT ServerValue CheckResultServ(const ServerReply& reply, bool raise, int flags);

}  // namespace margem
