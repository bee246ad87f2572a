#include "preferencesdialog.h"

#include "platform/helprouter.h"
#include "platform/prompter.h"
#include "shell/session.h"
#include "store/folders.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Colours are kept as COLORREF values: red in the low byte.
QColor fromColorRef(int value)
{
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

int toColorRef(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *dialogButton(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

} // namespace

PreferencesDialog::PreferencesDialog(Session &session, HelpRouter &help, QWidget *parent)
    : QDialog(parent),
      session(session),
      help(help),
      model(session.data, session.folders.program, session.folders.data)
{
    setObjectName(QStringLiteral("PreferencesDialog"));
    setWindowTitle(QStringLiteral("Preferences"));

    pages = named(new QTabWidget(this), "Pages");
    pages->addTab(buildFontPage(), QStringLiteral("Default Font"));
    pages->addTab(named(new QWidget, "MailIdentityPage"), QStringLiteral("Mail Identity"));
    pages->addTab(buildExportPage(), QStringLiteral("Export"));
    pages->addTab(buildMiscPage(), QStringLiteral("Miscellaneous"));
    connect(pages, &QTabWidget::currentChanged, this, &PreferencesDialog::changed);

    QPushButton *ok = dialogButton(this, "OKButton", QStringLiteral("OK"));
    applyButton = dialogButton(this, "ApplyButton", QStringLiteral("Apply"));
    QPushButton *cancel = dialogButton(this, "CancelButton", QStringLiteral("Cancel"));
    QPushButton *helpButton = dialogButton(this, "HelpButton", QStringLiteral("Help"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        model.storeChanged();
        accept();
    });
    connect(applyButton, &QPushButton::clicked, this, &PreferencesDialog::store);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &PreferencesDialog::showHelp);
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this,
            &PreferencesDialog::showHelp);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {ok, applyButton, cancel, helpButton})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buildDatabasePathGroup());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    changed();
}

PreferencesModel::Page PreferencesDialog::page() const
{
    return static_cast<PreferencesModel::Page>(pages->currentIndex());
}

QCheckBox *PreferencesDialog::addCheck(QWidget *page, const char *name, const QString &caption,
                                       bool checked, bool &target)
{
    auto *box = named(new QCheckBox(caption, page), name);
    box->setChecked(checked);
    connect(box, &QCheckBox::toggled, this, [this, &target](bool on) {
        target = on;
        changed();
    });
    page->layout()->addWidget(box);
    return box;
}

// --- Default Font ------------------------------------------------------------------

QWidget *PreferencesDialog::buildFontPage()
{
    auto *page = named(new QWidget, "FontPage");
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    auto *names = named(new QComboBox(page), "FontName");
    names->addItems(PreferencesModel::fontNames(QFontDatabase::families()));
    if (names->findText(model.font.name) < 0)
        names->insertItem(0, model.font.name);
    names->setCurrentIndex(names->findText(model.font.name));
    form->addRow(QStringLiteral("Font:"), names);

    fontSizes = named(new QComboBox(page), "FontSize");
    form->addRow(QStringLiteral("Size:"), fontSizes);
    fillFontSizes();

    connect(names, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        model.font.name = name;
        fillFontSizes();
        changed();
    });
    connect(fontSizes, &QComboBox::currentTextChanged, this, [this](const QString &size) {
        if (!size.isEmpty())
            model.font.size = size.toInt();
        changed();
    });

    addCheck(page, "FontBold", QStringLiteral("Bold"), model.font.bold, model.font.bold);
    addCheck(page, "FontItalic", QStringLiteral("Italic"), model.font.italic, model.font.italic);
    addCheck(page, "FontUnderline", QStringLiteral("Underline"), model.font.underline,
             model.font.underline);
    addCheck(page, "FontStrike", QStringLiteral("Strikeout"), model.font.strike, model.font.strike);

    auto *color = named(new QPushButton(QStringLiteral("Color..."), page), "FontColor");
    connect(color, &QPushButton::clicked, this, &PreferencesDialog::chooseFontColor);
    layout->addWidget(color, 0, Qt::AlignLeft);

    fontSample = named(new QLabel(QStringLiteral("AaBbYyZz"), page), "FontSample");
    fontSample->setFrameShape(QFrame::StyledPanel);
    fontSample->setAlignment(Qt::AlignCenter);
    fontSample->setMinimumSize(260, 60);
    layout->addWidget(fontSample);
    layout->addStretch();
    return page;
}

