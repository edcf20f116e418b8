// The application icon: 32 x 32, every pixel opaque and one of the 16
// palette colours, white on pure blue, and the same picture in all three
// files (the XPM source, the PNG the program embeds and installs, the .ico
// of the Windows build); and the larger sizes installed for the desktop.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const QDir kResources(QStringLiteral(QUOTALIS_RESOURCES_DIR));

const QList<QRgb> kPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

QImage Embedded() { return QImage(QStringLiteral(":/quotalis/icon.png")); }

}  // namespace

class IconTest : public QObject {
  Q_OBJECT

 private slots:
  void embeddedIcon() {
    const QImage icon = Embedded();
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb pixel = icon.pixel(x, y);
        QVERIFY2(qAlpha(pixel) == 255,
                 qPrintable(QStringLiteral("transparent at %1,%2").arg(x).arg(y)));
        QVERIFY2(kPalette.contains(qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel))),
                 qPrintable(QColor(pixel).name()));
        colours.insert(pixel);
      }
    }
    QVERIFY(colours.contains(qRgb(255, 255, 255)));
    for (QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
      QCOMPARE(QColor(icon.pixel(corner)), QColor(0, 0, 255));
  }

  void sameInEveryFile_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("XPM source") << QStringLiteral("icon.xpm");
    QTest::newRow("committed PNG") << QStringLiteral("icon.png");
    QTest::newRow("Windows icon") << QStringLiteral("icon.ico");
  }

  void sameInEveryFile() {
    QFETCH(QString, file);
    const QImage other(kResources.filePath(file));
    QVERIFY2(!other.isNull(), qPrintable(kResources.filePath(file)));
    QCOMPARE(other.size(), QSize(32, 32));
    const QImage icon = Embedded();
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) QCOMPARE(QColor(other.pixel(x, y)), QColor(icon.pixel(x, y)));
  }

  // The larger sizes the desktop asks for: the same design in the same two
  // colours. Read back at 32 x 32 (each pixel's centre) they agree with the
  // small icon almost everywhere; only edges may fall either way.
  void largerSizesShowTheSameDesign_data() {
    QTest::addColumn<int>("size");
    for (int size : {48, 64, 128, 256}) QTest::addRow("%d", size) << size;
  }

  void largerSizesShowTheSameDesign() {
    QFETCH(int, size);
    const QImage large(kResources.filePath(QStringLiteral("icon-%1.png").arg(size)));
    QCOMPARE(large.size(), QSize(size, size));
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const QRgb pixel = large.pixel(x, y);
        QVERIFY2(pixel == blue || pixel == white,
                 qPrintable(QStringLiteral("%1 at %2,%3").arg(QColor(pixel).name()).arg(x).arg(y)));
      }
    }
    const QImage icon = Embedded();
    int differ = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int lx = (2 * x + 1) * size / 64;
        const int ly = (2 * y + 1) * size / 64;
        if (large.pixel(lx, ly) != icon.pixel(x, y)) ++differ;
      }
    }
    QVERIFY2(differ <= 32 * 32 / 20, qPrintable(QStringLiteral("%1 pixels differ").arg(differ)));
  }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
