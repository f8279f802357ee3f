#include "SnapBuilder.h"
#include "TestSupport.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"
#include "BaseHelper.h"
#include "FileDataCacheGroup.h"
#include "HostTesting.h"
#include "ImageProcessHelper.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "TempSnapItem.h"
#include "TempSnapRules.h"
#include "TemperatureReading.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <memory>

using snaptest::SnapBuilder;

// What the card itself does with the rules of TempSnapRules (tested on their own): which
// label gets which text, the announcement timer, the picture, resizing, language and saving.
namespace {

OrvaneAiCompareVoiceBroadcastStrategy displayStrategy(int displayMode = 1, int snapHandle = 3,
                                                      int thermometryResult = 1,
                                                      int showArchive = 1)
{
    OrvaneAiCompareVoiceBroadcastStrategy strategy;
    strategy.set_image_display_mode(displayMode);
    strategy.set_snap_image_handle(snapHandle);
    strategy.set_thermometry_result(thermometryResult);
    strategy.set_show_archive(showArchive);
    return strategy;
}

QLabel *label(QWidget *card, const char *name)
{
    return card->findChild<QLabel *>(QString::fromLatin1(name));
}

QImage normalised(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage shownPicture(QWidget *card, const char *name = "labelImage")
{
    return normalised(label(card, name)->pixmap(Qt::ReturnByValue).toImage());
}

QImage expectedPicture(const QImage &source, int cardHeight)
{
    return normalised(source.scaled(TempSnapRules::pictureSize(cardHeight), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation));
}

} // namespace

class TestTempSnapItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::installWarningGuard();
        QVERIFY(m_dir.isValid());
        m_strUrl = snaptest::writeFacePicture(m_dir.path(), "face.png");
        QVERIFY(!m_strUrl.isEmpty());

