// Saving never destroys what is not a file, and links stay links.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "files/safe_write.h"

using lcr::WriteFileSafely;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool Write(const QString& path, const QByteArray& bytes, QString* why = nullptr) {
  QString error;
  const bool ok = WriteFileSafely(path, bytes, &error);
  if (why) *why = error;
  return ok;
}

}  // namespace

TEST(SafeWrite, RegularFilesAndLinksToThemAreReplacedWhole) {
  QTemporaryDir dir;
  const QString file = dir.filePath("log.txt");
  const QString link = dir.filePath("latest.txt");
  const QString chain = dir.filePath("chain.txt");
  const QString dangling = dir.filePath("dangling.txt");
  ASSERT_TRUE(Write(file, QByteArray(5000, 'x')));
  ASSERT_TRUE(QFile::link(file, link));
  ASSERT_TRUE(QFile::link(link, chain));
  ASSERT_TRUE(QFile::link(dir.filePath("made/../new.txt"), dangling));
  ASSERT_TRUE(QDir(dir.path()).mkdir("made"));

  // Each name in turn: the bytes land in the file at the end of the links,
  // and every link is still a link.
  for (const QString& name : {file, link, chain, dangling}) {
    const QByteArray bytes = "written through " + QFileInfo(name).fileName().toUtf8();
    QString why;
    ASSERT_TRUE(Write(name, bytes, &why)) << why.toStdString();
    EXPECT_EQ(ReadAll(name), bytes);
  }
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_TRUE(QFileInfo(chain).isSymLink());
  EXPECT_TRUE(QFileInfo(dangling).isSymLink());
  EXPECT_EQ(ReadAll(dir.filePath("new.txt")), "written through dangling.txt");
  EXPECT_EQ(ReadAll(file), "written through chain.txt");
  // No temporary left behind.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size(), 5);
}

TEST(SafeWrite, AFifoIsWrittenIntoNotReplaced) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("pipe");
  const QString copy = dir.filePath("copy");
  ASSERT_EQ(QProcess::execute("mkfifo", {fifo}), 0);
  QProcess reader;
  reader.start("sh", {"-c", "cat \"$0\" > \"$1\"", fifo, copy});
  ASSERT_TRUE(reader.waitForStarted());
  QString why;
  ASSERT_TRUE(Write(fifo, "through the pipe\n", &why)) << why.toStdString();
  ASSERT_TRUE(reader.waitForFinished(10000));
  EXPECT_EQ(ReadAll(copy), "through the pipe\n");
  const QFileInfo after(fifo);
  EXPECT_TRUE(after.exists());
  EXPECT_FALSE(after.isFile());  // still the FIFO

  // A device takes the bytes and stays a device.
  ASSERT_TRUE(Write("/dev/null", "gone"));
  EXPECT_FALSE(QFileInfo("/dev/null").isFile());
}

TEST(SafeWrite, FailuresAreReported) {
  QTemporaryDir dir;
  QString why;
  EXPECT_FALSE(Write(dir.path(), "x", &why));
  EXPECT_FALSE(why.isEmpty());
  EXPECT_FALSE(Write(dir.filePath("no/such/folder/f.txt"), "x", &why));
  EXPECT_FALSE(why.isEmpty());
}
