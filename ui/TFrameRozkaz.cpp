#include "TFrameRozkaz.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "Podswietlanie.h"
#include "TFormMikroProgram.h"
#include "TSymulator.h"

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TFrameRozkaz::TFrameRozkaz(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    PokazOkno = [this](TOkno rodzaj, const QString& tekst, std::function<void(bool)> koniec) {
        QMessageBox* okno =
            rodzaj == TOkno::Informacja
                ? new QMessageBox(QMessageBox::Information, QStringLiteral("Informacja"), tekst,
                                  QMessageBox::Ok, this)
                : new QMessageBox(QMessageBox::Question, QStringLiteral("Pytanie"), tekst,
                                  QMessageBox::Yes | QMessageBox::No, this);
        if (rodzaj == TOkno::Pytanie) okno->setDefaultButton(QMessageBox::No);
        ZapytajRaz(WykonajModalnie, okno, [koniec = std::move(koniec)](int wynik) {
            if (koniec) koniec(wynik != QMessageBox::No);
        });
    };

    GornyPasek->setFixedHeight(34);
    auto przycisk = [this](const QString& napis, const char* nazwa) {
        auto* b = new QToolButton(GornyPasek);
        b->setObjectName(QLatin1String(nazwa));
        b->setText(napis);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        UkladPaska->addWidget(b);
        return b;
    };
    SpeedButtonKompiluj = przycisk(QStringLiteral("Kompiluj"), "SpeedButtonKompiluj");
    SpeedButtonKompiluj->setIcon(QIcon(TListaKomunikatow::Obraz(1)));
    SpeedButtonDodaj = przycisk(QStringLiteral("Dodaj"), "SpeedButtonDodaj");
    SpeedButtonUsun = przycisk(QStringLiteral("Usuń"), "SpeedButtonUsun");
    SpeedButton5 = przycisk(QStringLiteral("Debug"), "SpeedButton5");
    SpeedButton5->hide();
    UkladPaska->addStretch(1);

    // The microprogram with its caption line.
    Label_Info = new QLabel(QStringLiteral("Aktualnie edytujesz rozkaz"), this);
    Label1_ = new QLabel(this);
    Label1_->setTextFormat(Qt::PlainText);
    QFont pogrubiona = Label1_->font();
    pogrubiona.setBold(true);
    Label1_->setFont(pogrubiona);
    auto* naglowek = new QHBoxLayout;
    naglowek->setSpacing(4);
    naglowek->addWidget(Label_Info);
    naglowek->addWidget(Label1_);
    naglowek->addStretch(1);
    Memo1 = new TEdytorKodu(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    podswietlanie = new TPodswietlanieMikroprogramu(Memo1->document());
    auto* lewy = new QVBoxLayout;
    lewy->setSpacing(4);
    lewy->addLayout(naglowek);
    lewy->addWidget(Memo1, 1);

    // The four fields.
    EditNazwa = new QLineEdit(this);
    EditNazwa->setObjectName(QStringLiteral("EditNazwa"));
    ComboBoxKod = new QComboBox(this);
    ComboBoxKod->setObjectName(QStringLiteral("ComboBoxKod"));
    ComboBoxLiczbaArgumentow = new QComboBox(this);
    ComboBoxLiczbaArgumentow->setObjectName(QStringLiteral("ComboBoxLiczbaArgumentow"));
    EditOpis = new QLineEdit(this);
    EditOpis->setObjectName(QStringLiteral("EditOpis"));
    auto* pola = new QVBoxLayout;
    pola->setSpacing(2);
    auto pole = [this, pola](const QString& napis, QWidget* w) {
        auto* l = new QLabel(napis, this);
        l->setBuddy(w);
        pola->addWidget(l);
        pola->addWidget(w);
        pola->addSpacing(6);
    };
    pole(QStringLiteral("Nazwa rozkazu:"), EditNazwa);
    pole(QStringLiteral("Kod rozkazu:"), ComboBoxKod);
    pole(QStringLiteral("Liczba argumentów:"), ComboBoxLiczbaArgumentow);
    pole(QStringLiteral("Opis działania:"), EditOpis);
    pola->addStretch(1);

    ListViewRozkaz = new QTreeWidget(this);
    ListViewRozkaz->setObjectName(QStringLiteral("ListViewRozkaz"));
    ListViewRozkaz->setRootIsDecorated(false);
    ListViewRozkaz->setUniformRowHeights(true);
    ListViewRozkaz->setAllColumnsShowFocus(true);
    ListViewRozkaz->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewRozkaz->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewRozkaz->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewRozkaz->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Kod"),
                                     QStringLiteral("Nazwa"), QStringLiteral("Liczba argumentów"),
                                     QStringLiteral("Opis działania")});
    ListViewRozkaz->setColumnHidden(0, true);
    ListViewRozkaz->header()->setStretchLastSection(true);

    ListBox1 = new TListaKomunikatow(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));

    auto* edycja = new QSplitter(Qt::Horizontal);
    edycja->addWidget(ZMarginesem(this, lewy));
    edycja->addWidget(ZMarginesem(this, pola));
    edycja->setStretchFactor(0, 1);
    edycja->setSizes({480, 260});
    auto* listaUklad = new QVBoxLayout;
    listaUklad->addWidget(ListViewRozkaz);
    auto* komunikatyUklad = new QVBoxLayout;
    komunikatyUklad->addWidget(ListBox1);
    auto* pionowy = new QSplitter(Qt::Vertical);
    pionowy->addWidget(edycja);
    pionowy->addWidget(ZMarginesem(this, listaUklad));
    pionowy->addWidget(ZMarginesem(this, komunikatyUklad));
    pionowy->setStretchFactor(0, 1);
    pionowy->setSizes({300, 200, 110});
    UkladTresci->setContentsMargins(0, 0, 0, 0);
    UkladTresci->addWidget(pionowy);

    FormMikroProgram = new TFormMikroProgram(symulator, this);

    for (QWidget* w :
         {static_cast<QWidget*>(Memo1), static_cast<QWidget*>(EditNazwa),
          static_cast<QWidget*>(ComboBoxKod), static_cast<QWidget*>(ComboBoxLiczbaArgumentow),
          static_cast<QWidget*>(EditOpis)})
        w->installEventFilter(this);
    connect(SpeedButtonKompiluj, &QToolButton::clicked, this,
            &TFrameRozkaz::SpeedButtonKompilujClick);
    connect(SpeedButtonDodaj, &QToolButton::clicked, this, &TFrameRozkaz::SpeedButtonDodajClick);
    connect(SpeedButtonUsun, &QToolButton::clicked, this, &TFrameRozkaz::SpeedButtonUsunClick);
    connect(SpeedButton5, &QToolButton::clicked, this, &TFrameRozkaz::SpeedButton5Click);
    connect(ListViewRozkaz, &QTreeWidget::itemClicked, this, &TFrameRozkaz::WybranoWiersz);
    connect(ListViewRozkaz, &QTreeWidget::currentItemChanged, this, [this] {
        // Moving through the list with the keys shows the instruction as a click does.
        if (!przebudowa && ListViewRozkaz->hasFocus()) WybranoWiersz();
    });
    connect(ListBox1, &TListaKomunikatow::KomunikatWybrany, this, &TFrameRozkaz::IdzDoKomunikatu);
    // Every edit may make the compiled microprogram out of date, or up to date again.
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
        if (!wyswietlanie) OdswiezStanMikroprogramu();
    });
    connect(EditNazwa, &QLineEdit::textEdited, this, &TFrameRozkaz::OdswiezStanMikroprogramu);
    connect(ComboBoxKod, &QComboBox::activated, this, &TFrameRozkaz::OdswiezStanMikroprogramu);
}