void PreferencesDialog::fillFontSizes()
{
    QList<int> sizes = QFontDatabase::pointSizes(model.font.name);
    if (sizes.isEmpty())
        sizes = QFontDatabase::standardSizes();
    const QSignalBlocker quiet(fontSizes);
    fontSizes->clear();
    for (int size : sizes)
        fontSizes->addItem(QString::number(size));
    const int index = PreferencesModel::sizeIndex(sizes, model.font.size);
    fontSizes->setCurrentIndex(index);
    if (index >= 0)
        model.font.size = sizes[index];
}

void PreferencesDialog::showFontSample()
{
    QFont font(model.font.name);
    font.setPointSize(std::max(1, model.font.size));
    font.setBold(model.font.bold);
    font.setItalic(model.font.italic);
    font.setUnderline(model.font.underline);
    font.setStrikeOut(model.font.strike);
    fontSample->setFont(font);
    QPalette palette = fontSample->palette();
    palette.setColor(QPalette::WindowText, fromColorRef(model.font.color));
    fontSample->setPalette(palette);
}

void PreferencesDialog::chooseFontColor()
{
    const QColor color = QColorDialog::getColor(fromColorRef(model.font.color), this);
    if (!color.isValid())
        return;
    model.font.color = toColorRef(color);
    changed();
}

// --- Export --------------------------------------------------------------------------

QWidget *PreferencesDialog::buildExportPage()
{
    auto *page = named(new QWidget, "ExportPage");
    auto *outer = new QVBoxLayout(page);
    auto *panel = named(new QFrame(page), "ExportPanel");
    panel->installEventFilter(this);
    outer->addWidget(panel);
    auto *layout = new QVBoxLayout(panel);

    auto *format = new QGroupBox(QStringLiteral("Image format"), panel);
    auto *formatLayout = new QHBoxLayout(format);
    auto *png = named(new QRadioButton(QStringLiteral("PNG"), format), "PngButton");
    auto *jpg = named(new QRadioButton(QStringLiteral("JPG"), format), "JpgButton");
    (model.exports.png ? png : jpg)->setChecked(true);
    connect(png, &QRadioButton::toggled, this, [this](bool on) {
        model.exports.png = on;
        changed();
    });
    formatLayout->addWidget(png);
    formatLayout->addWidget(jpg);
    layout->addWidget(format);

    addCheck(panel, "AntiAliasExport", QStringLiteral("Try using anti-alias on exported images"),
             model.exports.antiAlias, model.exports.antiAlias);
    addCheck(panel, "OldPrint", QStringLiteral("Use old print form"), model.exports.oldPrint,
             model.exports.oldPrint);

    auto *logo = new QGroupBox(QStringLiteral("Logo"), panel);
    auto *logoLayout = new QGridLayout(logo);
    logoPreview = named(new QLabel(logo), "LogoPreview");
    logoPreview->setFixedSize(130, 90);
    logoPreview->setAlignment(Qt::AlignCenter);
    logoName = named(new QLabel(logo), "LogoName");
    logoSelected = named(new QLabel(QStringLiteral("selected"), logo), "LogoSelected");
    auto *browse = named(new QPushButton(QStringLiteral("Browse ..."), logo), "BrowseLogo");
    auto *standard = named(new QPushButton(QStringLiteral("Default"), logo), "DefaultLogo");
    connect(browse, &QPushButton::clicked, this, &PreferencesDialog::browseLogo);
    connect(standard, &QPushButton::clicked, this, [this] {
        model.exports.logo = model.defaultLogo();
        showLogo();
        changed();
    });
    logoLayout->addWidget(logoPreview, 0, 0, 3, 1);
    logoLayout->addWidget(logoName, 0, 1);
    logoLayout->addWidget(logoSelected, 1, 1);
    logoLayout->addWidget(browse, 0, 2);
    logoLayout->addWidget(standard, 1, 2);
    layout->addWidget(logo);
    layout->addStretch();

    showLogo();
    return page;
}

void PreferencesDialog::showLogo()
{
    const QString logo = model.shownLogo();
    logoPreview->setPixmap(QPixmap::fromImage(PreferencesModel::logoPreview(logo)));
    logoName->setText(PreferencesModel::logoCaption(logo));
    logoSelected->setVisible(logo.isEmpty());
}

