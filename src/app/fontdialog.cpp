#include "fontdialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

FontDialog::FontDialog(const QFont &font, const QColor &color, QWidget *parent)
    : QDialog(parent), fonts(new QFontDialog(this)), colorButton(new QPushButton(QStringLiteral("&Color..."), this)),
      color(color)
{
    setWindowTitle(QStringLiteral("Font"));
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setCurrentFont(font);
    // Escape inside the embedded page would only hide the page.
    connect(fonts, &QDialog::accepted, this, &QDialog::accept);
    connect(fonts, &QDialog::rejected, this, &QDialog::reject);
    connect(colorButton, &QPushButton::clicked, this, &FontDialog::chooseColor);
    showColor();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(colorButton);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fonts);
    layout->addLayout(bottom);
}

QFont FontDialog::selectedFont() const
{
    return fonts->currentFont();
}

void FontDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(color, this, QStringLiteral("Color"));
    if (!chosen.isValid())
        return;
    color = chosen;
    showColor();
}

void FontDialog::showColor()
{
    QPixmap swatch(16, 16);
    swatch.fill(color);
    colorButton->setIcon(swatch);
}
