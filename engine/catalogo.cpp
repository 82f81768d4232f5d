// The campaign's 53 actions and events. The order matters: the weekly draw
// picks entries by their index, and events are gathered in this order.
#include "acao.h"

namespace varzeno {

void CarregarAcoes(TAcaoList& l) {
  l.Limpar();
  constexpr bool sim = true, nao = false;

  AdicionarAcao(l, "Comprar ternos novos", -1000, 1, 0, sim);
  AdicionarAcao(l, "Contratar Marqueteiro", -6000, 5, 0, sim);
  AdicionarAcao(l, "Horário eleitoral", -1000, 1, 0, sim);
  AdicionarAcao(l, "Apertar mão de criancinhas", -1000, 1, 0, sim);
  AdicionarAcao(l, "Visitar bairro da periferia", -2000, 2, 0, sim);
  AdicionarAcao(l, "Pagode em festa da periferia", -1000, 1, 0, sim);
  AdicionarAcao(l, "Soltar fogos de artifício", -3000, 1, 0, sim);
  AdicionarAcao(l, "Exigir vice mulher", -1000, 2, 0, sim);
  AdicionarAcao(l, "Compra de votos", -2000, 5, -12, sim);
  AdicionarAcao(l, "Mudar regras da eleição", -3000, 5, -9, sim);
  AdicionarAcao(l, "Fazer acordo com o partido adversário", -2000, 3, -5, sim);
  AdicionarAcao(l, "Usar dinheiro público para festas", -3000, 3, -5, sim);
  AdicionarAcao(l, "Fazer boca de urna", -1000, 2, -5, sim);
  AdicionarAcao(l, "Iniciar política do pão e circo", -2000, 2, -5, sim);
  AdicionarAcao(l, "Carriata pela cidade", -4000, 4, 0, sim);
  AdicionarAcao(l, "Pagar festa para estudantes", -5000, 5, 0, sim);
  AdicionarAcao(l, "Asfaltar ruas", -3000, 3, 0, sim);
  AdicionarAcao(l, "Recuperar sistema de esgotos da cidade", -10000, 9, 0, sim);
  AdicionarAcao(l, "Distribuir santinhos nas ruas", -2000, 2, 0, sim);
  AdicionarAcao(l, "Discurso em palanque", -5000, 3, 0, sim);
  AdicionarAcao(l, "Comprar espaço no jornal local", -3000, 4, -4, sim);
  AdicionarAcao(l, "Inaugurar obra", -2000, 2, -5, sim);
  AdicionarAcao(l, "Boca livre para eleitores", -4000, 3, 0, sim);
  AdicionarAcao(l, "Ajuda financeira de traficantes", 5000, 0, -15, sim);
  AdicionarAcao(l, "Ajuda de bicheiros", 3000, 0, -12, sim);
  AdicionarAcao(l, "Ganhar confiança dos empresários locais", 5000, -1, 0, sim);
  AdicionarAcao(l, "Venda de secretarias", 4000, 0, -9, sim);
  AdicionarAcao(l, "Aceitar doações anônimas", 3000, 0, -9, sim);
  AdicionarAcao(l, "Almoço com empresários locais", 5000, 0, 0, sim);
  AdicionarAcao(l, "Coleta de recursos", 1000, 0, 0, sim);
  AdicionarAcao(l, "Acordo com a elite local", 5000, -2, 0, sim);
  AdicionarAcao(l, "Pedir empréstimo", 5000, -1, 0, sim);
  AdicionarAcao(l, "Usar recursos pessoais", 3000, 0, 0, sim);
  AdicionarAcao(l, "Desviar recursos do município", 2000, 0, -11, sim);
  AdicionarAcao(l, "Criar sistema de doações pelo telefone", 2000, 0, 0, sim);

  AdicionarEvento(l, "Instabilidade política", 0, -1, 0, sim);
  AdicionarEvento(l, "Investigação de jornal local", -2000, -1, 0, sim);
  AdicionarEvento(l, "Descobriram Caixa 2", -1000, -5, 0, nao);
  AdicionarEvento(l, "Descobriram autor do dossiê", 0, -4, 0, nao);
  AdicionarEvento(l, "Ataque dos adversários", 0, -1, 0, sim);
  AdicionarEvento(l, "Suas idéias afetam os empresários", -3000, -1, 0, nao);
  AdicionarEvento(l, "Suas idéias afetam o povão", 0, -2, 0, nao);
  AdicionarEvento(l, "Os estudantes estão contra você", 0, -3, 0, sim);
  AdicionarEvento(l, "Criado dossiê contra você", 0, -1, 0, sim);
  AdicionarEvento(l, "Capacidade de dirigir o município em dúvida", 0, -2, 0, sim);
  AdicionarEvento(l, "Boatos se voltaram contra você", 0, -3, 0, nao);
  AdicionarEvento(l, "Fizeram denúncias contra você", 0, -4, 0, nao);

  AdicionarAcao(l, "Ideais Oposicionistas", -2000, 2, 0, sim, {"Suas idéias afetam os empresários"});
  AdicionarAcao(l, "Ideais Governistas", -2000, 2, 0, sim, {"Suas idéias afetam o povão"});
  AdicionarAcao(l, "Criar dossiê contra o principal adversário", -2000, 2, -7, sim, {"Descobriram autor do dossiê"});
  AdicionarAcao(l, "Criar caixa 2 de campanha", 5000, 0, -7, sim, {"Descobriram Caixa 2"});
  AdicionarAcao(l, "Espalhar boatos sobre adversários", -1000, 2, -4, sim, {"Boatos se voltaram contra você"});
  AdicionarAcao(l, "Fazer denúncia falsa contra adversário", -1000, 2, -6, sim, {"Fizeram denúncias contra você"});
}

}  // namespace varzeno
