// The instruction editor ("Rozkaz" panel): the instruction list, one instruction's fields
// and microprogram, "Kompiluj", "Dodaj", "Usuń" and the compile messages, with the rules
// and messages of the window's editor. Everything goes through the module's commands.

import { EditorState } from "@codemirror/state";
import { EditorView, keymap, lineNumbers, drawSelection } from "@codemirror/view";
import { defaultKeymap, history, historyKeymap, insertTab, insertNewline } from "@codemirror/commands";
import { podswietlanieMikroprogramu, ustawSygnaly } from "./podswietlanie_mikro.js";
import { pokazOkno } from "./okno.js";

const el = (tag, wlasnosci = {}, ...dzieci) => {
  const e = document.createElement(tag);
  Object.assign(e, wlasnosci);
  e.append(...dzieci);
  return e;
};

// `wywolaj(polecenie) -> odpowiedź` is the module session; `poZmianie()` tells the page
// that the instruction list or the microprogram changed.
export function utworzRozkazy(korzen, { wywolaj, poZmianie }) {
  const kompiluj = el("button", { id: "rozkazy-kompiluj", textContent: "Kompiluj" });
  const dodaj = el("button", { id: "rozkazy-dodaj", textContent: "Dodaj" });
  const usun = el("button", { id: "rozkazy-usun", textContent: "Usuń" });
  const info = el("span", { textContent: "Aktualnie edytujesz rozkaz " });
  const klucz = el("b", { id: "rozkazy-klucz" });
  const pudloEdytora = el("div", { id: "rozkazy-mikroprogram" });
  const nazwa = el("input", { id: "rozkazy-nazwa", autocomplete: "off", spellcheck: false });
  const kod = el("select", { id: "rozkazy-kod" });
  const argumenty = el("select", { id: "rozkazy-argumenty" });
  const opis = el("input", { id: "rozkazy-opis", autocomplete: "off" });
  const pole = (napis, w) => el("label", {}, napis, w);
  const tabela = el("table", { id: "rozkazy-lista", tabIndex: 0, className: "tabela" });
  tabela.setAttribute("aria-label", "Lista rozkazów");
  const komunikaty = el("ul", { id: "rozkazy-komunikaty", className: "lista" });
  komunikaty.setAttribute("aria-live", "polite");
  korzen.append(
    el("div", { className: "pasek" }, kompiluj, dodaj, usun),
    el(
      "div",
      { className: "rozkazy-edycja" },
      el("div", { className: "rozkazy-lewa" }, el("div", {}, info, klucz), pudloEdytora),
      el(
        "div",
        { className: "rozkazy-pola" },
        pole("Nazwa rozkazu:", nazwa),
        pole("Kod rozkazu:", kod),
        pole("Liczba argumentów:", argumenty),
        pole("Opis działania:", opis),
      ),
    ),
    el("div", { className: "rozkazy-tabela" }, tabela),
    komunikaty,
  );

  let pozycja = 0;
  let zaznaczony = 0;
  let lista = [];
  let wyswietlanie = false;

  const edytor = new EditorView({
    parent: pudloEdytora,
    state: EditorState.create({
      doc: "",
      extensions: [
        lineNumbers(),
        history(),
        drawSelection(),
        EditorState.readOnly.of(false),
        // Tab inserts a tab, as in the window; Escape then Tab leaves the text.
        keymap.of([{ key: "Tab", run: insertTab }, { key: "Enter", run: insertNewline }, ...defaultKeymap, ...historyKeymap]),
        podswietlanieMikroprogramu,
        EditorView.contentAttributes.of({ "aria-label": "Mikroprogram" }),
        EditorView.updateListener.of((u) => {
          if (u.docChanged && !wyswietlanie) oznaczKompiluj();
        }),
      ],
    }),
  });
  let tylkoDoOdczytu = false;
  const ustawTylkoDoOdczytu = (t) => {
    tylkoDoOdczytu = t;
    edytor.contentDOM.setAttribute("contenteditable", String(!t));
    edytor.contentDOM.setAttribute("aria-readonly", String(t));
  };
  edytor.dom.addEventListener("beforeinput", (e) => {
    if (tylkoDoOdczytu) e.preventDefault();
  });

  const tekstEdytora = () => edytor.state.doc.toString();
  const linieEdytora = () => (tekstEdytora() === "" ? [] : tekstEdytora().split("\n"));
  function ustawTekst(t) {
    wyswietlanie = true;
    edytor.dispatch({ changes: { from: 0, to: edytor.state.doc.length, insert: t } });
    wyswietlanie = false;
  }

  function odswiezSygnaly() {
    const a = wywolaj({ polecenie: "architektura" });
    if (a.ok) edytor.dispatch({ effects: ustawSygnaly.of(new Set([...a.sygnaly, "stp"])) });
  }

  // The list: code, name, argument count, description; the row of the selection stays.
  function odswiezListe() {
    const w = wywolaj({ polecenie: "rozkazy" });
    if (!w.ok) return;
    lista = w.rozkazy;
    if (zaznaczony > lista.length) zaznaczony = 0;
    const naglowek = el("tr", {}, ...["Kod", "Nazwa", "Liczba argumentów", "Opis działania"].map((t) => el("th", { textContent: t })));
    tabela.replaceChildren(
      el("thead", {}, naglowek),
      el(
        "tbody",
        {},
        ...lista.map((r) => {
          const tr = el("tr", {}, ...[r.kod, r.nazwa, r.argumenty, r.opis].map((t) => el("td", { textContent: String(t) })));
          tr.dataset.numer = String(r.numer);
          tr.classList.toggle("zaznaczony", r.numer === zaznaczony);
          tr.setAttribute("aria-selected", String(r.numer === zaznaczony));
          return tr;
        }),
      ),
    );
    oznaczKompiluj(w.nieaktualny);
  }

  // "Kompiluj" red and bold while the machine runs a table older than the list or the
  // fields hold edits not yet stored.
  function oznaczKompiluj(nieaktualny) {
    if (nieaktualny === undefined) nieaktualny = wywolaj({ polecenie: "rozkazy" }).nieaktualny;
    const r = lista[pozycja - 1];
    const niezapisane = r && r.nazwa !== "stop" && (linieEdytora().join("\n") !== r.mikroprogram.join("\n") || nazwa.value !== r.nazwa);
    kompiluj.classList.toggle("nieaktualny", Boolean(nieaktualny || niezapisane));
  }

  function wyswietl(i) {
    if (i < 1 || i > lista.length) {
      ustawTekst("");
      klucz.textContent = "";
      nazwa.value = "";
      opis.value = "";
      kod.replaceChildren();
      argumenty.replaceChildren();
      return;
    }
    pozycja = i;
    const r = lista[i - 1];
    ustawTekst(r.mikroprogram.join("\n"));
    klucz.textContent = r.nazwa;
    nazwa.value = r.nazwa;
    opis.value = r.opis;
    argumenty.replaceChildren(...Array.from({ length: 10 }, (_, n) => el("option", { value: String(n), textContent: String(n) })));
    argumenty.value = String(r.argumenty);
    if (argumenty.value !== String(r.argumenty)) argumenty.selectedIndex = -1;
    const kody = wywolaj({ polecenie: "kody_rozkazu", numer: i });
    kod.replaceChildren(...(kody.ok ? kody.kody : []).map((c) => el("option", { value: String(c), textContent: String(c) })));
    kod.value = String(r.kod);
    if (kod.value !== String(r.kod)) kod.selectedIndex = -1;
    const edytowalny = r.nazwa !== "stop";
    for (const p of [nazwa, kod, argumenty, opis]) p.disabled = !edytowalny;
    ustawTylkoDoOdczytu(!edytowalny);
    oznaczKompiluj();
  }

  // The instruction on show while it still bears the caption's name, else the last one
  // that does.
  function znajdzEdytowany() {
    const k = klucz.textContent;
    if (pozycja >= 1 && pozycja <= lista.length && lista[pozycja - 1].nazwa === k) return pozycja;
    for (let j = lista.length; j >= 1; --j) if (lista[j - 1].nazwa === k) return j;
    return 0;
  }

  let zapisywanie = false;
  async function wyboryKompletne() {
    let brak = "";
    if (kod.selectedIndex < 0) brak = "wybierz kod rozkazu z listy";
    else if (argumenty.selectedIndex < 0) brak = "wybierz liczbę argumentów z listy";
    if (!brak) return true;
    zapisywanie = true;
    await pokazOkno(`Nie zapisano zmian rozkazu "${klucz.textContent}": ${brak}.`);
    zapisywanie = false;
    return false;
  }

  function zapiszRekord(i) {
    const w = wywolaj({
      polecenie: "zmien_rozkaz",
      numer: i,
      nazwa: nazwa.value,
      kod: Number(kod.value),
      argumenty: Number(argumenty.value),
      opis: opis.value,
      mikroprogram: linieEdytora(),
    });
    if (!w.ok) return pokazOkno(w.blad);
    // Another instruction's name is made unique (dod gives dod1).
    nazwa.value = w.nazwa;
    klucz.textContent = w.nazwa;
    return undefined;
  }

  // Leaving a field stores the instruction's fields; "odmowa" when they cannot be.
  async function zapiszEdycje() {
    if (zapisywanie || tylkoDoOdczytu) return "odmowa";
    const i = znajdzEdytowany();
    if (i === 0) return "brak";
    if (!(await wyboryKompletne())) return "odmowa";
    zapiszRekord(i);
    odswiezListe();
    poZmianie();
    return "zapisano";
  }

  async function kompilujKlik() {
    komunikaty.replaceChildren();
    const i = znajdzEdytowany();
    if (i === 0) return;
    if (!tylkoDoOdczytu) {
      if (!(await wyboryKompletne())) return;
      zapiszRekord(i);
    }
    odswiezListe();
    const dodajKomunikat = (t) => komunikaty.append(el("li", { textContent: t }));
    dodajKomunikat("Kompilacja");
    const t0 = performance.now();
    const w = wywolaj({ polecenie: "kompiluj_mikroprogram" });
    const d = Math.floor(performance.now() - t0);
    if (!w.ok) {
      dodajKomunikat(w.blad);
      return;
    }
    for (const k of w.komunikaty) dodajKomunikat(k);
    dodajKomunikat(d === 0 ? "Czas kompilacji: poniżej 1 ms" : `Czas kompilacji: ${d} ms`);
    komunikaty.firstChild.classList.add("pierwszy");
    komunikaty.lastChild.classList.add("ostatni");
    oznaczKompiluj();
    poZmianie();
  }

  async function dodajKlik() {
    if ((await zapiszEdycje()) === "odmowa" && !tylkoDoOdczytu) return;
    const w = wywolaj({ polecenie: "dodaj_rozkaz" });
    if (!w.ok) {
      await pokazOkno(w.blad);
      return;
    }
    odswiezListe();
    wyswietl(w.numer);
    poZmianie();
  }

  async function usunKlik() {
    if (zaznaczony === 0) return pokazOkno("Zaznacz rozkaz do usunięcia!");
    const r = lista[zaznaczony - 1];
    if (r.nazwa === "stop") return pokazOkno('Rozkazu "stop" nie można usunąć!');
    if (!(await pokazOkno(`Usunąć rozkaz "${r.nazwa}"?`, true))) return undefined;
    const w = wywolaj({ polecenie: "usun_rozkaz", numer: r.numer });
    if (!w.ok) return pokazOkno(w.blad);
    zaznaczony = 0;
    odswiezListe();
    wywolaj({ polecenie: "kompiluj_mikroprogram" });
    odswiezListe();
    wyswietl(1);
    poZmianie();
    return undefined;
  }

  async function wybierz(numer) {
    if (numer < 1 || numer > lista.length) return;
    zaznaczony = numer;
    for (const tr of tabela.querySelectorAll("tbody tr")) {
      const tak = Number(tr.dataset.numer) === numer;
      tr.classList.toggle("zaznaczony", tak);
      tr.setAttribute("aria-selected", String(tak));
      if (tak) tr.scrollIntoView({ block: "nearest" });
    }
    wyswietl(numer);
  }

  // A message of one instruction ("dod: Niedozwolony sygnal: wyx") shows it, with the
  // word in question selected.
  function idzDoKomunikatu(tekst) {
    let rozkaz = 0;
    let reszta = "";
    for (const r of lista) {
      const p = `${r.nazwa}: `;
      if (tekst.startsWith(p) && (rozkaz === 0 || r.nazwa.length > lista[rozkaz - 1].nazwa.length)) {
        rozkaz = r.numer;
        reszta = tekst.slice(p.length);
      }
    }
    if (rozkaz === 0) return;
    wybierz(rozkaz);
    const m = /^Niedozwolony sygnal: (.*)$/.exec(reszta) || /^"(.*)" - Etykieta dozwolona/.exec(reszta);
    if (!m) return;
    const t = tekstEdytora().toLowerCase();
    const p = t.indexOf(m[1].toLowerCase());
    if (p < 0) return;
    edytor.dispatch({ selection: { anchor: p, head: p + m[1].length }, scrollIntoView: true });
    edytor.focus();
  }

  // Leaving a field (to anything outside it) stores the fields.
  for (const p of [nazwa, kod, argumenty, opis]) p.addEventListener("change", () => oznaczKompiluj());
  for (const p of [nazwa, kod, argumenty, opis, edytor.dom])
    p.addEventListener("focusout", (e) => {
      if (p === edytor.dom && edytor.dom.contains(e.relatedTarget)) return;
      if (e.relatedTarget && e.relatedTarget.closest(".okno")) return;
      zapiszEdycje();
    });
  nazwa.addEventListener("input", () => oznaczKompiluj());
  kompiluj.addEventListener("click", kompilujKlik);
  dodaj.addEventListener("click", dodajKlik);
  usun.addEventListener("click", usunKlik);
  tabela.addEventListener("click", (e) => {
    const tr = e.target.closest("tbody tr");
    if (tr) wybierz(Number(tr.dataset.numer));
  });
  tabela.addEventListener("keydown", (e) => {
    const krok = { ArrowDown: 1, ArrowUp: -1, Home: -1e9, End: 1e9 }[e.key];
    if (krok === undefined) return;
    e.preventDefault();
    wybierz(Math.min(lista.length, Math.max(1, (zaznaczony || pozycja) + krok)));
  });
  komunikaty.addEventListener("click", (e) => {
    const li = e.target.closest("li");
    if (li) idzDoKomunikatu(li.textContent);
  });

  return {
    // Brought up, after the architecture or a file changed the list: the list anew, and
    // the instruction on show again (the first when it is gone).
    odswiez() {
      odswiezSygnaly();
      odswiezListe();
      if (pozycja < 1 || pozycja > lista.length) pozycja = 1;
      wyswietl(pozycja);
    },
    // Nothing of the list changes while the machine runs.
    ustawDostepnosc(wolny) {
      for (const b of [kompiluj, dodaj, usun]) b.disabled = !wolny;
    },
    kompiluj: kompilujKlik,
    dodaj: dodajKlik,
    usun: usunKlik,
    get edytor() {
      return edytor;
    },
  };
}
