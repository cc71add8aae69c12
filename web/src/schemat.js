// Draws the machine's picture description on a canvas: rectangles, lines, texts and
// pixels in image pixels, scaled as a whole for the screen's pixel ratio and the zoom.
// Lines and rectangles are drawn as filled pixel runs, so at any whole scale they are as
// sharp as the window's.

const CZCIONKI = {
  Arial: '"Liberation Sans", Arial, Helvetica, sans-serif',
};

function czcionka(e) {
  const rodzina = CZCIONKI[e.czcionka] || `"${e.czcionka}", sans-serif`;
  // Points as the window uses them: 96 pixels per inch.
  const px = (e.rozmiar * 96) / 72;
  return `${e.kursywa ? "italic " : ""}${e.pogrubiona ? "bold " : ""}${px}px ${rodzina}`;
}

// A line of width 1 covering the pixels from (x1, y1) up to, but not including, (x2, y2),
// as the window's pen draws it; a general line by Bresenham.
function linia(ctx, x1, y1, x2, y2) {
  if (y1 === y2) {
    const [a, b] = x1 <= x2 ? [x1, x2] : [x2 + 1, x1 + 1];
    ctx.fillRect(a, y1, b - a, 1);
  } else if (x1 === x2) {
    const [a, b] = y1 <= y2 ? [y1, y2] : [y2 + 1, y1 + 1];
    ctx.fillRect(x1, a, 1, b - a);
  } else {
    const dx = Math.abs(x2 - x1), dy = -Math.abs(y2 - y1);
    const sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    let b = dx + dy, x = x1, y = y1;
    while (x !== x2 || y !== y2) {
      ctx.fillRect(x, y, 1, 1);
      const b2 = 2 * b;
      if (b2 >= dy) { b += dy; x += sx; }
      if (b2 <= dx) { b += dx; y += sy; }
    }
  }
}

export class TSchemat {
  constructor(canvas) {
    this.canvas = canvas;
    this.ctx = canvas.getContext("2d", { alpha: false });
    this.skala = 1;
    this.szerokosc = 705;
    this.wysokosc = 485;
    this.obraz = null;
  }

  // The canvas in CSS pixels at the zoom, in device pixels at zoom times pixel ratio.
  ustawRozmiar(szerokosc, wysokosc) {
    const dpr = window.devicePixelRatio || 1;
    const w = Math.round(szerokosc * this.skala), h = Math.round(wysokosc * this.skala);
    this.szerokosc = szerokosc;
    this.wysokosc = wysokosc;
    if (this.canvas.width !== Math.round(w * dpr) || this.canvas.height !== Math.round(h * dpr)) {
      this.canvas.width = Math.round(w * dpr);
      this.canvas.height = Math.round(h * dpr);
    }
    this.canvas.style.width = `${w}px`;
    this.canvas.style.height = `${h}px`;
  }

  // Image pixels from a mouse event's position on the canvas.
  punkt(zdarzenie) {
    const r = this.canvas.getBoundingClientRect();
    return {
      x: Math.floor(((zdarzenie.clientX - r.left) / r.width) * this.szerokosc),
      y: Math.floor(((zdarzenie.clientY - r.top) / r.height) * this.wysokosc),
    };
  }

  rysuj(obraz) {
    this.obraz = obraz;
    this.ustawRozmiar(obraz.szerokosc, obraz.wysokosc);
    const ctx = this.ctx;
    const dpr = window.devicePixelRatio || 1;
    const s = this.skala * dpr;
    ctx.setTransform(s, 0, 0, s, 0, 0);
    ctx.imageSmoothingEnabled = false;
    ctx.fillStyle = obraz.tlo || "#f0f0f0";
    ctx.fillRect(0, 0, obraz.szerokosc, obraz.wysokosc);
    ctx.textBaseline = "top";
    for (const e of obraz.elementy) {
      switch (e.rodzaj) {
        case "prostokat": {
          const w = e.x2 - e.x1, h = e.y2 - e.y1;
          if (e.wypelnienie) {
            ctx.fillStyle = e.wypelnienie;
            ctx.fillRect(e.x1, e.y1, w, h);
          }
          if (e.obrys) {
            ctx.fillStyle = e.obrys;
            ctx.fillRect(e.x1, e.y1, w, 1);
            ctx.fillRect(e.x1, e.y2 - 1, w, 1);
            ctx.fillRect(e.x1, e.y1, 1, h);
            ctx.fillRect(e.x2 - 1, e.y1, 1, h);
          }
          break;
        }
        case "linia":
          ctx.fillStyle = e.kolor;
          linia(ctx, e.x1, e.y1, e.x2, e.y2);
          break;
        case "piksel":
          ctx.fillStyle = e.kolor;
          ctx.fillRect(e.x, e.y, 1, 1);
          break;
        case "tekst":
          ctx.font = czcionka(e);
          ctx.fillStyle = e.kolor;
          ctx.fillText(e.tekst, e.x, e.y + (e.przesuniecie || 0));
          break;
        default:
          break;
      }
    }
  }
}