bool TFrameRozkaz::EdycjaNiezapisana() const {
    const int i = ZnajdzEdytowany();
    if (i == 0 || Memo1->isReadOnly()) return false;
    const TRozkaz& r = symulator.ListaRozkazow[i];
    QStringList mikroprogram;
    for (const auto& l : r.Mikroprogram)
        mikroprogram << Q(l);
    return Memo1->Linie() != mikroprogram || EditNazwa->text() != Q(r.Nazwa) ||
           (ComboBoxKod->currentIndex() >= 0 && ComboBoxKod->currentText().toUInt() != r.Kod);
}

bool TFrameRozkaz::MikroprogramNieaktualny() const {
    return symulator.MikroprogramNieaktualny() || EdycjaNiezapisana();
}

void TFrameRozkaz::OdswiezStanMikroprogramu() {
    const bool nieaktualny = MikroprogramNieaktualny();
    if (nieaktualny != kompilujWyrozniony) {
        kompilujWyrozniony = nieaktualny;
        QFont czcionka = SpeedButtonKompiluj->font();
        czcionka.setBold(nieaktualny);
        SpeedButtonKompiluj->setFont(czcionka);
        QPalette paleta = SpeedButtonKompiluj->palette();
        paleta.setColor(QPalette::ButtonText,
                        nieaktualny ? QColor(Qt::red) : palette().color(QPalette::ButtonText));
        SpeedButtonKompiluj->setPalette(paleta);
    }
    emit StanMikroprogramu(nieaktualny);
}

