// The schematic's places for the keyboard and screen readers: every signal label and
// value box of the picture as a button inside the canvas (its fallback content, read by
// screen readers and reached with Tab), in reading order. The arrow keys go to the
// nearest place in their direction, Home and End to the first and the last; the place
// with focus gets a ring on the canvas and is named in the schematic's text alternative.
// Space or Enter chooses a signal in manual mode and opens a box's menu, as do the
// context-menu key and Shift+F10.

// The boxes' names by slot, as the schematic labels them.
const NAZWY_SLOTOW = [
  "", "L", "X", "Y", "Z", "RB (wejście)", "RB (wyjście)", "G", "RZ", "RM", "RP", "AP", "A", "S",
  "I (kod)", "I (adres)", "magistrala A", "magistrala S", "AK", "JAL (wejście)", "JAL (wyjście)",
  "N", "NP", "NM", "znak AK", "INT", "PAK", "ZAK", "U", "V",
];

const klucz = (m) => (m.kind === "signal" ? `s:${m.signal}` : `r:${m.slot}`);
const srodek = (m) => [(m.rect[0] + m.rect[2]) / 2, (m.rect[1] + m.rect[3]) / 2];

// The text a box shows: its whole value when shortened, else the texts inside it.
function wartosc(obraz, m) {
  if (m.full_value) return m.full_value;
  const [l, t, r, b] = m.rect;
  return obraz.primitives
    .filter((p) => p.kind === "text" && p.at[0] >= l && p.at[0] < r && p.at[1] >= t && p.at[1] < b)
    .map((p) => p.text)
    .join(" ");
}

// The nearest place from `m` in a direction: the distance along it plus twice the offset across.
function najblizsze(miejsca, m, [kx, ky]) {
  const [x, y] = srodek(m);
  let najlepsze = null, wynik = Infinity;
  for (const q of miejsca) {
    const [qx, qy] = srodek(q);
    const wzdluz = (qx - x) * kx + (qy - y) * ky;
    if (q === m || wzdluz <= 0) continue;
    const w = wzdluz + 2 * Math.abs(kx ? qy - y : qx - x);
    if (w < wynik) [najlepsze, wynik] = [q, w];
  }
  return najlepsze;
}

const KIERUNKI = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };

