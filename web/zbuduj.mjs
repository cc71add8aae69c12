// Bundles the page's scripts with esbuild: node zbuduj.mjs TARGET_DIR CAPTIONS_JSON
import { build } from "esbuild";
import path from "node:path";

const [cel, napisy] = process.argv.slice(2);

await build({
  entryPoints: ["src/strona.js"],
  bundle: true,
  format: "esm",
  minify: true,
  target: "es2020",
  outfile: path.join(cel, "strona.js"),
  external: ["./web/modul/symulator.mjs"],
  plugins: [
    {
      name: "napisy",
      setup(b) {
        b.onResolve({ filter: /^napisy\.json$/ }, () => ({ path: path.resolve(napisy) }));
      },
    },
  ],
  logLevel: "warning",
});
