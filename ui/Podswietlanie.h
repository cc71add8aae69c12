#pragma once
// Syntax colouring of the two editors. Both fold only A-Z, as the assembler and the
// microprogram compiler do, so what is coloured as known is what they will accept.

#include <QSet>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

struct TArchitektura;

// Program text: comments, labels, mnemonics of the instruction list, the directives
// "org", "rpa", "rst" and "kon", numbers as the assembler reads them.
class TPodswietlanieProgramu : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit TPodswietlanieProgramu(QTextDocument* dokument);
    // Names of the current instruction list; recolours only when they changed.
    void UstawMnemoniki(const QSet<QString>& nazwy);

  protected:
    void highlightBlock(const QString& tekst) override;

  private:
    QSet<QString> mnemoniki;
    QTextCharFormat komentarz, etykieta, mnemonik, dyrektywa, liczba, nieznany;
};

// Microprogram text: signal names (those absent from the architecture marked as errors),
// "if" and "then", conditions, labels and the terminators ";" and "!".
class TPodswietlanieMikroprogramu : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit TPodswietlanieMikroprogramu(QTextDocument* dokument);
    // Which signals the compiler will accept; recolours only when that changed.
    void UstawArchitekture(const TArchitektura& architektura);

  protected:
    void highlightBlock(const QString& tekst) override;

  private:
    QSet<QString> dozwolone;
    QTextCharFormat sygnal, niedozwolony, slowoKluczowe, warunek, etykieta, zakonczenie;
};

// Exposed for the tests and the message list: is `slowo` a number the assembler reads?
bool WygladaNaLiczbe(const QString& slowo);
