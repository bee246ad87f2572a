#include "splashwindow.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr int Width = 450;
constexpr int Height = 300;

// The colours of the default court.
const QColor Deck(248, 248, 210);
const QColor Water(24, 173, 247);
const QColor Border(0, 0, 112);

void drawPool(QPainter &p, const QRect &pool)
{
    p.fillRect(pool.adjusted(-8, -8, 8, 8), Deck);
    p.fillRect(pool, Water);
    p.setPen(QPen(Border, 2));
    p.drawRect(pool);

    // Two- and five-metre lines and the half-way line.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1, Qt::DashLine));
    for (double at : {0.08, 0.2, 0.5, 0.8, 0.92}) {
        const int x = pool.left() + int(pool.width() * at);
        p.drawLine(x, pool.top(), x, pool.bottom());
    }

    // Goals at both ends.
    p.setPen(QPen(Qt::white, 3));
    const int mid = pool.center().y();
    p.drawRect(pool.left() - 6, mid - 14, 6, 28);
    p.drawRect(pool.right(), mid - 14, 6, 28);

    // Players and a pass towards the goal.
    p.setRenderHint(QPainter::Antialiasing);
    const QPoint from(pool.left() + 150, pool.top() + 30);
    const QPoint to(pool.left() + 60, mid);
    p.setPen(QPen(Qt::white, 2, Qt::DashLine));
    p.drawLine(from, to);
    p.setPen(QPen(Border, 2));
    p.setBrush(Qt::white);
    for (const QPoint &player : {from, to, QPoint(pool.left() + 110, pool.bottom() - 25)})
        p.drawEllipse(player, 9, 9);
    p.setBrush(QColor(102, 102, 255));
    for (const QPoint &defender : {QPoint(pool.left() + 80, mid - 30), QPoint(pool.left() + 135, mid + 10)})
        p.drawEllipse(defender, 9, 9);
    p.setBrush(QColor(255, 214, 0));
    p.drawEllipse(from + QPoint(10, -8), 5, 5);
}

} // namespace

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(Width, Height);
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0, QColor(0, 32, 96));
    sky.setColorAt(1, Border);
    p.fillRect(rect(), sky);

    drawPool(p, QRect(40, 120, 370, 150));

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"), 34, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 18, Width, 60), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Quorvane"));
    p.setFont(QFont(QStringLiteral("Arial"), 11));
    p.drawText(QRect(0, 76, Width, 24), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Version " QUORVANE_VERSION_TEXT " "));
}