bool TFrameRozkaz::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (zdarzenie->type() == QEvent::FocusOut) {
        // Leaving a field stores it; a pop-up of the field itself or another window
        // taking over is not leaving it.
        const Qt::FocusReason powod = static_cast<QFocusEvent*>(zdarzenie)->reason();
        if (powod != Qt::PopupFocusReason && powod != Qt::ActiveWindowFocusReason) ZapiszEdycje();
    }
    return TRamka::eventFilter(obiekt, zdarzenie);
}

void TFrameRozkaz::Odswiez() {
    podswietlanie->UstawArchitekture(symulator.Architektura);
    ListViewRozkaz->clearSelection();
    OdswiezListe();
    if (pozycja >= 1 && pozycja <= symulator.ListaRozkazow.Count()) {
        WyswietlRozkaz(pozycja);
    } else {
        pozycja = 1;
        WyswietlRozkaz(1);
    }
    OdswiezStanMikroprogramu();
}

void TFrameRozkaz::OdswiezListe() {
    // The rows keep their list order, so a selection survives a rebuild by its index.
    const QTreeWidgetItem* zaznaczony = ListViewRozkaz->selectedItems().value(0);
    const int zaznaczonyId = zaznaczony ? zaznaczony->text(0).toInt() : 0;
    przebudowa = true;
    ListViewRozkaz->setUpdatesEnabled(false);
    ListViewRozkaz->clear();
    const TListaRozkazow& lista = symulator.ListaRozkazow;
    QList<QTreeWidgetItem*> wiersze;
    for (int i = 1; i <= lista.Count(); ++i)
        wiersze << new QTreeWidgetItem(
            {QString::number(i), QString::number(lista[i].Kod), Q(lista[i].Nazwa),
             QString::number(lista[i].LiczbaArgumentow), Q(lista[i].Opis)});
    ListViewRozkaz->addTopLevelItems(wiersze);
    for (int k = 1; k <= 3; ++k)
        ListViewRozkaz->resizeColumnToContents(k);
    if (zaznaczonyId >= 1 && zaznaczonyId <= lista.Count())
        ListViewRozkaz->setCurrentItem(ListViewRozkaz->topLevelItem(zaznaczonyId - 1));
    ListViewRozkaz->setUpdatesEnabled(true);
    przebudowa = false;
}