// `schemat`: the TSchemat drawing the canvas; `opis`: the text alternative's line of the
// focused place; `wybierz(miejsce)` a label's choice, `otworzMenu(miejsce, przycisk)` a box's menu.
export function utworzMiejsca(schemat, { opis, wybierz, otworzMenu }) {
  const canvas = schemat.canvas;
  let miejsca = [];
  let podpis = "";
  const przyciski = new Map();
  let aktywne = null;

  function opisz(m) {
    const p = przyciski.get(klucz(m));
    if (m.kind === "signal") {
      const stan = p.getAttribute("aria-pressed") === "true" ? ", wybrany" : "";
      return `sygnał ${m.signal}${stan}`;
    }
    return p.getAttribute("aria-label");
  }

  function pokaz(m) {
    aktywne = m;
    schemat.ustawFokus(m ? m.rect : null);
    opis.textContent = m ? `Miejsce: ${opisz(m)}.` : "";
    if (m) przewin(m.rect);
  }

  // The focused place kept in sight when the zoomed picture is larger than its box.
  function przewin(r) {
    const pudlo = canvas.closest("#schemat-pudlo");
    if (!pudlo) return;
    const c = canvas.getBoundingClientRect(), p = pudlo.getBoundingClientRect(), s = schemat.skala;
    const l = c.left + r[0] * s - 8, t = c.top + r[1] * s - 8, pr = c.left + r[2] * s + 8, d = c.top + r[3] * s + 8;
    if (l < p.left) pudlo.scrollLeft -= p.left - l;
    else if (pr > p.right) pudlo.scrollLeft += pr - p.right;
    if (t < p.top) pudlo.scrollTop -= p.top - t;
    else if (d > p.bottom) pudlo.scrollTop += d - p.bottom;
  }

  function przycisk(m) {
    const b = document.createElement("button");
    b.type = "button";
    b.className = "miejsce";
    b.dataset.klucz = klucz(m);
    if (m.kind === "signal") b.dataset.sygnal = m.signal;
    else b.dataset.slot = String(m.slot);
    b.addEventListener("focus", () => pokaz(miejsca.find((q) => klucz(q) === b.dataset.klucz)));
    b.addEventListener("click", () => uzyj(b, false));
    b.addEventListener("contextmenu", (e) => {
      e.preventDefault();
      uzyj(b, true);
    });
    b.addEventListener("keydown", (e) => klawisz(e, b));
    return b;
  }

  function uzyj(b, menu) {
    const m = miejsca.find((q) => klucz(q) === b.dataset.klucz);
    if (!m) return;
    if (m.kind === "signal" && !menu) wybierz(m);
    else if (m.kind === "register" && m.menu !== "none") otworzMenu(m, b);
  }

  function klawisz(e, b) {
    if (e.key === "ContextMenu" || (e.key === "F10" && e.shiftKey)) {
      e.preventDefault();
      e.stopPropagation();
      uzyj(b, true);
      return;
    }
    let cel = null;
    if (KIERUNKI[e.key] && aktywne) cel = najblizsze(miejsca, aktywne, KIERUNKI[e.key]);
    else if (e.key === "Home") cel = miejsca[0];
    else if (e.key === "End") cel = miejsca.at(-1);
    else return;
    e.preventDefault();
    if (cel) przyciski.get(klucz(cel)).focus();
  }

  // After every drawing: the buttons follow the places (rebuilt only when the set of
  // places changes, so focus stays), their names the values and choices shown.
  function odswiez(obraz, { reczny, wybrane }) {
    const nowe = obraz.places
      .filter((m) => m.kind === "signal" || m.kind === "register")
      .sort((a, b) => a.rect[1] - b.rect[1] || a.rect[0] - b.rect[0]);
    const nowyPodpis = nowe.map(klucz).join(" ");
    const fokus = canvas.contains(document.activeElement) ? document.activeElement.dataset.klucz : null;
    miejsca = nowe;
    if (nowyPodpis !== podpis) {
      podpis = nowyPodpis;
      przyciski.clear();
      for (const m of miejsca) przyciski.set(klucz(m), przycisk(m));
      canvas.replaceChildren(...przyciski.values());
    }
    const wybraneZbior = new Set(wybrane);
    for (const m of miejsca) {
      const b = przyciski.get(klucz(m));
      if (m.kind === "signal") {
        b.textContent = m.signal;
        b.setAttribute("aria-label", `Sygnał ${m.signal}`);
        b.setAttribute("aria-pressed", String(wybraneZbior.has(m.signal)));
        b.setAttribute("aria-disabled", String(!reczny));
      } else {
        const nazwa = NAZWY_SLOTOW[m.slot] || `rejestr ${m.slot}`;
        b.textContent = nazwa;
        b.setAttribute("aria-label", `${nazwa} = ${wartosc(obraz, m)}`);
        if (m.menu !== "none") b.setAttribute("aria-haspopup", "menu");
        else b.removeAttribute("aria-haspopup");
      }
    }
    if (fokus && przyciski.has(fokus)) {
      const b = przyciski.get(fokus);
      if (document.activeElement !== b) b.focus();
      else pokaz(miejsca.find((q) => klucz(q) === fokus));
    } else if (aktywne && !canvas.contains(document.activeElement) && !document.activeElement?.closest("#menu-rejestru")) {
      pokaz(null);
    }
  }

  // The ring goes when focus leaves the places, but not for the place's own menu.
  canvas.addEventListener("focusout", (e) => {
    if (e.relatedTarget && (canvas.contains(e.relatedTarget) || e.relatedTarget.closest("#menu-rejestru"))) return;
    pokaz(null);
  });

  return {
    odswiez,
    // Focus back on a place after its menu, when the place is still there.
    wroc(m) {
      const b = m && przyciski.get(klucz(m));
      if (b) b.focus();
    },
  };
}
