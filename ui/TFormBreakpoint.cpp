#include "TFormBreakpoint.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <limits>

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLineEdit* Pole(QWidget* rodzic, const char* nazwa) {
    auto* p = new QLineEdit(QStringLiteral("0"), rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    p->setMaxLength(32);
    return p;
}

} // namespace

std::int32_t LiczbaPola(const QString& tekst) {
    QString t = tekst.trimmed();
    int podstawa = 10;
    bool minus = false;
    if (t.startsWith(QLatin1Char('-'))) {
        minus = true;
        t.remove(0, 1);
    }
    if (t.startsWith(QLatin1Char('$'))) {
        podstawa = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        podstawa = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty() || t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) return 0;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, podstawa);
    if (!ok) return 0;
    const qlonglong w = minus ? -v : v;
    if (w < std::numeric_limits<std::int32_t>::min() ||
        w > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(w);
}

TFormBreakpoint::TFormBreakpoint(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormBreakpoint"));
    setWindowTitle(QStringLiteral("Punkty Zatrzymania"));
    setModal(true);

    ComboBoxCo = new QComboBox(this);
    ComboBoxCo->setObjectName(QStringLiteral("ComboBoxCo"));
    ComboBoxCo->setEditable(false);
    ComboBoxRelacja = new QComboBox(this);
    ComboBoxRelacja->setObjectName(QStringLiteral("ComboBoxRelacja"));
    ComboBoxRelacja->setEditable(false);
    EditAdres = Pole(this, "EditAdres");
    EditWartosc1 = Pole(this, "EditWartosc1");
    EditWartosc2 = Pole(this, "EditWartosc2");
    // Read together with the lists, the fields make the breakpoint's description.
    LabelAdres = new QLabel(QStringLiteral("o adresie"), this);
    LabelWartosc2 = new QLabel(QStringLiteral("-"), this);

    BitBtnZastosuj = new QPushButton(QStringLiteral("Zastosuj"), this);
    BitBtnZastosuj->setObjectName(QStringLiteral("BitBtnZastosuj"));
    BitBtnZastosuj->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BitBtnZastosuj->setDefault(true);
    BitBtnAnuluj = new QPushButton(QStringLiteral("Anuluj"), this);
    BitBtnAnuluj->setObjectName(QStringLiteral("BitBtnAnuluj"));
    BitBtnAnuluj->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(BitBtnZastosuj, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboBoxCo, &QComboBox::currentIndexChanged, this, &TFormBreakpoint::ComboBoxCoChange);
    connect(ComboBoxRelacja, &QComboBox::currentIndexChanged, this,
            &TFormBreakpoint::ComboBoxRelacjaChange);

    auto* siatka = new QGridLayout;
    siatka->addWidget(ComboBoxCo, 0, 0, 1, 3);
    siatka->addWidget(LabelAdres, 1, 0);
    siatka->addWidget(EditAdres, 1, 1);
    siatka->addWidget(ComboBoxRelacja, 2, 0, 1, 3);
    siatka->addWidget(EditWartosc1, 3, 0);
    siatka->addWidget(LabelWartosc2, 3, 1, Qt::AlignCenter);
    siatka->addWidget(EditWartosc2, 3, 2);
    siatka->setColumnStretch(0, 1);
    siatka->setColumnStretch(2, 1);
    auto* dol = new QHBoxLayout;
    dol->addStretch(1);
    dol->addWidget(BitBtnZastosuj);
    dol->addWidget(BitBtnAnuluj);
    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(siatka);
    uklad->addStretch(1);
    uklad->addLayout(dol);
    // A fixed dialog border: the size follows the content and cannot be dragged.
    uklad->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(340);
    FormShow();
}

void TFormBreakpoint::showEvent(QShowEvent* zdarzenie) {
    FormShow();
    QDialog::showEvent(zdarzenie);
}

void TFormBreakpoint::FormShow() {
    ComboBoxCo->clear();
    for (std::string_view n : NazwyObserwowanych)
        ComboBoxCo->addItem(Q(n));
    ComboBoxRelacja->clear();
    for (std::string_view n : NazwyRelacji)
        ComboBoxRelacja->addItem(Q(n));
    ComboBoxCo->setCurrentIndex(0);
    ComboBoxRelacja->setCurrentIndex(0);
    for (QWidget* w : {static_cast<QWidget*>(EditWartosc2), static_cast<QWidget*>(LabelWartosc2),
                       static_cast<QWidget*>(EditAdres), static_cast<QWidget*>(LabelAdres)})
        w->hide();
    for (QLineEdit* p : {EditWartosc1, EditWartosc2, EditAdres})
        p->setText(QStringLiteral("0"));
    ComboBoxCo->setFocus();
}

void TFormBreakpoint::ComboBoxCoChange() {
    const bool komorka = ComboBoxCo->currentIndex() == KomorkaPamieci;
    EditAdres->setVisible(komorka);
    LabelAdres->setVisible(komorka);
}

void TFormBreakpoint::ComboBoxRelacjaChange() {
    const bool przedzial = ComboBoxRelacja->currentIndex() == RelacjaPrzedzial;
    EditWartosc2->setVisible(przedzial);
    LabelWartosc2->setVisible(przedzial);
}

TPunktZatrzymania TFormBreakpoint::Punkt() const {
    TPunktZatrzymania p;
    p.Co = ComboBoxCo->currentIndex();
    p.Relacja = ComboBoxRelacja->currentIndex();
    p.AdresKomorki = LiczbaPola(EditAdres->text());
    p.Wartosc1 = LiczbaPola(EditWartosc1->text());
    p.Wartosc2 = LiczbaPola(EditWartosc2->text());
    return p;
}