void TFrameRozkaz::WyswietlRozkaz(int i) {
    const TListaRozkazow& lista = symulator.ListaRozkazow;
    if (i < 1 || i > lista.Count()) {
        Memo1->clear();
        Label1_->clear();
        EditNazwa->clear();
        EditOpis->clear();
        ComboBoxKod->clear();
        ComboBoxLiczbaArgumentow->clear();
        return;
    }
    pozycja = i;
    const TRozkaz& r = lista[i];
    QStringList linie;
    for (const auto& l : r.Mikroprogram)
        linie << Q(l);
    wyswietlanie = true;
    Memo1->UstawLinie(linie);
    wyswietlanie = false;
    Label1_->setText(Q(r.Nazwa));
    EditNazwa->setText(Q(r.Nazwa));
    EditOpis->setText(Q(r.Opis));
    // A long description is read from its beginning.
    EditNazwa->setCursorPosition(0);
    EditOpis->setCursorPosition(0);

    // Emptied when no instruction could be shown; its fixed items come back here.
    if (ComboBoxLiczbaArgumentow->count() == 0)
        for (int n = 0; n <= 9; ++n)
            ComboBoxLiczbaArgumentow->addItem(QString::number(n));
    ComboBoxLiczbaArgumentow->setCurrentIndex(
        ComboBoxLiczbaArgumentow->findText(QString::number(r.LiczbaArgumentow)));

    ComboBoxKod->clear();
    const std::uint32_t maksKod = symulator.Maszyna.MaskaKodu();
    for (std::uint32_t c = 0; c <= maksKod; ++c) {
        bool zajety = false;
        for (int j = 1; j <= lista.Count() && !zajety; ++j)
            zajety = j != i && lista[j].Kod == c;
        if (!zajety || r.Kod == c) ComboBoxKod->addItem(QString::number(c));
    }
    ComboBoxKod->setCurrentIndex(ComboBoxKod->findText(QString::number(r.Kod)));

    const bool edytowalny = r.Nazwa != "stop";
    EditNazwa->setEnabled(edytowalny);
    ComboBoxKod->setEnabled(edytowalny);
    ComboBoxLiczbaArgumentow->setEnabled(edytowalny);
    EditOpis->setEnabled(edytowalny);
    Memo1->setReadOnly(!edytowalny);
    OdswiezStanMikroprogramu();
}

int TFrameRozkaz::ZnajdzEdytowany() const {
    const TListaRozkazow& lista = symulator.ListaRozkazow;
    const std::string klucz = Label1_->text().toStdString();
    // The instruction on show, when it still bears the key: with two instructions of one
    // name, the last of them is not necessarily the one being edited.
    if (pozycja >= 1 && pozycja <= lista.Count() && lista[pozycja].Nazwa == klucz) return pozycja;
    return lista.ZnajdzNazwe(klucz);
}

bool TFrameRozkaz::WyboryKompletne() {
    QString brak;
    if (ComboBoxKod->currentIndex() < 0)
        brak = QStringLiteral("wybierz kod rozkazu z listy");
    else if (ComboBoxLiczbaArgumentow->currentIndex() < 0)
        brak = QStringLiteral("wybierz liczbę argumentów z listy");
    if (brak.isEmpty()) return true;
    // No other save while the box is open.
    zapisywanie = true;
    PokazOkno(TOkno::Informacja,
              QStringLiteral("Nie zapisano zmian rozkazu \"%1\": %2.").arg(Label1_->text(), brak),
              [this](bool) { zapisywanie = false; });
    return false;
}

void TFrameRozkaz::ZapiszRekord(int i) {
    TRozkaz r = symulator.ListaRozkazow[i];
    r.Nazwa = EditNazwa->text().toStdString();
    r.Kod = static_cast<std::uint16_t>(ComboBoxKod->currentText().toUInt());
    r.LiczbaArgumentow = ComboBoxLiczbaArgumentow->currentText().toInt();
    r.Opis = EditOpis->text().toStdString();
    r.Mikroprogram.clear();
    for (const QString& l : Memo1->Linie())
        r.Mikroprogram.push_back(l.toStdString());
    wlasnaZmiana = true;
    symulator.ZmienRozkaz(i, r);
    wlasnaZmiana = false;
}

