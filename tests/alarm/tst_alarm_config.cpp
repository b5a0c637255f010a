// The alarm configuration dialog: loading and writing the four points, the user's minutes,
// reviewing sounds, choosing files and refusing typed paths, and what OK and Cancel leave.
#include "alarm/TKSchAlmCfgDialog.h"
#include "app/dialogs/TKMessageWindow.h"
#include "platform/fakes/KFakeFileDialogs.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "platform/fakes/KFakeSound.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
struct Rig {
    KFakeSound sound;
    KFakeFileSystem files;
    KFakePrompter prompter;
    KFakeFileDialogs fileDialogs;
    KPlatform platform;
    std::unique_ptr<TKSchAlmCfgDialog> dialog;

    explicit Rig(const KSchAlarmConfig &config = KSchAlarmConfig(), int language = 0)
    {
        platform.Sound = &sound;
        platform.Files = &files;
        platform.Prompter = &prompter;
        platform.FileDialogs = &fileDialogs;
        dialog = std::make_unique<TKSchAlmCfgDialog>(nullptr, config, language, platform);
    }
    KFakeSoundFilePlayer &Player() { return *sound.Players.at(0); }
    KSchAlarmConfig Written() const
    {
        KSchAlarmConfig out;
        dialog->WriteConfig(out);
        return out;
    }
};

KSchAlarmConfig FullConfig()
{
    KSchAlarmConfig c(4);
    c.AlarmTypes = KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm | KSchAlarmConfig::EmailAlarm;
    c.SpareText1 = u"kept out";
    const int minutes[4] = {0, 5, 10, 25};
    for (int i = 0; i < 4; ++i) {
        c.SetMinutes(i, minutes[i]);
        c.SetPointOn(i, i != 2);
    }
    c.SetSoundName(0, u"SchoolChime");
    c.SetSoundName(1, u"Chime_2");
    c.SetSoundName(2, u"NotABell");
    c.SetSource(3, 1);
    c.SetSoundFile(3, u"/home/me/sounds/gong.mp3");
    return c;
}
} // namespace

class TestAlarmConfig : public QObject {
    Q_OBJECT

private slots:
    void emptyConfigurationOpensWithEverythingOffAndWritesFourPoints()
    {
        Rig r;
        TKSchAlmCfgDialog &d = *r.dialog;
        QCOMPARE(d.windowTitle(), QString("アラーム設定"));
        // Wider than 491 only as far as a sound name or a caption needs it.
        QCOMPARE(d.height(), 339);
        QVERIFY(d.width() >= 491 && d.width() < 491 + 100);
        QVERIFY(!d.AlarmCheckBox->isChecked() && !d.PopupCheckBox->isChecked());
        for (const auto &row : d.Rows) {
            QVERIFY(!row.CheckBox->isChecked());
            QVERIFY(row.ResRButton->isChecked());
            QCOMPARE(row.ComboBox->currentIndex(), -1);
            QCOMPARE(row.ComboBox->count(), 5);
        }
        QCOMPARE(d.UserMinEdit->text(), QString("-1"));
        QVERIFY(!d.Rows[3].CheckBox->isEnabled());
        QVERIFY(!d.ConfigTouched);

        const KSchAlarmConfig out = r.Written();
        QCOMPARE(out.PointCount(), 4);
        QCOMPARE(out.GetMinutes(0), 0);
        QCOMPARE(out.GetMinutes(1), 5);
        QCOMPARE(out.GetMinutes(2), 10);
        QCOMPARE(out.GetMinutes(3), -1);
        QCOMPARE(out.AlarmTypes, 0u);
    }

