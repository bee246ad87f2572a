#pragma once

#include <QDialog>

// Product name, version and maker, with an OK button.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
};
