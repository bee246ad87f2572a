#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

// Chooses a text font together with its colour, which Qt's font dialog
// leaves out: that dialog is embedded as a page, with a colour button below.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    FontDialog(const QFont &font, const QColor &color, QWidget *parent = nullptr);

    QFont selectedFont() const;
    QColor selectedColor() const { return color; }

private:
    void chooseColor();
    void showColor();

    QFontDialog *fonts;
    QPushButton *colorButton;
    QColor color;
};