void PreferencesDialog::browseLogo()
{
    const QString picture = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"), model.logoFolder(),
        QStringLiteral("Pictures (*.bmp *.png *.jpg *.jpeg *.gif)"));
    if (picture.isEmpty() || !model.chooseLogoPicture(picture))
        return;
    showLogo();
    changed();
}

// --- Miscellaneous ---------------------------------------------------------------------

QWidget *PreferencesDialog::buildMiscPage()
{
    auto *page = named(new QWidget, "MiscPage");
    auto *outer = new QVBoxLayout(page);
    auto *panel = named(new QFrame(page), "MiscPanel");
    panel->installEventFilter(this);
    outer->addWidget(panel);
    new QVBoxLayout(panel);

    MiscPreferences &misc = model.misc;
    addCheck(panel, "ShowAll", QStringLiteral("Show all sequences including animation only"),
             misc.showAll, misc.showAll);
    addCheck(panel, "AutoMove",
             QStringLiteral("Try moving players to new position when adding a sequence"),
             misc.autoMove, misc.autoMove);
    addCheck(panel, "ShowHistory", QStringLiteral("Use undo history list"), misc.showHistory,
             misc.showHistory);
    addCheck(panel, "KeepDown", QStringLiteral("Keep line buttons down"), misc.keepDown,
             misc.keepDown);

    auto *zoomRow = new QHBoxLayout;
    auto *zoom = named(new QLineEdit(QString::number(misc.zoom), panel), "Zoom");
    zoom->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), zoom));
    zoom->setFixedWidth(50);
    connect(zoom, &QLineEdit::textEdited, this, [this](const QString &text) {
        model.misc.zoom = PreferencesModel::zoomValue(text);
        changed();
    });
    connect(zoom, &QLineEdit::editingFinished, this, [this, zoom] {
        zoom->setText(QString::number(PreferencesModel::zoomValue(zoom->text())));
    });
    zoomRow->addWidget(new QLabel(QStringLiteral("Zoom %"), panel));
    zoomRow->addWidget(zoom);
    zoomRow->addStretch();
    static_cast<QVBoxLayout *>(panel->layout())->addLayout(zoomRow);

    addCheck(panel, "AntiAliasSymbols", QStringLiteral("Anti-alias rotated player symbols"),
             misc.antiAliasSymbols, misc.antiAliasSymbols);
    static_cast<QVBoxLayout *>(panel->layout())->addStretch();
    return page;
}

// --- database path ---------------------------------------------------------------------

QWidget *PreferencesDialog::buildDatabasePathGroup()
{
    databasePath = named(new QGroupBox(QStringLiteral("Change database path"), this),
                         "DatabasePathGroup");
    auto *layout = new QHBoxLayout(databasePath);
    databaseFolder = named(new QLineEdit(QDir::toNativeSeparators(session.folders.data), databasePath),
                           "DatabasePathFolder");
    databaseFolder->setReadOnly(true);
    auto *choose = named(new QPushButton(QStringLiteral("..."), databasePath), "DatabasePathButton");
    choose->setFixedWidth(30);
    connect(choose, &QPushButton::clicked, this, &PreferencesDialog::chooseDatabasePath);
    layout->addWidget(databaseFolder);
    layout->addWidget(choose);
    databasePath->hide();
    return databasePath;
}

void PreferencesDialog::chooseDatabasePath()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Change database path"),
                                          session.folders.data);
    if (folder.isEmpty())
        return;
    if (!model.storeDatabasePath(folder, session.userKey, session.computerKey)) {
        session.prompter.warn(QStringLiteral("The folder %1 cannot be written; the database path "
                                             "stays as it was.")
                                  .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    databaseFolder->setText(QDir::toNativeSeparators(withSlash(folder)));
    session.prompter.inform(QStringLiteral("Restart the program to make change effective"));
}

// A Ctrl+click on the Export or Miscellaneous panel reveals the database path.
bool PreferencesDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->modifiers().testFlag(Qt::ControlModifier))
        databasePath->show();
    return QDialog::eventFilter(watched, event);
}

// --- buttons ---------------------------------------------------------------------------

void PreferencesDialog::changed()
{
    showFontSample();
    applyButton->setEnabled(model.differs(page()));
}

void PreferencesDialog::store()
{
    model.store(page());
    changed();
}

void PreferencesDialog::showHelp()
{
    help.showTopic(PreferencesModel::helpTopic(page()));
}

void PreferencesDialog::done(int result)
{
    model.discardUnstoredCopies();
    QDialog::done(result);
}
