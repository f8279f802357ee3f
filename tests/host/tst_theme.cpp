#include "TestSupport.h"

#include "AppStyleHelper.h"
#include "CmsFontStyle.h"
#include "QssFormatHelper.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// Theme colours, per-widget styles and the host style sheet with its state-driven rules.
class TestTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void screenKeysResolve_data();
    void screenKeysResolve();
    void unknownKeysDoNotResolve_data();
    void unknownKeysDoNotResolve();
    void temperatureStatesLookDifferent();
    void formatQssFillsEveryKey();

    void separatorLineIsOnePixel();
    void widgetStyleStaysOnItsWidget();
    void unknownWidgetStyleChangesNothing();

    void stateSelectorsChangeTheLook_data();
    void stateSelectorsChangeTheLook();
    void currentFontIsTheApplicationFont();
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

void TestTheme::screenKeysResolve_data()
{
    QTest::addColumn<QString>("key");
    for (const char *key :
         {"$background_color_1", "$background_overtempsnapitem", "$border_color_1",
          "$word_anormaltemp", "$word_normaltemp", "$word_overtemp"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void TestTheme::screenKeysResolve()
{
    QFETCH(QString, key);
    const QColor colour = QssFormatHelper::findColorByKey(key);
    QVERIFY(colour.isValid());
    const QString text = QssFormatHelper::findColorStrByKey(key);
    QVERIFY(QRegularExpression("^#[0-9a-f]{6}$").match(text).hasMatch());
    QCOMPARE(QColor(text), colour);
    QVERIFY(QssFormatHelper::themeKeys().contains(key));
}

void TestTheme::unknownKeysDoNotResolve_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("empty") << QString();
    QTest::newRow("bare dollar") << "$";
    QTest::newRow("without dollar") << "word_overtemp";
    QTest::newRow("wrong case") << "$WORD_OVERTEMP";
    QTest::newRow("unknown") << "$no_such_colour";
}

void TestTheme::unknownKeysDoNotResolve()
{
    QFETCH(QString, key);
    QVERIFY(!QssFormatHelper::findColorByKey(key).isValid());
    QVERIFY(QssFormatHelper::findColorStrByKey(key).isEmpty());
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

void TestTheme::formatQssFillsEveryKey()
{
    QCOMPARE(QssFormatHelper::formatQss(
                     "QWidget{color:$word_overtemp;border:1px solid $border_color_1}"),
             QString("QWidget{color:%1;border:1px solid %2}")
                     .arg(QssFormatHelper::findColorStrByKey("$word_overtemp"),
                          QssFormatHelper::findColorStrByKey("$border_color_1")));
    QCOMPARE(QssFormatHelper::formatQss("a{color:$nope}"), QStringLiteral("a{color:transparent}"));

    const QString sheet = AppStyleHelper::hostStyleSheet();
    QVERIFY(sheet.contains("stated=\"open\""));
    QVERIFY(!sheet.contains('$'));
}

void TestTheme::separatorLineIsOnePixel()
{
    QWidget panel;
    auto *layout = new QVBoxLayout(&panel);
    auto *line = new QFrame(&panel);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet("QFrame { margin: 0px; }");
    layout->addWidget(line);
    layout->addStretch();

    AppStyleHelper::updateWidgetStyle(line, AppStyleHelper::StyleSeparatorLine);
    AppStyleHelper::updateWidgetStyle(line, AppStyleHelper::StyleSeparatorLine);
    // Re-applying replaces the host block instead of stacking copies; the own rule stays.
    QCOMPARE(line->styleSheet().count("host-style-begin"), 1);
    QVERIFY(line->styleSheet().startsWith("QFrame { margin: 0px; }"));

    panel.resize(200, 100);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(line->height(), 1);
}

void TestTheme::widgetStyleStaysOnItsWidget()
{
    QWidget parent;
    auto *child = new QLabel("child", &parent);
    AppStyleHelper::updateWidgetStyle(&parent, AppStyleHelper::StyleAlarmText);
    parent.ensurePolished();
    child->ensurePolished();
    const QColor alarm = QssFormatHelper::findColorByKey("$word_overtemp");
    QCOMPARE(parent.palette().color(QPalette::WindowText), alarm);
    QVERIFY(child->palette().color(QPalette::WindowText) != alarm);
}

void TestTheme::unknownWidgetStyleChangesNothing()
{
    QLabel label;
    label.setStyleSheet("color: red;");
    AppStyleHelper::updateWidgetStyle(&label, 9999);
    QCOMPARE(label.styleSheet(), QStringLiteral("color: red;"));
    QVERIFY(!label.property("hostStyleId").isValid());
    AppStyleHelper::updateWidgetStyle(nullptr, AppStyleHelper::StyleSeparatorLine);
}

void TestTheme::stateSelectorsChangeTheLook_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("sound") << "widgetSnapFace"
                           << "pushButtonSound" << QByteArray("stated") << "open"
                           << "close";
    QTest::newRow("left side bar") << "widgetSidebar"
                                   << "pushButtonHideSideBar" << QByteArray("stated") << "hide"
                                   << "show";
    QTest::newRow("right side bar") << "widgetSidebar_2"
                                    << "pushButtonHideSideBar" << QByteArray("stated") << "show"
                                    << "hide";
    QTest::newRow("alternate right bar") << "widgetSidebar_2"
                                         << "pbRight" << QByteArray("stated") << "hide"
                                         << "show";
    QTest::newRow("card hover") << "widgetSnap"
                                << "item" << QByteArray("selectStated") << "false"
                                << "true";
    QTest::newRow("pop-up entry") << "pop"
                                  << "label_add_to_lib" << QByteArray("CoverStated") << "false"
                                  << "true";
}

void TestTheme::stateSelectorsChangeTheLook()
{
    QFETCH(QString, container);
    QFETCH(QString, button);
    QFETCH(QByteArray, property);
    QFETCH(QString, first);
    QFETCH(QString, second);

    // The pictures named by the sheet need not exist: a missing one must not warn (the guard
    // fails the run on any warning), and the state must still show through colours.
    QVERIFY(AppStyleHelper::applyHostStyleSheet(qApp));
    QWidget top;
    top.setObjectName(container);
    QWidget *target = nullptr;
    if (property == "CoverStated") {
        target = new QLabel("Add", &top);
    } else if (property == "selectStated") {
        // Cards paint their style sheet background like the host's base widgets do.
        target = new QWidget(&top);
        target->setAttribute(Qt::WA_StyledBackground, true);
    } else {
        target = new QPushButton(&top);
    }
    target->setObjectName(button);
    target->setGeometry(0, 0, 16, 40);
    top.resize(16, 40);
    target->setProperty(property.constData(), first);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    const QImage before = target->grab().toImage();

    target->setProperty(property.constData(), second);
    AppStyleHelper::repolish(target);
    const QImage after = target->grab().toImage();
    QVERIFY2(before != after, "the two states draw the same");

    target->setProperty(property.constData(), first);
    AppStyleHelper::repolish(target);
    QCOMPARE(target->grab().toImage(), before);
}

void TestTheme::currentFontIsTheApplicationFont()
{
    QFont font = QApplication::font();
    font.setPointSize(font.pointSize() + 3);
    QApplication::setFont(font);
    QCOMPARE(CmsFontStyle::getCurrentFont(), font);
}

FEVER_TEST_MAIN(TestTheme)
#include "tst_theme.moc"
