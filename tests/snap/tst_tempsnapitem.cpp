#include "TestSupport.h"

#include "SnapTestRecords.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"
#include "BaseHelper.h"
#include "FileDataCacheGroup.h"
#include "HostTesting.h"
#include "ImageProcessHelper.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "QssFormatHelper.h"
#include "TempSnapItem.h"
#include "TempSnapRules.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

using snaptest::RecordSpec;

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

QImage shownPicture(QWidget *card)
{
    return snaptest::normalised(label(card, "labelImage")->pixmap(Qt::ReturnByValue).toImage());
}

QImage expectedPicture(QImage source, int cardHeight)
{
    return snaptest::normalised(source.scaled(TempSnapRules::pictureSize(cardHeight),
                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

class TestTempSnapItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void showsRecordAsPlainText();
    void nameRulesReachTheAnnouncement_data();
    void nameRulesReachTheAnnouncement();
    void negativeTemperatureShowsDotsAndStaysSilent();
    void announcesLiveRecordsAfterDelay();
    void historyRecordsAreSilent();
    void deletedCardNeverAnnounces();

    void privacyModes_data();
    void privacyModes();
    void missingPictureLeavesLabelUnchanged();
    void strategyChangeReappliesRules();

    void alternateStyleColours_data();
    void alternateStyleColours();
    void alternateStyleFromOemConfiguration();
    void resizeSetsFontsPictureAndBadge();
    void badgeFollowsLanguage();

    void saveOfferedOnlyInDefaultMode();
    void saveWritesOriginalAndRemembersFolder();
    void saveOfMissingPictureWritesNothing();

private:
    QString picture(const QString &name);
    std::unique_ptr<TempSnapItem> card(const RecordSpec &spec,
                                       const OrvaneAiCompareVoiceBroadcastStrategy &strategy,
                                       bool alternate = false, int width = 330, int height = 143);

    QTemporaryDir m_dir;
    QString m_strUrl;
    QString m_strChannel;
};

void TestTempSnapItem::initTestCase()
{
    testsupport::installWarningGuard();
    QVERIFY(m_dir.isValid());
    m_strUrl = picture("face.png");
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
    QCOMPARE(VornClient::instance()->getDevNameByChannelUID(m_strChannel),
             QString("<b>Gate</b> <img src=x>"));
}

void TestTempSnapItem::cleanup()
{
    TempSnapItem::setSaveFileNameAsker({});
    AppConfigHelper::instance()->setOEMConfig(AppConfigOEM());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString TestTempSnapItem::picture(const QString &name)
{
    return snaptest::writeFacePicture(m_dir.path(), name);
}

std::unique_ptr<TempSnapItem>
TestTempSnapItem::card(const RecordSpec &spec,
                       const OrvaneAiCompareVoiceBroadcastStrategy &strategy, bool alternate,
                       int width, int height)
{
    RecordSpec filled = spec;
    if (filled.url.isEmpty())
        filled.url = m_strUrl;
    if (filled.channelUid.isEmpty())
        filled.channelUid = m_strChannel;
    return std::make_unique<TempSnapItem>(snaptest::makeRecord(filled), nullptr, width, height,
                                          strategy, alternate);
}

void TestTempSnapItem::showsRecordAsPlainText()
{
    RecordSpec spec;
    spec.archiveName = "<img src=x>";
    spec.temperature = 37.2;
    auto item = card(spec, displayStrategy());

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
        QVERIFY2(text->sizeHint().width() >= text->fontMetrics().horizontalAdvance(text->text()),
                 name);
    }
}

void TestTempSnapItem::nameRulesReachTheAnnouncement_data()
{
    QTest::addColumn<int>("compareResult");
    QTest::addColumn<int>("showArchive");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("sent");

    QTest::newRow("not compared") << 0 << 1 << "..."
                                  << "";
    QTest::newRow("archive name") << 1 << 1 << "Ann"
                                  << "Ann";
    QTest::newRow("hidden on card, still announced") << 1 << 2 << "..."
                                                     << "Ann";
}

void TestTempSnapItem::nameRulesReachTheAnnouncement()
{
    QFETCH(int, compareResult);
    QFETCH(int, showArchive);
    QFETCH(QString, shown);
    QFETCH(QString, sent);

    RecordSpec spec;
    spec.compareResult = compareResult;
    spec.announce = true;
    spec.maskStatus = 2;
    spec.state = 1;
    spec.temperature = 38.4;
    auto item = card(spec, displayStrategy(1, 3, 1, showArchive));
    QSignalSpy spy(item.get(), &TempSnapItem::sendTempInfo);
    QCOMPARE(label(item.get(), "labelName")->text(), shown);

    QTRY_COMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE(args.at(0).toString(), sent);
    QCOMPARE(args.at(1).toString(),
             VORNClientAIManager::instance()->convertNumberToTemperature(38.4f, false, true));
    QCOMPARE(args.at(2).toInt(), 1);
    QCOMPARE(args.at(3).toString(), QString("08:09:10"));
    QCOMPARE(args.at(4).toInt(), 3);
    QCOMPARE(args.at(5).toInt(), 2);
}

void TestTempSnapItem::negativeTemperatureShowsDotsAndStaysSilent()
{
    RecordSpec spec;
    spec.temperature = -1.0;
    spec.announce = true;
    auto item = card(spec, displayStrategy(1, 3, 3));
    QSignalSpy spy(item.get(), &TempSnapItem::sendTempInfo);
    QCOMPARE(label(item.get(), "labelTemp")->text(), QString("..."));

    // Three times the delay: long enough for a wrongly sent announcement to show up.
    QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
    QCOMPARE(spy.count(), 0);
}

void TestTempSnapItem::announcesLiveRecordsAfterDelay()
{
    RecordSpec spec;
    spec.announce = true;
    QElapsedTimer clock;
    clock.start();
    auto item = card(spec, displayStrategy());
    QSignalSpy spy(item.get(), &TempSnapItem::sendTempInfo);
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY2(clock.elapsed() >= TempSnapItem::SendTempInfoDelayMs,
             qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(2 * TempSnapItem::SendTempInfoDelayMs);
    QCOMPARE(spy.count(), 1); // once only
}

void TestTempSnapItem::historyRecordsAreSilent()
{
    RecordSpec spec;
    spec.announce = false;
    auto item = card(spec, displayStrategy());
    QSignalSpy spy(item.get(), &TempSnapItem::sendTempInfo);
    QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
    QCOMPARE(spy.count(), 0);
}

void TestTempSnapItem::deletedCardNeverAnnounces()
{
    RecordSpec spec;
    spec.announce = true;
    int announced = 0;
    auto item = card(spec, displayStrategy());
    connect(item.get(), &TempSnapItem::sendTempInfo, this, [&announced] { ++announced; });
    QPointer<TempSnapItem> watch(item.get());
    item.release()->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
    QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
    QCOMPARE(announced, 0);
}

void TestTempSnapItem::privacyModes_data()
{
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<int>("snapHandle");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("treatment");

    QTest::newRow("default mode") << 1 << 2 << 1 << "plain";
    QTest::newRow("private, untreated") << 2 << 3 << 0 << "plain";
    QTest::newRow("private, placeholder normal") << 2 << 1 << 0 << "placeholder";
    QTest::newRow("private, placeholder over") << 2 << 1 << 1 << "placeholder";
    QTest::newRow("private, placeholder abnormal") << 2 << 1 << 3 << "placeholder";
    QTest::newRow("private, mosaic normal") << 2 << 2 << 0 << "mosaic";
    QTest::newRow("private, mosaic over") << 2 << 2 << 1 << "mosaic";
}

void TestTempSnapItem::privacyModes()
{
    QFETCH(int, displayMode);
    QFETCH(int, snapHandle);
    QFETCH(int, state);
    QFETCH(QString, treatment);

    RecordSpec spec;
    spec.state = state;
    auto item = card(spec, displayStrategy(displayMode, snapHandle));
    QWidget *border = item->findChild<QWidget *>("widgetBorder");
    QVERIFY(border);

    QImage source = snaptest::facePicture();
    QImage expected;
    if (treatment == "placeholder") {
        QVERIFY(FileDataCacheGroup::findImageData(TempSnapRules::placeholderPicture(state),
                                                  source));
        expected = expectedPicture(source, 143);
    } else if (treatment == "mosaic") {
        expected = expectedPicture(ImageProcessHelper::tryFullImageMosaic(source, 200 / 32), 143);
    } else {
        expected = expectedPicture(source, 143);
    }
    QCOMPARE(shownPicture(item.get()), expected);
    QCOMPARE(label(item.get(), "labelImage")->size(), TempSnapRules::pictureSize(143));

    QCOMPARE(border->isVisibleTo(item.get()), treatment == "mosaic");
    if (treatment == "mosaic") {
        QCOMPARE(border->styleSheet(),
                 QString("QWidget{border:5px  solid %1; background-color: transparent;}")
                         .arg(TempSnapRules::stateColour(state, false)));
    }
}

void TestTempSnapItem::missingPictureLeavesLabelUnchanged()
{
    RecordSpec spec;
    spec.url = m_dir.path() + "/never-downloaded.jpg";
    auto item = card(spec, displayStrategy());
    QLabel *image = label(item.get(), "labelImage");
    QVERIFY(image->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(label(item.get(), "labelName")->text(), QString("Ann")); // the card still shows

    QVERIFY(item->setPicUrl(m_strUrl));
    const QImage before = shownPicture(item.get());
    QVERIFY(!item->setPicUrl(m_dir.path() + "/gone.jpg"));
    QCOMPARE(shownPicture(item.get()), before);
}

void TestTempSnapItem::strategyChangeReappliesRules()
{
    // A match that has a name but no archive id: named at construction, a stranger afterwards,
    // while the announced name stays what the construction decided.
    RecordSpec spec;
    spec.archiveId = -99999;
    spec.temperature = -2.0;
    spec.announce = true;
    auto item = card(spec, displayStrategy(2, 2));
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
    QVERIFY(FileDataCacheGroup::findImageData(TempSnapRules::placeholderPicture(0), placeholder));
    QCOMPARE(shownPicture(item.get()), expectedPicture(placeholder, 143));
    // The negative rule belongs to the construction only.
    QCOMPARE(label(item.get(), "labelTemp")->text(),
             VORNClientAIManager::instance()->convertNumberToTemperature(-2.0f, true, true));

    QTest::qWait(3 * TempSnapItem::SendTempInfoDelayMs);
    QCOMPARE(spy.count(), 0); // still a negative reading
}

void TestTempSnapItem::alternateStyleColours_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("alternate");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("cardSheet");
    QTest::addColumn<QString>("smallColour");

    QTest::newRow("normal style, abnormal")
            << 2 << false << QssFormatHelper::findColorStrByKey("$word_anormaltemp") << ""
            << "";
    QTest::newRow("alt normal") << 0 << true << "#1a7a17"
                                << ""
                                << "color: #6ba0d0";
    QTest::newRow("alt abnormal like normal") << 2 << true << "#1a7a17"
                                              << ""
                                              << "color: #6ba0d0";
    QTest::newRow("alt over") << 1 << true << "#ee7d6f"
                              << "background-color: #edaaa2"
                              << "color: white";
}

void TestTempSnapItem::alternateStyleColours()
{
    QFETCH(int, state);
    QFETCH(bool, alternate);
    QFETCH(QString, colour);
    QFETCH(QString, cardSheet);
    QFETCH(QString, smallColour);

    RecordSpec spec;
    spec.state = state;
    auto item = card(spec, displayStrategy(), alternate);
    QCOMPARE(item->styleSheet(), cardSheet);
    item->show(); // delivers the pending resize
    QCOMPARE(label(item.get(), "labelTemp")->styleSheet(),
             QString("QLabel{font: 20px; color:%1;}").arg(colour));
    QCOMPARE(label(item.get(), "labelName")->styleSheet(),
             QString("QLabel{font: 12px; %1}").arg(smallColour));
}

void TestTempSnapItem::alternateStyleFromOemConfiguration()
{
    AppConfigOEM oem;
    oem.nPreviewScreenType = 1;
    QVERIFY(AppConfigHelper::instance()->setOEMConfig(oem));
    RecordSpec spec;
    spec.state = 1;
    spec.url = m_strUrl;
    spec.channelUid = m_strChannel;
    TempSnapItem item(snaptest::makeRecord(spec), nullptr, 286, 121, displayStrategy());
    QCOMPARE(item.styleSheet(), QString("background-color: #edaaa2"));
}

void TestTempSnapItem::resizeSetsFontsPictureAndBadge()
{
    RecordSpec spec;
    spec.maskStatus = 2;
    auto item = card(spec, displayStrategy());
    auto *badge = item->findChild<QLabel *>("labelNoMask");
    QVERIFY(badge);
    const QSize natural = badge->size();
    QVERIFY(!natural.isEmpty());
    QCOMPARE(badge->pos(), QPoint(330 - natural.width() - 17, 143 - natural.height() - 5));

    item->setSizeMode(2);
    item->setFixedSize(495, 214);
    item->show();
    QCOMPARE(label(item.get(), "labelTime")->styleSheet(), QString("QLabel{font: 22px; }"));
    QCOMPARE(label(item.get(), "labelDeviceName")->styleSheet(), QString("QLabel{font: 22px; }"));
    QCOMPARE(label(item.get(), "labelTemp")->styleSheet(),
             QString("QLabel{font: 40px; color:%1;}")
                     .arg(QssFormatHelper::findColorStrByKey("$word_normaltemp")));
    QCOMPARE(label(item.get(), "labelImage")->size(), QSize(166, 208));
    const QRect expected =
            TempSnapRules::badgeGeometry(495, 214, natural.width(), natural.height(), 1.5f);
    QCOMPARE(badge->geometry(), expected);

    // No badge without the no-mask status.
    RecordSpec masked;
    masked.maskStatus = 1;
    QVERIFY(!card(masked, displayStrategy())->findChild<QLabel *>("labelNoMask"));
}

void TestTempSnapItem::badgeFollowsLanguage()
{
    QImage english;
    QImage chinese;
    QVERIFY(FileDataCacheGroup::findImageData(":/images/home/charts/ai/NOMASK1.png", english));
    QVERIFY(FileDataCacheGroup::findImageData(":/images/home/charts/ai/NOMASK96.png", chinese));
    QVERIFY(snaptest::normalised(english) != snaptest::normalised(chinese));
    auto *translation = AppTranslationHelper::instance();
    QCOMPARE(translation->currentLanguage(), int(AppTranslationHelper::English));

    RecordSpec spec;
    spec.maskStatus = 2;
    auto item = card(spec, displayStrategy());
    auto *badge = item->findChild<QLabel *>("labelNoMask");
    QCOMPARE(snaptest::normalised(badge->pixmap(Qt::ReturnByValue).toImage()),
             snaptest::normalised(english));

    // The language change reaches a parentless card through a posted event.
    QVERIFY(translation->setCurrentLanguage(AppTranslationHelper::Chinese));
    QTRY_COMPARE(snaptest::normalised(badge->pixmap(Qt::ReturnByValue).toImage()),
                 snaptest::normalised(chinese));
    QVERIFY(translation->setCurrentLanguage(AppTranslationHelper::English));
    QTRY_COMPARE(snaptest::normalised(badge->pixmap(Qt::ReturnByValue).toImage()),
                 snaptest::normalised(english));
}

void TestTempSnapItem::saveOfferedOnlyInDefaultMode()
{
    for (int displayMode : {1, 2}) {
        auto item = card(RecordSpec(), displayStrategy(displayMode, 3));
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

void TestTempSnapItem::saveWritesOriginalAndRemembersFolder()
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
    auto item = card(RecordSpec(), displayStrategy(2, 2));
    QVERIFY(QMetaObject::invokeMethod(item.get(), "slot_savePic"));
    QCOMPARE(suggestions.value(0), QString("./face.png"));
    QImage saved(target.path() + "/first.png");
    QCOMPARE(snaptest::normalised(saved), snaptest::normalised(snaptest::facePicture()));
    QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), target.path() + "/");

    // The remembered folder is proposed next; a cancelled dialog changes nothing.
    answer.clear();
    QVERIFY(QMetaObject::invokeMethod(item.get(), "slot_savePic"));
    QCOMPARE(suggestions.value(1), target.path() + "/face.png");
    QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{"first.png"});
    QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), target.path() + "/");
}

void TestTempSnapItem::saveOfMissingPictureWritesNothing()
{
    QVERIFY(BaseHelper::instance()->setMouseRightSavePath("/remembered/"));
    const QString path = picture("short-lived.png");
    RecordSpec spec;
    spec.url = path;
    auto item = card(spec, displayStrategy());
    QVERIFY(QFile::remove(path));

    QTemporaryDir target;
    TempSnapItem::setSaveFileNameAsker(
            [&](QWidget *, const QString &, const QString &, const QString &) {
                return target.path() + "/copy.png";
            });
    QVERIFY(QMetaObject::invokeMethod(item.get(), "slot_savePic"));
    QVERIFY(!QFile::exists(target.path() + "/copy.png"));
    QCOMPARE(BaseHelper::instance()->getMouseRightSavePath(), QString("/remembered/"));
}

FEVER_TEST_MAIN(TestTempSnapItem)
#include "tst_tempsnapitem.moc"
