#include "TestSupport.h"

#include "AppLanguageTr.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "QssFormatHelper.h"
#include "TempSnapRules.h"

#include <QFile>

namespace {

OrvaneAiCompareVoiceBroadcastStrategy strategyWith(int showArchive, const QString &archiveShowName,
                                                   const QString &strangerShowName)
{
    OrvaneAiCompareVoiceBroadcastStrategy strategy;
    strategy.set_show_archive(showArchive);
    strategy.set_archive_show_name(archiveShowName.toStdString());
    strategy.set_stranger_show_name(strangerShowName.toStdString());
    return strategy;
}

OrvaneAiCompareVoiceBroadcastStrategy privacy(int displayMode, int snapHandle)
{
    OrvaneAiCompareVoiceBroadcastStrategy strategy;
    strategy.set_image_display_mode(displayMode);
    strategy.set_snap_image_handle(snapHandle);
    return strategy;
}

} // namespace

class TestTempSnapRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void nameText_data()
    {
        QTest::addColumn<int>("compareResult");
        QTest::addColumn<int>("archiveId");
        QTest::addColumn<QString>("archiveName");
        QTest::addColumn<int>("showArchive");
        QTest::addColumn<QString>("archiveShowName");
        QTest::addColumn<QString>("strangerShowName");
        QTest::addColumn<bool>("consultName");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("sent");

        const auto row = [](const char *name, int compareResult, int archiveId,
                            const char *archiveName, int showArchive, const char *archiveShowName,
                            const char *strangerShowName, bool consultName, const QString &label,
                            const char *sent) {
            QTest::newRow(name) << compareResult << archiveId << QString(archiveName) << showArchive
                                << QString(archiveShowName) << QString(strangerShowName)
                                << consultName << label << QString(sent);
        };
        const QString stranger = AppLanguageTr::translate("TK_Stranger");
        // A match the face library did not confirm is never named, whatever the archive says.
        row("not compared", 0, 7, "Ann", 1, "", "", true, "...", "");
        row("custom text translated", 1, 7, "Ann", 3, "TK_Stranger", "", true, stranger, "Ann");
        row("unknown show mode", 1, 7, "Ann", 0, "", "", true, "", "Ann");
        row("named match without id at construction", 1, -99999, "Ann", 1, "", "", true, "Ann",
            "Ann");
        row("named match without id after strategy change", 1, -99999, "Ann", 1, "", "Visitor",
            false, "Visitor", "");
        row("stranger default label", 1, -99999, "", 1, "", "", true, stranger, "");
    }

    void nameText()
    {
        QFETCH(int, compareResult);
        QFETCH(int, archiveId);
        QFETCH(QString, archiveName);
        QFETCH(int, showArchive);
        QFETCH(QString, archiveShowName);
        QFETCH(QString, strangerShowName);
        QFETCH(bool, consultName);
        QFETCH(QString, label);
        QFETCH(QString, sent);

        const TempSnapRules::NameText text = TempSnapRules::nameText(
                compareResult, archiveId, archiveName,
                strategyWith(showArchive, archiveShowName, strangerShowName), consultName);
        QCOMPARE(text.label, label);
        QCOMPARE(text.name, sent);
    }

    void stateColour_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("alternate");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("cardSheet");
        QTest::addColumn<QString>("smallColour");

        const auto row = [](const char *name, int state, bool alternate, const QString &colour,
                            const char *cardSheet, const char *smallColour) {
            QTest::newRow(name) << state << alternate << colour << QString(cardSheet)
                                << QString(smallColour);
        };
        const QString normal = QssFormatHelper::findColorStrByKey("$word_normaltemp");
        const QString over = QssFormatHelper::findColorStrByKey("$word_overtemp");
        const QString abnormal = QssFormatHelper::findColorStrByKey("$word_anormaltemp");
        row("normal", 0, false, normal, "", "");
        row("over", 1, false, over, "", "");
        row("abnormal 2", 2, false, abnormal, "", "");
        row("abnormal 3", 3, false, abnormal, "", "");
        row("unknown state is normal", 9, false, normal, "", "");
        row("alt normal", 0, true, "#1a7a17", "", "color: #6ba0d0");
        row("alt over", 1, true, "#ee7d6f", "background-color: #edaaa2", "color: white");
        // The alternate screen knows only over-temperature and the rest.
        row("alt abnormal 3", 3, true, "#1a7a17", "", "color: #6ba0d0");
    }

    void stateColour()
    {
        QFETCH(int, state);
        QFETCH(bool, alternate);
        QFETCH(QString, colour);
        QFETCH(QString, cardSheet);
        QFETCH(QString, smallColour);

        QVERIFY(!colour.isEmpty());
        QCOMPARE(TempSnapRules::stateColour(state, alternate), colour);
        QCOMPARE(TempSnapRules::cardStyleSheet(state, alternate), cardSheet);
        QCOMPARE(TempSnapRules::smallLabelColour(state, alternate), smallColour);
    }

    void pictureTreatment_data()
    {
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("snapHandle");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("mosaic");
        QTest::addColumn<bool>("saveOffered"); // only the default mode offers the original
        // tst_tempsnapitem draws the private mode's mosaic and untreated pictures.

        const QString url = "/cache/snap/a.jpg";
        const QString ai = ":/images/home/charts/ai/";
        QTest::newRow("default mode ignores the handle") << 1 << 1 << 1 << url << false << true;
        QTest::newRow("private, placeholder normal")
                << 2 << 1 << 0 << ai + "image_no_show_face_normal.png" << false << false;
        QTest::newRow("private, placeholder over")
                << 2 << 1 << 1 << ai + "image_no_show_face_overTemp.png" << false << false;
        QTest::newRow("private, placeholder abnormal 2")
                << 2 << 1 << 2 << ai + "image_no_show_face_abnormal.png" << false << false;
        QTest::newRow("unset mode") << 0 << 2 << 0 << url << false << false;
    }

    void pictureTreatment()
    {
        QFETCH(int, displayMode);
        QFETCH(int, snapHandle);
        QFETCH(int, state);
        QFETCH(QString, source);
        QFETCH(bool, mosaic);
        QFETCH(bool, saveOffered);

        const auto strategy = privacy(displayMode, snapHandle);
        QCOMPARE(TempSnapRules::saveOffered(strategy), saveOffered);
        QCOMPARE(TempSnapRules::pictureSource("/cache/snap/a.jpg", state, strategy), source);
        QCOMPARE(TempSnapRules::pictureTreatment(strategy)
                         == TempSnapRules::PictureTreatment::Mosaic,
                 mosaic);
        if (source.startsWith(":/"))
            QVERIFY2(QFile::exists(source), qPrintable(source));
    }

    void temperatureText_data()
    {
        QTest::addColumn<int>("thermometryResult");
        QTest::addColumn<int>("state");
        QTest::addColumn<double>("temperature");
        QTest::addColumn<bool>("hideNegative");
        QTest::addColumn<QString>("text");

        const QString withUnit = "36.5U";
        const QString normal = AppLanguageTr::translate("TK_Normal");
        const QString over = AppLanguageTr::translate("TK_OverTemperature");
        const QString abnormal = AppLanguageTr::translate("TK_AbnormalTemperature");
        QTest::newRow("number") << 1 << 0 << 36.5 << true << withUnit;
        QTest::newRow("hidden") << 2 << 0 << 36.5 << true << "";
        QTest::newRow("unknown mode") << 0 << 1 << 36.5 << true << "";
        QTest::newRow("verdict normal") << 3 << 0 << 36.5 << true << normal;
        QTest::newRow("verdict over") << 3 << 1 << 38.5 << true << over;
        QTest::newRow("verdict abnormal 2") << 3 << 2 << 36.5 << true << abnormal;
        QTest::newRow("verdict abnormal 3") << 3 << 3 << 36.5 << true << abnormal;
        QTest::newRow("negative, number") << 1 << 0 << -1.0 << true << "...";
        QTest::newRow("negative, verdict") << 3 << 1 << -5.0 << true << "...";
    }

    void temperatureText()
    {
        QFETCH(int, thermometryResult);
        QFETCH(int, state);
        QFETCH(double, temperature);
        QFETCH(bool, hideNegative);
        QFETCH(QString, text);

        QCOMPARE(TempSnapRules::temperatureText(thermometryResult, state, "36.5U", temperature,
                                                hideNegative),
                 text);
    }

    void rememberedFolderDropsOnlyTheTrailingName()
    {
        // The card's save test covers the usual paths; here the file name occurs earlier in the
        // path too, and only the trailing one goes.
        QCOMPARE(TempSnapRules::folderToRemember("/x/a.jpg/a.jpg"), QString("/x/a.jpg/"));
        QCOMPARE(TempSnapRules::suggestedSavePath("/x/a.jpg/", "/cache/a.jpg"),
                 QString("/x/a.jpg/a.jpg"));
    }

    void sizesGrowWithTheCard()
    {
        // Card size values: 3 small, 2 medium, 1 big; 0 is unset and means small.
        for (bool alternate : {false, true}) {
            QList<TempSnapRules::CardGeometry> bySize;
            for (int cardSize : {3, 2, 1})
                bySize << TempSnapRules::cardGeometry(cardSize, alternate);
            const QSize base = TempSnapRules::baseCardSize(alternate);
            QCOMPARE(QSize(bySize.first().nWidth, bySize.first().nHeight), base);
            const TempSnapRules::CardGeometry unset = TempSnapRules::cardGeometry(0, alternate);
            QCOMPARE(unset.nSizeMode, bySize.first().nSizeMode);
            QCOMPARE(unset.nWidth, bySize.first().nWidth);
            for (int i = 1; i < bySize.size(); ++i) {
                QVERIFY(bySize.at(i).nWidth > bySize.at(i - 1).nWidth);
                QVERIFY(bySize.at(i).nHeight > bySize.at(i - 1).nHeight);
                const TempSnapRules::SizeStyle smaller =
                        TempSnapRules::sizeStyle(bySize.at(i - 1).nSizeMode);
                const TempSnapRules::SizeStyle larger =
                        TempSnapRules::sizeStyle(bySize.at(i).nSizeMode);
                QVERIFY(larger.nTextPx > smaller.nTextPx && larger.nTempPx > smaller.nTempPx);
                QVERIFY(larger.fBadgeScale > smaller.fBadgeScale);
            }
        }
        // The alternate screen's cards are smaller at every size.
        for (int cardSize : {3, 2, 1})
            QVERIFY(TempSnapRules::cardGeometry(cardSize, true).nWidth
                    < TempSnapRules::cardGeometry(cardSize, false).nWidth);
        // 330 x 1.3f lies just below 429 in float arithmetic; a double product would give 429.
        QCOMPARE(TempSnapRules::cardGeometry(2, false).nWidth, 428);
        const TempSnapRules::SizeStyle unknown = TempSnapRules::sizeStyle(7);
        QCOMPARE(unknown.nTextPx, TempSnapRules::sizeStyle(1).nTextPx);
    }

    void pictureAndBadgeGeometry_data()
    {
        QTest::addColumn<int>("cardWidth");
        QTest::addColumn<int>("cardHeight");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("badge");

        // Badge of 40 x 20. 137 x 0.8 = 109.6; 208 x 0.8 = 166.4.
        QTest::newRow("small") << 330 << 143 << 1.0f << QSize(109, 137) << QRect(273, 118, 40, 20);
        QTest::newRow("big") << 495 << 214 << 1.5f << QSize(166, 208) << QRect(418, 179, 60, 30);
        // 130 - 6 = 124, x 0.8 = 99.2: truncated, not rounded.
        QTest::newRow("form size")
                << 280 << 130 << 1.0f << QSize(99, 124) << QRect(223, 105, 40, 20);
    }

    void pictureAndBadgeGeometry()
    {
        QFETCH(int, cardWidth);
        QFETCH(int, cardHeight);
        QFETCH(float, scale);
        QFETCH(QSize, picture);
        QFETCH(QRect, badge);

        QCOMPARE(TempSnapRules::pictureSize(cardHeight), picture);
        QCOMPARE(TempSnapRules::badgeGeometry(cardWidth, cardHeight, 40, 20, scale), badge);
    }

    void noMaskBadgeFallsBackToPlainBadge()
    {
        const QString plain = ":/images/home/charts/ai/NOMASK.png";
        QVERIFY(QFile::exists(plain));
        // tst_tempsnapitem shows the badges of languages 1 and 96. No badge is drawn for language
        // 31; the plain one stands in.
        QVERIFY(!QFile::exists(":/images/home/charts/ai/NOMASK31.png"));
        QCOMPARE(TempSnapRules::noMaskBadgePath(31), plain);
    }

    void timedClear_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<uint>("created");
        QTest::addColumn<int>("clearTime");
        QTest::addColumn<bool>("cleared");

        QTest::newRow("never by time, hours old") << qint64(50000) << 1000u << 0 << false;
        QTest::newRow("exactly due") << qint64(1010) << 1000u << 10 << true;
        QTest::newRow("one second early") << qint64(1009) << 1000u << 10 << false;
        QTest::newRow("one second clear time") << qint64(1001) << 1000u << 1 << true;
    }

    void timedClear()
    {
        QFETCH(qint64, now);
        QFETCH(uint, created);
        QFETCH(int, clearTime);
        QFETCH(bool, cleared);
        QCOMPARE(TempSnapRules::isClearedByTime(now, created, clearTime), cleared);
    }
};

FEVER_TEST_MAIN(TestTempSnapRules)
#include "tst_tempsnaprules.moc"
