// Files through the browser: a file picker for reading, a download for writing. The bytes
// are the module's, Windows-1250 as the window writes them; nothing is re-encoded here.

export function wybierzPlik(wejscie, rozszerzenie) {
  return new Promise((gotowe) => {
    wejscie.value = "";
    wejscie.accept = `.${rozszerzenie}`;
    wejscie.onchange = async () => {
      const plik = wejscie.files[0];
      if (!plik) return gotowe(null);
      gotowe({ nazwa: plik.name, bajty: new Uint8Array(await plik.arrayBuffer()) });
    };
    wejscie.click();
  });
}

export function pobierz(nazwa, bajty) {
  const url = URL.createObjectURL(new Blob([bajty], { type: "application/octet-stream" }));
  const a = document.createElement("a");
  a.href = url;
  a.download = nazwa;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

export function doBase64(bajty) {
  let s = "";
  for (let i = 0; i < bajty.length; i += 0x8000)
    s += String.fromCharCode(...bajty.subarray(i, i + 0x8000));
  return btoa(s);
}

export function zBase64(tekst) {
  const s = atob(tekst);
  const w = new Uint8Array(s.length);
  for (let i = 0; i < s.length; ++i) w[i] = s.charCodeAt(i);
  return w;
}
