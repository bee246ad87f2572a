#include "drawingpage.h"

#include "render/renderer.h"
#include "shell/playbrowser.h"
#include "shell/session.h"
#include "sketchview.h"
#include "symbolpalette.h"

#include <QCheckBox>
#include <QIcon>
#include <QInputDialog>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include <functional>

namespace {

constexpr int IconSize = 24;

// A line tool's picture: a short stroke of its kind, drawn by the renderer.
QIcon lineIcon(const QString &endType, RenderContext &context)
{
    QImage picture(IconSize, IconSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    Canvas canvas(picture);
    PartFields part;
    part.Type = endType;
    part.x1 = 3;
    part.y1 = 20;
    part.x2 = 20;
    part.y2 = 4;
    part.thickness = 1;
    part.color2 = -1;
    draw_symbol(canvas, part, 1, false, context);
    return QIcon(QPixmap::fromImage(picture));
}

QIcon shapeIcon(const std::function<void(QPainter &)> &draw)
{
    QImage picture(IconSize, IconSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    draw(painter);
    return QIcon(QPixmap::fromImage(picture));
}

SymbolPalette *palette(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *palette = new SymbolPalette(QLatin1String(name), parent);
    palette->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("DBImage"), QStringLiteral("Palette")));
    palette->setGeometry(geometry);
    palette->makeDragSource(SketchView::SymbolMimeType);
    return palette;
}

QList<GraphRow> rowsOf(const QList<GraphRow> &graphics, const std::function<bool(const GraphRow &)> &wanted)
{
    QList<GraphRow> rows;
    for (const GraphRow &row : graphics) {
        if (wanted(row))
            rows.append(row);
    }
    return rows;
}

} // namespace

DrawingPage::DrawingPage(Session &session, PlayBrowser &browser, SketchView *view, QTabWidget *toolTabs,
                         QWidget *dialogParent)
    : QObject(view), session(session), browser(browser), view(view), dialogParent(dialogParent),
      sketchEditor(std::make_unique<SketchEditor>(session, static_cast<EditorHost &>(*this)))
{
    view->setEditor(sketchEditor.get());
    buildTools(toolTabs->widget(0));
    connect(toolTabs, &QTabWidget::currentChanged, this, &DrawingPage::toolsTabChanged);
}

DrawingPage::~DrawingPage()
{
    view->setEditor(nullptr);
}

void DrawingPage::buildTools(QWidget *players)
{
    RenderContext context(session.data, session.folders.program);
    const auto line = [&](const char *name, SketchEditor::Tool tool, const QString &tip, const char *end, QPoint at) {
        toolButton(players, name, tool, tip, at)->setIcon(lineIcon(QLatin1String(end), context));
    };
    line("SpeedButton9", SketchEditor::Tool::Loop, QStringLiteral("Swim"), "ploop", {6, 6});
    line("SpeedButton8", SketchEditor::Tool::Pass, QStringLiteral("Pass"), "ppass", {36, 6});
    line("SpeedButton7", SketchEditor::Tool::Dribbel, QStringLiteral("Swim with the ball"), "pdribbel", {66, 6});
    line("SpeedButton6", SketchEditor::Tool::Screen, QStringLiteral("Screen"), "pscreen", {96, 6});
    line("SpeedButton5", SketchEditor::Tool::Shot, QStringLiteral("Shot"), "pshot", {126, 6});
    toolButton(players, "SpeedButton1", SketchEditor::Tool::Ellipse, QStringLiteral("Ellipse area"), {6, 36})
        ->setIcon(shapeIcon([](QPainter &p) { p.drawEllipse(QRect(2, 6, 19, 12)); }));
    toolButton(players, "SpeedButton2", SketchEditor::Tool::Poly, QStringLiteral("Polygon area"), {36, 36})
        ->setIcon(shapeIcon([](QPainter &p) {
            p.drawPolygon(QPolygon({QPoint(3, 19), QPoint(8, 4), QPoint(20, 8), QPoint(17, 20)}));
        }));
    toolButton(players, "SpeedButton3", SketchEditor::Tool::Text, QStringLiteral("Text"), {66, 36})
        ->setIcon(shapeIcon([](QPainter &p) {
            QFont font = p.font();
            font.setPixelSize(16);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, QStringLiteral("T"));
        }));
    // No tool draws these kinds; their buttons are never shown.
    toolButton(players, "SpeedButton4", SketchEditor::Tool::Fast, QString(), {96, 36})->hide();
    toolButton(players, "SpeedButton10", SketchEditor::Tool::Back, QString(), {126, 36})->hide();

    curvedLines = new QCheckBox(QStringLiteral("Curved lines"), players);
    curvedLines->setObjectName(QStringLiteral("CheckBox6"));
    curvedLines->setGeometry(164, 6, 150, 20);
    connect(curvedLines, &QCheckBox::toggled, this, [this](bool on) { sketchEditor->setCurvedLines(on); });

    snap = new QCheckBox(QStringLiteral("Snap"), players);
    snap->setObjectName(QStringLiteral("CheckBox5"));
    snap->setGeometry(164, 36, 70, 20);
    grid = new QSpinBox(players);
    grid->setObjectName(QStringLiteral("Edit2"));
    grid->setGeometry(236, 34, 60, 24);
    grid->setRange(5, 100);
    grid->setSingleStep(5);
    grid->setValue(20);
    grid->setEnabled(false);
    connect(snap, &QCheckBox::clicked, this, &DrawingPage::snapChanged);
    connect(grid, &QSpinBox::valueChanged, this, &DrawingPage::snapChanged);

    offense = palette(players, "DBImage2", {6, 70, 96, 110});
    defense = palette(players, "DBImage3", {110, 70, 96, 110});
    equipment = palette(players, "DBImage4", {214, 70, 96, 110});
    for (SymbolPalette *symbols : {offense, defense, equipment})
        connect(symbols, &SymbolPalette::picked, this, [this] { sketchEditor->pickFromPalette(); });

    auto *remove = new QPushButton(QStringLiteral("Delete"), players);
    remove->setObjectName(QStringLiteral("BitBtn7"));
    remove->setGeometry(214, 186, 96, 24);
    connect(remove, &QPushButton::clicked, this, [this] { sketchEditor->deleteSelection(); });
}

