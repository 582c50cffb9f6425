// SPDX-License-Identifier: MIT
#include "checkresultserv.h"

#include "mensErro.h"

namespace margem {

ServerValue CheckResultServ(const ServerReply& reply, bool raise, int) {
  if (reply.status == ServerReply::Ok) return reply.rpc.result;
  if (!raise) return {};
  switch (reply.status) {
    case ServerReply::RpcError:
      MensErro(reply.rpc.errorMessage.isEmpty()
                   ? QStringLiteral("O servidor de aplicação recusou a operação.")
                   : reply.rpc.errorMessage);
      break;
    case ServerReply::Refused:
      MensErro(ConnectionFailedMessage(reply.host, reply.port));
      break;
    case ServerReply::NotConnected:
      MensErro(
          QStringLiteral("Não há conexão com o servidor de aplicação. Feche a tela e abra-a "
                         "novamente."));
      break;
    case ServerReply::Timeout:
      MensErro(QStringLiteral("O servidor de aplicação não respondeu a tempo. Tente novamente."));
      break;
    case ServerReply::TooLarge:
      MensErro(QStringLiteral("A resposta do servidor de aplicação passou do limite de %1 MB e foi "
                              "recusada. Restrinja a consulta (um período menor, por exemplo) ou "
                              "peça ao administrador que aumente MaxReplyMB em margem.ini.")
                   .arg(reply.maxReplyBytes >> 20));
      break;
    default:
      MensErro(QStringLiteral("Resposta inválida do servidor de aplicação."));
  }
  return {};
}

}  // namespace margem
