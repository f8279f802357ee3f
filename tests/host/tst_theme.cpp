#include "TestSupport.h"

#include "AppStyleHelper.h"
#include "QssFormatHelper.h"

#include <QApplication>
#include <QPushButton>

// Theme colours and the host style sheet, as far as the plug-in leans on them.
class TestTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyColourKeyOfThePluginResolves();
    void temperatureStatesLookDifferent();
    void statedButtonsChangeTheirLook_data();
    void statedButtonsChangeTheirLook();
};

void TestTheme::initTestCase()
{
    testsupport::installWarningGuard();
    // The offscreen platform says so whenever a shown window's size hints change.
    testsupport::allowWarning(
            QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
}

void TestTheme::cleanup()
{
    qApp->setStyleSheet(QString());
}

void TestTheme::everyColourKeyOfThePluginResolves()
{
    const QStringList keys = testsupport::scanPluginSources(
            QRegularExpression(QStringLiteral("\"(\\$[a-z_0-9]+)\"")));
    QVERIFY(keys.contains(QStringLiteral("$word_overtemp")));
    for (const QString &key : keys) {
        const QString text = QssFormatHelper::findColorStrByKey(key);
        // Colours go into style sheets as "#rrggbb"; an unknown key gives an empty text.
        QVERIFY2(QRegularExpression("^#[0-9a-f]{6}$").match(text).hasMatch(),
                 qPrintable(key + ": " + text));
        QCOMPARE(QColor(text), QssFormatHelper::findColorByKey(key));
    }
}

void TestTheme::temperatureStatesLookDifferent()
{
    const QColor normal = QssFormatHelper::findColorByKey("$word_normaltemp");
    const QColor over = QssFormatHelper::findColorByKey("$word_overtemp");
    const QColor abnormal = QssFormatHelper::findColorByKey("$word_anormaltemp");
    QVERIFY(normal != over && over != abnormal && normal != abnormal);
    // Alarm red must stand out from the dark panel it is drawn on.
    QVERIFY(over.lightness()
            > QssFormatHelper::findColorByKey("$background_color_1").lightness() + 60);
}

void TestTheme::statedButtonsChangeTheirLook_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("sound") << "widgetSnapFace"
                           << "pushButtonSound"
                           << "open"
                           << "close";
    QTest::newRow("left side bar") << "widgetSidebar"
                                   << "pushButtonHideSideBar"
                                   << "hide"
                                   << "show";
    QTest::newRow("right side bar") << "widgetSidebar_2"
                                    << "pushButtonHideSideBar"
                                    << "show"
                                    << "hide";
}

void TestTheme::statedButtonsChangeTheirLook()
{
    QFETCH(QString, container);
    QFETCH(QString, button);
    QFETCH(QString, first);
    QFETCH(QString, second);

    // The screen flips "stated" and repolishes; the host sheet must draw the states apart.
    QVERIFY(AppStyleHelper::applyHostStyleSheet(qApp));
    QWidget top;
    top.setObjectName(container);
    auto *target = new QPushButton(&top);
    target->setObjectName(button);
    target->setGeometry(0, 0, 16, 40);
    top.resize(16, 40);
    target->setProperty("stated", first);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    const QImage before = target->grab().toImage();

    target->setProperty("stated", second);
    AppStyleHelper::repolish(target);
    QVERIFY2(target->grab().toImage() != before, "the two states draw the same");

    target->setProperty("stated", first);
    AppStyleHelper::repolish(target);
    QCOMPARE(target->grab().toImage(), before);
}

FEVER_TEST_MAIN(TestTheme)
#include "tst_theme.moc"
