// SPDX-License-Identifier: MIT
#include "tfrmmargemfinal_help.h"

#include <QStringList>

namespace Cli_ore01400 {
namespace {

struct Meaning {
  const char* caption;
  const char* text;
};

// Header labels, then the ladder's columns and rows, then the subgroup grid's titles.
constexpr Meaning kMeanings[] = {
    {"Convidados",
     "Número de convidados do orçamento; o Valor Total dividido por ele dá o Vr. por "
     "Pessoa."},
    {"Comissão",
     "Percentual de acréscimo do salão registrado no orçamento. É informativo: não "
     "entra no cálculo do lucro."},
    {"Despesa Fixa",
     "Percentual de despesa fixa do tipo de serviço do evento. A despesa de cada "
     "subgrupo é a sua % Despesa sobre o valor de venda, multiplicada por este "
     "percentual."},
    {"Valor Atual", "O valor do orçamento como foi fechado. Não pode ser alterado."},
    {"Valor 02",
     "Cenário de preço para simulação: começa R$ 1,00 por pessoa abaixo do cenário "
     "anterior e aceita outro Valor Total ou Vr. por Pessoa."},
    {"Valor Total",
     "Valor da opção no cenário. Em Valor Atual é o total dos itens da opção, "
     "incluídos os itens comuns a todas as opções, menos o desconto; nos demais "
     "cenários é convidados × Vr. por Pessoa, ou o valor digitado."},
    {"Vr. por Pessoa",
     "Valor Total dividido pelo número de convidados (0 quando o orçamento não "
     "tem convidados)."},
    {"Valor Lucro",
     "Lucro da opção no cenário: a soma, subgrupo a subgrupo, do valor de venda "
     "menos matéria-prima, outros custos variáveis e despesa."},
    {"% Lucro",
     "Lucro em percentual do valor de venda: na escada de cenários, Valor Lucro sobre "
     "Valor Total; na grade, Vr. Lucro sobre Vr. Venda do subgrupo."},
    {"% Lucro Diferenciado",
     "Lucro da opção com o frete repartido entre os subgrupos marcados para recebê-lo, na "
     "proporção do valor de cada um, em percentual do Valor Total. Um subgrupo de frete que não "
     "recebe frete fica de fora."},
    {"Grupo",
     "Subgrupo de produtos da opção. Os itens comuns a todas as opções aparecem em todas "
     "elas."},
    {"Vr. Venda",
     "Valor de venda do subgrupo no cenário escolhido pelos botões abaixo da escada. "
     "Os subgrupos que não acompanham descontos mantêm o valor em todos os "
     "cenários; os demais absorvem a diferença de preço."},
    {"% IDVV MP",
     "Percentual de matéria-prima (MP) sobre o valor de venda do subgrupo. O custo da "
     "matéria-prima é o do Valor Atual em todos os cenários, por isso o percentual "
     "sobe quando o preço baixa."},
    {"% IDVV Outros",
     "Percentual dos outros custos variáveis sobre o valor de venda do subgrupo; "
     "acompanha o preço do cenário."},
    {"% Despesa",
     "Percentual de despesa do subgrupo sobre o valor de venda, aplicado junto com a "
     "Despesa Fixa do serviço (multiplicado por ela)."},
    {"Vr. Lucro",
     "Vr. Venda menos matéria-prima, outros custos variáveis e despesa do "
     "subgrupo."},
};

QString Escaped(const char* text) { return QString::fromUtf8(text).toHtmlEscaped(); }

QString Glossary() {
  QString rows;
  for (const Meaning& meaning : kMeanings)
    rows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                .arg(Escaped(meaning.caption), Escaped(meaning.text));
  return QStringLiteral("<table cellspacing='0' cellpadding='4' border='1'>%1</table>").arg(rows);
}

}  // namespace

QString MeaningOf(const QString& caption) {
  // "Valor 03" to "Valor 05" mean what "Valor 02" means.
  const QString key =
      caption.startsWith(QStringLiteral("Valor 0")) ? QStringLiteral("Valor 02") : caption;
  for (const Meaning& meaning : kMeanings) {
    if (key == QString::fromUtf8(meaning.caption)) return QString::fromUtf8(meaning.text);
  }
  return {};
}

QString MargemFinalHelpPage() {
  return QStringLiteral(
             "<h2>Margem Final</h2>"
             "<p>Mostra, para um orçamento de evento, quanto cada opção vende, quanto custa e "
             "quanto lucra, e simula o lucro com outros preços por pessoa.</p>"
             "<h3>Carregar um orçamento</h3>"
             "<p>Digite o número em <b>Nr. Orçamento</b> (os zeros à esquerda são completados) e "
             "tecle <b>Tab</b> ou <b>Enter</b>: o orçamento é carregado ao sair do campo. O botão "
             "ao lado lista os orçamentos cadastrados; depois de escolher um, saia do campo para "
             "carregá-lo. Voltar ao campo limpa a tela. Cada opção do orçamento ganha uma aba "
             "(até dez; a barra de status avisa quando o orçamento tem mais).</p>"
             "<h3>Escada de cenários e simulação</h3>"
             "<p>Em cada aba, a coluna <b>Valor Atual</b> mostra o valor do orçamento, e as "
             "colunas <b>Valor 02</b> a <b>Valor 05</b> quatro preços menores, R$ 1,00 por "
             "pessoa a menos a cada coluna. Digite um novo <b>Valor Total</b> ou <b>Vr. por "
             "Pessoa</b> em uma delas: o outro é calculado pelo número de convidados e o lucro "
             "do cenário é refeito. Os botões abaixo das colunas escolhem o cenário que a grade "
             "de subgrupos mostra; <b>Ver Opção</b> mostra ou oculta a lista de itens da opção. "
             "Os valores digitados valem até o próximo orçamento carregado.</p>"
             "<h3>Relatório e gráficos</h3>"
             "<p><b>Imprimir</b> (Ctrl+P) abre o relatório de margem final, com os cinco cenários "
             "de cada opção como estão na tela: visualize, imprima ou salve em PDF. "
             "<b>Gráficos</b> (Ctrl+G) oferece o percentual de lucro por grupo do orçamento e a "
             "comparação do lucro médio de cada opção com a média das propostas da filial em um "
             "período de inclusão; o gráfico pode ser salvo como imagem ou impresso.</p>"
             "<h3>Copiar e exportar</h3>"
             "<p>Nas grades, <b>Ctrl+C</b> copia as linhas selecionadas (ou todas, com "
             "<i>Copiar tudo</i> no menu do botão direito) com os títulos, prontas para colar em "
             "uma planilha. Na escada de cenários, o botão direito copia um valor ou o quadro "
             "inteiro. <b>Exportar</b> (Ctrl+E) grava o orçamento inteiro — cabeçalho, escada e "
             "subgrupos de cada opção e os itens — em um arquivo CSV, que as planilhas abrem "
             "diretamente, ou em uma pasta de trabalho do Excel (XLSX).</p>"
             "<h3>O que significa cada linha e coluna</h3>%1"
             "<h3>Atalhos</h3>"
             "<p><b>F1</b> esta ajuda · <b>Enter</b> no número do orçamento carrega · "
             "<b>Ctrl+P</b> relatório · <b>Ctrl+G</b> gráficos · <b>Ctrl+E</b> exportar · "
             "<b>Ctrl+C</b> copiar da grade · <b>Tab</b> e <b>Shift+Tab</b> passam de um campo ou "
             "grade ao seguinte.</p>")
      .arg(Glossary());
}

}  // namespace Cli_ore01400
