#include "helpviewer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestHelpViewer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTopicHasAPage_data();
    void everyTopicHasAPage();
    void unknownTopicsOpenTheContents_data();
    void unknownTopicsOpenTheContents();
    void linksLeadToPages();
};

void TestHelpViewer::everyTopicHasAPage_data()
{
    QTest::addColumn<QString>("topic");
    for (const char *topic : {"overview", "edit", "text", "playlist", "addplay", "plugin",
                              "Mailidentity", "Miscellaneoussettings", "Defaultfont",
                              "Exportsettings"})
        QTest::newRow(topic) << QString::fromLatin1(topic);
}

void TestHelpViewer::everyTopicHasAPage()
{
    QFETCH(QString, topic);
    HelpViewer viewer;
    viewer.showTopic(topic);
    QCOMPARE(viewer.currentPage(), QUrl("qrc:/help/" + topic + ".html"));
}

void TestHelpViewer::unknownTopicsOpenTheContents_data()
{
    QTest::addColumn<QString>("topic");
    QTest::newRow("unknown") << QStringLiteral("nosuchtopic");
    QTest::newRow("empty") << QString();
    QTest::newRow("wrong case") << QStringLiteral("Overview");
    QTest::newRow("outside the help") << QStringLiteral("../resources");
}

void TestHelpViewer::unknownTopicsOpenTheContents()
{
    QFETCH(QString, topic);
    HelpViewer viewer;
    viewer.showTopic(topic);
    QCOMPARE(viewer.currentPage(), QUrl("qrc:/help/index.html"));
    viewer.showContents();
    QCOMPARE(viewer.currentPage(), QUrl("qrc:/help/index.html"));
}

void TestHelpViewer::linksLeadToPages()
{
    QVERIFY(!HelpViewer::pageOf(QStringLiteral("index")).isEmpty());
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList();
    QVERIFY(pages.size() >= 11);
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    for (const QString &page : pages) {
        QFile file(QStringLiteral(":/help/") + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const auto &match : link.globalMatch(html)) {
            const QString target = match.captured(1);
            QVERIFY2(QFile::exists(QStringLiteral(":/help/") + target),
                     qPrintable(page + " -> " + target));
        }
    }
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