TFrameRozkaz::TZapis TFrameRozkaz::ZapiszEdycje() {
    if (zapisywanie) return TZapis::Odmowa;
    const int i = ZnajdzEdytowany();
    if (i == 0) return TZapis::BrakRekordu;
    if (!WyboryKompletne()) return TZapis::Odmowa;
    const TListaRozkazow& lista = symulator.ListaRozkazow;
    for (int j = 1; j <= lista.Count(); ++j)
        if (j != i && Q(lista[j].Nazwa) == EditNazwa->text())
            EditNazwa->setText(Q(lista.NazwaUnikalna(EditNazwa->text().toStdString())));
    Label1_->setText(EditNazwa->text());
    ZapiszRekord(i);
    OdswiezListe();
    OdswiezStanMikroprogramu();
    return TZapis::Zapisano;
}

void TFrameRozkaz::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Architektura | TZmiana::Rozkazy) && !wlasnaZmiana) Odswiez();
    if (Zawiera(co, TZmiana::Mikroprogram)) {
        // The list on screen is where the messages live.
        for (const auto& k : symulator.KomunikatyOstatniejKompilacji())
            ListBox1->Dodaj(Q(k));
        OdswiezStanMikroprogramu();
    }
}

void TFrameRozkaz::SpeedButtonKompilujClick() {
    ListBox1->clear();
    const int i = ZnajdzEdytowany();
    if (i == 0) return;
    if (!WyboryKompletne()) return;
    Label1_->setText(EditNazwa->text());
    ZapiszRekord(i);
    OdswiezListe();
    ListBox1->Dodaj(QStringLiteral("Kompilacja"));
    QElapsedTimer czas;
    czas.start();
    symulator.KompilujMikroprogram();
    const qint64 d = czas.elapsed();
    ListBox1->Dodaj(d == 0 ? QStringLiteral("Czas kompilacji: poniżej 1 ms")
                           : QStringLiteral("Czas kompilacji: %1 ms").arg(d));
    OdswiezStanMikroprogramu();
}

void TFrameRozkaz::SpeedButtonDodajClick() {
    if (ZapiszEdycje() == TZapis::Odmowa) return;
    wlasnaZmiana = true;
    const int nowy = symulator.DodajRozkaz();
    wlasnaZmiana = false;
    if (nowy > 0) {
        OdswiezListe();
        WyswietlRozkaz(nowy);
        return;
    }
    PokazOkno(TOkno::Informacja,
              QStringLiteral("Osiągnięto limit rozkazów.\nZwiększ ilość bitów kodu!"), {});
}

void TFrameRozkaz::SpeedButtonUsunClick() {
    const QTreeWidgetItem* wiersz = ListViewRozkaz->selectedItems().value(0);
    if (!wiersz) {
        PokazOkno(TOkno::Informacja, QStringLiteral("Zaznacz rozkaz do usunięcia!"), {});
        return;
    }
    const TListaRozkazow& lista = symulator.ListaRozkazow;
    const int i = wiersz->text(0).toInt();
    if (i < 1 || i > lista.Count()) return;
    if (lista[i].Nazwa == "stop") {
        PokazOkno(TOkno::Informacja, QStringLiteral("Rozkazu \"stop\" nie można usunąć!"), {});
        return;
    }
    PokazOkno(TOkno::Pytanie, QStringLiteral("Usunąć rozkaz \"%1\"?").arg(Q(lista[i].Nazwa)),
              [this, i](bool tak) {
                  if (!tak || i > symulator.ListaRozkazow.Count()) return;
                  wlasnaZmiana = true;
                  symulator.UsunRozkaz(i);
                  wlasnaZmiana = false;
                  // Another instruction now holds that index; the selection is not carried
                  // over to it.
                  ListViewRozkaz->clearSelection();
                  OdswiezListe();
                  symulator.KompilujMikroprogram();
                  WyswietlRozkaz(1);
              });
}

