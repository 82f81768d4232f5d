// The campaign's seed: from the address (?semente=N, a shared campaign) or
// from the clock. Returns the seed in use.
export function lerSemente(busca, motor) {
  const texto = new URLSearchParams(busca).get('semente');
  const semente = texto === null ? -1 : motor.lerSemente(texto);
  if (semente >= 0) {
    motor.semear(semente);
    return semente;
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