QToolButton *DrawingPage::toolButton(QWidget *parent, const char *name, SketchEditor::Tool tool,
                                     const QString &tip, QPoint at)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    button->setToolTip(tip);
    button->setGeometry(QRect(at, QSize(28, 28)));
    button->setIconSize(QSize(IconSize, IconSize));
    tools.insert(button, tool);
    connect(button, &QToolButton::toggled, this, [this, button](bool down) { toolClicked(button, down); });
    return button;
}

// At most one tool button is down; pressing the one that is down releases it.
void DrawingPage::toolClicked(QToolButton *button, bool down)
{
    if (down) {
        for (auto it = tools.cbegin(); it != tools.cend(); ++it) {
            if (it.key() != button) {
                const QSignalBlocker quiet(it.key());
                it.key()->setChecked(false);
            }
        }
    }
    sketchEditor->chooseTool(down ? tools.value(button) : SketchEditor::Tool::None);
}

void DrawingPage::preparePalettes()
{
    const QList<GraphRow> &graphics = session.tables.graphics;
    const QString offenseKind = playerKindForStyle(true, session.data.getparam(QStringLiteral("Offense")).text);
    const QString defenseKind = playerKindForStyle(false, session.data.getparam(QStringLiteral("Defense")).text);
    static const QStringList players{"Court", "Circle", "Triangle", "Ncross", "Ocross", "Otriangl", "Dcircle",
                                     "Ochair", "Dchair", "Osquare", "Dsquare", "Opop", "Dpop"};
    offense->setRows(rowsOf(graphics, [&](const GraphRow &row) { return row.Type == offenseKind; }));
    defense->setRows(rowsOf(graphics, [&](const GraphRow &row) { return row.Type == defenseKind; }));
    equipment->setRows(rowsOf(graphics, [](const GraphRow &row) {
        return !players.contains(row.Type) && row.Graphicnr > 0;
    }));
    const QSignalBlocker quietSnap(snap);
    const QSignalBlocker quietGrid(grid);
    snap->setChecked(session.runtime.snap);
    grid->setValue(std::clamp(session.runtime.gridSize, 5, 100));
    grid->setEnabled(session.runtime.snap);
}

void DrawingPage::firstPlayers()
{
    offense->first();
    defense->first();
}

void DrawingPage::snapChanged()
{
    if (sketchEditor->objectsSelected())
        sketchEditor->freeSelected();
    grid->setEnabled(snap->isChecked());
    session.runtime.snap = snap->isChecked();
    session.runtime.gridSize = grid->value();
    session.data.setparam(QStringLiteral("Snap"), QString(), snap->isChecked(), grid->value());
}

void DrawingPage::toolsTabChanged(int index)
{
    toolButtonsUp();
    sketchEditor->chooseTool(SketchEditor::Tool::None);
    if (index == 1)
        sketchEditor->freeSelected();
}

// --- the editor's host ---------------------------------------------------------------

int DrawingPage::sequence() const
{
    return browser.sequence();
}

void DrawingPage::sketchChanged()
{
    Q_EMIT sketchEdited();
}

void DrawingPage::overlayChanged()
{
    view->update();
}

void DrawingPage::setCursor(EditorCursor cursor)
{
    switch (cursor) {
    case EditorCursor::Normal: view->unsetCursor(); break;
    case EditorCursor::OverHandle: view->setCursor(Qt::SizeAllCursor); break;
    case EditorCursor::Dragging: view->setCursor(Qt::ClosedHandCursor); break;
    }
}

void DrawingPage::toolButtonsUp()
{
    for (auto it = tools.cbegin(); it != tools.cend(); ++it) {
        const QSignalBlocker quiet(it.key());
        it.key()->setChecked(false);
    }
}

void DrawingPage::setCurvedLinesEnabled(bool enabled)
{
    curvedLines->setEnabled(enabled);
}

// The text dialog with its fonts and frames arrives with the element
// dialogs; until then the text is asked for plainly and takes the default
// text font.
bool DrawingPage::editSketchText(PartFields &text)
{
    bool ok = false;
    const QString entered = QInputDialog::getMultiLineText(dialogParent, QStringLiteral("Sketch text"),
                                                           QStringLiteral("Text:"), text.tekst, &ok);
    if (!ok)
        return false;
    text.tekst = entered.left(FieldSize::Tekst);
    if (text.fontname.isEmpty()) {
        text.fontname = session.data.getparam(QStringLiteral("Fname1")).text;
        text.thickness = session.data.getparam(QStringLiteral("Fsize")).number;
    }
    if (text.thickness <= 0)
        text.thickness = 10;
    return true;
}

// The property dialogs of the elements arrive with their own work.
void DrawingPage::editProperties(int, int)
{
}

void DrawingPage::advancePalette(PaletteSide side)
{
    (side == PaletteSide::Offense ? offense : defense)->step(1);
}
