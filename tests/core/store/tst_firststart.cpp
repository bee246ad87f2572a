// The work of every start: checking, creating and repairing the data files,
// counting the start, default settings and symbol pictures.

#include "recordingprompter.h"
#include "store/datafiles.h"
#include "store/datamodule.h"
#include "store/packet/datapacketfile.h"
#include "platform/defaultprinter.h"
#include "store/defaultsettings.h"
#include "store/firststart.h"
#include "store/placeholdersymboldrawer.h"
#include "store/symbolpictures.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class FakePrinter : public DefaultPrinter {
public:
    explicit FakePrinter(const QString &name) : printerName(name) {}
    QString name() const override { return printerName; }
    void setPortrait() override { ++portraitCalls; }

    QString printerName;
    int portraitCalls = 0;
};

// A stand-in for the real renderer that notes how it was asked to draw.
class RecordingDrawer : public SymbolDrawer {
public:
    struct Call {
        int x, y;
        double scale;
        bool antialias;
    };
    QHash<QString, Call> calls;

    void drawSymbol(QImage &picture, const QString &type, int, int x, int y, double scale,
                    bool antialias) override
    {
        calls.insert(type, {x, y, scale, antialias});
        picture.setPixel(x, y, qRgb(0, 0, 0));
    }
};

struct Start {
    Tables tables;
    DataModule data{tables};
    RecordingPrompter prompter;
    FirstStartResult result;
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwrite(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class FirstStartTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString dataFolder, controlFolder;

    QString dataFile(const QString &name) const
    {
        return QDir(name == DataFiles::ControlFile ? controlFolder : dataFolder).filePath(name);
    }

    std::unique_ptr<Start> start(DefaultPrinter *printer = nullptr)
    {
        auto s = std::make_unique<Start>();
        PlaceholderSymbolDrawer drawer;
        s->result = FirstStart(s->data, s->prompter, drawer, printer).run(dataFolder, controlFolder);
        return s;
    }

    // What the program does when it closes.
    void closeDown(Start &s)
    {
        DataFiles files(dataFolder, controlFolder, s.prompter);
        QString error;
        QVERIFY2(files.SaveParamDataset(s.tables, &error), qPrintable(error));
        QVERIFY2(files.SaveControlDataset(s.tables, &error), qPrintable(error));
    }

    // A playbook that has been used: started, a setting changed, a data
    // folder chosen, closed.
    void usedPlaybook()
    {
        auto s = start();
        QVERIFY(s->result.ok);
        s->data.setparam(QStringLiteral("Zfactor"), QString(), false, 120);
        s->data.setcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("COACH"),
                               QStringLiteral("POOLPC"), 0, QStringLiteral("/pool/plays/"));
        closeDown(*s);
    }

    static void verifyDefaults(const DataModule &data, int counter)
    {
        const auto defaults = defaultSettings();
        QCOMPARE(data.tables().params.size(), qsizetype(defaults.size()));
        for (const DefaultSetting &setting : defaults) {
            const ParamValue value = data.getparam(QString::fromLatin1(setting.key));
            const int number = qstrcmp(setting.key, "Counter") == 0 ? counter : setting.number;
            QVERIFY2(value.text == QLatin1String(setting.text) && value.filled == setting.filled
                         && value.number == number,
                     setting.key);
        }
    }

    static void verifyPictures(const Tables &tables)
    {
        const QList<SymbolPictures::Symbol> symbols = SymbolPictures::standard();
        QCOMPARE(symbols.size(), 201);
        QCOMPARE(tables.graphics.size(), 201);
        QSet<QString> keys;
        for (const GraphRow &row : tables.graphics) {
            keys.insert(row.Type.toLower() + u'/' + QString::number(row.Graphicnr));
            QCOMPARE(row.Graphic.size(), QSize(39, 33));
            const bool chair = row.Type == QLatin1String("Ochair") || row.Type == QLatin1String("Dchair");
            // 24-bit pictures come back from PNG as 32-bit ones without alpha.
            QVERIFY(chair ? row.Graphic.depth() >= 24 && !row.Graphic.hasAlphaChannel()
                          : row.Graphic.depth() == 1);
            QVERIFY(SymbolPictures::isPlaceholder(row.Graphic));
        }
        QCOMPARE(keys.size(), 201);
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        dataFolder = dir->filePath(QStringLiteral("data/"));
        controlFolder = dir->filePath(QStringLiteral("control/"));
        QVERIFY(QDir().mkpath(dataFolder) && QDir().mkpath(controlFolder));
    }

