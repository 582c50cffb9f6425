// SPDX-License-Identifier: MIT
#include "demo_catalog.h"

namespace margem::server::demo {
namespace {

constexpr Subgroup kSubgroups[] = {
    {"ALIM", "ALIMENTOS", "SALG", "SALGADOS", 45, "S", "S", "N", 6, 18},
    {"ALIM", "ALIMENTOS", "DOCE", "DOCES", 40, "S", "S", "N", 5, 14},
    {"ALIM", "ALIMENTOS", "BOLO", "BOLO", 35, "S", "S", "N", 4, 12},
    {"ALIM", "ALIMENTOS", "PRAT", "PRATO PRINCIPAL", 50, "S", "S", "N", 25, 70},
    {"BEBI", "BEBIDAS", "BEBI", "BEBIDAS", 30, "S", "N", "N", 6, 15},
    {"BEBI", "BEBIDAS", "ALCO", "BEBIDAS ALCOÓLICAS", 25, "N", "N", "N", 10, 35},
    {"DECO", "DECORAÇÃO", "DECO", "DECORAÇÃO", 20, "N", "N", "N", 5, 25},
    {"SERV", "SERVIÇOS", "MAOB", "MÃO DE OBRA", 60, "S", "N", "N", 8, 20},
    {"SERV", "SERVIÇOS", "LOCA", "LOCAÇÃO DE MATERIAL", 15, "S", "N", "N", 3, 9},
    {"FRET", "FRETE", "FRET", "FRETE", 10, "N", "N", "S", 1, 3},
};

constexpr Product kProducts[] = {
    {"SAL001", "Coxinha de frango", "CENTO", 0},
    {"SAL002", "Quibe", "CENTO", 0},
    {"SAL003", "Empada de palmito", "CENTO", 0},
    {"SAL004", "Bolinha de queijo", "CENTO", 0},
    {"SAL005", "Esfiha de carne", "CENTO", 0},
    {"DOC001", "Brigadeiro", "CENTO", 1},
    {"DOC002", "Beijinho", "CENTO", 1},
    {"DOC003", "Bem-casado", "CENTO", 1},
    {"DOC004", "Camafeu de nozes", "CENTO", 1},
    {"BOL001", "Bolo de nozes", "KG", 2},
    {"BOL002", "Bolo floresta negra", "KG", 2},
    {"BOL003", "Bolo de morango com chantilly", "KG", 2},
    {"PRA001", "Risoto de funghi", "PORCAO", 3},
    {"PRA002", "Filé ao molho madeira", "PORCAO", 3},
    {"PRA003", "Salmão grelhado com alcaparras", "PORCAO", 3},
    {"PRA004", "Massa ao pesto de manjericão", "PORCAO", 3},
    {"BEB001", "Refrigerante lata", "UN", 4},
    {"BEB002", "Suco natural de laranja", "LT", 4},
    {"BEB003", "Água mineral", "UN", 4},
    {"ALC001", "Cerveja artesanal", "LT", 5},
    {"ALC002", "Espumante brut", "GARRAFA", 5},
    {"ALC003", "Vinho tinto reserva", "GARRAFA", 5},
    {"DEC001", "Arranjo de mesa", "UN", 6},
    {"DEC002", "Painel de flores", "UN", 6},
    {"DEC003", "Iluminação cênica", "SERVICO", 6},
    {"MAO001", "Garçom", "DIARIA", 7},
    {"MAO002", "Cozinheiro", "DIARIA", 7},
    {"MAO003", "Recepcionista", "DIARIA", 7},
    {"LOC001", "Mesas e cadeiras", "JOGO", 8},
    {"LOC002", "Louças e talheres", "JOGO", 8},
    {"FRE001", "Frete de entrega e retirada", "VIAGEM", 9},
};

constexpr Client kClients[] = {
    {"", "Mariana Souza e Pedro Henrique"},
    {"Tech Brasil Sistemas", "Renata Lopes (RH)"},
    {"Colégio Santa Helena", "Comissão de Formatura 3º Ano"},
    {"", "Ana Carolina Ribeiro"},
    {"Construtora Horizonte Ltda", "Paulo Mendes"},
    {"Banco Paulista S.A.", "Cerimonial Banco Paulista"},
    {"", "João Pedro Almeida"},
    {"Farmácias Vida Nova", "Luciana Castro"},
    {"", "Beatriz e Lucas Ferreira"},
    {"Metalúrgica Aliança", "Sérgio Tavares"},
    {"", "Camila Rodrigues"},
    {"Agência Viagem Certa", "Juliana Prado"},
    {"", "Família Oliveira"},
    {"Faculdade Nova Era", "Diretório Acadêmico"},
    {"", "Gustavo e Fernanda Lima"},
    {"Supermercados Bom Preço", "Marcos Vieira"},
    {"", "Thiago Martins"},
    {"Clínica Sorriso", "Dra. Patrícia Nunes"},
};

constexpr const char* kEventTypes[] = {"Casamento", "Formatura",    "Aniversário",
                                       "Corporativo", "Bodas",      "Batizado",
                                       "Confraternização", "Festa de 15 anos"};

constexpr ServiceType kServiceTypes[] = {
    {"Buffet completo", 20}, {"Coquetel", 15},       {"Coffee break", 10},
    {"Jantar servido", 25},  {"Churrasco", 18},      {"Serviço volante", 30},
};

constexpr const char* kHalls[] = {"Salão Nobre",       "Espaço Jardim",     "Salão Cristal",
                                  "Terraço Panorâmico", "Casa de Festas Primavera",
                                  "Local do cliente"};

}  // namespace

std::span<const Subgroup> subgroups() { return kSubgroups; }
std::span<const Product> products() { return kProducts; }
std::span<const Client> clients() { return kClients; }
std::span<const char* const> eventTypes() { return kEventTypes; }
std::span<const ServiceType> serviceTypes() { return kServiceTypes; }
std::span<const char* const> halls() { return kHalls; }

}  // namespace margem::server::demo