    void aConfigurationGoesThroughTheControlsAndBack()
    {
        Rig r(FullConfig());
        TKSchAlmCfgDialog &d = *r.dialog;
        QCOMPARE(d.Rows[0].ComboBox->currentText(), QString("SchoolChime"));
        QCOMPARE(d.Rows[2].ComboBox->currentIndex(), -1); // a name that is no built-in sound
        QVERIFY(d.Rows[3].FileRButton->isChecked());
        QCOMPARE(d.Rows[3].Edit->text(), QString("gong.mp3"));
        QCOMPARE(d.Rows[3].Edit->toolTip(), QString("/home/me/sounds/gong.mp3"));
        QCOMPARE(d.UserMinEdit->text(), QString("25"));
        QVERIFY(d.Rows[3].CheckBox->isEnabled());
        // With ORVELLA_SCREENSHOT_DIR set the dialog is saved as a PNG file.
        if (const QString dir = qEnvironmentVariable("ORVELLA_SCREENSHOT_DIR"); !dir.isEmpty()) {
            d.show();
            d.grab().save(dir + "/alarm_config.png");
        }

        const KSchAlarmConfig out = r.Written();
        QCOMPARE(out.AlarmTypes,
                 KSchAlarmConfig::SoundAlarm | KSchAlarmConfig::PopupAlarm); // e-mail not carried
        QVERIFY(out.SpareText1.empty());
        QCOMPARE(out.EnabledPoints, uint16_t(0b1011));
        QCOMPARE(out.GetMinutes(3), 25);
        QCOMPARE(out.GetSoundName(1), std::u16string(u"Chime_2"));
        QCOMPARE(out.GetSource(3), 1);
        QCOMPARE(out.GetSoundFile(3), std::u16string(u"/home/me/sounds/gong.mp3"));

        // The user's minutes: emptied, the point cannot be switched on and stores -1; 0 makes
        // it a second end point.
        d.UserMinEdit->clear();
        QVERIFY(!d.Rows[3].CheckBox->isEnabled());
        QCOMPARE(r.Written().GetMinutes(3), -1);
        QTest::keyClicks(d.UserMinEdit, "0x7");
        QCOMPARE(d.UserMinEdit->text(), QString("07"));
        QVERIFY(d.ConfigTouched);
        d.UserMinEdit->setText("0");
        QVERIFY(d.Rows[3].CheckBox->isEnabled());
        QCOMPARE(r.Written().GetMinutes(3), 0);
    }

    void touchingAControlIsNoticedAndCancelForgetsIt()
    {
        Rig r(FullConfig());
        TKSchAlmCfgDialog &d = *r.dialog;
        d.show();
        QVERIFY(!d.ConfigTouched);
        d.Rows[1].FileRButton->click(); // a radio button does not count
        QVERIFY(!d.ConfigTouched);
        QTest::mouseClick(d.PopupCheckBox, Qt::LeftButton);
        QVERIFY(d.ConfigTouched);
        d.reject();
        QVERIFY(!d.ConfigTouched);
    }

    void reviewingBuiltInSounds()
    {
        Rig r(FullConfig());
        TKSchAlmCfgDialog &d = *r.dialog;
        KSoundReview &review = *d.Review();

        // Press, press again: plays, then stops.
        QTest::mouseClick(d.Rows[1].ReproButton, Qt::LeftButton);
        QCOMPARE(r.sound.Played, (std::vector<std::u16string>{u"Chime_2"}));
        QVERIFY(review.Reviewing && review.ResourceReviewing);
        QCOMPARE(review.ReviewPoint, 1);
        QVERIFY(d.Timer1->isActive());
        QCOMPARE(d.Timer1->interval(), 4500);
        QCOMPARE(d.Rows[1].ReproButton->toolTip(), QString("視聴停止"));
        QTest::mouseClick(d.Rows[1].ReproButton, Qt::LeftButton);
        QVERIFY(!review.Reviewing);
        QCOMPARE(review.ReviewPoint, KSoundReview::NoPoint);
        QVERIFY(!d.Timer1->isActive());
        QCOMPARE(d.Rows[1].ReproButton->toolTip(), QString("視聴"));

        // Another row's button switches the review to that row.
        QTest::mouseClick(d.Rows[1].ReproButton, Qt::LeftButton);
        QTest::mouseClick(d.Rows[0].ReproButton, Qt::LeftButton);
        QCOMPARE(review.ReviewPoint, 0);
        QCOMPARE(d.Timer1->interval(), 18000);
        QCOMPARE(d.Rows[1].ReproButton->toolTip(), QString("視聴"));
        const int stopsBefore = r.sound.Stops;

        // The review time runs out: the sound is cut and the buttons come back.
        d.Timer1->start(1);
        QTRY_VERIFY(!review.Reviewing);
        QVERIFY(r.sound.Stops > stopsBefore);
        QCOMPARE(d.Rows[0].ReproButton->toolTip(), QString("視聴"));

        // No sound chosen: nothing to listen to.
        QTest::mouseClick(d.Rows[2].ReproButton, Qt::LeftButton);
        QVERIFY(!review.Reviewing);
    }

