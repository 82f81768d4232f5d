// The campaign's seed: from the address (?semente=N, a shared campaign) or
// from the clock. Returns the seed in use.
export function lerSemente(busca, motor) {
  const texto = new URLSearchParams(busca).get('semente');
  if (texto !== null && /^\d{1,10}$/.test(texto) && Number(texto) <= 4294967295) {
    motor.semear(Number(texto));
    return Number(texto);
  }
  return motor.semearDoRelogio();
}

// The address of this campaign, to share.
export function enderecoDaCampanha(semente) {
  const u = new URL(location.href);
  u.search = '';
  u.searchParams.set('semente', String(semente));
  u.hash = '';
  return u.toString();
}
