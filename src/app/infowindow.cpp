#include "infowindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int ShowMs = 1200;
}

InfoWindow::InfoWindow(const QString &line1, const QString &line2, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Infoform"));
    setWindowTitle(QStringLiteral("Information"));

    auto *layout = new QVBoxLayout(this);
    for (const QString &text : {line1, line2}) {
        auto *label = new QLabel(text, this);
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void InfoWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(ShowMs, this, &QDialog::accept);
}

void InfoWindow::show(QWidget *parent, const QString &line1, const QString &line2)
{
    InfoWindow window(line1, line2, parent);
    window.exec();
}
