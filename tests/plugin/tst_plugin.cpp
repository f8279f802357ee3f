#include "TestSupport.h"

#include "EpidemicPreviewPlugin.h"
#include "ScreenFactory.h"

#include "AppConfigHelper.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class TestPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    // Must stay the first case: it checks the ids of a freshly loaded library.
    void windowIdsAreClassWideAndNeverReused()
    {
        QWidget host;
        EpidemicPreviewPlugin first;
        EpidemicPreviewPlugin second;

        QCOMPARE(first.init(&host), 1);
        QCOMPARE(second.init(&host), 2);
        QCOMPARE(first.init(&host), 3);

        // Each object knows only the windows it built.
        QVERIFY(first.getWidget(1));
        QVERIFY(!first.getWidget(2));
        QVERIFY(second.getWidget(2));
        QVERIFY(!second.getWidget(1));

        QVERIFY(first.uninit(3));
        QVERIFY(!first.uninit(3));
        QVERIFY(!first.getWidget(3));
        // Neither uninit nor another object lowers the counter.
        QCOMPARE(first.init(&host), 4);
        QCOMPARE(second.init(&host), 5);
        // An id registered by the other object is not this object's to remove.
        QVERIFY(!second.uninit(4));
        QVERIFY(first.getWidget(4));
        // Ids below 1 (0, and -1 for a failed init) are never handed out.
        QVERIFY(!first.getWidget(0) && !first.getWidget(-1));
        QVERIFY(!first.uninit(0) && !first.uninit(-1));
    }

    void parentedScreenIsLeftToItsParent()
    {
        auto host = std::make_unique<QWidget>();
        EpidemicPreviewPlugin plugin;
        const int released = plugin.init(host.get());
        const int kept = plugin.init(host.get());
        QPointer<BaseWidget> screen = plugin.getWidget(released);
        QVERIFY(screen);
        QCOMPARE(screen->parentWidget(), host.get());

        QVERIFY(plugin.uninit(released));
        testsupport::flushDeferredDeletes();
        QVERIFY(screen);
        QCOMPARE(screen->parentWidget(), host.get());

        // Regression: the registry kept a raw pointer, so a host that deleted the parent
        // before uninit got a dangling screen back. With a plain pointer getWidget would
        // return the stale, non-null address here.
        QVERIFY(plugin.getWidget(kept));
        host.reset();
        QVERIFY(screen.isNull());
        QVERIFY(!plugin.getWidget(kept));
        QVERIFY(plugin.uninit(kept));
        QVERIFY(!plugin.uninit(kept));
    }

    void parentlessScreenGoesThroughTheEventLoopAndOutlivesThePlugin()
    {
        QPointer<BaseWidget> released;
        QPointer<BaseWidget> kept;
        {
            EpidemicPreviewPlugin plugin;
            const int id = plugin.init(nullptr);
            released = plugin.getWidget(id);
            kept = plugin.getWidget(plugin.init(nullptr));
            QVERIFY(released && kept);
            QVERIFY(plugin.uninit(id));
            // Never deleted inside the call: the host may still be on the screen's stack.
            QVERIFY(released);
        }
        testsupport::flushDeferredDeletes();
        QVERIFY(released.isNull());
        QVERIFY(kept); // still registered when the plugin went: the host's to delete
        delete kept.data();
    }

    void screenOfEachVariant_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QByteArray>("screenClass");
        QTest::newRow("0") << 0 << QByteArray("EpidemicPreview");
        QTest::newRow("1") << 1 << QByteArray("TempScreeningSW02");
        QTest::newRow("99") << 99 << QByteArray("EpidemicPreview");
    }

    void screenOfEachVariant()
    {
        QFETCH(int, variant);
        QFETCH(QByteArray, screenClass);
        AppConfigOEM oem = AppConfigHelper::instance()->getOEMConfig();
        const AppConfigOEM saved = oem;
        oem.nPreviewScreenType = variant;
        AppConfigHelper::instance()->setOEMConfig(oem);

        QWidget host;
        EpidemicPreviewPlugin plugin;
        BaseWidget *screen = plugin.getWidget(plugin.init(&host));
        AppConfigHelper::instance()->setOEMConfig(saved);
        QCOMPARE(QByteArray(screen->metaObject()->className()), screenClass);

        std::unique_ptr<BaseWidget> built(createScreen(variant, nullptr));
        QCOMPARE(QByteArray(built->metaObject()->className()), screenClass);
        QVERIFY(!built->parent());
    }
};

FEVER_TEST_MAIN(TestPlugin)
#include "tst_plugin.moc"
