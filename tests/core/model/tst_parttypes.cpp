#include "render/canvas.h"
#include "model/parttypes.h"

#include <QTest>

class TestPartTypes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void classification_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("symbol");
        QTest::addColumn<bool>("equipment");
        QTest::addColumn<bool>("ball");
        QTest::addColumn<bool>("line");
        QTest::addColumn<bool>("lineEnd");
        QTest::addColumn<int>("level");

        QTest::newRow("Court") << "Court" << false << false << false << false << false << 0;
        QTest::newRow("ellipse") << "ellipse" << false << false << false << false << false << 1000;
        QTest::newRow("ppoly") << "ppoly" << false << false << false << false << false << 1000;
        QTest::newRow("Text") << "Text" << false << false << false << false << false << 2000;
        QTest::newRow("Goal") << "Goal" << true << true << false << false << false << 3000;
        QTest::newRow("pylon lower case") << "pylon" << true << true << false << false << false << 3000;
        QTest::newRow("Circle") << "Circle" << true << false << false << false << false << 4000;
        QTest::newRow("circle") << "circle" << true << false << false << false << false << 4000;
        QTest::newRow("Triangf") << "Triangf" << true << false << false << false << false << 4000;
        QTest::newRow("Coach") << "Coach" << true << false << false << false << false << 4000;
        QTest::newRow("Ball") << "Ball" << false << false << true << false << false << 5000;
        QTest::newRow("BALLF") << "BALLF" << false << false << true << false << false << 5000;
        QTest::newRow("pass") << "pass" << false << false << false << true << false << 6000;
        QTest::newRow("ppass") << "ppass" << false << false << false << true << true << 6000;
        QTest::newRow("Pass is not a line") << "Pass" << false << false << false << false << false << 6000;
        QTest::newRow("dribbel") << "dribbel" << false << false << false << true << false << 6000;
        QTest::newRow("pfast") << "pfast" << false << false << false << true << true << 6000;
        QTest::newRow("unknown") << "Zebra" << false << false << false << false << false << 1000;
    }
    void classification()
    {
        QFETCH(QString, type);
        QFETCH(bool, symbol);
        QFETCH(bool, equipment);
        QFETCH(bool, ball);
        QFETCH(bool, line);
        QFETCH(bool, lineEnd);
        QFETCH(int, level);
        QCOMPARE(is_symbol(type), symbol);
        QCOMPARE(is_equipment(type), equipment);
        QCOMPARE(is_ball(type), ball);
        QCOMPARE(is_line(type), line);
        QCOMPARE(is_line_end(type), lineEnd);
        QCOMPARE(default_level(type), level);
    }

    void lineEndCode_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("end");
        QTest::newRow("pass") << "pass" << "ppass";
        QTest::newRow("ppass") << "ppass" << "ppass";
        QTest::newRow("shot") << "shot" << "pshot";
        QTest::newRow("pshot") << "pshot" << "pshot";
        QTest::newRow("poly") << "poly" << "poly";
        QTest::newRow("loop") << "loop" << "ploop";
        QTest::newRow("dribbel") << "dribbel" << "pdribbel";
    }
    void lineEndCode()
    {
        QFETCH(QString, type);
        QFETCH(QString, end);
        QCOMPARE(line_end_code(type), end);
    }

    void numberLabels()
    {
        QCOMPARE(number_label(1), QStringLiteral("1"));
        QCOMPARE(number_label(13), QStringLiteral("13"));
        QCOMPARE(number_label(14), QString());
        QCOMPARE(number_label(0), QString());
        QCOMPARE(number_label(-3), QString());
    }

    void goalkeeperColours()
    {
        const SideColors sides{rgb(255, 255, 255), rgb(102, 102, 255)};
        QCOMPARE(default_player_color(1, QStringLiteral("Circle"), sides), rgb(255, 0, 0));
        QCOMPARE(default_player_color(1, QStringLiteral("Circlef"), sides), sides.offense);
        QCOMPARE(default_player_color(2, QStringLiteral("Circle"), sides), sides.offense);
        QCOMPARE(default_player_color(1, QStringLiteral("Dchair"), sides), rgb(255, 0, 0));
        QCOMPARE(default_player_color(3, QStringLiteral("Triangf"), sides), sides.defense);
        QCOMPARE(default_player_color(3, QStringLiteral("Ocross"), sides), 0);
        QCOMPARE(adjust_goalkeeper_color(1, QStringLiteral("Dpop"), sides.defense, sides), rgb(255, 0, 0));
        QCOMPARE(adjust_goalkeeper_color(1, QStringLiteral("Dpop"), rgb(1, 2, 3), sides), rgb(1, 2, 3));
        QCOMPARE(adjust_goalkeeper_color(2, QStringLiteral("Dpop"), sides.defense, sides), sides.defense);
    }
};

QTEST_GUILESS_MAIN(TestPartTypes)
#include "tst_parttypes.moc"