    void firstStartInEmptyFolder()
    {
        auto s = start();
        QVERIFY2(s->result.ok, qPrintable(s->result.error));
        QCOMPARE(s->result.firstStartCount, 4);
        for (const QString &name : {QString(DataFiles::GraphicFile), QString(DataFiles::ParamFile),
                                   QString(DataFiles::ControlFile)})
            QVERIFY(QFile::exists(dataFile(name)));
        verifyDefaults(s->data, 0);
        QCOMPARE(s->tables.graphics.size(), 201);
        for (const GraphRow &row : s->tables.graphics) {
            const bool chair = row.Type == QLatin1String("Ochair") || row.Type == QLatin1String("Dchair");
            QCOMPARE(row.Graphic.format(), chair ? QImage::Format_RGB888 : QImage::Format_Mono);
        }
        QVERIFY(s->tables.controls.isEmpty());
        QVERIFY(s->prompter.messages.isEmpty());
    }

    void laterStartsCountAndChangeNothingElse()
    {
        auto first = start();
        first->data.setcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("COACH"),
                                   QStringLiteral("POOLPC"), 0, QStringLiteral("/pool/plays/"));
        closeDown(*first);
        const QByteArray pictures = contents(dataFile(DataFiles::GraphicFile));

        for (int counter = 1; counter <= 2; ++counter) {
            auto s = start();
            QVERIFY2(s->result.ok, qPrintable(s->result.error));
            QCOMPARE(s->result.firstStartCount, 0);
            QCOMPARE(s->data.getparam(QStringLiteral("Counter")).number, counter);
            verifyDefaults(s->data, counter);
            verifyPictures(s->tables);
            QVERIFY(s->prompter.messages.isEmpty());
            closeDown(*s);
        }
        QCOMPARE(contents(dataFile(DataFiles::GraphicFile)), pictures);
    }

    void deletedSettingsFileBringsDefaultsBack()
    {
        usedPlaybook();
        auto second = start();
        QCOMPARE(second->data.getparam(QStringLiteral("Zfactor")).number, 120);
        closeDown(*second);
        QVERIFY(QFile::remove(dataFile(DataFiles::ParamFile)));

        auto s = start();
        QVERIFY(s->result.ok);
        QCOMPARE(s->result.firstStartCount, 1);
        verifyDefaults(s->data, 0);
        verifyPictures(s->tables);
        QCOMPARE(s->data.getcontroltext(QStringLiteral("DatabasePath"), QStringLiteral("COACH"),
                                        QStringLiteral("POOLPC")),
                 QStringLiteral("/pool/plays/"));
    }

    void damagedFileIsPutAsideAndMadeAnew_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("count");
        const QList<QPair<QString, int>> files = {{DataFiles::GraphicFile, 0},
                                                  {DataFiles::ParamFile, -1},
                                                  {DataFiles::ControlFile, -1}};
        for (const auto &[file, count] : files) {
            for (const char *damage : {"garbage", "truncated", "zero bytes", "foreign table"})
                QTest::addRow("%s %s", qPrintable(file), damage) << file << damage << count;
        }
    }
    void damagedFileIsPutAsideAndMadeAnew()
    {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QFETCH(int, count);
        usedPlaybook();
        const QString path = dataFile(file);
        const QByteArray good = contents(path);
        QByteArray damaged;
        if (damage == QLatin1String("garbage"))
            damaged = QByteArrayLiteral("\x89\x00 not a data packet \xff").repeated(50);
        else if (damage == QLatin1String("truncated"))
            damaged = good.left(good.size() / 2);
        if (damage == QLatin1String("foreign table")) {
            DataPacket players;
            players.fields = {{QStringLiteral("Name"), FieldType::String, 20, true}};
            players.rows = {{QStringLiteral("Goalie")}};
            QString error;
            QVERIFY(DataPacketFile::write(path, players, &error));
            damaged = contents(path);
        } else {
            overwrite(path, damaged);
        }

        auto s = start();
        QVERIFY2(s->result.ok, qPrintable(s->result.error));
        QCOMPARE(s->result.firstStartCount, count);
        QCOMPARE(contents(path + QStringLiteral(".damaged")), damaged);
        DataPacket made;
        QString error;
        QCOMPARE(DataPacketFile::read(path, made, &error), DataPacketFile::Status::Ok);

        QCOMPARE(s->prompter.messages.size(), 1);
        QCOMPARE(s->prompter.kinds.first(), Prompter::Kind::Warning);
        QVERIFY(s->prompter.messages.first().contains(file));
        QVERIFY(s->prompter.messages.first().contains(file + QStringLiteral(".damaged")));

        verifyPictures(s->tables);
        const QString databasePath = s->data.getcontroltext(
            QStringLiteral("DatabasePath"), QStringLiteral("COACH"), QStringLiteral("POOLPC"));
        if (file == DataFiles::ParamFile) {
            QVERIFY(s->prompter.messages.first().contains(QLatin1String("address book")));
            verifyDefaults(s->data, 0);
        } else {
            QCOMPARE(s->data.getparam(QStringLiteral("Zfactor")).number, 120);
            QCOMPARE(s->data.getparam(QStringLiteral("Counter")).number, 1);
        }
        QCOMPARE(databasePath.isEmpty(), file == DataFiles::ControlFile);
    }

    void everyDamagedCopyIsKept()
    {
        usedPlaybook();
        const QString path = dataFile(DataFiles::ParamFile);
        for (const QByteArray &damaged : {QByteArray("first"), QByteArray("second")}) {
            overwrite(path, damaged);
            auto s = start();
            QVERIFY(s->result.ok);
            closeDown(*s);
        }
        QCOMPARE(contents(path + QStringLiteral(".damaged")), QByteArray("first"));
        QCOMPARE(contents(path + QStringLiteral(".damaged2")), QByteArray("second"));
    }

    // A start that never reached the close-down leaves files without rows;
    // they are made anew without a word.
    void emptyFilesAreMadeAnewQuietly()
    {
        auto first = start();
        QVERIFY(first->result.ok);
        auto s = start();
        QVERIFY(s->result.ok);
        QCOMPARE(s->result.firstStartCount, 0); // each empty file costs 1 and adds 1
        verifyDefaults(s->data, 0);
        verifyPictures(s->tables);
        QVERIFY(s->prompter.messages.isEmpty());
        QCOMPARE(QDir(dataFolder).entryList(QDir::Files).size(), 2);
    }

    void fileThatCannotBeWrittenStopsTheStart()
    {
        usedPlaybook();
        const QByteArray settings = contents(dataFile(DataFiles::ParamFile));
        QVERIFY(QDir(controlFolder).removeRecursively());

        auto s = start();
        QVERIFY(!s->result.ok);
        QVERIFY2(s->result.error.contains(QLatin1String("wcontrol.cds")), qPrintable(s->result.error));
        QCOMPARE(contents(dataFile(DataFiles::ParamFile)), settings);
    }

    void defaultPrinter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("printmod");
        QTest::newRow("HP") << "HP LaserJet 4" << 1;
        QTest::newRow("Hewlett in lower case") << "hewlett laser" << 1;
        QTest::newRow("Packard") << "Office Packer" << 1;
        QTest::newRow("other make") << "Brother HL" << 2;
        QTest::newRow("none") << "" << 2;
    }
    void defaultPrinter()
    {
        QFETCH(QString, name);
        QFETCH(int, printmod);
        FakePrinter printer(name);
        auto first = start(&printer);
        QCOMPARE(first->data.getprintparams().Printmod, printmod == 1 ? 1 : 3);
        first->data.setparam(QStringLiteral("Printmod"), QString(), true, 2);
        closeDown(*first);

        auto s = start(&printer);
        QCOMPARE(s->data.getprintparams().Printmod, printmod);
        QCOMPARE(printer.portraitCalls, name.isEmpty() ? 0 : 2);
    }

    void placeholderPicturesAreRedrawnOnce()
    {
        auto first = start();
        closeDown(*first);
        auto s = start();
        RecordingDrawer renderer;
        QCOMPARE(SymbolPictures::redrawPlaceholders(s->tables.graphics, renderer), 201);
        QCOMPARE(SymbolPictures::redrawPlaceholders(s->tables.graphics, renderer), 0);
        PlaceholderSymbolDrawer placeholder;
        QCOMPARE(SymbolPictures::redrawPlaceholders(s->tables.graphics, placeholder), 0);

        const auto call = renderer.calls.value(QStringLiteral("Circlef"));
        QCOMPARE(QList<double>({double(call.x), double(call.y), call.scale}), QList<double>({10, 7, 1.0}));
        QVERIFY(!call.antialias);
        const auto coach = renderer.calls.value(QStringLiteral("Coach"));
        QCOMPARE(QList<double>({double(coach.x), double(coach.y), coach.scale}), QList<double>({6, 4, 1.1}));
        QVERIFY(renderer.calls.value(QStringLiteral("Dchair")).antialias);
        QCOMPARE(renderer.calls.value(QStringLiteral("pass")).x, 0);
        for (const GraphRow &row : std::as_const(s->tables.graphics)) {
            QVERIFY(!SymbolPictures::isPlaceholder(row.Graphic));
            const auto drawn = renderer.calls.value(row.Type);
            QCOMPARE(row.Graphic.pixel(drawn.x, drawn.y), qRgb(0, 0, 0));
        }
    }
};

QTEST_GUILESS_MAIN(FirstStartTest)
#include "tst_firststart.moc"
