#include "browsercontroller.h"
#include "drawingpage.h"
#include "editorharness.h"
#include "mainwindow.h"
#include "recordinghelp.h"
#include "sketchview.h"

#include <QAction>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

// The Edit Drawing page driven with the mouse: a line drawn with a tool
// button, a player dropped from a palette, a marquee, and undo from the
// Edit menu.
class TestSketchView : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorHarness> h;
    std::unique_ptr<RecordingHelp> help;
    std::unique_ptr<MainWindow> window;
    SketchView *view = nullptr;

    QStringList rows() const
    {
        QStringList shown;
        for (const PartRow &part : std::as_const(h->session.tables.parts)) {
            if (part.Drawingnr == h->drawing() && part.Type != u"Court")
                shown << QStringLiteral("%1 %2,%3-%4,%5 %6")
                             .arg(part.Type).arg(part.x1).arg(part.y1).arg(part.x2).arg(part.y2).arg(part.Selected);
        }
        return shown;
    }

    int changedPixels(const QImage &before) const
    {
        const QImage after = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage base = before.convertToFormat(QImage::Format_RGB32);
        int changed = 0;
        for (int y = 0; y < std::min(after.height(), base.height()); ++y) {
            for (int x = 0; x < std::min(after.width(), base.width()); ++x)
                changed += after.pixel(x, y) != base.pixel(x, y);
        }
        return changed;
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<EditorHarness>();
        h->session.runtime.showHistory = true;
        help = std::make_unique<RecordingHelp>();
        window = std::make_unique<MainWindow>(h->session, *help, h->browser);
        window->browserView().fillSelectors();
        window->show();
        window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(int(MainPage::EditDrawing));
        view = window->findChild<SketchView *>(QStringLiteral("Image2"));
        QVERIFY(view);
    }

    void cleanup()
    {
        window.reset();
        help.reset();
        h.reset();
    }

    void drawsALineWithTheMouse()
    {
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("SpeedButton8")), Qt::LeftButton);
        QCOMPARE(window->drawingPage().editor().tool(), SketchEditor::Tool::Pass);
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(20, 30));
        const QImage before = view->grab().toImage();
        QTest::mouseMove(view, QPoint(120, 30));
        QVERIFY(changedPixels(before) > 50); // the rubber band follows the mouse
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(120, 30));
        QTest::mouseClick(view, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(rows(), QStringList{"ppass 20,30-120,30 0"});
        QVERIFY(!window->findChild<QToolButton *>(QStringLiteral("SpeedButton8"))->isChecked());
        QVERIFY(h->session.PlayModified);

        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(rows().isEmpty());
        QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(rows().size(), 1);
    }

    // Closing while a line is half drawn releases the tool first, as a page
    // change does: by the time the play is stored no segment is left
    // without its end form.
    void closingReleasesAHalfDrawnLine()
    {
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("SpeedButton8")), Qt::LeftButton);
        for (const QPoint at : {QPoint(20, 30), QPoint(120, 30), QPoint(120, 130)}) {
            QTest::mouseMove(view, at);
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
        }
        QCOMPARE(rows(), (QStringList{"pass 20,30-120,30 0", "pass 120,30-120,130 0"}));

        QStringList atClosing{QStringLiteral("not closed")};
        connect(window.get(), &MainWindow::closing, this, [&] { atClosing = rows(); });
        QVERIFY(window->close());
        QCOMPARE(atClosing, QStringList());
        QCOMPARE(window->drawingPage().editor().tool(), SketchEditor::Tool::None);
    }

    void dropsAPlayerFromAPalette()
    {
        auto *mime = new QMimeData;
        mime->setData(SketchView::SymbolMimeType, "5;Circle");
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        QVERIFY(enter.isAccepted());
        QApplication::sendEvent(view, &drop);
        QCOMPARE(rows(), QStringList{"Circle 90,90-0,100 0"});
        delete mime;
    }

    // A player dropped, his swim drawn with the mouse, "Add Sequence": with
    // "Automove" he stands at the end of his swim in the new sequence.
    void automoveCarriesThePlayerIntoTheNextSequence()
    {
        cleanup();
        h = std::make_unique<EditorHarness>(1);
        h->session.runtime.autoMove = true;
        help = std::make_unique<RecordingHelp>();
        window = std::make_unique<MainWindow>(h->session, *help, h->browser);
        window->browserView().fillSelectors();
        window->show();
        window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(int(MainPage::EditDrawing));
        view = window->findChild<SketchView *>(QStringLiteral("Image2"));

        QMimeData mime;
        mime.setData(SketchView::SymbolMimeType, "3;Circle");
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &drop);
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("SpeedButton9")), Qt::LeftButton);
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(105, 105));
        QTest::mouseMove(view, QPoint(150, 200));
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(150, 200));
        QTest::mouseClick(view, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(rows(), (QStringList{"Circle 90,90-0,100 0", "ploop 105,105-150,200 0"}));

        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("BitBtn3")), Qt::LeftButton);
        QCOMPARE(h->browser.sequence(), 2);
        QCOMPARE(rows(), QStringList{"Circle 139,189-0,100 0"});
    }

    void marqueeSelectsAndDeleteKeyDeletes()
    {
        for (const QPoint at : {QPoint(60, 60), QPoint(200, 200)}) {
            PartFields player;
            player.Type = QStringLiteral("Triangle");
            player.Graphicnr = 2;
            player.x1 = qint16(at.x());
            player.y1 = qint16(at.y());
            player.y2 = 100;
            h->session.data.addpart(h->drawing(), player);
        }
        QTest::mousePress(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 40));
        QTest::mouseMove(view, QPoint(120, 120));
        QTest::mouseRelease(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(120, 120));
        QCOMPARE(rows(), (QStringList{"Triangle 60,60-0,100 1", "Triangle 200,200-0,100 0"}));
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(rows(), QStringList{"Triangle 200,200-0,100 0"});
    }
};

QTEST_MAIN(TestSketchView)
#include "tst_sketchview.moc"
