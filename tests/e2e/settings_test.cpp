// Settings files edited by hand or damaged: the window starts, opens no
// port where no valid one is stored, and says so. Every "Com" slot leads to
// the emulated head, so any port opened would show in its log.
#include <QDir>
#include <QFile>

#include "tests/e2e/window_on_head.h"

namespace {

class DamagedSettings : public WindowOnHead {
 protected:
  void SetUp() override { ASSERT_TRUE(head.Start()); }

  // Replaces the settings file by content; the store reads it afresh since
  // its size and time differ from what it read before.
  void WriteSettingsFile(const QByteArray& content) {
    const QString path = QSettings(kOrganisation, kApplication).fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
  }
  QByteArray EveryPortToHead() const {
    QByteArray lines;
    for (int number = 1; number <= 8; ++number)
      lines += QStringLiteral("COM%1=%2\n").arg(number).arg(head.Link()).toUtf8();
    return lines;
  }

  // Opens the window on the file and expects it to start without a port.
  void ExpectStartWithoutPort(const QByteArray& content) {
    ASSERT_NO_FATAL_FAILURE(WriteSettingsFile(content));
    const qsizetype framesBefore = head.Log().size();
    CTorvakDlg& dlg = Open();
    ASSERT_TRUE(WaitFor([&] { return StartUpDone(); }));
    EXPECT_EQ(dlg.StatusText(), QStringLiteral("Kein Port gewählt – Ersatzwerte"));
    for (int id = ctl::kFirstPort; id <= ctl::kLastPort; ++id) EXPECT_FALSE(Button(id)->isChecked()) << id;
    EXPECT_TRUE(IsSubstitute(window->Image().ambientTemperature));
    EXPECT_EQ(head.Log().mid(framesBefore), QStringList{});
    window.reset();
  }
};

TEST_F(DamagedSettings, ComportThatIsNoNumberNegativeOrWiderThan32BitsOpensNoPort) {
  // 4294967297 and 2^64 + 1 would both end in the low byte 1 (Com 1).
  for (const char* value : {"COM1", "1x", "", "-1", "4294967297", "18446744073709551617"}) {
    SCOPED_TRACE(value);
    ASSERT_NO_FATAL_FAILURE(
        ExpectStartWithoutPort("[SETTINGS]\n" + EveryPortToHead() + "COMPORT=" + value + "\n"));
  }
}

// Binary junk, lines without a key, broken section headers, and a value in
// the store's notation for typed values cut short.
QByteArray JunkAround(const QByteArray& section) {
  static const char kBinaryHead[] = "\x00\xff\xfe\x80[SETTINGS\n=\n==1\n\x01\x02\x03\x7f";
  QByteArray junk(kBinaryHead, sizeof kBinaryHead - 1);
  junk += "\n[SETTINGS]\n" + section + "no equals sign at all\n[]\n[%ZZ]\nCOM9=@Variant(\\0\\0\\0\\x2\\0\n";
  for (int i = 0; i < 256; ++i) junk += static_cast<char>((i * 37) & 0xff);
  return junk;
}

TEST_F(DamagedSettings, FileOfGarbageLinesAndBinaryJunkOpensNoPort) {
  ASSERT_NO_FATAL_FAILURE(ExpectStartWithoutPort(
      JunkAround(EveryPortToHead() + "COMPORT=@Variant(\\0\\0\\0\\x2\\0\n\xc3\x28\n")));
}

TEST_F(DamagedSettings, ValidPortAmidJunkIsStillOpened) {
  ASSERT_NO_FATAL_FAILURE(WriteSettingsFile(JunkAround(EveryPortToHead() + "COMPORT=1\n")));
  CTorvakDlg& dlg = Open();
  ASSERT_TRUE(WaitFor([&] { return StartUpDone(); }));
  EXPECT_EQ(dlg.StatusText(), OpenedText());
  EXPECT_TRUE(Button(ctl::kFirstPort)->isChecked());
  EXPECT_TRUE(head.WaitForLine(WriteLine(0xD2, 1, 20)));
}

}  // namespace
