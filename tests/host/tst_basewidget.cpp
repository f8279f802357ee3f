#include "TestSupport.h"

#include "BaseGuideWidget.h"
#include "BaseWidget.h"
#include "HostTesting.h"
#include "SNDialog.h"
#include "TransientTip.h"

#include <QVBoxLayout>

namespace {

class CountingWidget : public BaseWidget
{
public:
    using BaseWidget::BaseWidget;
    int shows = 0;
    int hides = 0;
    int retranslations = 0;
    void doAfterWidgetShow() override { ++shows; }
    void doAfterWidgetHide() override
    {
        ++hides;
        m_bFirstFlag = true;
    }
    void retranslateUi() override { ++retranslations; }
    bool firstFlag() const { return m_bFirstFlag; }
};

} // namespace

class TstBaseWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void showAndHideDriveTheHooks();
    void languageChangeRetranslates();
    void tipIsRecordedAndVisible_data();
    void tipIsRecordedAndVisible();
    void tipFadesAway();
    void newerTipReplacesOlder();
    void recentTipsAreBounded();
    void tipPlacement();
    void functionCardIsRecorded();
    void guideParamsAreRecorded();
    void dialogShowsAndCloses();
};

void TstBaseWidget::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform cannot size or raise real windows; nothing here depends on it.
    testsupport::allowWarning(QRegularExpression(QStringLiteral("^This plugin does not support")));
}

void TstBaseWidget::showAndHideDriveTheHooks()
{
    CountingWidget widget;
    QCOMPARE(widget.shows, 0);
    widget.show();
    QCOMPARE(widget.shows, 1);
    QCOMPARE(widget.hides, 0);
    widget.hide();
    QCOMPARE(widget.hides, 1);
    QVERIFY(widget.firstFlag());
    widget.show();
    QCOMPARE(widget.shows, 2);
}

void TstBaseWidget::languageChangeRetranslates()
{
    CountingWidget widget;
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&widget, &change);
    QCOMPARE(widget.retranslations, 1);
}

void TstBaseWidget::tipIsRecordedAndVisible_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("colour");
    QTest::newRow("success") << 1 << "rgba(32, 120, 64";
    QTest::newRow("failure") << 2 << "rgba(150, 40, 40";
    QTest::newRow("neutral") << 0 << "rgba(48, 52, 60";
    QTest::newRow("unknown kind is neutral") << 7 << "rgba(48, 52, 60";
}

void TstBaseWidget::tipIsRecordedAndVisible()
{
    QFETCH(int, kind);
    QFETCH(QString, colour);
    QWidget window;
    window.resize(800, 600);
    auto *layout = new QVBoxLayout(&window);
    auto *panel = new BaseWidget(&window);
    layout->addWidget(panel);
    window.show();

    const QString text = QStringLiteral("<b>Gate A</b> not connected");
    panel->setTips(text, kind);
    QCOMPARE(HostTesting::recentTips(panel).size(), 1);
    QCOMPARE(HostTesting::recentTips(panel).last(), qMakePair(text, kind));

    // The tip lives on the top-level window, not inside the panel's layout.
    TransientTip *tip = TransientTip::findOn(panel);
    QVERIFY(tip);
    QCOMPARE(tip->parentWidget(), &window);
    QVERIFY(tip->isVisible());
    QCOMPARE(tip->text(), text);
    QCOMPARE(tip->textFormat(), Qt::PlainText);
    QCOMPARE(tip->kind(), kind);
    QVERIFY(tip->styleSheet().contains(colour));
}

void TstBaseWidget::tipFadesAway()
{
    BaseWidget widget;
    widget.resize(400, 300);
    widget.show();
    widget.setTips(QStringLiteral("Saved"), 1);
    TransientTip *tip = TransientTip::findOn(&widget);
    QVERIFY(tip && tip->isVisible());
    QTest::qWait(TransientTip::VisibleMs / 2);
    QVERIFY(tip->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!tip->isVisible(),
                             TransientTip::VisibleMs + TransientTip::FadeMs + 2000);
    QCOMPARE(HostTesting::recentTips(&widget).size(), 1); // the record outlives the visible tip
}

