// The microprogram memory view: the compiled table as the machine runs it, all rows or
// only those of an instruction. A snapshot, taken when the panel is brought up.

const el = (tag, wlasnosci = {}, ...dzieci) => {
  const e = document.createElement(tag);
  Object.assign(e, wlasnosci);
  e.append(...dzieci);
  return e;
};

export function utworzMikropamiec(korzen, { wywolaj }) {
  const wszystkie = el("button", { id: "SpeedButtonWszystkie", textContent: "Pokaż wszystkie" });
  const ukryj = el("button", { id: "SpeedButtonUkryjPuste", textContent: "Ukryj puste wiersze" });
  const tabela = el("table", { id: "StringGridPamiecMikroprogramu", className: "tabela" });
  tabela.setAttribute("aria-label", "Pamięć mikroprogramu");
  korzen.append(el("div", { className: "pasek" }, wszystkie, ukryj), el("div", { className: "mikropamiec-pudlo" }, tabela));
  let pokazWszystkie = true;

  function odswiez(w = pokazWszystkie) {
    pokazWszystkie = w;
    for (const [b, tak] of [[wszystkie, w], [ukryj, !w]]) {
      b.classList.toggle("wcisniety", tak);
      b.setAttribute("aria-pressed", String(tak));
    }
    const odp = wywolaj({ polecenie: "pamiec_mikroprogramu", wszystkie: w });
    if (!odp.ok) return;
    tabela.replaceChildren(
      el("thead", {}, el("tr", {}, ...["", "Rozkaz", "Sygnały", "", "=0", "=1"].map((t) => el("th", { textContent: t })))),
      el(
        "tbody",
        {},
        ...odp.wiersze.map((r) =>
          el("tr", {}, ...[r.adres, r.rozkaz, r.sygnaly, r.warunek, r.cel0, r.cel1].map((t) => el("td", { textContent: t }))),
        ),
      ),
    );
  }
  wszystkie.addEventListener("click", () => odswiez(true));
  ukryj.addEventListener("click", () => odswiez(false));
  return { odswiez: () => odswiez(), pokazWszystkie: () => odswiez(true), ukryjPuste: () => odswiez(false) };
}
