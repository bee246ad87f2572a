#include "aboutbox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));

    auto *layout = new QVBoxLayout(this);
    const auto line = [this, layout](const char *name, const QString &text, int pointSize) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        QFont font = label->font();
        font.setPointSize(pointSize);
        label->setFont(font);
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    };
    line("ProductName", QStringLiteral("Quorvane"), 18);
    line("Version", QStringLiteral("Version " QUORVANE_VERSION_TEXT " "), 10);
    line("Copyright", QStringLiteral("Quorvane developers"), 10);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