void TstBaseWidget::newerTipReplacesOlder()
{
    BaseWidget widget;
    widget.resize(400, 300);
    widget.show();
    widget.setTips(QStringLiteral("first"), 2);
    TransientTip *tip = TransientTip::findOn(&widget);
    widget.setTips(QStringLiteral("second"), 1);
    QCOMPARE(TransientTip::findOn(&widget), tip);
    QCOMPARE(widget.findChildren<TransientTip *>().size(), 1);
    QCOMPARE(tip->text(), QStringLiteral("second"));
}

void TstBaseWidget::recentTipsAreBounded()
{
    BaseWidget widget;
    for (int i = 0; i < BaseWidget::MaxRecentTips + 5; ++i)
        widget.setTips(QStringLiteral("tip %1").arg(i), i % 3);
    const auto tips = HostTesting::recentTips(&widget);
    QCOMPARE(tips.size(), BaseWidget::MaxRecentTips);
    QCOMPARE(tips.first().first, QStringLiteral("tip 5"));
    QCOMPARE(tips.last().first, QStringLiteral("tip %1").arg(BaseWidget::MaxRecentTips + 4));
}

void TstBaseWidget::tipPlacement()
{
    QCOMPARE(TransientTip::placement(QSize(800, 600), QSize(200, 30)), QRect(300, 40, 200, 30));
    // A window narrower than the tip clips it to the window's width at the left edge.
    QCOMPARE(TransientTip::placement(QSize(120, 600), QSize(200, 30)), QRect(0, 40, 120, 30));
    // A very low window keeps the tip inside it.
    QCOMPARE(TransientTip::placement(QSize(800, 50), QSize(200, 30)), QRect(300, 20, 200, 30));
}

void TstBaseWidget::functionCardIsRecorded()
{
    BaseWidget widget;
    QSignalSpy requested(&widget, &BaseWidget::signalGotoFunctionCard);
    QCOMPARE(HostTesting::lastFunctionCard(&widget).nCardId, -99999);
    ParamMap params;
    params.insert(QStringLiteral("url"), QStringLiteral("/tmp/snap.jpg"));
    widget.gotoFunctionCard(27, params);
    QCOMPARE(HostTesting::lastFunctionCard(&widget).nCardId, 27);
    QCOMPARE(HostTesting::lastFunctionCard(&widget).params.value(QStringLiteral("url")).toString(),
             QStringLiteral("/tmp/snap.jpg"));
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(0).toInt(), 27);
}

void TstBaseWidget::guideParamsAreRecorded()
{
    BaseGuideWidget widget;
    QSignalSpy changed(&widget, &BaseGuideWidget::signalGuideParamChanged);
    QCOMPARE(HostTesting::guideParams(&widget).size(), 0);
    const BaseGuideWidget::GuideParam param{
            1, QRect(10, 20, 30, 40), 5, {"TK_DeviceFilterSetGuideTips"}};
    widget.updateGuideParam({param});
    QCOMPARE(HostTesting::guideParams(&widget).size(), 1);
    QCOMPARE(HostTesting::guideParams(&widget).first().nType, 1);
    QCOMPARE(HostTesting::guideParams(&widget).first().rect, QRect(10, 20, 30, 40));
    QCOMPARE(HostTesting::guideParams(&widget).first().nArrow, 5);
    QCOMPARE(HostTesting::guideParams(&widget).first().tips,
             QStringList({"TK_DeviceFilterSetGuideTips"}));
    QCOMPARE(HostTesting::guideUpdateCount(&widget), 1);
    QCOMPARE(changed.count(), 1);
}

void TstBaseWidget::dialogShowsAndCloses()
{
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    SNDialog dialog(&owner);
    dialog.resize(200, 100);
    QVERIFY(dialog.isWindow());
    QSignalSpy shown(&dialog, &SNDialog::signalDialogShown);
    QSignalSpy closed(&dialog, &SNDialog::signalDialogClosed);

    dialog.showSNDialog();
    QVERIFY(dialog.isVisible());
    QCOMPARE(shown.count(), 1);
    QCOMPARE(SNDialog::centredPosition(QRect(100, 100, 800, 600), QSize(200, 100)),
             QPoint(400, 350));

    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(closed.count(), 1);
    dialog.closeSNDialog(); // closing a closed dialog announces nothing
    QCOMPARE(closed.count(), 1);
    dialog.showSNDialog();
    dialog.closeSNDialog();
    QCOMPARE(closed.count(), 2);
}

FEVER_TEST_MAIN(TstBaseWidget)
#include "tst_basewidget.moc"
