#include "symbolpalette.h"

#include <QDrag>
#include <QHBoxLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Palette pictures are small; they are shown twice their size.
constexpr int Magnification = 2;

} // namespace

SymbolPalette::SymbolPalette(const QString &name, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    picture = new QLabel(this);
    picture->setObjectName(name);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::Box);
    picture->setBackgroundRole(QPalette::Base);
    picture->setAutoFillBackground(true);
    layout->addWidget(picture, 1);

    auto *navigator = new QWidget(this);
    navigator->setObjectName(QString(name).replace(QStringLiteral("Image"), QStringLiteral("Navigator")));
    auto *buttons = new QHBoxLayout(navigator);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    const auto add = [&](const char *objectName, const QString &tip, const QString &label,
                         auto action) {
        auto *button = new QToolButton(navigator);
        button->setObjectName(QLatin1String(objectName));
        button->setToolTip(tip);
        button->setText(label);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(button, &QToolButton::clicked, this, action);
        buttons->addWidget(button);
    };
    add("First", QStringLiteral("First"), QStringLiteral("|<"), [this] { first(); });
    add("Prior", QStringLiteral("Prior"), QStringLiteral("<"), [this] { step(-1); });
    add("Next", QStringLiteral("Next"), QStringLiteral(">"), [this] { step(1); });
    add("Last", QStringLiteral("Last"), QStringLiteral(">|"), [this] { last(); });
    layout->addWidget(navigator);
}

void SymbolPalette::setRows(QList<GraphRow> newRows)
{
    rows = std::move(newRows);
    show(0);
}

void SymbolPalette::makeDragSource(const QString &mimeType)
{
    dragMimeType = mimeType;
    picture->installEventFilter(this);
}

// A press on the picture starts the drag at once, without a threshold.
bool SymbolPalette::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != picture || event->type() != QEvent::MouseButtonPress
        || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return false;
    const GraphRow *row = current();
    if (!row)
        return true;
    Q_EMIT picked();
    auto *data = new QMimeData;
    data->setData(dragMimeType, QStringLiteral("%1;%2").arg(row->Graphicnr).arg(row->Type).toUtf8());
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    if (!row->Graphic.isNull())
        drag->setPixmap(QPixmap::fromImage(row->Graphic));
    drag->setHotSpot(QPoint(10, 10));
    drag->exec(Qt::CopyAction);
    return true;
}

const GraphRow *SymbolPalette::current() const
{
    return index < rows.size() ? &rows.at(index) : nullptr;
}

void SymbolPalette::first()
{
    show(0);
}

void SymbolPalette::step(int by)
{
    show(std::clamp<qsizetype>(index + by, 0, std::max<qsizetype>(rows.size() - 1, 0)));
}

void SymbolPalette::last()
{
    show(std::max<qsizetype>(rows.size() - 1, 0));
}

void SymbolPalette::show(qsizetype at)
{
    index = at;
    const GraphRow *row = current();
    if (!row || row->Graphic.isNull())
        picture->clear();
    else
        picture->setPixmap(QPixmap::fromImage(row->Graphic.scaled(
            row->Graphic.size() * Magnification, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    Q_EMIT currentChanged();
}
