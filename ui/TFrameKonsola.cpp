#include "TFrameKonsola.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "Opisy.h"
#include "Polecenia.h"
#include "TSymulator.h"
#include "Wyglad.h"

namespace {

QFont CzcionkaKonsoli() {
    return CzcionkaStala(13);
}

} // namespace

TFrameKonsola::TFrameKonsola(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameKonsola1"));
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    SpeedButtonWyczysc = PrzyciskPaska(GornyPasek, "SpeedButtonWyczysc", QStringLiteral("Wyczyść"));
    UkladPaska->addWidget(SpeedButtonWyczysc);
    UkladPaska->addStretch(1);

    Panel_IRQ = new QWidget(this);
    Panel_IRQ->setObjectName(QStringLiteral("Panel_IRQ"));
    auto* ukladIRQ = new QHBoxLayout(Panel_IRQ);
    ukladIRQ->setContentsMargins(0, 0, 0, 0);
    ukladIRQ->setSpacing(2);
    auto* etykieta = new QLabel(QStringLiteral("IRQ"), Panel_IRQ);
    QFont gruba = etykieta->font();
    gruba.setBold(true);
    etykieta->setFont(gruba);
    ukladIRQ->addWidget(etykieta);
    ukladIRQ->addSpacing(4);
    // Button i raises request 9 - i, and says so.
    for (int i = 1; i <= 8; ++i) {
        auto* b = new QToolButton(Panel_IRQ);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i));
        b->setText(QString::number(9 - i));
        b->setToolTip(QStringLiteral("Przerwanie nr %1").arg(9 - i));
        b->setFixedSize(25, 25);
        b->setFocusPolicy(Qt::NoFocus);
        SpeedButtonIRQ[static_cast<std::size_t>(i)] = b;
        connect(b, &QToolButton::clicked, this,
                [this, i] { this->symulator.ZglosPrzerwanie(9 - i); });
        ukladIRQ->addWidget(b);
    }
    ukladIRQ->addStretch(1);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(CzcionkaKonsoli());
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(CzcionkaKonsoli());
    Edit1->installEventFilter(this);
    Edit1->setPlaceholderText(TekstOkna(TTekstOkna::PodpowiedzKonsoli, 1));

    // A machine without devices and interrupts would leave an empty panel: say why.
    LabelBrak =
        new QLabel(QStringLiteral("Ta maszyna nie ma urządzeń wejścia-wyjścia ani przerwań "
                                  "(sygnały werb, wyrb i przerwań). Wybierz maszynę EK, Max "
                                  "albo U w oknie Architektura."),
                   this);
    LabelBrak->setObjectName(QStringLiteral("LabelBrak"));
    LabelBrak->setWordWrap(true);
    UkladTresci->addWidget(LabelBrak);
    UkladTresci->addWidget(Panel_IRQ);
    UkladTresci->addWidget(Memo1, 1);
    UkladTresci->addWidget(Edit1);
    // An empty stretch keeps the input line at the top when the output area is hidden.
    UkladTresci->addStretch(0);

    zegar = new QTimer(this);
    zegar->setSingleShot(true);
    zegar->setInterval(30);
    connect(zegar, &QTimer::timeout, this, [this] {
        if (isVisible()) OdswiezTeksty();
    });
    connect(Edit1, &QLineEdit::textEdited, this, &TFrameKonsola::Edit1Change);
    connect(SpeedButtonWyczysc, &QToolButton::clicked, this,
            &TFrameKonsola::SpeedButtonWyczyscClick);
}

void TFrameKonsola::PokazKonsole() {
    const TArchitektura& a = symulator.Architektura;
    using enum TKomponent;
    Panel_IRQ->setVisible(a.Element(Przerwania));
    Memo1->setVisible(a.Element(RB_we));
    Edit1->setVisible(a.Element(RB_wy));
    LabelBrak->setVisible(!a.Element(RB_we) && !a.Element(RB_wy) && !a.Element(Przerwania));
    OdswiezTeksty();
}