        OrvaneDevice device;
        device.set_id(990001);
        device.set_device_uid("CARDDEV");
        device.set_device_name("<b>Gate</b> <img src=x>");
        OrvaneChannel channel;
        channel.set_id(990002);
        channel.set_channel_no(1);
        HostTesting::addDevice(device, {channel});
        m_strChannel = VornClient::makeChannelUID("CARDDEV", 1);
    }

    void cleanup()
    {
        TempSnapItem::setSaveFileNameAsker({});
        AppConfigHelper::instance()->setOEMConfig(AppConfigOEM());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void showsRecordAsPlainText()
    {
        auto item = card(snap().name("<img src=x>").temperature(37.2), displayStrategy());

        QCOMPARE(label(item.get(), "labelName")->text(), QString("<img src=x>"));
        QCOMPARE(label(item.get(), "labelTime")->text(), QString("08:09:10"));
        QCOMPARE(label(item.get(), "labelDeviceName")->text(), QString("<b>Gate</b> <img src=x>"));
        QCOMPARE(label(item.get(), "labelTemp")->text(),
                 VORNClientAIManager::instance()->convertNumberToTemperature(37.2f, true, true));

        // Rich text would turn the name into a (broken) image a few pixels wide; as plain text it
        // needs the width of its eleven characters.
        for (const char *name : {"labelName", "labelTime", "labelDeviceName", "labelTemp"}) {
            QLabel *text = label(item.get(), name);
            QCOMPARE(text->textFormat(), Qt::PlainText);
            QVERIFY2(text->sizeHint().width()
                             >= text->fontMetrics().horizontalAdvance(text->text()),
                     name);
        }
    }

    void announcesLiveRecordOnceAfterDelay()
    {
        // The strategy hides the name on the card; the announcement still carries it, with the
        // unit-less temperature, the state, the time, the archive group and the mask status.
        QElapsedTimer clock;
        clock.start();
        auto item = card(snap().state(1).temperature(38.4).mask(2).announce(),
                         displayStrategy(1, 3, 1, 2));
        QSignalSpy spy(item.get(), &TempSnapItem::sendTempInfo);
        QCOMPARE(label(item.get(), "labelName")->text(), QString("..."));
        QCOMPARE(spy.count(), 0);

        QTRY_COMPARE(spy.count(), 1);
        QVERIFY2(clock.elapsed() >= TempSnapItem::SendTempInfoDelayMs,
                 qPrintable(QString::number(clock.elapsed())));
        const QList<QVariant> args = spy.first();
        QCOMPARE(args.at(0).toString(), QString("Ann"));
        QCOMPARE(args.at(1).toString(),
                 VORNClientAIManager::instance()->convertNumberToTemperature(38.4f, false, true));
        QCOMPARE(args.at(2).toInt(), 1);
        QCOMPARE(args.at(3).toString(), QString("08:09:10"));
        QCOMPARE(args.at(4).toInt(), 3);
        QCOMPARE(args.at(5).toInt(), 2);
        QTest::qWait(2 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(spy.count(), 1);
    }

    // Readings a faulty device may send must become "no reading", never a float conversion out
    // of range (undefined behaviour) or an empty temperature that is still announced.
    void readings_data()
    {
        const float none = TemperatureReading::NoReading;
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addColumn<double>("reading");
        QTest::addColumn<float>("expected");
        QTest::addColumn<QString>("cardText"); // with thermometry result 1: the number
        QTest::newRow("body temperature") << 36.5 << 36.5f << QStringLiteral("36.5\u2103");
        // Zero is a reading, announced; anything below is not, however little.
        QTest::newRow("zero") << 0.0 << 0.0f << QStringLiteral("0.0\u2103");
        QTest::newRow("just below zero") << -0.04 << -0.04f << QStringLiteral("...");
        QTest::newRow("lowest") << -100.0 << -100.0f << QStringLiteral("...");
        QTest::newRow("highest") << 200.0 << 200.0f << QStringLiteral("200.0\u2103");
        QTest::newRow("above the highest") << 200.5 << none << QStringLiteral("...");
        QTest::newRow("below the lowest") << -100.5 << none << QStringLiteral("...");
        QTest::newRow("not a number") << std::nan("") << none << QStringLiteral("...");
        QTest::newRow("infinity") << inf << none << QStringLiteral("...");
        QTest::newRow("minus infinity") << -inf << none << QStringLiteral("...");
        QTest::newRow("beyond float") << 1e300 << none << QStringLiteral("...");
        QTest::newRow("beyond float, negative") << -1e300 << none << QStringLiteral("...");
    }

    void readings()
    {
        QFETCH(double, reading);
        QFETCH(float, expected);
        QFETCH(QString, cardText);
        QCOMPARE(TemperatureReading::toFloat(reading), expected);
        auto item = card(snap().temperature(reading).announce(), displayStrategy());
        QSignalSpy announced(item.get(), &TempSnapItem::sendTempInfo);
        QCOMPARE(label(item.get(), "labelTemp")->text(), cardText);
        // Three times the delay: long enough for a wrongly sent announcement to show up.
        QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(announced.count(), expected >= 0.0f ? 1 : 0);
    }

    void strategyChangeReappliesRules()
    {
        // A match that has a name but no archive id: named at construction, a stranger afterwards,
        // while the announced name stays what the construction decided.
        auto item =
                card(snap().stranger().name("Ann").compareResult(1).temperature(-2.0).announce(),
                     displayStrategy(2, 2));
        QSignalSpy spy(item.get(), &TempSnapItem::sendTempInfo);
        QWidget *border = item->findChild<QWidget *>("widgetBorder");
        QCOMPARE(label(item.get(), "labelName")->text(), QString("Ann"));
        QCOMPARE(label(item.get(), "labelTemp")->text(), QString("..."));
        QVERIFY(border->isVisibleTo(item.get()));

        OrvaneAiCompareVoiceBroadcastStrategy next = displayStrategy(2, 1);
        next.set_stranger_show_name("Visitor");
        item->setStrategy(next);
        QCOMPARE(label(item.get(), "labelName")->text(), QString("Visitor"));
        QVERIFY(!border->isVisibleTo(item.get()));
        QImage placeholder;
        QVERIFY(FileDataCacheGroup::findImageData(TempSnapRules::placeholderPicture(0),
                                                  placeholder));
        QCOMPARE(shownPicture(item.get()), expectedPicture(placeholder, 143));
        // The negative rule belongs to the construction only.
        QCOMPARE(label(item.get(), "labelTemp")->text(),
                 VORNClientAIManager::instance()->convertNumberToTemperature(-2.0f, true, true));

        QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
        QCOMPARE(spy.count(), 0); // still a negative reading
    }

    void pictureTreatment_data()
    {
        QTest::addColumn<int>("snapHandle");
        QTest::addColumn<QString>("treatment");

        // Private mode throughout; which handle means what is the rules' business.
        QTest::newRow("untreated") << 3 << "plain";
        QTest::newRow("placeholder") << 1 << "placeholder";
        QTest::newRow("mosaic") << 2 << "mosaic";
    }

    void pictureTreatment()
    {
        QFETCH(int, snapHandle);
        QFETCH(QString, treatment);

        const int state = 1;
        auto item = card(snap().state(state), displayStrategy(2, snapHandle));
        QWidget *border = item->findChild<QWidget *>("widgetBorder");
        QVERIFY(border);

        QImage source = snaptest::facePicture();
        if (treatment == "placeholder")
            QVERIFY(FileDataCacheGroup::findImageData(TempSnapRules::placeholderPicture(state),
                                                      source));
        else if (treatment == "mosaic")
            source = ImageProcessHelper::tryFullImageMosaic(source, source.height() / 32);
        QCOMPARE(shownPicture(item.get()), expectedPicture(source, 143));
        QCOMPARE(label(item.get(), "labelImage")->size(), TempSnapRules::pictureSize(143));

        QCOMPARE(border->isVisibleTo(item.get()), treatment == "mosaic");
        if (treatment == "mosaic") {
            QCOMPARE(border->styleSheet(),
                     TempSnapRules::borderStyleSheet(TempSnapRules::stateColour(state, false)));
        }
    }

    void missingPictureLeavesLabelUnchanged()
    {
        auto item = card(snap().picture(m_dir.path() + "/never-downloaded.jpg"), displayStrategy());
        QVERIFY(label(item.get(), "labelImage")->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(label(item.get(), "labelName")->text(), QString("Ann")); // the card still shows

        QVERIFY(item->setPicUrl(m_strUrl));
        const QImage before = shownPicture(item.get());
        QVERIFY(!item->setPicUrl(m_dir.path() + "/gone.jpg"));
        QCOMPARE(shownPicture(item.get()), before);
    }

    void alternateStyleFromOemConfiguration()
    {
        AppConfigOEM oem;
        oem.nPreviewScreenType = 1;
        QVERIFY(AppConfigHelper::instance()->setOEMConfig(oem));
        // The constructor without the flag reads it from the host's configuration.
        TempSnapItem item(snap().state(1).record(), nullptr, 286, 121, displayStrategy());
        QCOMPARE(item.styleSheet(), TempSnapRules::cardStyleSheet(1, true));
        QVERIFY(!item.styleSheet().isEmpty());
        item.show(); // delivers the pending resize
        QCOMPARE(label(&item, "labelName")->styleSheet(),
                 TempSnapRules::smallLabelStyleSheet(12, TempSnapRules::smallLabelColour(1, true)));
        QCOMPARE(label(&item, "labelTemp")->styleSheet(),
                 TempSnapRules::tempLabelStyleSheet(20, TempSnapRules::stateColour(1, true)));
    }

    void resizeSetsFontsPictureAndBadge()
    {
        auto item = card(snap().mask(2), displayStrategy());
        auto *badge = item->findChild<QLabel *>("labelNoMask");
        QVERIFY(badge);
        const QSize natural = badge->size();
        QVERIFY(!natural.isEmpty());
        QCOMPARE(badge->pos(), QPoint(330 - natural.width() - 17, 143 - natural.height() - 5));

        item->setSizeMode(2);
        item->setFixedSize(495, 214);
        item->show();
        const TempSnapRules::SizeStyle style = TempSnapRules::sizeStyle(2);
        const QString small = TempSnapRules::smallLabelStyleSheet(style.nTextPx, QString());
        for (const char *name : {"labelTime", "labelName", "labelDeviceName"})
            QCOMPARE(label(item.get(), name)->styleSheet(), small);
        QCOMPARE(label(item.get(), "labelTemp")->styleSheet(),
                 TempSnapRules::tempLabelStyleSheet(style.nTempPx,
                                                    TempSnapRules::stateColour(0, false)));
        QCOMPARE(label(item.get(), "labelImage")->size(), TempSnapRules::pictureSize(214));
        QCOMPARE(badge->geometry(),
                 TempSnapRules::badgeGeometry(495, 214, natural.width(), natural.height(),
                                              style.fBadgeScale));

        // No badge without the no-mask status.
        QVERIFY(!card(snap().mask(1), displayStrategy())->findChild<QLabel *>("labelNoMask"));
    }

    void badgeFollowsLanguage()
    {
        QImage english;
        QImage chinese;
        QVERIFY(FileDataCacheGroup::findImageData(TempSnapRules::noMaskBadgePath(1), english));
        QVERIFY(FileDataCacheGroup::findImageData(TempSnapRules::noMaskBadgePath(96), chinese));
        QVERIFY(normalised(english) != normalised(chinese));
        auto *translation = AppTranslationHelper::instance();
        QCOMPARE(translation->currentLanguage(), int(AppTranslationHelper::English));

        auto item = card(snap().mask(2), displayStrategy());
        QCOMPARE(shownPicture(item.get(), "labelNoMask"), normalised(english));

        // The language change reaches a parentless card through a posted event.
        QVERIFY(translation->setCurrentLanguage(AppTranslationHelper::Chinese));
        QTRY_COMPARE(shownPicture(item.get(), "labelNoMask"), normalised(chinese));
        QVERIFY(translation->setCurrentLanguage(AppTranslationHelper::English));
        QTRY_COMPARE(shownPicture(item.get(), "labelNoMask"), normalised(english));
    }

    void saveOfferedOnlyInDefaultMode()
    {
        for (int displayMode : {1, 2}) {
            auto item = card(snap(), displayStrategy(displayMode, 3));
            item->show();
            QLabel *image = label(item.get(), "labelImage");
            QStringList offered;
            bool menuSeen = false;
            QTimer::singleShot(0, this, [&] {
                if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                    menuSeen = true;
                    for (QAction *action : menu->actions())
                        offered << action->text();
                    menu->close();
                }
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    image->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(image, &event);
            QCoreApplication::processEvents(); // the check runs now when no menu ran
            QCOMPARE(menuSeen, displayMode == 1);
            if (displayMode == 1)
                QCOMPARE(offered, QStringList{AppLanguageTr::translate("TK_SaveAs")});
            QVERIFY(!QApplication::activePopupWidget());
        }
    }

    void saveWritesOriginalAndRemembersFolder()
    {
        // Fresh configuration folder: nothing remembered yet.
        QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), QString());
        QTemporaryDir target;
        QVERIFY(target.isValid());
        QStringList suggestions;
        QString answer = QString(target.path() + "/first.png").replace('/', '\\');
        TempSnapItem::setSaveFileNameAsker(
                [&](QWidget *, const QString &caption, const QString &dir, const QString &filter) {
                    suggestions << dir;
                    [&] {
                        QCOMPARE(caption, AppLanguageTr::translate("TK_SaveFile"));
                        QCOMPARE(filter, QString("*.jpg *.bmp *.png"));
                    }();
                    return answer;
                });

        // Private mode with mosaic shows a pixelated picture; the saved one is the original.
        auto item = card(snap(), displayStrategy(2, 2));
        QVERIFY(QMetaObject::invokeMethod(item.get(), "slot_savePic"));
        QCOMPARE(suggestions.value(0), QString("./face.png"));
        QCOMPARE(normalised(QImage(target.path() + "/first.png")),
                 normalised(snaptest::facePicture()));
        QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), target.path() + "/");

        // The remembered folder is proposed next; a cancelled dialog changes nothing.
        answer.clear();
        QVERIFY(QMetaObject::invokeMethod(item.get(), "slot_savePic"));
        QCOMPARE(suggestions.value(1), target.path() + "/face.png");
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{"first.png"});

        // Regression: the folder was remembered whether or not the write worked. This folder does
        // not exist, so the write fails for certain; remembering it would replace target's.
        answer = target.path() + "/no-such-folder/copy.png";
        QVERIFY(QMetaObject::invokeMethod(item.get(), "slot_savePic"));
        QVERIFY(!QFile::exists(answer));
        QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), target.path() + "/");
    }

private:
    SnapBuilder snap() const
    {
        SnapBuilder builder;
        builder.picture(m_strUrl).channel(m_strChannel).at("2024-05-06 08:09:10").name("Ann");
        return builder;
    }
    static std::unique_ptr<TempSnapItem> card(const SnapBuilder &builder,
                                              const OrvaneAiCompareVoiceBroadcastStrategy &strategy)
    {
        return std::make_unique<TempSnapItem>(builder.record(), nullptr, 330, 143, strategy, false);
    }

    QTemporaryDir m_dir;
    QString m_strUrl;
    QString m_strChannel;
};

FEVER_TEST_MAIN(TestTempSnapItem)
#include "tst_tempsnapitem.moc"
