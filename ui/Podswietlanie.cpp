#include "Podswietlanie.h"

#include <QRegularExpression>

#include "Architektura.h"
#include "Sygnaly.h"

namespace {

QString MaleAscii(QString s) {
    for (QChar& z : s)
        if (z >= QLatin1Char('A') && z <= QLatin1Char('Z')) z = QChar(z.unicode() + 32);
    return s;
}

bool Odstep(QChar z) {
    return z == QLatin1Char(' ') || z == QLatin1Char('\t');
}

QTextCharFormat Format(const QColor& kolor, bool pogrubiony = false, bool kursywa = false) {
    QTextCharFormat f;
    f.setForeground(kolor);
    if (pogrubiony) f.setFontWeight(QFont::Bold);
    f.setFontItalic(kursywa);
    return f;
}

QTextCharFormat Blad() {
    QTextCharFormat f;
    f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    f.setUnderlineColor(QColor(0xd3, 0x2f, 0x2f));
    f.setForeground(QColor(0xb7, 0x1c, 0x1c));
    return f;
}

struct TSlowo {
    int poczatek, dlugosc;
};

} // namespace

bool WygladaNaLiczbe(const QString& slowo) {
    static const QRegularExpression wzor(QStringLiteral("^([+-]?[0-9]+|(\\$|x|0x)[0-9a-f]+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return wzor.match(slowo).hasMatch();
}

TPodswietlanieProgramu::TPodswietlanieProgramu(QTextDocument* dokument)
    : QSyntaxHighlighter(dokument), komentarz(Format(QColor(0x6a, 0x73, 0x7d), false, true)),
      etykieta(Format(QColor(0x80, 0x1f, 0x8a), true)),
      mnemonik(Format(QColor(0x0d, 0x47, 0xa1), true)),
      dyrektywa(Format(QColor(0x00, 0x69, 0x6f), true)), liczba(Format(QColor(0xa6, 0x4b, 0x00))),
      nieznany(Blad()) {}

void TPodswietlanieProgramu::UstawMnemoniki(const QSet<QString>& nazwy) {
    if (nazwy == mnemoniki) return;
    mnemoniki = nazwy;
    rehighlight();
}

void TPodswietlanieProgramu::highlightBlock(const QString& tekst) {
    int koniec = tekst.indexOf(QStringLiteral("//"));
    if (koniec >= 0)
        setFormat(koniec, int(tekst.size()) - koniec, komentarz);
    else
        koniec = int(tekst.size());

    // Words as the assembler cuts them: blanks separate, and a colon ends a label even
    // when the next word follows without a blank.
    QList<TSlowo> slowa;
    for (int i = 0; i < koniec;) {
        if (Odstep(tekst[i])) {
            ++i;
            continue;
        }
        const int p = i;
        while (i < koniec && !Odstep(tekst[i]) && tekst[i] != QLatin1Char(':'))
            ++i;
        if (i < koniec && tekst[i] == QLatin1Char(':')) ++i;
        slowa.append({p, i - p});
    }
    qsizetype k = 0;
    while (k < slowa.size() &&
           tekst[slowa[k].poczatek + slowa[k].dlugosc - 1] == QLatin1Char(':')) {
        setFormat(slowa[k].poczatek, slowa[k].dlugosc, etykieta);
        ++k;
    }
    if (k >= slowa.size()) return;

    const QString m = tekst.mid(slowa[k].poczatek, slowa[k].dlugosc);
    // "kon" ends the program only as the whole line, in lower case.
    if (k == 0 && slowa.size() == 1 && m == QLatin1String("kon")) {
        setFormat(slowa[k].poczatek, slowa[k].dlugosc, dyrektywa);
        return;
    }
    const QString maly = MaleAscii(m);
    if (maly == QLatin1String("org") || maly == QLatin1String("rpa") ||
        maly == QLatin1String("rst"))
        setFormat(slowa[k].poczatek, slowa[k].dlugosc, dyrektywa);
    else if (mnemoniki.contains(maly))
        setFormat(slowa[k].poczatek, slowa[k].dlugosc, mnemonik);
    else
        setFormat(slowa[k].poczatek, slowa[k].dlugosc, nieznany);

    QTextCharFormat odwolanie = etykieta;
    odwolanie.setFontWeight(QFont::Normal);
    for (++k; k < slowa.size(); ++k) {
        const QString a = tekst.mid(slowa[k].poczatek, slowa[k].dlugosc);
        setFormat(slowa[k].poczatek, slowa[k].dlugosc, WygladaNaLiczbe(a) ? liczba : odwolanie);
    }
}

TPodswietlanieMikroprogramu::TPodswietlanieMikroprogramu(QTextDocument* dokument)
    : QSyntaxHighlighter(dokument), sygnal(Format(QColor(0x0d, 0x47, 0xa1))), niedozwolony(Blad()),
      slowoKluczowe(Format(QColor(0x80, 0x1f, 0x8a), true)),
      warunek(Format(QColor(0x00, 0x69, 0x6f), true)),
      etykieta(Format(QColor(0xa6, 0x4b, 0x00), true)),
      zakonczenie(Format(QColor(0xc6, 0x28, 0x28), true)) {}

void TPodswietlanieMikroprogramu::UstawArchitekture(const TArchitektura& architektura) {
    QSet<QString> nowe;
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        if (architektura.Jest(s) || NazwySygnalow[static_cast<std::size_t>(s)] == "stp")
            nowe.insert(
                QString::fromUtf8(NazwySygnalow[static_cast<std::size_t>(s)].data(),
                                  qsizetype(NazwySygnalow[static_cast<std::size_t>(s)].size())));
    if (nowe == dozwolone) return;
    dozwolone = nowe;
    rehighlight();
}

void TPodswietlanieMikroprogramu::highlightBlock(const QString& tekst) {
    static const QSet<QString> warunki = {
        QStringLiteral("z"),  QStringLiteral("zak"), QStringLiteral("pak"), QStringLiteral("n"),
        QStringLiteral("np"), QStringLiteral("nm"),  QStringLiteral("int")};
    const int n = int(tekst.size());
    // Words as the compiler cuts them: ";" stands alone, "!" begins a word and ends the
    // microinstruction when a blank or the line end follows, ":" ends a label.
    // A microinstruction may go on over several lines; the block state says whether the
    // line before ended inside one.
    QString poprzednie;
    bool poczatekMikrorozkazu = previousBlockState() != 1;
    for (int i = 0; i < n;) {
        if (Odstep(tekst[i])) {
            ++i;
            continue;
        }
        if (tekst[i] == QLatin1Char(';') ||
            (tekst[i] == QLatin1Char('!') &&
             (i + 1 == n || Odstep(tekst[i + 1]) || tekst[i + 1] == QLatin1Char(';')))) {
            setFormat(i, 1, zakonczenie);
            ++i;
            poprzednie.clear();
            poczatekMikrorozkazu = true;
            continue;
        }
        const int p = i;
        ++i;
        while (i < n && !Odstep(tekst[i]) && tekst[i] != QLatin1Char(';') &&
               tekst[i] != QLatin1Char('!') && tekst[i] != QLatin1Char(':'))
            ++i;
        if (i < n && tekst[i] == QLatin1Char(':')) ++i;
        const QString slowo = MaleAscii(tekst.mid(p, i - p));
        if (slowo.endsWith(QLatin1Char(':'))) {
            setFormat(p, i - p, poczatekMikrorozkazu ? etykieta : niedozwolony);
        } else if (slowo == QLatin1String("if") || slowo == QLatin1String("then")) {
            setFormat(p, i - p, slowoKluczowe);
        } else if (poprzednie == QLatin1String("if")) {
            const QString w = slowo.startsWith(QLatin1Char('!')) ? slowo.mid(1) : slowo;
            setFormat(p, i - p, warunki.contains(w) ? warunek : niedozwolony);
        } else if (poprzednie == QLatin1String("then")) {
            QTextCharFormat cel = etykieta;
            cel.setFontWeight(QFont::Normal);
            setFormat(p, i - p, cel);
        } else {
            setFormat(p, i - p, dozwolone.contains(slowo) ? sygnal : niedozwolony);
        }
        poprzednie = slowo;
        poczatekMikrorozkazu = false;
    }
    setCurrentBlockState(poczatekMikrorozkazu ? 0 : 1);
}