void TFrameKonsola::WyczyscKonsole() {
    symulator.WyczyscKonsole();
}

void TFrameKonsola::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Architektura))
        PokazKonsole();
    else if (Zawiera(co, TZmiana::Konsola) && !wlasnaZmiana)
        OdswiezTeksty();
}

// The same a moment later, so a run printing on every tick costs one redraw.
void TFrameKonsola::ZmianaKonsoli() {
    if (!zegar->isActive()) zegar->start();
}

void TFrameKonsola::OdswiezTeksty() {
    const TKonsola& k = symulator.Konsola;

    // The input line: the machine may have taken characters from its start.
    const QString wejscie = QString::fromStdString(k.Wejscie());
    if (Edit1->text() != wejscie) {
        const int zabrane = static_cast<int>(Edit1->text().size() - wejscie.size());
        const int kursor = Edit1->cursorPosition();
        Edit1->setText(wejscie);
        Edit1->setCursorPosition(std::max(0, kursor - std::max(0, zabrane)));
    }
    pokazaneWejscie = wejscie;

    // The output area: what was printed since the last look is appended; anything else
    // (cleared, trimmed at its start) is shown afresh.
    const std::vector<std::string>& w = k.Wyjscie();
    if (w.empty()) {
        if (pokazaneLinie > 0 || !Memo1->document()->isEmpty()) Memo1->clear();
        pokazaneLinie = 0;
        pierwszaLinia.clear();
        ostatniaLinia.clear();
        return;
    }
    const bool dopisz = pokazaneLinie > 0 && w.size() >= pokazaneLinie &&
                        w.front() == pierwszaLinia &&
                        w[pokazaneLinie - 1].starts_with(ostatniaLinia);
    if (dopisz) {
        if (w.size() == pokazaneLinie && w.back().size() == ostatniaLinia.size()) return;
        QString dalej = QString::fromStdString(w[pokazaneLinie - 1].substr(ostatniaLinia.size()));
        for (std::size_t i = pokazaneLinie; i < w.size(); ++i)
            dalej += QLatin1Char('\n') + QString::fromStdString(w[i]);
        QTextCursor c(Memo1->document());
        c.movePosition(QTextCursor::End);
        c.insertText(dalej);
    } else {
        Memo1->setPlainText(QString::fromStdString(k.WyjscieTekst()));
    }
    pokazaneLinie = w.size();
    pierwszaLinia = w.front();
    ostatniaLinia = w.back();
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
}

// A running machine may have taken characters from the start of the line since the line
// was last shown; the user's edit must not bring them back.
void TFrameKonsola::Edit1Change(const QString& tekst) {
    const QString wejscie = QString::fromStdString(symulator.Konsola.Wejscie());
    qsizetype zabrane = 0;
    if (wejscie != pokazaneWejscie && pokazaneWejscie.endsWith(wejscie))
        zabrane = pokazaneWejscie.size() - wejscie.size();
    const QString nowe = tekst.mid(std::min(zabrane, tekst.size()));
    wlasnaZmiana = true;
    symulator.UstawWejscie(nowe.toStdString());
    wlasnaZmiana = false;
    pokazaneWejscie = nowe;
    if (nowe != tekst) {
        const int kursor = Edit1->cursorPosition();
        Edit1->setText(nowe);
        Edit1->setCursorPosition(std::max(0, kursor - static_cast<int>(zabrane)));
    }
}

bool TFrameKonsola::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (obiekt == Edit1 && zdarzenie->type() == QEvent::KeyRelease) Edit1KeyUp();
    return TRamka::eventFilter(obiekt, zdarzenie);
}

// Typing raises request 8 and completes a "start" that found the line empty.
void TFrameKonsola::Edit1KeyUp() {
    symulator.KlawiszWLiniiWejscia();
}

void TFrameKonsola::UstawJezyk(int n) {
    Edit1->setPlaceholderText(TekstOkna(TTekstOkna::PodpowiedzKonsoli, n));
}
