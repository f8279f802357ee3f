#include "TestSupport.h"

#include "AppLanguageTr.h"
#include "FlieDataTransfer.h"
#include "NoshowVideoWidget.h"
#include "PaintedPieceRules.h"
#include "PlatformPictureStore.h"
#include "QssFormatHelper.h"
#include "ScreenPictrueWidget.h"
#include "ScreenPicturePath.h"
#include "SnapHeadWidget.h"

#include <QFile>
#include <QLabel>

namespace {

ST_MSGVoiceBroadcastStrategy placeholderStrategy(int thermometryResult)
{
    ST_MSGVoiceBroadcastStrategy strategy;
    strategy.set_thermometry_result(thermometryResult);
    strategy.vecScreenText = {{1, "TK_KeepOut", "TK_Stop"},
                              {0, "TK_Welcome", "TK_Pass"},
                              {1, "TK_Second", "TK_SecondResult"}};
    return strategy;
}

QLabel *pictureLabel(ScreenPictrueWidget &widget)
{
    return widget.findChild<QLabel *>(QStringLiteral("label"));
}

} // namespace

// The pieces painted over the video: head ring geometry and mask, placeholder texts, colours and
// fonts, and the screen picture's download rules.
class TestPaintedPieces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }
    void cleanup() { testsupport::clearAllowedWarnings(); }

    void headRingScalesWithHeight_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("margin");
        QTest::newRow("130") << QSize(130, 130) << 6 << 3;
        QTest::newRow("65") << QSize(65, 65) << 3 << 1;
    }

    void headRingScalesWithHeight()
    {
        QFETCH(QSize, size);
        QFETCH(int, width);
        QFETCH(int, margin);
        const PaintedPieceRules::HeadRing ring = PaintedPieceRules::headRing(size);
        QCOMPARE(ring.width, width);
        QCOMPARE(ring.margin, margin);
        QCOMPARE(ring.diameter, size.width() - 2 * margin);

        // Only the disc can be seen: the corner is masked away, the centre and ring are not.
        SnapHeadWidget head;
        head.resize(size);
        head.show(); // a hidden widget gets its resize event only when shown
        const QRegion mask = head.mask();
        QVERIFY(!mask.contains(QPoint(0, 0)));
        QVERIFY(mask.contains(QPoint(size.width() / 2, size.height() / 2)));
        QVERIFY(mask.contains(QPoint(size.width() / 2, margin)));
    }

    void headKeepsLastImagePerKeyAndRingColour()
    {
        SnapHeadWidget head;
        head.resize(130, 130);
        QImage first(10, 10, QImage::Format_RGB32);
        first.fill(Qt::blue);
        QImage second(10, 10, QImage::Format_RGB32);
        second.fill(Qt::yellow);
        head.setImage(first, 4);
        head.setImage(second, 4);
        QCOMPARE(head.image(4).pixel(0, 0), QColor(Qt::yellow).rgb());
        QVERIFY(head.image(5).isNull());

        // The drawn face is the last set; the ring turns red for over temperature only.
        head.setState(1);
        QImage shot = head.grab().toImage();
        QCOMPARE(shot.pixelColor(65, 65), QColor(Qt::yellow));
        QCOMPARE(shot.pixelColor(65, 5), QColor("#e2645e"));
        head.setState(2);
        shot = head.grab().toImage();
        QCOMPARE(shot.pixelColor(65, 5), QColor("#b8e5af"));
    }

    void placeholderTextsByThermometryResult_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("colourKey");
        const auto row = [](const char *tag, int result, int state, const char *temperature,
                            const char *first, const char *colourKey) {
            QTest::newRow(tag) << result << state << QString(temperature) << QString(first)
                               << QString(colourKey);
        };
        row("reading, over", 1, 1, "38.2", "TK_Stop", "$word_overtemp");
        row("verdict, normal", 3, 0, "TK_Normal", "TK_Pass", "$word_normaltemp");
        row("verdict, over", 3, 1, "TK_OverTemperature", "TK_Stop", "$word_overtemp");
        row("verdict, abnormal", 3, 3, "TK_AbnormalTemperature", "", "$word_anormaltemp");
        row("no temperature", 2, 0, "", "TK_Pass", "$word_normaltemp");
    }

    void placeholderTextsByThermometryResult()
    {
        QFETCH(int, result);
        QFETCH(int, state);
        QFETCH(QString, temperature);
        QFETCH(QString, first);
        QFETCH(QString, colourKey);
        NoshowVideoWidget placeholder;
        placeholder.setStrategy(placeholderStrategy(result));
        placeholder.setTemperature(QStringLiteral("38.2"), state);
        QCOMPARE(placeholder.temperatureText(), AppLanguageTr::translate(temperature));
        // The first entry of the state wins over a later one.
        QCOMPARE(placeholder.firstLineText(), first);
        QCOMPARE(placeholder.stateColour(), QssFormatHelper::findColorByKey(colourKey));

        // An unknown state keeps the colour of the last one.
        placeholder.setTemperature(QStringLiteral("36.0"), 7);
        QCOMPARE(placeholder.stateColour(), QssFormatHelper::findColorByKey(colourKey));
        QVERIFY(placeholder.firstLineText().isEmpty());
    }

    void placeholderFontsScaleWithHeight()
    {
        NoshowVideoWidget placeholder;
        placeholder.resize(900, 660);
        placeholder.show();
        QTRY_COMPARE(placeholder.scale(), 1.0);
        QCOMPARE(PaintedPieceRules::placeholderFirstPointSize(placeholder.scale()), 55);
        QCOMPARE(PaintedPieceRules::placeholderSecondPointSize(placeholder.scale()), 36);
        QCOMPARE(PaintedPieceRules::placeholderFirstBox(QSize(800, 640)), QRect(0, 240, 640, 640));
        QCOMPARE(PaintedPieceRules::placeholderSecondBox(QSize(800, 640)),
                 QRect(160, 400, 800, 640));
    }

    void screenPictureDownloadsAndLastRequestWins()
    {
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(!PlatformPictureStore::store("cmu_pic/voice/a.png", red).isEmpty());
        QVERIFY(!PlatformPictureStore::store("cmu_pic/voice/b.png", red).isEmpty());

        ScreenPictrueWidget widget;
        widget.setPicture("cmu_pic/voice/a.png");
        widget.setPicture("cmu_pic/voice/b.png");
        const QString local = ScreenPicturePath::localPath("cmu_pic/voice/b.png");
        // Both downloads complete; whichever lands first, the label ends on the last request.
        QTRY_COMPARE(pictureLabel(widget)->styleSheet(), "QLabel{image:url(" + local + ")}");
        QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
        testsupport::settle();
        QCOMPARE(pictureLabel(widget)->styleSheet(), "QLabel{image:url(" + local + ")}");

        // An empty name clears at once and downloads nothing.
        widget.setPicture(QString());
        QCOMPARE(pictureLabel(widget)->styleSheet(), QStringLiteral("QLabel{}"));
        QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);

        // A name leaving the folder downloads nothing; the label keeps what it had.
        testsupport::allowWarning(QRegularExpression("not a file inside the voice picture"));
        widget.setPicture("../../escape.png");
        QCOMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
        QCOMPARE(pictureLabel(widget)->styleSheet(), QStringLiteral("QLabel{}"));
    }

    void screenPictureStyleSheetRefusesBadFiles()
    {
        const QString folder = ScreenPicturePath::folder();
        QFile junk(folder + "/junk.png");
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.close(); // zero bytes
        QImage good(4, 4, QImage::Format_RGB32);
        good.fill(Qt::green);
        QVERIFY(good.save(folder + "/good.png") && good.save(folder + "/bad).png"));
        QVERIFY(ScreenPictrueWidget::pictureStyleSheet(folder + "/junk.png").isEmpty());
        QVERIFY(ScreenPictrueWidget::pictureStyleSheet(folder + "/bad).png").isEmpty());
        QCOMPARE(ScreenPictrueWidget::pictureStyleSheet(folder + "/good.png"),
                 "QLabel{image:url(" + folder + "/good.png)}");
    }
};

FEVER_TEST_MAIN(TestPaintedPieces)
#include "tst_paintedpieces.moc"
