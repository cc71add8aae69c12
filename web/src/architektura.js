// The architecture dialog "Architektura": the six presets and the two widths ("Typ"),
// the interrupts' and devices' addresses ("Adresy"), every signal as a check box
// ("Sygnały"). "Zastosuj" sets the widths, empties the memory and applies the preset.

const el = (tag, wlasnosci = {}, ...dzieci) => {
  const e = document.createElement(tag);
  Object.assign(e, wlasnosci);
  e.append(...dzieci);
  return e;
};

const PRESETY = ["K", "K+", "L", "EK", "Max", "U"];

export function utworzArchitekture({ wywolaj, poZastosowaniu }) {
  const radia = PRESETY.map((p) => el("input", { type: "radio", name: "preset-architektury", value: p }));
  const bityAdresu = el("input", { type: "number", id: "UpDownIleBityAdresowe", min: 5, max: 24, value: 5 });
  const bityKodu = el("input", { type: "number", id: "UpDownIleBityKodu", min: 3, max: 8, value: 3 });
  const typ = el(
    "div",
    { className: "zakladka", id: "TabSheetTyp" },
    ...radia.map((r, i) => el("label", { className: "radio" }, r, ` Maszyna ${PRESETY[i]}`)),
    el("label", {}, "Ilość bitów adresowych ", bityAdresu),
    el("label", {}, "Ilość bitów kodu ", bityKodu),
  );
  const przerwania = el("table", { className: "tabela", id: "StringGrid1" });
  const urzadzenia = el("table", { className: "tabela", id: "StringGrid2" });
  const adresy = el(
    "div",
    { className: "zakladka", id: "TabSheetAdresy", hidden: true },
    przerwania,
    urzadzenia,
    el("p", { textContent: "Klawiatura - 8 bit" }),
    el("p", { textContent: "Dzielenie przez zero - 1 bit" }),
  );
  const sygnaly = el("div", { className: "zakladka sygnaly", id: "TabSheetSygnaly", hidden: true });
  const zakladki = [
    ["Typ", typ],
    ["Adresy", adresy],
    ["Sygnały", sygnaly],
  ];
  const przyciskiZakladek = zakladki.map(([n, z], i) => {
    const b = el("button", { type: "button", textContent: n, className: "zakladka-przycisk" });
    b.setAttribute("role", "tab");
    b.addEventListener("click", () => pokazZakladke(i));
    return b;
  });
  const pasekZakladek = el("div", { className: "zakladki" }, ...przyciskiZakladek);
  pasekZakladek.setAttribute("role", "tablist");
  const zastosuj = el("button", { id: "architektura-zastosuj", textContent: "Zastosuj", value: "tak" });
  const anuluj = el("button", { type: "button", textContent: "Anuluj" });
  const formularz = el(
    "form",
    { method: "dialog" },
    el("h2", { textContent: "Architektura" }),
    pasekZakladek,
    typ,
    adresy,
    sygnaly,
    el("div", { className: "okno-przyciski" }, anuluj, zastosuj),
  );
  const dialog = el("dialog", { id: "FormArchitektura", className: "okno" }, formularz);
  dialog.setAttribute("aria-label", "Architektura");
  document.body.append(dialog);
  anuluj.addEventListener("click", () => dialog.close("nie"));

  // The check list: every signal, sorted by name, ticked as it exists now.
  function wypelnijSygnaly() {
    const w = wywolaj({ polecenie: "sygnaly" });
    const pary = w.nazwy.map((n, i) => [n, w.jest[i]]).sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
    sygnaly.replaceChildren(
      ...pary.map(([n, jest]) => el("label", {}, el("input", { type: "checkbox", value: n, checked: jest }), ` ${n}`)),
    );
  }
  function pokazZakladke(k) {
    zakladki.forEach(([, z], i) => {
      z.hidden = i !== k;
      przyciskiZakladek[i].setAttribute("aria-selected", String(i === k));
    });
    if (k === 2) wypelnijSygnaly();
  }

  let pierwszy = true;
  function otworz() {
    const a = wywolaj({ polecenie: "architektura" });
    for (const r of radia) r.checked = r.value === a.preset;
    // The widths keep what the dialog had when it was last closed.
    if (pierwszy) {
      bityAdresu.value = String(a.bity_adresu);
      bityKodu.value = String(a.bity_kodu);
      pierwszy = false;
    }
    const ad = wywolaj({ polecenie: "adresy" });
    przerwania.replaceChildren(
      el("thead", {}, el("tr", {}, el("th"), el("th", { textContent: "Etykieta" }), el("th", { textContent: "Adres" }))),
      el(
        "tbody",
        {},
        ...ad.przerwania.map((p, i) =>
          el("tr", {}, el("th", { textContent: `Przerwanie nr ${i + 1}` }), el("td", { textContent: p.etykieta }), el("td", { textContent: String(p.adres) })),
        ),
      ),
    );
    urzadzenia.replaceChildren(
      el("thead", {}, el("tr", {}, el("th"), el("th", { textContent: "Adres" }))),
      el(
        "tbody",
        {},
        ...["Urządzenie wejściowe", "Urządzenie wyjściowe"].map((n, i) =>
          el("tr", {}, el("th", { textContent: n }), el("td", { textContent: String(ad.urzadzenia[i]) })),
        ),
      ),
    );
    if (!sygnaly.childElementCount) wypelnijSygnaly();
    pokazZakladke(0);
    dialog.returnValue = "";
    dialog.showModal();
    (radia.find((r) => r.checked) || radia[0]).focus();
  }

  dialog.addEventListener("close", () => {
    if (dialog.returnValue !== "tak") return;
    const ograniczona = (e, od, doIlu) => Math.min(doIlu, Math.max(od, Math.round(Number(e.value)) || od));
    bityAdresu.value = String(ograniczona(bityAdresu, 5, 24));
    bityKodu.value = String(ograniczona(bityKodu, 3, 8));
    const preset = (radia.find((r) => r.checked) || radia[0]).value;
    const polecenie = { polecenie: "zastosuj_architekture", bity_adresu: Number(bityAdresu.value), bity_kodu: Number(bityKodu.value), preset };
    if (preset === "U") polecenie.sygnaly = [...sygnaly.querySelectorAll("input:checked")].map((c) => c.value);
    const w = wywolaj(polecenie);
    poZastosowaniu(w);
  });
  return { otworz };
}
