#pragma once

#include "store/preferencesmodel.h"

#include <QDialog>

class HelpRouter;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Session;

// The preferences window: default font, mail identity, export and
// miscellaneous settings. OK and Apply store the page shown.
class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(Session &session, HelpRouter &help, QWidget *parent = nullptr);

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildFontPage();
    QWidget *buildExportPage();
    QWidget *buildMiscPage();
    QWidget *buildDatabasePathGroup();
    QCheckBox *addCheck(QWidget *page, const char *name, const QString &caption, bool checked,
                        bool &target);

    PreferencesModel::Page page() const;
    void changed();
    void store();
    void showHelp();

    void fillFontSizes();
    void showFontSample();
    void chooseFontColor();
    void showLogo();
    void browseLogo();
    void chooseDatabasePath();

    Session &session;
    HelpRouter &help;
    PreferencesModel model;

    QTabWidget *pages = nullptr;
    QComboBox *fontSizes = nullptr;
    QLabel *fontSample = nullptr;
    QLabel *logoPreview = nullptr;
    QLabel *logoName = nullptr;
    QLabel *logoSelected = nullptr;
    QGroupBox *databasePath = nullptr;
    QLineEdit *databaseFolder = nullptr;
    QPushButton *applyButton = nullptr;
};
