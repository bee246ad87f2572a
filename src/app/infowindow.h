#pragma once

#include <QDialog>

// A short notice of two lines that closes itself after 1200 ms.
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    InfoWindow(const QString &line1, const QString &line2, QWidget *parent = nullptr);

    // Shows the notice modally until it closes.
    static void show(QWidget *parent, const QString &line1, const QString &line2);
    using QDialog::show;

protected:
    void showEvent(QShowEvent *event) override;
};