    void reviewingFilesAndTheirFailures()
    {
        Rig r(FullConfig());
        TKSchAlmCfgDialog &d = *r.dialog;
        KSoundReview &review = *d.Review();

        // Missing: message 31, nothing plays.
        QTest::mouseClick(d.Rows[3].ReproButton, Qt::LeftButton);
        QVERIFY(!review.Reviewing);
        QVERIFY(d.ErrorWindow);
        QCOMPARE(d.ErrorWindow->MessageLabel->text(),
                 QString("指定されたアラーム サウンド ファイルが見つかりません。"));
        delete d.ErrorWindow.data();

        // Present but refused by the player: message 32.
        r.files.Put(u"/home/me/sounds/gong.mp3", {1, 2, 3});
        r.Player().RefuseOpen = true;
        QTest::mouseClick(d.Rows[3].ReproButton, Qt::LeftButton);
        QVERIFY(!review.Reviewing);
        QCOMPARE(d.ErrorWindow->MessageLabel->text(),
                 QString("指定されたアラーム サウンド ファイルは再生できません。"));
        delete d.ErrorWindow.data();

        // Playing: the review lasts until the file ends.
        r.Player().RefuseOpen = false;
        QTest::mouseClick(d.Rows[3].ReproButton, Qt::LeftButton);
        QVERIFY(review.FileReviewing && review.Reviewing);
        QCOMPARE(r.Player().Plays.back(), std::u16string(u"/home/me/sounds/gong.mp3"));
        r.Player().Finish();
        QVERIFY(!review.Reviewing && !review.FileReviewing);
        QCOMPARE(d.Rows[3].ReproButton->toolTip(), QString("視聴"));

        // Closing the dialog while a file plays closes the player.
        QTest::mouseClick(d.Rows[3].ReproButton, Qt::LeftButton);
        QVERIFY(r.Player().IsPlaying());
        d.accept();
        QVERIFY(!r.Player().IsPlaying());
        QVERIFY(!review.Reviewing);
    }

    void choosingAFileAndRefusingTypedPaths()
    {
        Rig r(FullConfig());
        TKSchAlmCfgDialog &d = *r.dialog;
        r.fileDialogs.Answers = {u"/music/none.wav"};

        // A path that does not exist is refused; the row keeps its path.
        d.openAlarmConfigDialog(3);
        QCOMPARE(r.fileDialogs.History.size(), size_t(1));
        QCOMPARE(r.fileDialogs.History[0].Request.FileName, std::u16string(u"/home/me/sounds/gong.mp3"));
        QVERIFY(r.fileDialogs.History[0].Request.Filter.starts_with(
            u"再生可能 ファイル (*.wav, *.mp3)|*.wav;*.mp3|"));
        QVERIFY(d.ErrorWindow);
        QCOMPARE(d.SoundPaths[3], QString("/home/me/sounds/gong.mp3"));
        delete d.ErrorWindow.data();

        // An existing one is taken; the row is not switched to the file.
        r.files.Put(u"/music/bell.wav", {1});
        r.fileDialogs.Answers = {u"/music/bell.wav"};
        QTest::mouseDClick(d.Rows[0].Edit, Qt::LeftButton);
        QCOMPARE(d.SoundPaths[0], QString("/music/bell.wav"));
        QCOMPARE(d.Rows[0].Edit->text(), QString("bell.wav"));
        QVERIFY(d.Rows[0].ResRButton->isChecked());

        // Typing is refused with the message box; moving on with Tab is not.
        d.show();
        QTest::keyClick(d.Rows[0].Edit, Qt::Key_A);
        QCOMPARE(r.prompter.History.size(), size_t(1));
        QCOMPARE(r.prompter.History[0].Caption, std::u16string(u"エラー"));
        QCOMPARE(r.prompter.History[0].Text, std::u16string(u"ファイル選択ボタンで指定してください。"));
        QCOMPARE(d.Rows[0].Edit->text(), QString("bell.wav"));
        QTest::keyClick(d.Rows[0].Edit, Qt::Key_Tab);
        QCOMPARE(r.prompter.History.size(), size_t(1));

        // Delete empties the field; the path is still written.
        QTest::keyClick(d.Rows[0].Edit, Qt::Key_Delete);
        QCOMPARE(d.Rows[0].Edit->text(), QString());
        QCOMPARE(r.Written().GetSoundFile(0), std::u16string(u"/music/bell.wav"));
    }

    void englishCaptions()
    {
        Rig r(KSchAlarmConfig(), 1);
        TKSchAlmCfgDialog &d = *r.dialog;
        QCOMPARE(d.windowTitle(), QString("Alarm Configuration"));
        QCOMPARE(d.Rows[1].CheckBox->text(), QString("    5min before"));
        QCOMPARE(d.AlarmOnOffLabel->text(), QString("Alarm Type"));
        QCOMPARE(d.Rows[0].ReproButton->toolTip(), QString("Sound Review"));
        QVERIFY(TKSchAlmCfgDialog::FileFilter(1).ends_with(u"All Files (*.*)|*.*"));
    }
};

QTEST_MAIN(TestAlarmConfig)
#include "tst_alarm_config.moc"
