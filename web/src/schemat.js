// Draws the machine's picture description on a canvas: rectangles, lines, texts and
// pixels in image pixels, scaled as a whole for the screen's pixel ratio and the zoom.
// Lines and rectangles are drawn as filled pixel runs, so at any whole scale they are as
// sharp as the window's. The description's own rules: a rectangle covers its top-left and
// not its bottom-right edge, a line not its end point.

const CZCIONKI = {
  Arial: '"Liberation Sans", Arial, Helvetica, sans-serif',
};

function czcionka(f) {
  const rodzina = CZCIONKI[f.name] || `"${f.name}", sans-serif`;
  return `${f.italic ? "italic " : ""}${f.bold ? "bold " : ""}${f.size}px ${rodzina}`;
}

// Half away from zero, as the picture's slanted lines step.
const zaokraglij = (v) => (v < 0 ? -Math.round(-v) : Math.round(v));

// A line from `od` up to, but not including, `do_`; horizontal and vertical ones `grubosc`
// pixels across, centred on it.
function linia(ctx, [x1, y1], [x2, y2], grubosc) {
  const polowa = (grubosc - 1) >> 1;
  if (y1 === y2) {
    const [a, b] = x1 <= x2 ? [x1, x2] : [x2 + 1, x1 + 1];
    ctx.fillRect(a, y1 - polowa, b - a, grubosc);
  } else if (x1 === x2) {
    const [a, b] = y1 <= y2 ? [y1, y2] : [y2 + 1, y1 + 1];
    ctx.fillRect(x1 - polowa, a, grubosc, b - a);
  } else {
    const dx = x2 - x1, dy = y2 - y1;
    const n = Math.max(Math.abs(dx), Math.abs(dy));
    for (let i = 0; i < n; ++i)
      ctx.fillRect(x1 + zaokraglij((i * dx) / n), y1 + zaokraglij((i * dy) / n), 1, 1);
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
    // The place with keyboard focus: its rectangle, ringed over the picture.
    this.fokus = null;
  }

  ustawFokus(rect) {
    if (String(rect) === String(this.fokus)) return;
    this.fokus = rect;
    if (this.obraz) this.rysuj(this.obraz);
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
    this.ustawRozmiar(obraz.width, obraz.height);
    const ctx = this.ctx;
    const dpr = window.devicePixelRatio || 1;
    const s = this.skala * dpr;
    ctx.setTransform(s, 0, 0, s, 0, 0);
    ctx.imageSmoothingEnabled = false;
    ctx.fillStyle = "#f0f0f0";
    ctx.fillRect(0, 0, obraz.width, obraz.height);
    ctx.textBaseline = "alphabetic";
    const wznios = new Map();
    for (const e of obraz.primitives) {
      switch (e.kind) {
        case "rect": {
          const [l, t, r, b] = e.rect;
          ctx.fillStyle = e.fill;
          ctx.fillRect(l, t, r - l, b - t);
          if (e.outline) {
            ctx.fillStyle = e.outline;
            ctx.fillRect(l, t, r - l, 1);
            ctx.fillRect(l, b - 1, r - l, 1);
            ctx.fillRect(l, t, 1, b - t);
            ctx.fillRect(r - 1, t, 1, b - t);
          }
          break;
        }
        case "line":
          ctx.fillStyle = e.color;
          linia(ctx, e.from, e.to, e.width || 1);
          break;
        case "pixel":
          ctx.fillStyle = e.color;
          ctx.fillRect(e.at[0], e.at[1], 1, 1);
          break;
        case "text": {
          const f = czcionka(e.font);
          ctx.font = f;
          // The text's line starts at its top: the baseline lies one ascent below.
          if (!wznios.has(f)) wznios.set(f, Math.round(ctx.measureText("Ag").fontBoundingBoxAscent));
          ctx.fillStyle = e.color;
          ctx.fillText(e.text, e.at[0], e.at[1] + wznios.get(f));
          break;
        }
        default:
          break;
      }
    }
    if (this.fokus) {
      // Two pixels of the page's focus colour just outside the place.
      const [l, t, r, b] = this.fokus;
      ctx.fillStyle = "#0078d7";
      ctx.fillRect(l - 3, t - 3, r - l + 6, 2);
      ctx.fillRect(l - 3, b + 1, r - l + 6, 2);
      ctx.fillRect(l - 3, t - 3, 2, b - t + 6);
      ctx.fillRect(r + 1, t - 3, 2, b - t + 6);
    }
  }
}