void TFrameRozkaz::SpeedButton5Click() {
    FormMikroProgram->Odswiez();
    WykonajModalnie(*FormMikroProgram, [](int) {});
}

void TFrameRozkaz::WybranoWiersz() {
    const QTreeWidgetItem* wiersz = ListViewRozkaz->selectedItems().value(0);
    if (wiersz) WyswietlRozkaz(wiersz->text(0).toInt());
}

void TFrameRozkaz::ZaznaczWMikroprogramie(const QString& wzor) {
    const QRegularExpression re(wzor, QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(Memo1->toPlainText());
    if (!m.hasMatch()) return;
    QTextCursor k = Memo1->textCursor();
    k.setPosition(int(m.capturedStart()));
    k.setPosition(int(m.capturedEnd()), QTextCursor::KeepAnchor);
    Memo1->setTextCursor(k);
    Memo1->ensureCursorVisible();
    Memo1->setFocus(Qt::OtherFocusReason);
}

void TFrameRozkaz::IdzDoKomunikatu(const QString& tekst) {
    const TListaRozkazow& lista = symulator.ListaRozkazow;
    int rozkaz = 0;
    QString reszta;
    // Messages of one instruction begin with its name and ": "; the longest name that
    // fits wins, as a name may itself hold ": ".
    for (int j = 1; j <= lista.Count(); ++j) {
        const QString przedrostek = Q(lista[j].Nazwa) + QStringLiteral(": ");
        if (tekst.startsWith(przedrostek) &&
            (rozkaz == 0 || lista[j].Nazwa.size() > lista[rozkaz].Nazwa.size())) {
            rozkaz = j;
            reszta = tekst.mid(przedrostek.size());
        }
    }
    QString wzor;
    if (rozkaz != 0) {
        static const QRegularExpression sygnal(QStringLiteral("^Niedozwolony sygnal: (.*)$"));
        static const QRegularExpression etykieta(QStringLiteral("^\"(.*)\" - Etykieta dozwolona"));
        static const QRegularExpression cel(QStringLiteral("^Nieznana etykieta [^.]*\\.(.*)$"));
        QRegularExpressionMatch m;
        if ((m = sygnal.match(reszta)).hasMatch() || (m = etykieta.match(reszta)).hasMatch())
            wzor = QStringLiteral("(?<![^\\s;!])%1(?![^\\s;!])")
                       .arg(QRegularExpression::escape(m.captured(1)));
        else if ((m = cel.match(reszta)).hasMatch())
            wzor = QStringLiteral("then\\s+%1(?![^\\s;!])")
                       .arg(QRegularExpression::escape(m.captured(1)));
    } else {
        // The condition messages carry the clause but no name: the instruction is the
        // one whose microinstructions hold that clause.
        static const QRegularExpression warunek(
            QStringLiteral("^(?:Za krótki warunek: |\\[Błąd\\] Błąd składni \\([^)]*\\):)(.*)$"));
        const auto m = warunek.match(tekst);
        if (!m.hasMatch()) return;
        const QString klauzula = m.captured(1).trimmed();
        if (klauzula.isEmpty()) return;
        for (int j = 1; j <= lista.Count() && rozkaz == 0; ++j)
            for (const auto& mr : lista[j].Mikrorozkazy)
                if (Q(mr).contains(klauzula)) {
                    rozkaz = j;
                    break;
                }
        QStringList slowa;
        for (const QString& s : klauzula.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            slowa << QRegularExpression::escape(s);
        wzor = slowa.join(QStringLiteral("\\s+"));
    }
    if (rozkaz == 0) return;
    ListViewRozkaz->setCurrentItem(ListViewRozkaz->topLevelItem(rozkaz - 1));
    WyswietlRozkaz(rozkaz);
    if (!wzor.isEmpty()) ZaznaczWMikroprogramie(wzor);
}
