// The debug log: every machine message of the session, oldest first, and the labels of
// the last assembled program. New lines turn the "Debug" button red and bold until the
// panel is brought up or the log is cleared.

const el = (tag, wlasnosci = {}, ...dzieci) => {
  const e = document.createElement(tag);
  Object.assign(e, wlasnosci);
  e.append(...dzieci);
  return e;
};

export function utworzDebug(korzen, { wywolaj, przycisk }) {
  const wyczysc = el("button", { id: "debug-wyczysc", textContent: "Wyczyść" });
  const memo = el("pre", { id: "MemoDebug", tabIndex: 0 });
  memo.setAttribute("aria-label", "Dziennik komunikatów");
  memo.setAttribute("role", "log");
  const etykiety = el("table", { id: "ListViewEtykiety", className: "tabela", tabIndex: 0 });
  etykiety.setAttribute("aria-label", "Etykiety programu");
  korzen.append(el("div", { className: "pasek" }, wyczysc), memo, el("div", { className: "debug-etykiety" }, etykiety));
  let razem = 0;

  function wyroznij(tak) {
    przycisk.classList.toggle("nowosci", tak);
  }

  // New lines of the log; `widoczny` also takes the label list.
  function dopisz(widoczny) {
    const w = wywolaj({ polecenie: "dziennik_od", od: razem, etykiety: widoczny });
    if (!w.ok) return;
    if (w.razem < razem) {
      // Another way cleared it ("Nowy").
      razem = 0;
      memo.textContent = "";
      return dopisz(widoczny);
    }
    if (w.linie.length) {
      memo.textContent += w.linie.map((l) => `${l}\n`).join("");
      memo.scrollTop = memo.scrollHeight;
      wyroznij(true);
    }
    razem = w.razem;
    if (widoczny) {
      etykiety.replaceChildren(
        el("thead", {}, el("tr", {}, el("th", { textContent: "Etykieta" }), el("th", { textContent: "Adres" }))),
        el("tbody", {}, ...w.etykiety.map(([n, a]) => el("tr", {}, el("td", { textContent: n }), el("td", { textContent: String(a) })))),
      );
    }
    return undefined;
  }

  wyczysc.addEventListener("click", () => {
    wywolaj({ polecenie: "wyczysc_dziennik" });
    razem = 0;
    memo.textContent = "";
    wyroznij(false);
  });
  return {
    // Brought up: the log and the labels, and the button back to normal.
    odswiez() {
      dopisz(true);
      wyroznij(false);
    },
    dopisz,
    // The lines added since `od`, for the breakpoint notice.
    get razem() {
      return razem;
    },
  };
}
