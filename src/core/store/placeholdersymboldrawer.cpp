#include "store/placeholdersymboldrawer.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

// 3 x 5 glyphs, rows from the top, '1' for ink: digits, then A to Z.
constexpr const char *Glyphs[] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111",
    "101101111001001", "111100111001111", "111100111101111", "111001001001001",
    "111101111101111", "111101111001111",
    "010101111101101", "110101110101110", "011100100100011", "110101101101110",
    "111100110100111", "111100110100100", "011100101101011", "101101111101101",
    "111010010010111", "001001001101010", "101101110101101", "100100100100111",
    "101111111101101", "110101101101101", "010101101101010", "110101110100100",
    "010101101110011", "110101110101101", "011100010001110", "111010010010010",
    "101101101101111", "101101101101010", "101101111111101", "101101010101101",
    "101101010010010", "111001010100111",
};

const char *glyph(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return Glyphs[c.unicode() - u'0'];
    if (c >= u'A' && c <= u'Z')
        return Glyphs[10 + c.unicode() - u'A'];
    return nullptr;
}

void drawText(QPainter &painter, const QString &text, int x, int y, int dot)
{
    for (const QChar c : text) {
        if (const char *g = glyph(c)) {
            for (int i = 0; i < 15; ++i) {
                if (g[i] == '1')
                    painter.fillRect(x + (i % 3) * dot, y + (i / 3) * dot, dot, dot, Qt::black);
            }
        }
        x += 4 * dot;
    }
}

} // namespace

void PlaceholderSymbolDrawer::drawSymbol(QImage &picture, const QString &type, int number, int x,
                                         int y, double scale, bool)
{
    const int dot = std::max(1, int(std::lround(2 * scale)));
    QPainter painter(&picture);
    drawText(painter, type.left(2).toUpper(), x, y, dot);
    drawText(painter, QString::number(number), x, y + 6 * dot, dot);
}
